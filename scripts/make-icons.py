#!/usr/bin/env python3
"""Draws the toolbar's icons, one per command of the toolbar, as PNG files of 16 and 32 pixels
(NAME-16.png, NAME-32.png) with the Qt resource file that lists them. Standard library only.

Each icon is drawn once on a 32-unit square from shapes given by their signed distance (inside
is negative), sampled 4 x 4 times per pixel, so that both sizes come out smooth from one drawing.
The 16-pixel icons take thicker outlines, so that their lines stay visible.

usage: make-icons.py [OUTPUT_FOLDER] [--sheet FILE]
    OUTPUT_FOLDER  default: src/res/icons beside this script's folder; icons.qrc goes to its parent
    --sheet FILE   also writes every icon at both sizes, enlarged four times, on one PNG to look at
"""

import math
import os
import struct
import sys
import zlib

UNITS = 32.0
SAMPLES = 4  # per pixel and axis

# Colours (r, g, b) of the whole set, so that the icons look like one family.
INK = (40, 44, 52)
PAPER = (255, 255, 255)
PAPER_SHADE = (226, 230, 236)
LINE = (120, 128, 140)
BLUE = (44, 110, 200)
BLUE_DARK = (24, 70, 140)
GREEN = (40, 150, 70)
GREEN_DARK = (20, 100, 45)
RED = (210, 50, 45)
YELLOW = (246, 196, 70)
YELLOW_DARK = (176, 124, 24)
GREY = (150, 156, 166)
GREY_DARK = (90, 96, 106)
BROWN = (160, 110, 60)
PINK = (238, 130, 150)
SELECTION = (120, 170, 235)
ORANGE = (245, 150, 60)


# --- shapes: functions of (x, y) giving the signed distance in units -----------------------------

def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sd(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return sd


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9

    def sd(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2
    return sd


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return union(*parts)


def arc(cx, cy, r, start_deg, end_deg, width, steps=24):
    points = []
    for i in range(steps + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polyline(points, width)


def polygon(points):
    n = len(points)

    def sd(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            length2 = ex * ex + ey * ey or 1e-9
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / length2))
            d = min(d, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey or 1e-9):
                inside = not inside
        return -d if inside else d
    return sd


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def rotated(shape, cx, cy, degrees):
    a = math.radians(-degrees)
    ca, sa = math.cos(a), math.sin(a)

    def sd(x, y):
        dx, dy = x - cx, y - cy
        return shape(cx + dx * ca - dy * sa, cy + dx * sa + dy * ca)
    return sd


# --- drawing ------------------------------------------------------------------------------------

class Canvas:
    """Premultiplied RGBA floats, size x size pixels over the 32-unit square."""

    def __init__(self, size):
        self.size = size
        self.scale = UNITS / size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]
        # Outlines in units: one pixel at 16, 1.2 pixels at 32.
        self.outline = 1.2 if size >= 32 else 2.0
        step = self.scale / SAMPLES
        self.offsets = [(step * (i + 0.5), step * (j + 0.5))
                        for i in range(SAMPLES) for j in range(SAMPLES)]

    def _coverage(self, inside, px, py):
        x0, y0 = px * self.scale, py * self.scale
        hits = sum(1 for ox, oy in self.offsets if inside(x0 + ox, y0 + oy))
        return hits / len(self.offsets)

    def paint(self, inside, colour, alpha=1.0, bounds=None):
        r, g, b = (c / 255.0 for c in colour)
        x0, y0, x1, y1 = bounds or (0, 0, UNITS, UNITS)
        first_x = max(0, int(x0 / self.scale) - 1)
        last_x = min(self.size, int(x1 / self.scale) + 2)
        first_y = max(0, int(y0 / self.scale) - 1)
        last_y = min(self.size, int(y1 / self.scale) + 2)
        for py in range(first_y, last_y):
            for px in range(first_x, last_x):
                a = self._coverage(inside, px, py) * alpha
                if a <= 0.0:
                    continue
                p = self.pixels[py * self.size + px]
                keep = 1.0 - a
                p[0] = r * a + p[0] * keep
                p[1] = g * a + p[1] * keep
                p[2] = b * a + p[2] * keep
                p[3] = a + p[3] * keep

    def fill(self, shape, colour, alpha=1.0):
        self.paint(lambda x, y: shape(x, y) <= 0.0, colour, alpha)

    def stroke(self, shape, colour, width=None):
        w = (width or self.outline) / 2
        self.paint(lambda x, y: abs(shape(x, y)) <= w, colour)

    def filled(self, shape, colour, outline=INK):
        """Filled with an outline that lies inside the shape's edge."""
        self.fill(shape, colour)
        w = self.outline
        self.paint(lambda x, y: -w <= shape(x, y) <= 0.0, outline)

    def png(self):
        rows = bytearray()
        for y in range(self.size):
            rows.append(0)  # no filter
            for x in range(self.size):
                r, g, b, a = self.pixels[y * self.size + x]
                if a > 0:
                    r, g, b = r / a, g / a, b / a
                rows += bytes(max(0, min(255, round(v * 255))) for v in (r, g, b, a))
        return encode_png(self.size, self.size, bytes(rows))


def encode_png(width, height, raw_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw_rows, 9)) + chunk(b"IEND", b""))


