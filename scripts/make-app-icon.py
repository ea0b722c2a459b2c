#!/usr/bin/env python3
"""Draws the program's icon: a cash register with its receipt, as tillora.svg, as PNG files of
16, 32, 48, 64, 128 and 256 pixels (tillora-SIZE.png) and as tillora.ico, which holds the PNG
pictures of 16, 32, 48 and 256 pixels for Windows. Standard library only.

The drawing is a list of filled shapes on a 64-unit square, painted in order. Each shape writes
itself as an SVG element and gives its signed distance (inside is negative) for the PNG files,
so that the vector and the pixel icons come from one drawing. The 16- and 32-pixel icons leave out
the finest details, which would only blur there.

usage: make-app-icon.py [OUTPUT_FOLDER]
    OUTPUT_FOLDER  default: src/res/app beside this script's folder
"""

import math
import os
import struct
import sys
import zlib

UNITS = 64.0
SIZES = (16, 32, 48, 64, 128, 256)

BODY = (52, 73, 94)
BODY_DARK = (33, 47, 61)
BODY_LIGHT = (93, 116, 140)
DRAWER = (72, 95, 118)
KEY = (236, 240, 244)
KEY_GREEN = (46, 170, 90)
KEY_RED = (214, 64, 56)
SCREEN = (24, 32, 40)
DIGITS = (120, 230, 140)
PAPER = (255, 255, 255)
PAPER_EDGE = (170, 178, 188)
PRINT = (120, 128, 140)
HANDLE = (200, 208, 216)


def hex_colour(rgb):
    return "#%02x%02x%02x" % rgb


class Box:
    """A rectangle with rounded corners."""

    def __init__(self, x0, y0, x1, y1, colour, radius=0.0, detail=False):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.colour, self.radius, self.detail = colour, radius, detail

    def distance(self, x, y):
        cx, cy = (self.x0 + self.x1) / 2, (self.y0 + self.y1) / 2
        hx = (self.x1 - self.x0) / 2 - self.radius
        hy = (self.y1 - self.y0) / 2 - self.radius
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.radius

    def svg(self):
        return ('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
                % (self.x0, self.y0, self.x1 - self.x0, self.y1 - self.y0, self.radius,
                   hex_colour(self.colour)))


