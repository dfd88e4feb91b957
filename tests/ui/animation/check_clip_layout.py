#!/usr/bin/env python3
"""Checks the download clip's RIFF layout field by field, independently of the tool that wrote it.

Usage: check_clip_layout.py Download.AVI
"""

import struct
import sys

WIDTH, HEIGHT, FRAMES = 272, 60, 25


def chunks(data, start, end):
    """(id, offset of the chunk header, body) for each chunk between start and end."""
    at = start
    while at < end:
        fourcc, size = struct.unpack_from("<4sI", data, at)
        assert at + 8 + size <= end, f"chunk {fourcc} at {at} runs past its list"
        yield fourcc, at, data[at + 8:at + 8 + size]
        at += 8 + size + size % 2


def main(path):
    data = open(path, "rb").read()
    riff, size, form = struct.unpack_from("<4sI4s", data)
    assert (riff, form) == (b"RIFF", b"AVI "), "a RIFF AVI file"
    assert size == len(data) - 8, f"RIFF size {size} for a file of {len(data)} bytes"

    top = list(chunks(data, 12, len(data)))
    ids = [c[0] + (c[2][:4] if c[0] == b"LIST" else b"") for c in top]
    assert ids == [b"LISThdrl", b"JUNK", b"LISTmovi", b"idx1"], f"top-level chunks {ids}"

    hdrl = top[0][2]
    header = list(chunks(hdrl, 4, len(hdrl)))
    assert [h[0] for h in header] == [b"avih", b"LIST"], "avih and a single strl: no sound"
    avih = struct.unpack("<14I", header[0][2])
    assert avih[0] == 100_000, "microseconds per frame"
    assert avih[3] & 0x10, "the index flag"
    assert (avih[4], avih[6], avih[7]) == (FRAMES, 1, 32_768), "frames, streams, buffer"
    assert avih[8:10] == (WIDTH, HEIGHT), "size in the main header"

    strl = header[1][2]
    assert strl[:4] == b"strl"
    (_, _, strh), (_, _, strf) = chunks(strl, 4, len(strl))
    fields = struct.unpack("<4s4sIHHIIIIIIIIhhhh", strh)
    assert fields[:2] == (b"vids", b"RLE "), "a video stream with the RLE handler"
    assert fields[6:8] == (1, 10), "scale 1, rate 10"
    assert fields[9:12] == (FRAMES, WIDTH * HEIGHT, 10_000), "length, buffer, quality"
    bih = struct.unpack_from("<IiiHHIIiiII", strf)
    assert bih[:7] == (40, WIDTH, HEIGHT, 1, 8, 1, WIDTH * HEIGHT), f"bitmap header {bih}"
    assert bih[9] == 256 and len(strf) == 40 + 4 * 256, "256 palette colours"

    movi_fourcc = top[2][1] + 8
    movi = list(chunks(data, movi_fourcc + 4, top[2][1] + 8 + len(top[2][2])))
    assert [m[0] for m in movi] == [b"00dc"] * FRAMES, "25 compressed frames and nothing else"
    assert (top[2][1] + 12 + 8) % 4096 == 0, "JUNK puts the first frame's pixels on 4096"

    idx1 = top[3][2]
    assert len(idx1) == 16 * FRAMES, "one index entry per frame"
    for n, (ckid, flags, offset, length) in enumerate(struct.iter_unpack("<4sIII", idx1)):
        target = movi[n]
        assert (ckid, flags) == (b"00dc", 0x10), f"entry {n}: a key frame"
        assert movi_fourcc + offset == target[1], f"entry {n}: offset from the movi fourcc"
        assert length == len(target[2]), f"entry {n}: the chunk's size"
    print(f"{path}: {len(data)} bytes, layout as expected")


if __name__ == "__main__":
    main(sys.argv[1])
