#!/usr/bin/env python3
"""Draws the program's pictures into resources/pictures/.

The pictures are our own artwork, drawn here from shapes and a small stroke font, and written
as PNG with only the standard library, so running this again gives the same files:

    python3 resources/make_pictures.py
"""

import math
import pathlib
import struct
import zlib

OUT = pathlib.Path(__file__).resolve().parent / "pictures"


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rgb(hex_colour):
    return tuple(int(hex_colour[i:i + 2], 16) / 255.0 for i in (1, 3, 5))


class Canvas:
    """Straight-alpha RGBA pixels in 0..1; shapes are blended over by their coverage."""

    def __init__(self, width, height, fill=(0.0, 0.0, 0.0, 0.0)):
        self.width, self.height = width, height
        self.px = [list(fill) for _ in range(width * height)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0.0:
            return
        p = self.px[y * self.width + x]
        out_a = alpha + p[3] * (1.0 - alpha)
        if out_a <= 0.0:
            return
        for i in range(3):
            p[i] = (colour[i] * alpha + p[i] * p[3] * (1.0 - alpha)) / out_a
        p[3] = out_a

    def paint(self, coverage, colour, box=None):
        """coverage(x, y) -> 0..1 at pixel centres; colour is a tuple or colour(x, y)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                cov = coverage(x + 0.5, y + 0.5)
                if cov > 0.0:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, c[:3], cov * (c[3] if len(c) > 3 else 1.0))

    def png(self):
        raw = bytearray()
        stride = self.width * 4
        previous = bytes(stride)
        for y in range(self.height):
            row = bytearray()
            for p in self.px[y * self.width:(y + 1) * self.width]:
                row.extend(int(round(clamp(v) * 255.0)) for v in p)
            kind, data = best_filter(bytes(row), previous)
            raw.append(kind)
            raw.extend(data)
            previous = bytes(row)

        def chunk(tag, body):
            return (struct.pack(">I", len(body)) + tag + body +
                    struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def best_filter(row, prev):
    """The PNG row filter with the smallest sum of signed residuals, as libpng chooses."""
    bpp = 4
    candidates = []
    for kind in range(5):
        out = bytearray(len(row))
        for i, v in enumerate(row):
            a = row[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            pred = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
            out[i] = (v - pred) & 0xFF
        cost = sum(v if v < 128 else 256 - v for v in out)
        candidates.append((cost, kind, bytes(out)))
    _, kind, data = min(candidates)
    return kind, data


# Shapes as signed distances in pixels (negative inside).

def rounded_box(cx, cy, hw, hh, r):
    def sdf(x, y):
        qx, qy = abs(x - cx) - hw + r, abs(y - cy) - hh + r
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return sdf


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def filled(sdf):
    return lambda x, y: clamp(0.5 - sdf(x, y))


def ring(sdf, width):
    return lambda x, y: clamp(0.5 + width / 2.0 - abs(sdf(x, y)))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0.0 else clamp(((px - ax) * dx + (py - ay) * dy) / length2)
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def strokes(polylines, width):
    segments = [(a[0], a[1], b[0], b[1]) for line in polylines for a, b in zip(line, line[1:])]

    def coverage(x, y):
        d = min(segment_distance(x, y, *s) for s in segments)
        return clamp(width / 2.0 + 0.5 - d)
    return coverage


# A small stroke font: cap height 1, baseline at y = 1, y grows downwards; x-height 0.62.

def arc(cx, cy, rx, ry, a0, a1, steps=24):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps)))
            for i in range(steps + 1)]


GLYPHS = {
    "C": (0.74, [arc(0.38, 0.5, 0.38, 0.5, -42, -318)]),
    "R": (0.66, [[(0, 1), (0, 0), (0.34, 0)] + arc(0.34, 0.25, 0.27, 0.25, -90, 90) + [(0, 0.5)],
                 [(0.3, 0.5), (0.64, 1)]]),
    "3": (0.62, [arc(0.3, 0.25, 0.27, 0.25, -165, 90) + arc(0.3, 0.75, 0.31, 0.25, -90, 165)]),
    "2": (0.62, [arc(0.31, 0.28, 0.29, 0.28, -165, 35) + [(0, 1), (0.62, 1)]]),
    "S": (0.62, [arc(0.31, 0.25, 0.28, 0.25, -25, -270) + arc(0.31, 0.75, 0.31, 0.25, -90, 155)]),
    "u": (0.56, [[(0, 0.38)] + arc(0.27, 0.75, 0.27, 0.25, 180, 0) + [(0.54, 0.38)],
                 [(0.54, 0.38), (0.54, 1)]]),
    "m": (0.86, [[(0, 0.38), (0, 1)],
                 [(0, 0.62)] + arc(0.21, 0.6, 0.21, 0.22, 180, 360) + [(0.42, 1)],
                 [(0.42, 0.62)] + arc(0.63, 0.6, 0.21, 0.22, 180, 360) + [(0.84, 1)]]),
    "o": (0.6, [arc(0.3, 0.69, 0.3, 0.31, 0, 360, 40)]),
    "r": (0.4, [[(0, 0.38), (0, 1)], [(0, 0.66)] + arc(0.25, 0.64, 0.25, 0.26, 180, 285)]),
    "a": (0.56, [arc(0.26, 0.69, 0.26, 0.31, 0, 360, 40), [(0.53, 0.38), (0.53, 1)]]),
}


def text_width(text, size, spacing):
    return sum(GLYPHS[ch][0] * size for ch in text) + spacing * size * (len(text) - 1)


def text_polylines(text, x, y, size, spacing):
    """Polylines of the text with its cap top-left at (x, y), cap height size pixels."""
    lines = []
    for ch in text:
        advance, glyph = GLYPHS[ch]
        lines += [[(x + px * size, y + py * size) for px, py in line] for line in glyph]
        x += (advance + spacing) * size
    return lines


def draw_text(canvas, text, x, y, size, weight, colour, spacing=0.28):
    lines = text_polylines(text, x, y, size, spacing)
    box = (int(x - weight - 1), int(y - weight - 1),
           int(x + text_width(text, size, spacing) + weight + 2), int(y + size + weight + 2))
    canvas.paint(strokes(lines, weight), colour, box)


def background():
    """The main window's client area: a soft sky gradient, faint diagonal hatching, a header
    band behind the title and a footer band behind the version line."""
    w, h = 696, 488
    top, middle, bottom = rgb("#dce8f3"), rgb("#f7fafd"), rgb("#e3ecf4")
    c = Canvas(w, h)
    for y in range(h):
        t = y / (h - 1)
        base = mix(top, middle, t / 0.45) if t < 0.45 else mix(middle, bottom, (t - 0.45) / 0.55)
        for x in range(w):
            c.px[y * w + x] = [*base, 1.0]
    hatch = rgb("#7f9bb5")
    c.paint(lambda x, y: 0.045 if int(x + y) % 14 == 0 else 0.0, hatch)
    band = rgb("#2c5d82")
    c.paint(lambda x, y: 0.10 * clamp((72.0 - y) / 72.0) ** 0.6, band, (0, 0, w, 72))
    c.paint(lambda x, y: 0.55 if 71 <= y < 72 else 0.25 if 72 <= y < 73 else 0.0,
            rgb("#4f86b0"), (0, 70, w, 74))
    c.paint(lambda x, y: 0.08, band, (0, 446, w, h))
    c.paint(lambda x, y: 0.35 if 446 <= y < 447 else 0.0, rgb("#4f86b0"), (0, 445, w, 448))
    return c


def logo_crc32():
    """A teal badge reading CRC32 with a light pulse line beneath."""
    w, h = 81, 49
    c = Canvas(w, h)
    dark, light = rgb("#125a6a"), rgb("#2a8fa3")
    c.paint(filled(rounded_box(40.5, 24.5, 40.0, 24.0, 9.0)),
            lambda x, y: mix(light, dark, y / h))
    c.paint(ring(rounded_box(40.5, 24.5, 38.5, 22.5, 7.5), 1.0), (1.0, 1.0, 1.0, 0.35))
    size, spacing = 14.5, 0.24
    x0 = (w - text_width("CRC32", size, spacing)) / 2.0
    draw_text(c, "CRC32", x0, 10.0, size, 2.4, (1.0, 1.0, 1.0), spacing)
    pulse = [(12, 36), (30, 36), (34, 32), (38, 40), (42, 33), (45, 36), (69, 36)]
    c.paint(strokes([[(float(x), y + 0.5) for x, y in pulse]], 1.4), rgb("#bfe9f1"),
            (8, 28, 74, 44))
    return c


def logo_main():
    """The product mark: a round amber emblem with a tick, and the name Sumora."""
    w, h = 113, 49
    c = Canvas(w, h)
    amber, deep = rgb("#f2b441"), rgb("#d9771f")
    c.paint(filled(circle(17.5, 24.5, 15.5)), lambda x, y: mix(amber, deep, (x + y) / 70.0))
    c.paint(ring(circle(17.5, 24.5, 13.5), 1.0), (1.0, 1.0, 1.0, 0.45))
    c.paint(strokes([[(10.5, 25.0), (15.5, 30.0), (25.0, 18.5)]], 3.0), (1.0, 1.0, 1.0),
            (4, 10, 32, 38))
    draw_text(c, "Sumora", 38.5, 17.0, 15.5, 2.1, rgb("#23415c"), 0.2)
    return c


def logo_about():
    """The about dialog's 180 x 180 mark: the amber emblem with its tick over a teal CRC32
    ribbon, on a transparent ground."""
    w = h = 180
    c = Canvas(w, h)
    amber, deep = rgb("#f2b441"), rgb("#d9771f")
    c.paint(filled(circle(90.0, 78.0, 70.0)), lambda x, y: mix(amber, deep, (x + y) / 300.0))
    c.paint(ring(circle(90.0, 78.0, 62.0), 2.0), (1.0, 1.0, 1.0, 0.45))
    c.paint(strokes([[(58.0, 80.0), (82.0, 104.0), (124.0, 52.0)]], 12.0), (1.0, 1.0, 1.0),
            (40, 36, 140, 120))
    dark, light = rgb("#125a6a"), rgb("#2a8fa3")
    c.paint(filled(rounded_box(90.0, 150.0, 78.0, 22.0, 10.0)),
            lambda x, y: mix(light, dark, (y - 128.0) / 44.0), (10, 126, 170, 174))
    size, spacing = 26.0, 0.24
    x0 = (w - text_width("CRC32", size, spacing)) / 2.0
    draw_text(c, "CRC32", x0, 137.0, size, 4.0, (1.0, 1.0, 1.0), spacing)
    return c


def icon_options():
    """The options dialog's 32 x 32 icon: the amber emblem with three setting sliders."""
    w = h = 32
    c = Canvas(w, h)
    amber, deep = rgb("#f2b441"), rgb("#d9771f")
    c.paint(filled(circle(16.0, 16.0, 15.0)), lambda x, y: mix(amber, deep, (x + y) / 64.0))
    for y, knob in ((10.0, 20.0), (16.0, 11.0), (22.0, 18.0)):
        c.paint(strokes([[(8.0, y), (24.0, y)]], 1.6), (1.0, 1.0, 1.0, 0.9))
        c.paint(filled(circle(knob, y, 2.6)), rgb("#23415c"))
    return c


def main():
    OUT.mkdir(exist_ok=True)
    for name, draw in (("background.main", background), ("logo.crc32", logo_crc32),
                       ("logo.main", logo_main), ("logo.about", logo_about),
                       ("icon.options", icon_options)):
        (OUT / f"{name}.png").write_bytes(draw().png())


if __name__ == "__main__":
    main()