class Circle:
    def __init__(self, cx, cy, r, colour, detail=False):
        self.cx, self.cy, self.r, self.colour, self.detail = cx, cy, r, colour, detail

    def distance(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r

    def svg(self):
        return ('<circle cx="%g" cy="%g" r="%g" fill="%s"/>'
                % (self.cx, self.cy, self.r, hex_colour(self.colour)))


class Polygon:
    """A simple polygon, its points in order."""

    def __init__(self, points, colour, detail=False):
        self.points, self.colour, self.detail = points, colour, detail

    def distance(self, x, y):
        points = self.points
        best = float("inf")
        inside = False
        for i, (ax, ay) in enumerate(points):
            bx, by = points[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -best if inside else best

    def svg(self):
        text = " ".join("%g,%g" % p for p in self.points)
        return '<polygon points="%s" fill="%s"/>' % (text, hex_colour(self.colour))


def receipt():
    """The paper coming out of the register, its torn edge on top, and its printed lines."""
    outline = [(14, 30), (14, 6)] + [(14 + 1.5 * i, 4 if i % 2 else 6) for i in range(1, 12)]
    outline += [(32, 6), (32, 30)]
    shapes = [Polygon(outline, PAPER_EDGE), Polygon(inset(outline, 0.9), PAPER)]
    for row, width in enumerate((13, 9, 11, 7)):
        shapes.append(Box(17, 10 + 4 * row, 17 + width, 11.6 + 4 * row, PRINT, 0.5, detail=True))
    return shapes


def inset(points, amount):
    """The receipt's outline moved inwards: its sides and bottom in, its teeth down."""
    left = min(p[0] for p in points)
    right = max(p[0] for p in points)
    bottom = max(p[1] for p in points)
    moved = []
    for x, y in points:
        nx = x + amount if x == left else x - amount if x == right else x
        ny = y - amount if y == bottom else y + amount
        moved.append((nx, ny))
    return moved


def keypad():
    shapes = []
    for row in range(3):
        for col in range(4):
            colour = KEY
            if col == 3:
                colour = KEY_GREEN if row == 2 else KEY_RED if row == 0 else KEY
            x = 11 + 7 * col
            y = 34 + 5.5 * row
            shapes.append(Box(x, y, x + 5.4, y + 4, colour, 1.0))
    return shapes


def drawing():
    shapes = receipt()
    shapes += [
        # The display on its post, turned towards the customer.
        Box(43, 20, 49, 30, BODY_DARK, 1.0),
        Box(36, 6, 58, 22, BODY_DARK, 3.0),
        Box(38.5, 8.5, 55.5, 19.5, SCREEN, 1.5),
        Box(41, 12, 44, 16, DIGITS, 0.6, detail=True),
        Box(45.5, 12, 48.5, 16, DIGITS, 0.6, detail=True),
        Box(50, 12, 53, 16, DIGITS, 0.6, detail=True),
        # The body with the slot the receipt comes out of.
        Polygon([(9, 28), (55, 28), (60, 50), (4, 50)], BODY),
        Box(12, 28.5, 34, 31, BODY_DARK, 1.0),
        Box(43, 34, 54, 46, BODY_LIGHT, 1.5),
        Box(45, 36, 52, 39, SCREEN, 0.8, detail=True),
        # The drawer and its handle.
        Box(3, 49, 61, 60, BODY_DARK, 3.0),
        Box(5, 51, 59, 58, DRAWER, 2.0),
        Box(25, 53.5, 39, 55.5, HANDLE, 1.0),
    ]
    shapes += keypad()
    return shapes


def svg_text(shapes):
    body = "\n".join("  " + shape.svg() for shape in shapes)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'
            '%s\n</svg>\n' % body)


def render(shapes, size):
    """RGBA rows: each shape covers a pixel by its distance from the pixel's centre."""
    scale = size / UNITS
    if size <= 32:
        shapes = [shape for shape in shapes if not shape.detail]
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for shape in shapes:
        r, g, b = (c / 255.0 for c in shape.colour)
        for py in range(size):
            row = pixels[py]
            y = (py + 0.5) / scale
            for px in range(size):
                coverage = 0.5 - shape.distance((px + 0.5) / scale, y) * scale
                if coverage <= 0.0:
                    continue
                a = min(coverage, 1.0)
                pr, pg, pb, pa = row[px]
                # "over" with premultiplied colour
                row[px] = (r * a + pr * (1 - a), g * a + pg * (1 - a), b * a + pb * (1 - a),
                           a + pa * (1 - a))
    return pixels


def png_bytes(pixels):
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            if a <= 0.0:
                raw += b"\0\0\0\0"
                continue
            raw += bytes(round(min(c / a, 1.0) * 255) for c in (r, g, b))
            raw.append(round(a * 255))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def ico_bytes(pngs):
    """A Windows icon file whose pictures are PNG data, as Windows Vista and later read them."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    entries = b""
    offset = len(header) + 16 * len(pngs)
    for size, data in pngs:
        side = 0 if size >= 256 else size  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return header + entries + b"".join(data for _, data in pngs)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.join(here, "..", "src", "res", "app")
    os.makedirs(folder, exist_ok=True)
    shapes = drawing()
    with open(os.path.join(folder, "tillora.svg"), "w", encoding="utf-8") as out:
        out.write(svg_text(shapes))
    pngs = {}
    for size in SIZES:
        pngs[size] = png_bytes(render(shapes, size))
        with open(os.path.join(folder, "tillora-%d.png" % size), "wb") as out:
            out.write(pngs[size])
    with open(os.path.join(folder, "tillora.ico"), "wb") as out:
        out.write(ico_bytes([(size, pngs[size]) for size in (16, 32, 48, 256)]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
