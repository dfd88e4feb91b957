"""The program run as a real process without a display, as scripts and file managers run it."""

import os
import shutil
import subprocess
import tempfile
import unittest
import zlib

SUMORA = os.environ["SUMORA_EXE"]
# A program that runs SUMORA, such as "wine" for the Windows build. The Windows program is given
# its paths in Windows notation (Wine maps Z: to /) on a command line without quotes, as a
# user types it; the Linux program maps Linux paths itself.
RUNNER = os.environ.get("SUMORA_RUNNER", "")

EXIT_OK = 0
EXIT_NO_DISPLAY = 2
EXIT_FORMAT = 3
EXIT_NOT_FOUND = 4
EXIT_CHECKSUM = 5
EXIT_LENGTH = 6
EXIT_READ_WRITE = 7


def headless_env():
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    return env


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def for_runner(argument):
    switch = "/SourceFile:"
    if argument.startswith(switch) and argument[len(switch):].startswith("/"):
        return switch + windows_path(argument[len(switch):])
    if argument.startswith("/") and os.path.exists(argument):
        return windows_path(argument)
    return argument


def command(args):
    if not RUNNER:
        return [SUMORA, *args]
    # The runner joins its arguments with single blanks into the Windows command line.
    words = [word for argument in args for word in for_runner(argument).split(" ")]
    return [RUNNER, SUMORA, *words]


def run(*args, cwd=None, stdin=""):
    return subprocess.run(command(args), cwd=cwd, env=headless_env(), input=stdin,
                          capture_output=True, text=True, timeout=300)


def zlib_crc_of(path):
    crc = 0
    with open(path, "rb") as f:
        while block := f.read(1 << 22):
            crc = zlib.crc32(block, crc)
    return "%08X" % crc


def checksum_file(name, crc, length_text):
    return ("[INI]\r\n[CRC32FileInfo]\r\nFileName=%s\r\nCRC32Checksum=%s\r\nFileLenght=%s\r\n"
            "[EOF]\r\n" % (name, crc, length_text)).encode("cp1250")


class CommandLine(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="sumora cli ")

    def tearDown(self):
        shutil.rmtree(self.dir)

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        return self.path(name)

    def test_help_prints_the_usage_and_ends(self):
        result = run("/Help")
        self.assertEqual(result.returncode, EXIT_OK)
        self.assertTrue(result.stdout.startswith("Sumora\nSpouštecí argumenty \n"), result.stdout)
        self.assertIn("Sumora.EXE /Auto /SourceFile:PathAndFileName", result.stdout)

    def test_window_without_display_says_so(self):
        result = run()
        self.assertEqual(result.returncode, EXIT_NO_DISPLAY)
        self.assertIn("nelze zobrazit", result.stderr)
        self.assertIn("Spouštecí argumenty", result.stdout)

    def test_unattended_run_writes_the_checksum_file_silently(self):
        data = os.urandom(1_300_000)
        source = self.write("Photo Album.JPG", data)
        result = run("/Auto", "/SourceFile:" + source)
        self.assertEqual(result.returncode, EXIT_OK, result.stdout + result.stderr)
        self.assertEqual(result.stdout, "")
        with open(self.path("Photo Album.jpg.CRC"), "rb") as f:
            written = f.read()
        self.assertEqual(written, checksum_file("Photo Album.jpg", zlib_crc_of(source),
                                                "%d bytes" % len(data)))

    def test_unattended_run_with_a_relative_path(self):
        self.write("rel.bin", b"123456789")
        # Windows passes the line as typed, and a bare name has no folder to save beside; the
        # Linux program makes the name absolute first.
        relative = ".\\rel.bin" if RUNNER else "rel.bin"
        result = run("/Auto", "/SourceFile:" + relative, cwd=self.dir)
        self.assertEqual(result.returncode, EXIT_OK, result.stdout)
        with open(self.path("rel.bin.CRC"), "rb") as f:
            self.assertIn(b"CRC32Checksum=CBF43926\r\n", f.read())

    def test_unattended_run_refuses_what_it_cannot_do(self):
        self.assertEqual(run("/Auto").returncode, EXIT_NOT_FOUND)
        self.assertEqual(run("/Auto", "/SourceFile:" + self.path("none.bin")).returncode,
                         EXIT_NOT_FOUND)
        # A file whose folder takes no new files.
        result = run("/Auto", "/SourceFile:/proc/version")
        self.assertEqual(result.returncode, EXIT_READ_WRITE, result.stdout)
        self.assertIn("nelze zapsat", result.stdout)

    def test_one_argument_verifies_and_reports_by_exit_status(self):
        source = self.write("x.bin", b"123456789")
        crc_file = self.path("x.bin.CRC")
        self.assertEqual(run("/Auto", "/SourceFile:" + source).returncode, EXIT_OK)

        result = run(crc_file)
        self.assertEqual(result.returncode, EXIT_OK, result.stdout)
        self.assertIn("ukončen v pořádku.", result.stdout)
        self.assertEqual(run("x.bin.CRC", cwd=self.dir).returncode, EXIT_OK)

        self.write("x.bin", b"123456780")
        self.assertEqual(run(crc_file).returncode, EXIT_CHECKSUM)

        self.write("other.CRC", checksum_file("x.bin", "%08X" % zlib.crc32(b"123456780"),
                                              "8 bytes"))
        self.assertEqual(run(self.path("other.CRC")).returncode, EXIT_LENGTH)

        self.assertEqual(run(source).returncode, EXIT_FORMAT)

        os.rename(source, self.path("y.bin"))
        result = run(crc_file)
        self.assertEqual(result.returncode, EXIT_NOT_FOUND)
        self.assertIn("nenalezen.", result.stdout)

    def test_one_argument_naming_nothing_would_show_the_window(self):
        self.assertEqual(run(self.path("missing.CRC")).returncode, EXIT_NO_DISPLAY)

    def test_file_larger_than_4_gib(self):
        path = self.path("big.img")
        head, tail = os.urandom(1 << 20), os.urandom(777)
        size = (4 << 30) + 3
        with open(path, "wb") as f:
            f.write(head)
            f.seek(size - len(tail))
            f.write(tail)
        result = run("/Auto", "/SourceFile:" + path)
        self.assertEqual(result.returncode, EXIT_OK, result.stdout)
        with open(path + ".CRC", "rb") as f:
            written = f.read()
        self.assertEqual(written, checksum_file("big.img", zlib_crc_of(path), "%d bytes" % size))
        self.assertEqual(run(path + ".CRC").returncode, EXIT_OK)


if __name__ == "__main__":
    unittest.main()