# --- parts that several icons share --------------------------------------------------------------

def page(c, x0, y0, x1, y1, fold=6.0, lines=True):
    """A sheet of paper with a folded corner at the top right and a few lines of text."""
    sheet = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    c.filled(sheet, PAPER)
    corner = polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    c.filled(corner, PAPER_SHADE)
    if lines:
        y = y0 + fold + 2.5
        while y < y1 - 3:
            c.fill(box(x0 + 3, y, x1 - 3, y + 1.5), LINE)
            y += 4


def table(c, x0, y0, x1, y1, selected=None, marked=SELECTION):
    """A small table: a header row and a grid of cells; selected is a set of (row, column),
    filled with the marked colour."""
    rows, columns = 3, 3
    c.filled(box(x0, y0, x1, y1), PAPER)
    cell_w = (x1 - x0) / columns
    cell_h = (y1 - y0) / (rows + 1)
    c.fill(box(x0, y0, x1, y0 + cell_h), PAPER_SHADE)
    for (r, col) in selected or ():
        c.fill(box(x0 + col * cell_w, y0 + (r + 1) * cell_h,
                   x0 + (col + 1) * cell_w, y0 + (r + 2) * cell_h), marked)
    for i in range(1, columns):
        c.stroke(segment(x0 + i * cell_w, y0, x0 + i * cell_w, y1, 0.01), LINE, 1.0)
    for j in range(1, rows + 1):
        c.stroke(segment(x0, y0 + j * cell_h, x1, y0 + j * cell_h, 0.01), LINE, 1.0)
    c.stroke(box(x0, y0, x1, y1), INK)


def arrow_right(c, x0, y, x1, colour, dark, thickness=5.0, head=7.0):
    shaft = box(x0, y - thickness / 2, x1 - head + 1, y + thickness / 2)
    tip = polygon([(x1 - head, y - head), (x1, y), (x1 - head, y + head)])
    c.filled(union(shaft, tip), colour, dark)


def arrow_down(c, x, y0, y1, colour, dark, thickness=5.0, head=7.0):
    shaft = box(x - thickness / 2, y0, x + thickness / 2, y1 - head + 1)
    tip = polygon([(x - head, y1 - head), (x, y1), (x + head, y1 - head)])
    c.filled(union(shaft, tip), colour, dark)


def register(c, x0, y0):
    """A cash register, 14 by 14 units from its top-left corner."""
    c.filled(box(x0 + 2, y0, x0 + 12, y0 + 5, 1), GREY_DARK)           # display
    c.fill(box(x0 + 3.5, y0 + 1.5, x0 + 10.5, y0 + 3.5), (120, 220, 140))
    c.filled(polygon([(x0, y0 + 14), (x0 + 1.5, y0 + 6), (x0 + 12.5, y0 + 6),
                      (x0 + 14, y0 + 14)]), GREY)                            # body with keys
    for kx in (3.5, 7.0, 10.5):
        c.fill(box(x0 + kx - 1, y0 + 8.5, x0 + kx + 1, y0 + 10), INK)


def receipt(c, x0, y0, x1, y1):
    """A till receipt: a paper strip with a torn, zigzag bottom edge and lines of text."""
    teeth = 4
    points = [(x0, y0), (x1, y0), (x1, y1)]
    w = (x1 - x0) / teeth
    for i in range(teeth):
        points.append((x1 - (i + 0.5) * w, y1 - 2.5))
        points.append((x1 - (i + 1) * w, y1))
    c.filled(polygon(points), PAPER)
    y = y0 + 3
    while y < y1 - 5:
        c.fill(box(x0 + 2.5, y, x1 - 2.5, y + 1.4), LINE)
        y += 3.5


# --- the icons, by the file name the program asks for ---------------------------------------------

