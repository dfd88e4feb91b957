#!/usr/bin/env python3
"""Checks that FFmpeg reads the download clip as the tool drew it; skipped (77) without ffprobe.

Usage: check_clip_ffprobe.py Download.AVI Download.bgra
"""

import json
import shutil
import subprocess
import sys

SKIPPED = 77


def main(avi, pictures):
    if shutil.which("ffprobe") is None:
        print("ffprobe is not installed; skipped")
        return SKIPPED
    probe = subprocess.run(
        ["ffprobe", "-v", "error", "-count_frames", "-show_entries",
         "stream=codec_type,codec_name,width,height,r_frame_rate,nb_read_frames",
         "-of", "json", avi],
        check=True, capture_output=True, text=True)
    streams = json.loads(probe.stdout)["streams"]
    seen = [(s["codec_type"], s["codec_name"], s["width"], s["height"], s["r_frame_rate"],
             s["nb_read_frames"]) for s in streams]
    expected = [("video", "msrle", 272, 60, "10/1", "25")]
    if seen != expected:
        print(f"ffprobe reads {seen}, expected {expected}")
        return 1

    if shutil.which("ffmpeg") is not None:
        decoded = subprocess.run(
            ["ffmpeg", "-v", "error", "-i", avi, "-f", "rawvideo", "-pix_fmt", "bgra", "-"],
            check=True, capture_output=True).stdout
        with open(pictures, "rb") as f:
            drawn = f.read()
        if decoded != drawn:
            print(f"ffmpeg decodes {len(decoded)} bytes that differ from the "
                  f"{len(drawn)} bytes of the pictures the tool drew")
            return 1
    print(f"{avi}: {seen[0]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
