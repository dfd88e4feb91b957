#!/usr/bin/env python3
"""Turns the program's pictures (8-bit RGBA PNGs from resources/pictures/) into resources of the
Windows program, so the window draws them with the system's own alpha blending and needs no PNG
decoder at run time. The build runs it (resources/windows/CMakeLists.txt):

    make_picture_resources.py --rc OUT/pictures.rc PICTURE.png...

For each picture NAME.png it writes OUT/NAME.dib, a packed 32-bit DIB: a BITMAPINFOHEADER
(bottom-up, BI_RGB) and the pixels as blue, green, red, alpha with the colour premultiplied by
the alpha, as AlphaBlend wants them. OUT/pictures.rc lists them as RCDATA resources named after
the picture in upper case (LOGO.MAIN), the case FindResource looks names up in. Only the
standard library is used.
"""

import argparse
import pathlib
import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
BYTES_PER_PIXEL = 4
PIXELS_PER_METRE_96_DPI = 3780


class PictureError(Exception):
    pass


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def unfilter(kind, row, previous):
    """Undoes one PNG row filter in place (RFC 2083, 6.2)."""
    bpp = BYTES_PER_PIXEL
    if kind == 0:
        return
    for i in range(len(row)):
        a = row[i - bpp] if i >= bpp else 0
        b = previous[i]
        if kind == 1:
            row[i] = (row[i] + a) & 0xFF
        elif kind == 2:
            row[i] = (row[i] + b) & 0xFF
        elif kind == 3:
            row[i] = (row[i] + (a + b) // 2) & 0xFF
        elif kind == 4:
            c = previous[i - bpp] if i >= bpp else 0
            row[i] = (row[i] + paeth(a, b, c)) & 0xFF
        else:
            raise PictureError(f"unknown row filter {kind}")


def decode_png(data):
    """The picture's width, height and rows of straight-alpha RGBA bytes, top row first."""
    if not data.startswith(PNG_SIGNATURE):
        raise PictureError("not a PNG file")
    at, header, compressed = len(PNG_SIGNATURE), None, bytearray()
    while at + 12 <= len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        tag, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        (crc,) = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
        if len(body) != length or zlib.crc32(tag + body) & 0xFFFFFFFF != crc:
            raise PictureError(f"damaged {tag.decode('latin-1')} chunk")
        at += 12 + length
        if tag == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif tag == b"IDAT":
            compressed += body
        elif tag == b"IEND":
            break
    if header is None:
        raise PictureError("no IHDR chunk")
    width, height, depth, colour, _, _, interlace = header
    if (depth, colour, interlace) != (8, 6, 0):
        raise PictureError("only 8-bit RGBA pictures without interlacing are taken "
                           f"(bit depth {depth}, colour type {colour}, interlace {interlace})")
    raw = zlib.decompress(bytes(compressed))
    stride = width * BYTES_PER_PIXEL
    if len(raw) != height * (stride + 1):
        raise PictureError("the image data does not match the picture's size")
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        row = bytearray(raw[start + 1:start + 1 + stride])
        unfilter(raw[start], row, previous)
        rows.append(row)
        previous = row
    return width, height, rows


def premultiplied(channel, alpha):
    return (channel * alpha + 127) // 255


def packed_dib(width, height, rows):
    """A BITMAPINFOHEADER and the pixels, bottom row first, premultiplied BGRA."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0,
                         width * height * BYTES_PER_PIXEL, PIXELS_PER_METRE_96_DPI,
                         PIXELS_PER_METRE_96_DPI, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for x in range(0, len(row), BYTES_PER_PIXEL):
            r, g, b, a = row[x:x + BYTES_PER_PIXEL]
            pixels += bytes((premultiplied(b, a), premultiplied(g, a), premultiplied(r, a), a))
    return header + bytes(pixels)


def picture_name(picture):
    """"logo.main" for logo.main.png."""
    name = picture.name[:-len(".png")] if picture.name.endswith(".png") else ""
    # Unquoted in the script (windres joins a quoted name to the file name before it); a name
    # that starts with a digit would be read as a number.
    if not (name[:1].isascii() and name[:1].isalpha() and
            all(c.isascii() and (c.isalnum() or c in "._") for c in name)):
        raise PictureError("a picture is NAME.png, NAME a letter and then letters, digits, "
                           "'.' or '_'")
    return name


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rc", required=True, type=pathlib.Path,
                        help="the resource script to write; the DIBs go beside it")
    parser.add_argument("pictures", nargs="+", type=pathlib.Path)
    args = parser.parse_args(argv)
    out = args.rc.resolve().parent
    out.mkdir(parents=True, exist_ok=True)
    lines = ["// The program's pictures, by resources/windows/make_picture_resources.py.\n"]
    for picture in args.pictures:
        try:
            name = picture_name(picture)
            dib = out / f"{name}.dib"
            dib.write_bytes(packed_dib(*decode_png(picture.read_bytes())))
        except (OSError, PictureError, zlib.error) as error:
            print(f"{picture}: {error}", file=sys.stderr)
            return 1
        lines.append(f'{name.upper()} RCDATA "{dib.as_posix()}"\n')
    args.rc.write_text("".join(lines), encoding="ascii")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
