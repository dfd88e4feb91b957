"""The first start of the program as a process, on fresh accounts of its own."""
import os
import shutil
import subprocess
import tempfile
import unittest

SUMORA = os.environ["SUMORA_EXE"]
QUESTION = "Chcete zaregistrovat soubor typu .CRC pro automatické použití v tomto programu?"


class FirstStart(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="sumora first start ")
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.env["XDG_CONFIG_HOME"] = os.path.join(self.home, "config")
        self.env["XDG_DATA_HOME"] = os.path.join(self.home, "data")

    def tearDown(self):
        shutil.rmtree(self.home)

    def start(self, *args, stdin=subprocess.DEVNULL, program=SUMORA):
        return subprocess.Popen([program, *args], env=self.env, stdin=stdin,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def run_program(self, *args, answer=None, program=SUMORA):
        process = self.start(*args, program=program,
                             stdin=subprocess.DEVNULL if answer is None else subprocess.PIPE)
        out, _ = process.communicate(answer, timeout=60)
        return process.returncode, out

    def store(self):
        with open(os.path.join(self.home, "config", "sumora", "registry.ini"),
                  encoding="utf-8") as f:
            return f.read()

    def test_unattended_first_start_answers_no_and_asks_only_once(self):
        code, out = self.run_program("/Help")  # standard input at its end
        self.assertEqual(code, 0)
        self.assertIn(QUESTION, out)
        self.assertIn("Spouštecí argumenty", out)
        self.assertIn('"VersionProgram"="2.0.0.72 DB.000072-08.05.2023-15.28.23_SMRA.."',
                      self.store())
        self.assertNotIn("HKEY_CLASSES_ROOT\\.crc", self.store(), "EOF answers No")
        code, out = self.run_program("/Help")
        self.assertNotIn(QUESTION, out)

    def test_a_renamed_program_asks_again(self):
        self.run_program("/Help")
        renamed = os.path.join(self.home, "kontrola")
        shutil.copy(SUMORA, renamed)
        code, out = self.run_program("/Help", program=renamed)
        self.assertIn(QUESTION, out)
        self.assertIn("Program Settings\\kontrola\\Configuration]", self.store())

    def test_yes_makes_the_desktop_open_crc_files_with_sumora(self):
        code, out = self.run_program("/Help", answer="a\n")
        self.assertEqual(code, 0)
        folder = os.path.join(self.home, "files")
        os.mkdir(folder)
        with open(os.path.join(folder, "check.txt"), "wb") as f:
            f.write(b"123456789")
        checksum = os.path.join(folder, "CHECK.TXT.CRC")
        with open(checksum, "wb") as f:
            f.write(b"[INI]\r\n[CRC32FileInfo]\r\nFileName=check.txt\r\n"
                    b"CRC32Checksum=CBF43926\r\nFileLenght=9 bytes\r\n[EOF]\r\n")
        info = subprocess.run(["gio", "info", "-a", "standard::content-type", checksum],
                              env=self.env, capture_output=True, text=True).stdout
        self.assertIn("application/x-sumora-crc", info)
        # What the file manager does on a double click: start the default entry with the file.
        entry = os.path.join(self.home, "data", "applications", "sumora.desktop")
        launched = subprocess.run(["gio", "launch", entry, checksum], env=self.env,
                                  stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                  timeout=60)
        self.assertIn("v pořádku", launched.stdout + launched.stderr)

    def test_eight_processes_at_once_leave_one_consistent_store(self):
        processes = [self.start("/Help", stdin=subprocess.PIPE) for _ in range(8)]
        # Those that find no version text yet ask; each answers Yes.
        for process in processes:
            process.communicate("a\n", timeout=120)
            self.assertEqual(process.returncode, 0)
        store = self.store()
        self.assertEqual(store.count('"VersionProgram"='), 1, store)
        self.assertEqual(store.count('"Copyright"='), 1, store)
        self.assertEqual(store.count("[HKEY_CLASSES_ROOT\\.crc]"), 1, store)
        self.assertEqual(os.listdir(os.path.join(self.home, "config", "sumora")),
                         ["registry.ini"], "no temporary file is left")
        leftovers = [name for folder, _, names in os.walk(self.home) for name in names
                     if name.startswith(".")]
        self.assertEqual(leftovers, [])
        code, out = self.run_program("/Help")
        self.assertNotIn(QUESTION, out)


if __name__ == "__main__":
    unittest.main()
