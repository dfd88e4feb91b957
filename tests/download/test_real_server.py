"""sumora-download as a process without a display, against lighttpd on loopback.

A small proxy between the two ends the first connection after a number of bytes, so the
resume after Retry is served by a real web server's range handling.
"""

import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import unittest

DOWNLOAD = os.environ["SUMORA_DOWNLOAD_EXE"]
# A program that runs DOWNLOAD, such as "wine" for the Windows build, which takes its
# destination in Windows notation (Wine's drive Z: is the root).
RUNNER = os.environ.get("SUMORA_RUNNER", "")
LIGHTTPD = shutil.which("lighttpd") or "/usr/sbin/lighttpd"
SIZE = 3_000_000
CUT_AFTER = 1_000_000


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class CuttingProxy:
    """Forwards to the server; the first connection ends after CUT_AFTER bytes to the client."""

    def __init__(self, target_port):
        self.target = target_port
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen()
        self.port = self.listener.getsockname()[1]
        self.connections = 0
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while True:
            try:
                client, _ = self.listener.accept()
            except OSError:
                return
            self.connections += 1
            limit = CUT_AFTER if self.connections == 1 else None
            server = socket.create_connection(("127.0.0.1", self.target))
            threading.Thread(target=self.pipe, args=(client, server, None), daemon=True).start()
            threading.Thread(target=self.pipe, args=(server, client, limit), daemon=True).start()

    @staticmethod
    def pipe(source, sink, limit):
        sent = 0
        try:
            while limit is None or sent < limit:
                data = source.recv(65536 if limit is None else min(65536, limit - sent))
                if not data:
                    break
                sink.sendall(data)
                sent += len(data)
        except OSError:
            pass
        for s in (source, sink):
            try:
                s.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            s.close()

    def close(self):
        self.listener.close()


@unittest.skipUnless(os.path.exists(LIGHTTPD), "lighttpd is not installed")
class RealServerResume(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="sumora download ")
        self.root = os.path.join(self.dir, "www")
        os.mkdir(self.root)
        self.data = bytes((i * 131 + i // 4096) % 256 for i in range(SIZE))
        with open(os.path.join(self.root, "big.bin"), "wb") as f:
            f.write(self.data)
        port = free_port()
        config = os.path.join(self.dir, "lighttpd.conf")
        with open(config, "w") as f:
            f.write('server.document-root = "%s"\n' % self.root)
            f.write('server.bind = "127.0.0.1"\nserver.port = %d\n' % port)
            f.write('server.errorlog = "%s/error.log"\n' % self.dir)
            f.write('server.modules = ("mod_accesslog")\n')
            f.write('accesslog.filename = "%s/access.log"\n' % self.dir)
            f.write('accesslog.format = "%r %>s range=%{Range}i"\n')
        self.server = subprocess.Popen([LIGHTTPD, "-D", "-f", config])
        for _ in range(100):
            try:
                socket.create_connection(("127.0.0.1", port)).close()
                break
            except OSError:
                time.sleep(0.05)
        self.proxy = CuttingProxy(port)
        self.url = "http://127.0.0.1:%d/big.bin" % self.proxy.port
        self.target = os.path.join(self.dir, "out", "big.bin")

    def tearDown(self):
        self.proxy.close()
        self.server.terminate()
        self.server.wait(timeout=10)
        shutil.rmtree(self.dir)

    def download(self, answers):
        # No display, so the boxes are answered on standard input.
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        target = "Z:" + self.target.replace("/", "\\") if RUNNER else self.target
        command = [RUNNER, DOWNLOAD] if RUNNER else [DOWNLOAD]
        return subprocess.run([*command, self.url, target], input=answers, env=env,
                              capture_output=True, text=True, timeout=120)

    def test_retry_resumes_through_the_real_server(self):
        run = self.download("o\n")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        with open(self.target, "rb") as f:
            self.assertTrue(f.read() == self.data, "the resumed file differs from the served one")
        self.assertIn("Download Incomplete", run.stdout)
        self.assertIn("Resuming download...", run.stderr)
        self.assertIn("Download completed!", run.stderr)
        self.server.terminate()  # lighttpd writes its access log out as it stops
        self.server.wait(timeout=10)
        with open(os.path.join(self.dir, "access.log")) as f:
            ranges = [line.rsplit("range=", 1)[1].strip() for line in f]
        self.assertEqual(ranges[0], "bytes=0-")
        resumed_at = int(ranges[1][len("bytes="):-1])
        self.assertTrue(0 < resumed_at < CUT_AFTER, ranges)
        self.assertEqual(os.listdir(os.path.dirname(self.target)), ["big.bin"])

    def test_no_answer_on_the_input_cancels_and_keeps_the_older_file(self):
        os.mkdir(os.path.dirname(self.target))
        with open(self.target, "wb") as f:
            f.write(b"older")
        run = self.download("")
        self.assertEqual(run.returncode, 1, run.stdout + run.stderr)
        self.assertIn("Download Incomplete", run.stdout)
        with open(self.target, "rb") as f:
            self.assertEqual(f.read(), b"older")
        self.assertEqual(os.listdir(os.path.dirname(self.target)), ["big.bin"])


if __name__ == "__main__":
    unittest.main()
