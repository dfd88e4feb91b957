"""The first start of the Windows program under Wine without a display: its settings and the .CRC
association in Wine's registry, and a checksum file opened by the command the shell would run."""

import os
import re
import shutil
import subprocess
import tempfile
import unittest

SUMORA = os.environ["SUMORA_EXE"]
RUNNER = os.environ.get("SUMORA_RUNNER", "wine")
QUESTION = "Chcete zaregistrovat soubor typu .CRC pro automatické použití v tomto programu?"
FILE_TYPE = os.path.splitext(os.path.basename(SUMORA))[0]
SETTINGS = "HKCU\\Software\\VB and VBA Program Settings\\" + FILE_TYPE
EXTENSION = "HKCU\\Software\\Classes\\.crc"
TYPE = "HKCU\\Software\\Classes\\" + FILE_TYPE
ENV = {k: v for k, v in os.environ.items()
       if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def wine(*args, answer=None):
    return subprocess.run([RUNNER, *args], env=ENV, capture_output=True, timeout=120,
                          input=answer.encode() if answer is not None else None,
                          stdin=subprocess.DEVNULL if answer is None else None)


def decoded(output):
    # Wine's reg writes UTF-16 to a console, but to a pipe in the OEM code page, where letters
    # that page lacks lose their accents; only ASCII texts are compared.
    if output.startswith(b"\xff\xfe") or b"\0" in output:
        return output.decode("utf-16")
    return output.decode("cp437")


def values_of(key, *options):
    """The key's values as {name: text}, or None when the key is missing."""
    result = wine("reg", "query", key, *options)
    if result.returncode != 0:
        return None
    lines = decoded(result.stdout).splitlines()
    return {m[1]: m[3] for m in
            (re.match(r" {4}(.+?) {4}(REG_\w+) {4}(.*)$", line) for line in lines) if m}


def default_of(key):
    """The key's default value, whatever name the localised reg gives it."""
    values = values_of(key, "/ve")
    return None if not values else next(iter(values.values()))


class AssociationUnderWine(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Put back afterwards what the other tests of this prefix find there.
        cls.saved = tempfile.mkdtemp(prefix="sumora registry ")
        cls.keys = {key: os.path.join(cls.saved, "%d.reg" % i)
                    for i, key in enumerate((SETTINGS, EXTENSION, TYPE))}
        for key, file in cls.keys.items():
            wine("reg", "export", key, windows_path(file), "/y")

    @classmethod
    def tearDownClass(cls):
        for key, file in cls.keys.items():
            wine("reg", "delete", key, "/f")
            if os.path.exists(file):
                wine("reg", "import", windows_path(file))
        shutil.rmtree(cls.saved)

    def setUp(self):
        for key in self.keys:
            wine("reg", "delete", key, "/f")
        self.dir = tempfile.mkdtemp(prefix="sumora crc ")

    def tearDown(self):
        shutil.rmtree(self.dir)

    def first_start(self, answer):
        result = wine(SUMORA, "/Help", answer=answer)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn(QUESTION, result.stdout.decode())
        settings = values_of(SETTINGS + "\\Configuration")
        self.assertIsNotNone(settings, "the first start writes the settings")
        self.assertTrue(settings.get("VersionProgram"), settings)
        self.assertTrue(settings.get("Copyright"), settings)

    def test_yes_associates_crc_files_and_the_shell_command_verifies_one(self):
        self.first_start("a\n")
        self.assertEqual(default_of(EXTENSION), FILE_TYPE)
        command = default_of(TYPE + "\\shell\\open\\command")
        self.assertEqual(command, '"%s" %%1' % windows_path(SUMORA))

        with open(os.path.join(self.dir, "check.txt"), "wb") as f:
            f.write(b"123456789")
        checksum = os.path.join(self.dir, "CHECK.TXT.CRC")
        with open(checksum, "wb") as f:
            f.write(b"[INI]\r\n[CRC32FileInfo]\r\nFileName=check.txt\r\n"
                    b"CRC32Checksum=CBF43926\r\nFileLenght=9 bytes\r\n[EOF]\r\n")
        # What the shell does on a double click: the file's path in place of %1.
        program, arguments = re.fullmatch(r'"([^"]+)" (.*)', command).groups()
        opened = wine(program, *arguments.replace("%1", windows_path(checksum)).split(" "))
        self.assertEqual(opened.returncode, 0, opened.stdout.decode() + opened.stderr.decode())
        self.assertIn("v pořádku", opened.stdout.decode())

        again = wine(SUMORA, "/Help")
        self.assertNotIn(QUESTION, again.stdout.decode(), "a second start asks no more")

    def test_no_answer_writes_the_settings_but_no_association(self):
        self.first_start(None)
        self.assertIsNone(values_of(EXTENSION))
        self.assertIsNone(values_of(TYPE))


if __name__ == "__main__":
    unittest.main()
