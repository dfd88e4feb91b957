#!/usr/bin/env python3
"""Writes the download dialog's clip "Download.AVI" and its embedded text.

Usage: make_download_avi.py [--header PATH] [--avi PATH] [--frames PATH]

  --header  the C++ header with the embedded text (default: download/modresourceAVIData.h
            beside this tool's folder)
  --avi     also write the clip itself
  --frames  also write the 25 pictures as raw 0xAARRGGBB pixels (little-endian, top row first),
            the reference a decoder's output is compared with

The clip is a 272 x 60, 25-frame, 10 frames-per-second RLE8 AVI: a page flies from a globe into
a folder. Every frame is a key frame, written whole. The output is the same on every run.
"""

import argparse
import pathlib
import struct
import sys

WIDTH, HEIGHT = 272, 60
FRAMES = 25
RATE = 10
MICROSECONDS_PER_FRAME = 1_000_000 // RATE
MAIN_SUGGESTED_BUFFER = 32_768
IMAGE_SIZE = WIDTH * HEIGHT
PIECE_BYTES = 240
FRAME_DATA_ALIGNMENT = 4096  # the JUNK chunk puts the first frame's pixels on this boundary

AVIF_HASINDEX = 0x10
AVIIF_KEYFRAME = 0x10
BI_RLE8 = 1

# Palette index -> (red, green, blue); the other entries of the 256 are black.
BACKGROUND, OUTLINE, PAGE, TEXT, FOLDER_BACK, FOLDER_FRONT, SEA, LAND, TRAIL = range(9)
COLOURS = {
    BACKGROUND: (0xF0, 0xF0, 0xF0),
    OUTLINE: (0x40, 0x40, 0x40),
    PAGE: (0xFF, 0xFF, 0xFF),
    TEXT: (0x80, 0x80, 0x80),
    FOLDER_BACK: (0xD8, 0xA8, 0x30),
    FOLDER_FRONT: (0xF8, 0xD0, 0x60),
    SEA: (0x30, 0x70, 0xD0),
    LAND: (0x40, 0xA0, 0x40),
    TRAIL: (0x90, 0xB0, 0xE0),
}
PALETTE = [COLOURS.get(i, (0, 0, 0)) for i in range(256)]


class Canvas:
    """Palette indexes, top row first."""

    def __init__(self):
        self.rows = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]
        self.floor = HEIGHT  # nothing is drawn at or below this row

    def put(self, x, y, colour):
        if 0 <= x < WIDTH and 0 <= y < self.floor:
            self.rows[y][x] = colour

    def box(self, left, top, width, height, fill, outline=OUTLINE):
        for y in range(top, top + height):
            for x in range(left, left + width):
                edge = x in (left, left + width - 1) or y in (top, top + height - 1)
                self.put(x, y, outline if edge else fill)

    def disc(self, cx, cy, radius, fill):
        for y in range(cy - radius, cy + radius + 1):
            for x in range(cx - radius, cx + radius + 1):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if d <= radius * radius:
                    self.put(x, y, OUTLINE if d > (radius - 1) ** 2 else fill)


GLOBE_X, GLOBE_Y, GLOBE_R = 34, 30, 22
FOLDER_LEFT, FOLDER_TOP = 206, 14
PAGE_W, PAGE_H = 18, 24
FLIGHT_FRAMES = 18  # then the page sinks into the folder and the folder rests


def draw_globe(c):
    c.disc(GLOBE_X, GLOBE_Y, GLOBE_R, SEA)
    for left, top, width, height in ((24, 16, 10, 8), (36, 26, 12, 10), (20, 34, 8, 8)):
        for y in range(top, top + height):
            for x in range(left, left + width):
                if (x - GLOBE_X) ** 2 + (y - GLOBE_Y) ** 2 < (GLOBE_R - 1) ** 2:
                    c.put(x, y, LAND)


def draw_page(c, left, top):
    c.box(left, top, PAGE_W, PAGE_H, PAGE)
    for line in range(4):
        y = top + 5 + 4 * line
        for x in range(left + 4, left + PAGE_W - 4 - (line % 2) * 4):
            c.put(x, y, TEXT)


def page_position(frame):
    """The page's top-left corner: an arc from the globe to above the folder, then down."""
    start_x, end_x = GLOBE_X + GLOBE_R - 6, FOLDER_LEFT + 14
    if frame < FLIGHT_FRAMES:
        t = frame / (FLIGHT_FRAMES - 1)
        x = round(start_x + (end_x - start_x) * t)
        y = round(20 - 64 * t * (1 - t))
        return x, y
    sink = frame - FLIGHT_FRAMES + 1
    return end_x, 20 + 6 * sink


