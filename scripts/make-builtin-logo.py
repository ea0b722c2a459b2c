#!/usr/bin/env python3
"""Draws the logo manager's built-in picture: the word LOGO in block letters inside a dashed
frame, a 384 x 80 1-bit Windows bitmap. It is shown when neither the remembered picture nor the
model's default can be loaded, and says plainly that no logo file is chosen. The letters, the
canvas and the bitmap writer are those of make-logos.py. Standard library only.

usage: make-builtin-logo.py [OUTPUT_FILE]   (default: src/res/pictures/builtin-logo.bmp)
"""

import importlib.util
import os
import sys

WIDTH = 384
SCALE = 8
DASH = 6


def load_logos(here):
    spec = importlib.util.spec_from_file_location("make_logos", os.path.join(here, "make-logos.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    module.FONT.setdefault("L", ["#....", "#....", "#....", "#....", "#....", "#....", "#####"])
    return module


def dashed_frame(canvas, inset):
    """A frame of dashes: the outline of a place where a picture belongs."""
    last_x = canvas.width - 1 - inset
    last_y = canvas.height - 1 - inset
    for x in range(inset, last_x + 1):
        if (x - inset) // DASH % 2 == 0:
            canvas.dot(x, inset)
            canvas.dot(x, last_y)
    for y in range(inset, last_y + 1):
        if (y - inset) // DASH % 2 == 0:
            canvas.dot(inset, y)
            canvas.dot(last_x, y)


def draw(logos):
    canvas = logos.Canvas(WIDTH, logos.HEIGHT)
    dashed_frame(canvas, 2)
    word = "LOGO"
    text_width = logos.word_width(word, SCALE)
    text_height = logos.GLYPH_HEIGHT * SCALE
    logos.draw_word(canvas, word, (WIDTH - text_width) // 2, (logos.HEIGHT - text_height) // 2,
                    SCALE)
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, "..", "src", "res", "pictures", "builtin-logo.bmp")
    logos = load_logos(here)
    data = logos.bitmap_bytes(draw(logos))
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    with open(target, "wb") as out:
        out.write(data)
    print(f"{os.path.basename(target)}: {WIDTH} x {logos.HEIGHT}, {len(data)} bytes")


if __name__ == "__main__":
    main()