def icon_open(c):
    back = polygon([(2, 7), (11, 7), (13, 10), (26, 10), (26, 27), (2, 27)])
    c.filled(back, YELLOW_DARK)
    front = polygon([(6, 14), (31, 14), (27, 27), (2, 27)])
    c.filled(front, YELLOW, YELLOW_DARK)
    c.stroke(polygon([(2, 7), (11, 7), (13, 10), (26, 10), (26, 14), (6, 14), (2, 27)]), INK)
    c.stroke(front, INK)


def icon_save(c):
    body = polygon([(3, 3), (25, 3), (29, 7), (29, 29), (3, 29)])
    c.filled(body, BLUE, BLUE_DARK)
    c.stroke(body, INK)
    c.filled(box(8, 3, 23, 12), PAPER_SHADE)           # shutter
    c.fill(box(18, 5, 21, 10), BLUE_DARK)
    c.filled(box(7, 17, 25, 29), PAPER)                # label
    c.fill(box(10, 21, 22, 22.5), LINE)
    c.fill(box(10, 25, 22, 26.5), LINE)


def icon_clear_all(c):
    eraser = rotated(box(4, 11, 28, 21, 1.5), 16, 16, -35)
    blue_half = rotated(box(4, 11, 14, 21, 1.5), 16, 16, -35)
    c.filled(eraser, PINK)
    c.fill(subtract(blue_half, rotated(box(14, 0, 40, 40), 16, 16, -35)), BLUE)
    c.stroke(eraser, INK)
    c.stroke(rotated(segment(14, 11, 14, 21, 0.01), 16, 16, -35), INK)
    c.fill(box(3, 28, 29, 29.5), GREY_DARK)            # the line it rubs out


def icon_print(c):
    c.filled(box(8, 2, 24, 13), PAPER)                 # paper going in
    c.filled(box(2, 11, 30, 24, 2), GREY)              # body
    c.fill(box(5, 15, 8, 17), GREEN)                   # lamp
    c.filled(box(7, 19, 25, 30), PAPER)                # printed page
    c.fill(box(10, 23, 22, 24.5), LINE)
    c.fill(box(10, 26.5, 19, 28), LINE)


def icon_preview(c):
    page(c, 3, 2, 23, 30)
    c.fill(circle(19, 18, 7), (210, 230, 255), 0.75)
    c.stroke(circle(19, 18, 7), INK, 2.6)
    c.filled(rotated(box(24.5, 21.5, 31, 25.5, 1), 27.75, 23.5, 45), BROWN)


def icon_find(c):
    c.fill(circle(13, 13, 9), (210, 230, 255))
    c.stroke(circle(13, 13, 9), INK, 3.2)
    c.fill(arc(13, 13, 5.5, 200, 260, 1.8), PAPER)     # a glint on the glass
    c.filled(rotated(box(19, 17, 31, 22, 2), 25, 19.5, 45), BROWN)


def icon_cut(c):
    c.filled(union(polygon([(12, 2), (14.5, 2), (19, 20), (16.5, 20)]),
                   polygon([(20, 2), (17.5, 2), (13, 20), (15.5, 20)])), PAPER_SHADE, GREY_DARK)
    for cx in (10, 22):
        ring = subtract(circle(cx, 24, 6), circle(cx, 24, 3.2))
        c.filled(ring, RED)
    c.fill(circle(16, 15, 1.3), INK)


def icon_copy(c):
    page(c, 2, 2, 19, 23, fold=5)
    page(c, 12, 9, 29, 30, fold=5)


def icon_paste(c):
    c.filled(box(3, 5, 25, 30, 2), BROWN)              # board
    c.filled(box(9, 2, 19, 8, 1.5), GREY, GREY_DARK)    # clip
    page(c, 13, 12, 30, 30, fold=5)


def icon_report_to_articles(c):
    receipt(c, 2, 2, 13, 24)
    arrow_right(c, 11, 17, 21, GREEN, GREEN_DARK, thickness=4.0, head=5.5)
    table(c, 18, 4, 31, 30)


def icon_send_all(c):
    table(c, 1, 2, 21, 28, selected={(r, col) for r in range(3) for col in range(3)})
    arrow_right(c, 12, 22, 31, GREEN, GREEN_DARK, thickness=6.0, head=8.0)


def icon_send_selected(c):
    table(c, 1, 2, 21, 28, selected={(0, 1), (1, 1)})
    arrow_right(c, 12, 22, 31, GREEN, GREEN_DARK, thickness=6.0, head=8.0)


def icon_send_changes(c):
    # The cells that differ from the register, in the colour the grid marks them with.
    table(c, 1, 2, 21, 28, selected={(0, 2), (2, 0)}, marked=ORANGE)
    arrow_right(c, 12, 22, 31, GREEN, GREEN_DARK, thickness=6.0, head=8.0)