def draw_trail(c, frame):
    for earlier in range(0, min(frame, FLIGHT_FRAMES), 2):
        x, y = page_position(earlier)
        c.box(x + PAGE_W // 2 - 1, y + PAGE_H // 2 - 1, 3, 3, TRAIL, TRAIL)


def draw_frame(frame):
    c = Canvas()
    draw_globe(c)
    draw_trail(c, frame)
    c.box(FOLDER_LEFT, FOLDER_TOP, 22, 8, FOLDER_BACK)  # the tab
    c.box(FOLDER_LEFT, FOLDER_TOP + 6, 58, 38, FOLDER_BACK)
    c.floor = FOLDER_TOP + 43  # the sinking page stays inside the folder
    draw_page(c, *page_position(frame))
    c.floor = HEIGHT
    c.box(FOLDER_LEFT, FOLDER_TOP + 16, 58, 28, FOLDER_FRONT)
    return c.rows


def run_length(row, x):
    n = 1
    while x + n < len(row) and n < 255 and row[x + n] == row[x]:
        n += 1
    return n


def encode_row(row):
    """One row in BI_RLE8: runs of equal pixels, absolute mode for stretches of differing ones."""
    out = bytearray()
    x = 0
    while x < len(row):
        run = run_length(row, x)
        if run >= 2:
            out += bytes((run, row[x]))
            x += run
            continue
        end = x + 1
        while end < len(row) and end - x < 255 and run_length(row, end) < 2:
            end += 1
        literal = row[x:end]
        if len(literal) < 3:  # absolute mode starts at 3 pixels; below, escape 1 and 2 collide
            out += b"".join(bytes((1, pixel)) for pixel in literal)
        else:
            out += bytes((0, len(literal))) + bytes(literal)
            if len(literal) % 2:
                out.append(0)
        x = end
    return bytes(out)


def encode_frame(rows):
    """The rows bottom-up, each ended by end-of-line, the last by end-of-bitmap."""
    out = bytearray()
    for y in range(HEIGHT - 1, -1, -1):
        out += encode_row(rows[y])
        out += b"\x00\x01" if y == 0 else b"\x00\x00"
    return bytes(out)


def chunk(fourcc, data):
    padding = b"\x00" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + padding


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def build_avi(frames):
    largest = max(len(f) for f in frames)
    assert largest <= IMAGE_SIZE, "a frame larger than its picture"
    avih = struct.pack(
        "<14I", MICROSECONDS_PER_FRAME, largest * RATE, 0, AVIF_HASINDEX, FRAMES, 0, 1,
        MAIN_SUGGESTED_BUFFER, WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = b"vids" + b"RLE " + struct.pack(
        "<IHHIIIIIIIIhhhh", 0, 0, 0, 0, 1, RATE, 0, FRAMES, IMAGE_SIZE, 10_000, 0,
        0, 0, WIDTH, HEIGHT)
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, BI_RLE8, IMAGE_SIZE, 0, 0, 256, 0)
    strf += b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)

    # RIFF header, hdrl, JUNK header, then LIST movi header and the first chunk's header.
    before_pixels = 12 + len(hdrl) + 8 + 12 + 8
    junk = chunk(b"JUNK", bytes(-before_pixels % FRAME_DATA_ALIGNMENT))

    movi_body = bytearray()
    index = bytearray()
    for data in frames:
        index += b"00dc" + struct.pack("<III", AVIIF_KEYFRAME, 4 + len(movi_body), len(data))
        movi_body += chunk(b"00dc", data)
    movi = riff_list(b"LIST", b"movi", bytes(movi_body))
    body = hdrl + junk + movi + chunk(b"idx1", bytes(index))
    return riff_list(b"RIFF", b"AVI ", body)


def hex_pieces(data):
    def text(byte):
        return f"{byte:X} " if byte < 0x10 else f"{byte:X}"

    return ["".join(text(b) for b in data[i:i + PIECE_BYTES])
            for i in range(0, len(data), PIECE_BYTES)]


def render_header(data):
    pieces = hex_pieces(data)
    lines = [
        "// generated by tools/make_download_avi.py; do not edit.",
        "#pragma once",
        "",
        "#include <array>",
        "#include <string_view>",
        "",
        "namespace download {",
        "",
        f"// The clip Download.AVI ({len(data)} bytes), two characters a byte: upper-case hex",
        "// for 0x10 to 0xFF, one hex digit and a blank below 0x10. Each piece holds"
        f" {PIECE_BYTES} bytes,",
        "// the last one fewer; index i holds piece i+1.",
        "// clang-format off",
        f"inline constexpr std::array<std::string_view, {len(pieces)}> kDownloadAVIHex = {{",
    ]
    for piece in pieces:
        parts = [piece[i:i + 96] for i in range(0, len(piece), 96)]
        for n, part in enumerate(parts):
            end = "," if n == len(parts) - 1 else ""
            lines.append(f'    "{part}"{end}')
    lines += ["};", "// clang-format on", "", "}  // namespace download", ""]
    return "\n".join(lines)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--header", type=pathlib.Path,
                        default=root / "download" / "modresourceAVIData.h")
    parser.add_argument("--avi", type=pathlib.Path)
    parser.add_argument("--frames", type=pathlib.Path)
    args = parser.parse_args()

    pictures = [draw_frame(i) for i in range(FRAMES)]
    avi = build_avi([encode_frame(p) for p in pictures])
    outputs = {args.header: render_header(avi).encode("ascii")}
    if args.avi:
        outputs[args.avi] = avi
    if args.frames:
        pixels = bytearray()
        for picture in pictures:
            for row in picture:
                for index in row:
                    r, g, b = PALETTE[index]
                    pixels += bytes((b, g, r, 0xFF))
        outputs[args.frames] = bytes(pixels)
    for path, data in outputs.items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
