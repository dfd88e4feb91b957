#!/usr/bin/env python3
"""Runs a command with Wine set to another DPI, then sets Wine back as it was.

    with_wine_dpi.py 144 wine sumora_gui_smoke.exe

The DPI is the current user's LogPixels in Wine's registry (the prefix of WINEPREFIX), which
every Windows program reads at its start.
"""

import subprocess
import sys

KEY = r"HKCU\Control Panel\Desktop"


def reg(*words):
    return subprocess.run(["wine", "reg", *words], capture_output=True, text=True,
                          errors="replace")


def main(dpi, command):
    earlier = reg("query", KEY, "/v", "LogPixels")
    old = None
    if earlier.returncode == 0:
        for line in earlier.stdout.splitlines():
            if "LogPixels" in line:
                old = line.split()[-1]
    if reg("add", KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", dpi, "/f").returncode != 0:
        sys.exit("cannot set Wine's DPI")
    try:
        return subprocess.run(command).returncode
    finally:
        if old is None:
            reg("delete", KEY, "/v", "LogPixels", "/f")
        else:
            reg("add", KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(int(old, 0)), "/f")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
