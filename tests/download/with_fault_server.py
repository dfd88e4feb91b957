#!/usr/bin/env python3
"""Runs a command while fault_server.py serves on loopback, its port in SUMORA_FAULT_SERVER_PORT.

For test programs that cannot start the server themselves, such as the Windows build's under
Wine:

    with_fault_server.py wine sumora_download_http_tests.exe
"""

import os
import subprocess
import sys

SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fault_server.py")


def main(command):
    server = subprocess.Popen([sys.executable, SERVER], stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, text=True)
    try:
        port = server.stdout.readline().strip()
        if not port.isdigit():
            sys.exit("the test server told no port")
        env = dict(os.environ, SUMORA_FAULT_SERVER_PORT=port)
        return subprocess.run(command, env=env).returncode
    finally:
        server.stdin.close()  # the server serves until its input ends
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
