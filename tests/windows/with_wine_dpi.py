#!/usr/bin/env python3
"""Runs a command with Wine set to another DPI, then sets Wine back as it was.

    with_wine_dpi.py 144 wine sumora_gui_smoke.exe

The DPI is the current user's LogPixels in Wine's registry (the prefix of WINEPREFIX), which
every Windows program reads at its start. The command's first word, the program that runs Wine,
runs Wine's reg too.
"""

import subprocess
import sys

KEY = r"HKCU\Control Panel\Desktop"


def main(dpi, command):
    def reg(*words):
        return subprocess.run([command[0], "reg", *words], capture_output=True, text=True,
                              errors="replace")

    def set_dpi(value):
        return reg("add", KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", value, "/f")

    earlier = reg("query", KEY, "/v", "LogPixels")
    old = None
    if earlier.returncode == 0:
        for line in earlier.stdout.splitlines():
            if "LogPixels" in line:
                old = line.split()[-1]
    if set_dpi(dpi).returncode != 0:
        sys.exit("cannot set Wine's DPI")
    try:
        return subprocess.run(command).returncode
    finally:
        if old is None:
            reg("delete", KEY, "/v", "LogPixels", "/f")
        else:
            set_dpi(str(int(old, 0)))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
