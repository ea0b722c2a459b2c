#!/usr/bin/env python3
"""Draws the program's pictures: the splash shown while the program starts and the picture of the
About box, both 450 x 230 pixels, as SVG turned into PNG by rsvg-convert (Debian librsvg2-bin).

A cash register on the left with its receipt curling out of the printer, the name and what the
program is for on the right. The About picture leaves its bottom band free for the version and
the closing hint, which the program writes there itself.

usage: make-pictures.py [OUTPUT_FOLDER] [--keep-svg]
    OUTPUT_FOLDER  default: src/res/pictures beside this script's folder
    --keep-svg     also leaves the SVG sources in the output folder
"""

import os
import subprocess
import sys

WIDTH, HEIGHT = 450, 230
FONT = "Liberation Sans"

SKY_TOP = "#1b5d8c"
SKY_BOTTOM = "#0c2f4d"
BODY = "#e9edf2"
BODY_SHADE = "#c3cbd5"
OUTLINE = "#2a3440"
DISPLAY = "#123b2a"
DIGITS = "#7dff9f"
KEY = "#ffffff"
KEY_ACCENT = "#f2b53a"
KEY_ENTER = "#3aa35a"
PAPER = "#ffffff"
PRINT = "#8a94a0"
SUBTITLE = "#cfe3f5"
BAND = "#092640"


def background():
    return f"""
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{SKY_TOP}"/>
      <stop offset="1" stop-color="{SKY_BOTTOM}"/>
    </linearGradient>
    <linearGradient id="body" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="{BODY}"/>
      <stop offset="1" stop-color="{BODY_SHADE}"/>
    </linearGradient>
    <filter id="shadow" x="-20%" y="-20%" width="140%" height="140%">
      <feGaussianBlur in="SourceAlpha" stdDeviation="2.5"/>
      <feOffset dx="2" dy="3" result="blur"/>
      <feComponentTransfer><feFuncA type="linear" slope="0.35"/></feComponentTransfer>
      <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
    </filter>
  </defs>
  <rect width="{WIDTH}" height="{HEIGHT}" fill="url(#sky)"/>
  <circle cx="400" cy="-30" r="150" fill="#ffffff" opacity="0.05"/>
  <circle cx="60" cy="250" r="120" fill="#ffffff" opacity="0.04"/>
  <rect y="{HEIGHT - 34}" width="{WIDTH}" height="34" fill="{BAND}" opacity="0.75"/>
  <rect width="{WIDTH - 1}" height="{HEIGHT - 1}" x="0.5" y="0.5" fill="none" stroke="#06192a"/>
"""


def receipt():
    """The paper out of the printer slot, its torn edge at the top."""
    left, right, top, bottom = 104, 150, 22, 92
    teeth = []
    step = (right - left) / 8
    for i in range(9):
        x = left + i * step
        teeth.append(f"{x:.1f},{top + (0 if i % 2 == 0 else 5)}")
    outline = " ".join([f"{left},{bottom}"] + teeth + [f"{right},{bottom}"])
    lines = []
    for row, width in enumerate([30, 22, 34, 26, 18]):
        y = top + 14 + row * 9
        lines.append(f'<rect x="{left + 6}" y="{y}" width="{width}" height="3" rx="1.5" '
                     f'fill="{PRINT}"/>')
    total_y = top + 14 + 5 * 9 + 2
    lines.append(f'<rect x="{left + 6}" y="{total_y}" width="{right - left - 12}" height="4" '
                 f'rx="1.5" fill="{OUTLINE}"/>')
    return (f'<g filter="url(#shadow)"><polygon points="{outline}" fill="{PAPER}" '
            f'stroke="{BODY_SHADE}" stroke-width="1"/></g>\n  ' + "\n  ".join(lines))


def till():
    """The register: display, printer slot, keypad and the cash drawer below."""
    parts = [f"""
  <g filter="url(#shadow)">
    <path d="M 30 96 L 44 80 L 162 80 L 172 96 L 172 170 L 30 170 Z" fill="url(#body)"
          stroke="{OUTLINE}" stroke-width="2" stroke-linejoin="round"/>
    <rect x="22" y="168" width="158" height="26" rx="3" fill="{BODY_SHADE}" stroke="{OUTLINE}"
          stroke-width="2"/>
  </g>
  <rect x="96" y="86" width="62" height="6" rx="2" fill="{OUTLINE}"/>
  <rect x="40" y="98" width="50" height="22" rx="3" fill="{DISPLAY}" stroke="{OUTLINE}"
        stroke-width="1.5"/>
  <text x="86" y="115" font-family="DejaVu Sans Mono, Liberation Mono, monospace" font-size="14"
        font-weight="bold" fill="{DIGITS}" text-anchor="end">12.50</text>
  <rect x="86" y="178" width="30" height="5" rx="2.5" fill="{OUTLINE}"/>"""]
    for row in range(4):
        for column in range(4):
            x, y = 42 + column * 13, 126 + row * 10
            colour = KEY
            if column == 3:
                colour = KEY_ENTER if row == 3 else KEY_ACCENT
            parts.append(f'  <rect x="{x}" y="{y}" width="10" height="7" rx="1.5" '
                         f'fill="{colour}" stroke="{OUTLINE}" stroke-width="1"/>')
    for row in range(3):
        parts.append(f'  <rect x="{104 + 0}" y="{128 + row * 12}" width="56" height="7" rx="1.5" '
                     f'fill="{KEY}" stroke="{OUTLINE}" stroke-width="1" opacity="0.9"/>')
    return "\n".join(parts)


def titles(loading):
    parts = [f"""
  <text x="196" y="104" font-family="{FONT}" font-size="60" font-weight="bold"
        fill="#ffffff" letter-spacing="1">Tillora</text>
  <rect x="198" y="116" width="226" height="3" rx="1.5" fill="{KEY_ACCENT}"/>
  <text x="198" y="142" font-family="{FONT}" font-size="16" fill="{SUBTITLE}">Таблици, отчети и лого</text>
  <text x="198" y="163" font-family="{FONT}" font-size="16" fill="{SUBTITLE}">за касовия апарат</text>"""]
    if loading:
        parts.append(f'  <text x="{WIDTH - 16}" y="{HEIGHT - 12}" font-family="{FONT}" '
                     f'font-size="13" fill="{SUBTITLE}" text-anchor="end">Зареждане…</text>')
    return "\n".join(parts)


def picture(loading):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
            f'viewBox="0 0 {WIDTH} {HEIGHT}">' + background() + till() + "\n  " + receipt() +
            titles(loading) + "\n</svg>\n")


def main(argv):
    keep_svg = "--keep-svg" in argv
    folders = [a for a in argv if not a.startswith("--")]
    here = os.path.dirname(os.path.abspath(__file__))
    out = folders[0] if folders else os.path.join(here, "..", "src", "res", "pictures")
    os.makedirs(out, exist_ok=True)
    for name, loading in (("splash", True), ("about", False)):
        svg = os.path.join(out, name + ".svg")
        with open(svg, "w", encoding="utf-8") as f:
            f.write(picture(loading))
        png = os.path.join(out, name + ".png")
        subprocess.run(["rsvg-convert", "-w", str(WIDTH), "-h", str(HEIGHT), "-o", png, svg],
                       check=True)
        if not keep_svg:
            os.remove(svg)
        print(png)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