def icon_report(c):
    register(c, 17, 2)
    arrow_down(c, 24, 16, 26, BLUE, BLUE_DARK, thickness=4.0, head=5.0)
    receipt(c, 2, 4, 15, 30)


def icon_logo(c):
    receipt(c, 6, 2, 26, 31)
    c.fill(box(8.5, 4.5, 23.5, 15), PAPER)
    star = []
    for i in range(10):
        a = math.radians(-90 + 36 * i)
        r = 6.0 if i % 2 == 0 else 2.6
        star.append((16 + r * math.cos(a), 10.5 + r * math.sin(a)))
    c.filled(polygon(star), YELLOW, YELLOW_DARK)


def icon_help(c):
    c.filled(circle(16, 16, 14), BLUE, BLUE_DARK)
    c.fill(union(arc(16, 12, 5, 180, 360 + 90 - 90, 3.6),
                 polyline([(21, 12), (21, 13), (16, 17), (16, 20)], 3.6)), PAPER)
    c.fill(circle(16, 24.5, 2.2), PAPER)


def icon_about(c):
    c.filled(circle(16, 16, 14), BLUE, BLUE_DARK)
    c.fill(circle(16, 9, 2.3), PAPER)
    c.fill(box(14, 13, 18, 25, 0.5), PAPER)
    c.fill(box(12, 23, 20, 25.5, 0.5), PAPER)


ICONS = [
    ("open", icon_open),
    ("save", icon_save),
    ("clear-all", icon_clear_all),
    ("print", icon_print),
    ("preview", icon_preview),
    ("find", icon_find),
    ("cut", icon_cut),
    ("copy", icon_copy),
    ("paste", icon_paste),
    ("report-to-articles", icon_report_to_articles),
    ("send-all", icon_send_all),
    ("send-selected", icon_send_selected),
    ("send-changes", icon_send_changes),
    ("report", icon_report),
    ("logo", icon_logo),
    ("help", icon_help),
    ("about", icon_about),
]
SIZES = (16, 32)


def draw(function, size):
    canvas = Canvas(size)
    function(canvas)
    return canvas


def write_sheet(path, canvases):
    """Every icon at both sizes, enlarged, on a light grey ground: one row per size."""
    zoom, gap = 4, 8
    cell = 32 * zoom + gap
    width = cell * len(ICONS) + gap
    height = cell * len(SIZES) + gap
    ground = (236, 236, 236)
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            colour = ground
            row, col = (y - gap) // cell, (x - gap) // cell
            ox, oy = (x - gap) % cell, (y - gap) % cell
            if 0 <= row < len(SIZES) and 0 <= col < len(ICONS) and x >= gap and y >= gap:
                size = SIZES[row]
                pixel = 32 * zoom // size
                px, py = ox // pixel, oy // pixel
                if ox < size * pixel and oy < size * pixel:
                    r, g, b, a = canvases[(ICONS[col][0], size)].pixels[py * size + px]
                    colour = tuple(round(255 * (v + (1 - a) * gv / 255)) if a else gv
                                   for v, gv in zip((r, g, b), ground))
            rows += bytes(max(0, min(255, c)) for c in colour) + b"\xff"
    with open(path, "wb") as f:
        f.write(encode_png(width, height, bytes(rows)))


def write_qrc(path, folder_name):
    lines = ['<!DOCTYPE RCC>', '<!-- Written by scripts/make-icons.py. -->', '<RCC version="1.0">',
             '    <qresource prefix="/icons">']
    for name, _ in ICONS:
        for size in SIZES:
            lines.append(f'        <file alias="{name}-{size}.png">{folder_name}/{name}-{size}.png</file>')
    lines += ['    </qresource>', '</RCC>', '']
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def main(argv):
    sheet = None
    args = list(argv[1:])
    if "--sheet" in args:
        i = args.index("--sheet")
        sheet = args[i + 1]
        del args[i:i + 2]
    here = os.path.dirname(os.path.abspath(__file__))
    folder = args[0] if args else os.path.join(here, "..", "src", "res", "icons")
    os.makedirs(folder, exist_ok=True)
    canvases = {}
    for name, function in ICONS:
        for size in SIZES:
            canvas = draw(function, size)
            canvases[(name, size)] = canvas
            with open(os.path.join(folder, f"{name}-{size}.png"), "wb") as f:
                f.write(canvas.png())
    write_qrc(os.path.join(folder, "..", "icons.qrc"), os.path.basename(os.path.normpath(folder)))
    if sheet:
        write_sheet(sheet, canvases)
    print(f"{len(ICONS) * len(SIZES)} icons in {os.path.normpath(folder)}")


if __name__ == "__main__":
    main(sys.argv)
