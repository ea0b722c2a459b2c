#!/usr/bin/env python3
"""Draws the default receipt logos: a shopping basket and a block-letter word in a thin frame,
as 1-bit Windows bitmaps, one per register width. Standard library only.

usage: make-logos.py [OUTPUT_FOLDER]   (default: src/res/EcrLogo beside this script's folder)
"""

import math
import os
import struct
import sys

HEIGHT = 80
PIXELS_PER_METRE = 2835  # 72 dots per inch

# Block letters, 5 columns by 7 rows; "#" is ink.
FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "G": [".####", "#....", "#....", "#.###", "#...#", "#...#", ".###."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
}
GLYPH_WIDTH = 5
GLYPH_HEIGHT = 7

# Which word and layout each file gets: (file name, width, word, letter scale, stacked).
LOGOS = [
    ("VexoLogo.bmp", 224, "SHOP", 5, False),
    ("Vexo1MRA.bmp", 224, "SHOP", 5, False),
    ("Vexo2MZB.bmp", 384, "MAGAZIN", 6, False),
    ("Vexo1RV.bmp", 114, "SHOP", 3, True),
    ("Vexo1MRV.bmp", 114, "SHOP", 3, True),
]


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.ink = [[False] * width for _ in range(height)]

    def dot(self, x, y):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.ink[y][x] = True

    def box(self, x0, y0, x1, y1):
        """Fills the rectangle from (x0, y0) to (x1, y1), both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y)

    def frame(self, inset):
        last_x = self.width - 1 - inset
        last_y = self.height - 1 - inset
        self.box(inset, inset, last_x, inset)
        self.box(inset, last_y, last_x, last_y)
        self.box(inset, inset, inset, last_y)
        self.box(last_x, inset, last_x, last_y)


def boldness(scale):
    """Extra ink to the right of every cell: makes the upright strokes heavier than the flat ones,
    as bold type does, while leaving the inner gaps of M, N and Z open."""
    return max(1, scale // 2 - 1)


def letter_advance(scale):
    return (GLYPH_WIDTH + 1) * scale + boldness(scale)


def word_width(word, scale):
    return (len(word) - 1) * letter_advance(scale) + GLYPH_WIDTH * scale + boldness(scale)


def draw_word(canvas, word, left, top, scale):
    bold = boldness(scale)
    for index, letter in enumerate(word):
        x0 = left + index * letter_advance(scale)
        for row, pattern in enumerate(FONT[letter]):
            for column, cell in enumerate(pattern):
                if cell == "#":
                    x = x0 + column * scale
                    y = top + row * scale
                    canvas.box(x, y, x + scale - 1 + bold, y + scale - 1)


def basket_size(unit):
    """Width and height of the basket drawn with the given stroke unit."""
    return 16 * unit, 14 * unit


def draw_basket(canvas, left, top, unit):
    """A shopping basket: arched handle, a rim, a tapering body with slats, a foot bar."""
    width, height = basket_size(unit)
    centre = left + width / 2
    rim_top = top + 6 * unit
    # Handle: a half ring over the rim.
    outer = 5 * unit
    inner = outer - unit
    for y in range(top, rim_top):
        for x in range(left, left + width):
            distance = math.hypot(x + 0.5 - centre, y + 0.5 - rim_top)
            if inner <= distance < outer:
                canvas.dot(x, y)
    # Rim, wider than the body.
    canvas.box(left, rim_top, left + width - 1, rim_top + unit - 1)
    # Body: from just under the rim to the foot, narrowing by one unit on each side.
    body_top = rim_top + unit
    body_bottom = top + height - unit - 1
    body_height = body_bottom - body_top + 1
    for y in range(body_top, body_bottom + 1):
        taper = int(round(unit * 1.5 * (y - body_top + 1) / body_height)) + unit // 2
        x0 = left + taper
        x1 = left + width - 1 - taper
        band = (y - body_top) // unit
        bands = body_height // unit
        for x in range(x0, x1 + 1):
            edge = x - x0 < unit or x1 - x < unit
            slat = (x - left) % (3 * unit) < unit
            middle = band == (bands - 1) // 2
            if edge or slat or middle:
                canvas.dot(x, y)
    # Foot bar.
    foot_taper = int(round(unit * 1.5)) + unit // 2
    canvas.box(left + foot_taper, body_bottom + 1, left + width - 1 - foot_taper,
               body_bottom + unit)


def draw_logo(width, word, scale, stacked):
    canvas = Canvas(width, HEIGHT)
    canvas.frame(1)
    text_width = word_width(word, scale)
    text_height = GLYPH_HEIGHT * scale
    if stacked:
        unit = 3
        emblem_width, emblem_height = basket_size(unit)
        gap = 5
        top = (HEIGHT - emblem_height - gap - text_height) // 2
        draw_basket(canvas, (width - emblem_width) // 2, top, unit)
        draw_word(canvas, word, (width - text_width) // 2, top + emblem_height + gap, scale)
    else:
        unit = 4 if width >= 300 else 3
        emblem_width, emblem_height = basket_size(unit)
        gap = 3 * scale
        total = emblem_width + gap + text_width
        left = (width - total) // 2
        draw_basket(canvas, left, (HEIGHT - emblem_height) // 2, unit)
        # The word sits on the basket's foot line, which reads better than a centre line.
        text_top = (HEIGHT + emblem_height) // 2 - text_height
        draw_word(canvas, word, left + emblem_width + gap, text_top, scale)
    return canvas


def bitmap_bytes(canvas):
    """A 1-bit bottom-up Windows bitmap: palette entry 0 black (ink), entry 1 white."""
    row_length = (canvas.width + 31) // 32 * 4
    rows = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray(row_length)
        for x in range(canvas.width):
            if not canvas.ink[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        rows += row
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 1, 0, len(rows),
                       PIXELS_PER_METRE, PIXELS_PER_METRE, 2, 2)
    head = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return head + info + palette + bytes(rows)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "res",
                                                                 "EcrLogo")
    os.makedirs(folder, exist_ok=True)
    for name, width, word, scale, stacked in LOGOS:
        data = bitmap_bytes(draw_logo(width, word, scale, stacked))
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
        print(f"{name}: {width} x {HEIGHT}, {len(data)} bytes")


if __name__ == "__main__":
    main()
