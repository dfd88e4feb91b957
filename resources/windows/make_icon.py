#!/usr/bin/env python3
"""Draws the program's icon into resources/windows/sumora.ico: the amber emblem with its tick
from the pictures, at the sizes Windows asks for, each stored as PNG (Windows Vista and later
read PNG icons), so running this again gives the same file:

    python3 resources/windows/make_icon.py
"""

import pathlib
import struct
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))

from make_pictures import Canvas, circle, filled, mix, rgb, ring, strokes  # noqa: E402

SIZES = (16, 24, 32, 48, 256)


def emblem(size):
    c = Canvas(size, size)
    s = size / 32.0
    amber, deep = rgb("#f2b441"), rgb("#d9771f")
    c.paint(filled(circle(16.0 * s, 16.0 * s, 15.5 * s)),
            lambda x, y: mix(amber, deep, (x + y) / (64.0 * s)))
    if size >= 24:
        c.paint(ring(circle(16.0 * s, 16.0 * s, 13.5 * s), max(1.0, s)), (1.0, 1.0, 1.0, 0.45))
    tick = [(8.5 * s, 16.5 * s), (13.5 * s, 21.5 * s), (23.5 * s, 10.0 * s)]
    c.paint(strokes([tick], 3.2 * s), (1.0, 1.0, 1.0))
    return c


def ico(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, bodies = b"", b""
    for size, png in images:
        side = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(png), offset)
        bodies += png
        offset += len(png)
    return header + entries + bodies


def main():
    (HERE / "sumora.ico").write_bytes(ico([(size, emblem(size).png()) for size in SIZES]))


if __name__ == "__main__":
    main()
