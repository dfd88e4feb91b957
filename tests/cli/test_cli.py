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
EXIT_USAGE_SHOWN = 8


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
    # The runner joins its arguments with single blanks into the Windows command line, and
    # quotes an empty one, which runs of blanks would make.
    words = [word for argument in args for word in for_runner(argument).split(" ") if word]
    return [RUNNER, SUMORA, *words]


def run(*args, cwd=None, stdin="", timeout=300):
    return subprocess.run(command(args), cwd=cwd, env=headless_env(), input=stdin,
                          capture_output=True, text=True, timeout=timeout)


def peak_memory_of(*args):
    """Runs the program and returns its exit status and its peak resident memory in bytes."""
    process = subprocess.Popen(command(args), env=headless_env(), stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    return process.returncode, usage.ru_maxrss * 1024


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

    @unittest.skipIf(RUNNER, "the X display is the Linux program's")
    def test_a_display_that_does_not_answer_counts_as_none(self):
        # A stale DISPLAY of an ended remote session: the console, not an abort.
        env = {**headless_env(), "DISPLAY": ":987"}
        result = subprocess.run([SUMORA, "/Help"], env=env, stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(result.returncode, EXIT_OK, result.stderr)
        self.assertIn("/SourceFile", result.stdout)
        result = subprocess.run([SUMORA], env=env, stdin=subprocess.DEVNULL, capture_output=True,
                                text=True, timeout=60)
        self.assertEqual(result.returncode, EXIT_NO_DISPLAY, result.stderr)

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
        # A checksum file whose name no file system takes.
        source = self.write("n" * 251 + ".bin", b"x")
        result = run("/Auto", "/SourceFile:" + source)
        self.assertEqual(result.returncode, EXIT_READ_WRITE, result.stdout)
        self.assertIn("nelze zapsat", result.stdout)
        # A file whose size says nothing of its contents.
        result = run("/Auto", "/SourceFile:/proc/version")
        self.assertEqual(result.returncode, EXIT_READ_WRITE, result.stdout)
        self.assertIn("se během čtení změnil", result.stdout)

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

    def test_help_inside_a_path_is_no_success(self):
        for args in (["/HELP"], ["/help"], ["x", "/Help"]):
            self.assertEqual(run(*args).returncode, EXIT_OK, args)
        result = run("/Auto", "/SourceFile:/srv/helpdesk/a.bin")
        self.assertEqual(result.returncode, EXIT_USAGE_SHOWN)
        self.assertIn("Spouštecí argumenty", result.stdout)

    def test_a_name_without_extension_verifies(self):
        source = self.write("README", b"123456789")
        self.assertEqual(run("/Auto", "/SourceFile:" + source).returncode, EXIT_OK)
        result = run(self.path("README..CRC"))
        self.assertEqual(result.returncode, EXIT_OK, result.stdout)
        self.assertIn("README. ukončen v pořádku.", result.stdout)

    def test_command_line_forms(self):
        source = self.write("a b.bin", b"123456789")
        # Blanks around a path hide it from for_runner, so the Windows program gets its own.
        if RUNNER:
            source = windows_path(source)
        forms = [
            ["/Auto", "  /SourceFile:" + source + "  "],
            ["/Auto", "/SourceFile: " + source],
            ["/SourceFile:", source, "/Auto"],
            ["/Auto /SourceFile:" + source],
        ]
        if RUNNER:
            # The blank after the switch, and the path as the next argument, go with the Linux
            # notation; after a Windows path's switch the blank stays part of the path.
            forms.remove(["/Auto", "/SourceFile: " + source])
            forms.remove(["/SourceFile:", source, "/Auto"])
        for args in forms:
            crc_file = self.path("a b.bin.CRC")
            if os.path.exists(crc_file):
                os.remove(crc_file)
            result = run(*args)
            self.assertEqual(result.returncode, EXIT_OK, (args, result.stdout))
            with open(crc_file, "rb") as f:
                self.assertIn(b"CRC32Checksum=CBF43926\r\n", f.read(), args)
        self.assertEqual(run("  " + (windows_path(crc_file) if RUNNER else crc_file) + " ").returncode,
                         EXIT_OK)

    @unittest.skipIf(RUNNER, "pipes in folders and /dev are Linux's")
    def test_what_is_not_a_regular_file_is_refused_without_waiting(self):
        fifo = self.path("pipe")
        os.mkfifo(fifo)
        result = run("/Auto", "/SourceFile:" + fifo, timeout=30)
        self.assertEqual(result.returncode, EXIT_READ_WRITE)
        self.assertIn("není obyčejný soubor", result.stdout)
        self.assertFalse(os.path.exists(fifo + ".CRC"))

        for argument in (fifo, "/dev/zero"):
            result = run(argument, timeout=30)
            self.assertEqual(result.returncode, EXIT_READ_WRITE, argument)
            self.assertIn("není obyčejný soubor", result.stdout)

        self.write("pipe.CRC", checksum_file("pipe", "00000000", "0 bytes"))
        result = run(self.path("pipe.CRC"), timeout=30)
        self.assertEqual(result.returncode, EXIT_READ_WRITE)
        self.assertNotIn("v pořádku", result.stdout)

    def test_a_large_argument_is_turned_down_in_bounded_memory(self):
        big = self.path("big.iso")
        with open(big, "wb") as f:
            f.truncate(512 << 20)
        code, peak = peak_memory_of(big)
        self.assertEqual(code, EXIT_FORMAT)
        self.assertLess(peak, 128 << 20, "a 512 MiB argument is not read into memory")

    def test_a_name_leading_out_of_the_folder_is_refused(self):
        os.mkdir(self.path("inner"))
        self.write("outside.bin", b"123456789")
        for name in ("..\\outside.bin", "../outside.bin", ""):
            crc_file = self.write("inner/case.CRC",
                                  checksum_file(name, "CBF43926", "9 bytes"))
            result = run(crc_file)
            self.assertEqual(result.returncode, EXIT_FORMAT, name)
            self.assertIn("neuvádí prostý název souboru", result.stdout)

    @unittest.skipIf(RUNNER, "strace shows the Linux program's system calls only")
    @unittest.skipUnless(shutil.which("strace"), "strace shows the system calls")
    def test_a_saved_file_reaches_the_disk_before_it_is_renamed(self):
        source = self.write("x.bin", b"123456789")
        trace = self.path("trace.txt")
        # The leak checker cannot run under a tracer; a sanitizer build leaves it out here.
        env = {**headless_env(),
               "ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"}
        subprocess.run(["strace", "-f", "-o", trace, "-e", "trace=openat,fsync,rename",
                        SUMORA, "/Auto", "/SourceFile:" + source],
                       env=env, check=True, capture_output=True, timeout=60)
        with open(trace) as f:
            calls = [line.split(None, 1)[1] for line in f if " " in line]
        temp_open = next(i for i, c in enumerate(calls) if ".sumora-" in c and "O_CREAT" in c)
        temp_fd = calls[temp_open].rsplit("= ", 1)[1].strip()
        rename = next(i for i, c in enumerate(calls) if c.startswith("rename("))
        self.assertTrue(any(c.startswith("fsync(%s)" % temp_fd)
                            for c in calls[temp_open:rename]),
                        "the temporary file is synced before the rename")
        folder_open = next(i for i, c in enumerate(calls[rename:], rename)
                           if "O_DIRECTORY" in c)
        folder_fd = calls[folder_open].rsplit("= ", 1)[1].strip()
        self.assertTrue(any(c.startswith("fsync(%s)" % folder_fd)
                            for c in calls[folder_open:]),
                        "the folder is synced after the rename")

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
