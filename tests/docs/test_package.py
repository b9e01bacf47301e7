"""The release archives in dist/ as a technician gets them: the files are there, the checksums
match, both guides and the read-me carry the version, and each program starts and tells its version:
q4k natively and q4k.exe under Wine with --version, Q4_Backup.exe under Wine in its help box."""

import hashlib
import os
import re
import shutil
import subprocess
import sys
import tarfile
import unittest
import zipfile
from pathlib import Path

import guide

ROOT = guide.ROOT
sys.path.insert(0, str(ROOT / "tests/e2e"))

from harness import IDOK, Case, Session  # noqa: E402
from harness.main_window import HELP  # noqa: E402
from harness.processes import kill_wine_processes  # noqa: E402

# Set by run_docs_tests.py; the defaults are the trees scripts/build and scripts/package use.
CONFIG = {
    "dist": Path(os.environ.get("Q4_DIST", ROOT / "dist")),
    "driver": Path(os.environ.get("Q4_DRIVER", ROOT / "build/mingw/q4drive.exe")),
    "work": ROOT / "build/reports/docs/package",
}
GUIDE_FILES = ["Anleitung.html", "Flotte.html"]
WINDOWS_FILES = sorted(GUIDE_FILES + ["LIESMICH.txt", "Q4_Backup.exe", "SHA256SUMS", "q4k.exe"])
LINUX_FILES = sorted(GUIDE_FILES + ["q4k", "q4k.1", "q4k.bash-completion"])
HELP_VERSION_PREFIX = "Quendal 4 - Backup-Software    Version "


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def version_resource_strings(exe_bytes):
    """{key: value} of the UTF-16 strings of a version resource's StringFileInfo that the tests need."""
    found = {}
    for key in ("FileVersion", "ProductVersion", "OriginalFilename"):
        pattern = re.escape(key.encode("utf-16-le")) + rb"\x00\x00(?:\x00\x00)?((?:[\x20-\x7e]\x00)+)\x00\x00"
        match = re.search(pattern, exe_bytes)
        if match:
            found[key] = match.group(1).decode("utf-16-le")
    return found


class Archives(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.version = guide.version()
        cls.zip_path = CONFIG["dist"] / ("Q4_Backup-%s-win64.zip" % cls.version)
        cls.tar_path = CONFIG["dist"] / ("q4k-%s-linux-x86_64.tar.gz" % cls.version)
        cls.work = CONFIG["work"]
        shutil.rmtree(cls.work, ignore_errors=True)
        cls.work.mkdir(parents=True)
        cls.windows = cls.work / "win64"
        cls.linux = cls.work / "linux"
        if cls.zip_path.is_file():
            with zipfile.ZipFile(cls.zip_path) as archive:
                cls.zip_names = sorted(archive.namelist())
                archive.extractall(cls.windows)
        if cls.tar_path.is_file():
            with tarfile.open(cls.tar_path) as archive:
                cls.tar_names = sorted(archive.getnames())
                try:
                    archive.extractall(cls.linux, filter="data")
                except TypeError:  # a Python before 3.11.4 has no extraction filters
                    archive.extractall(cls.linux)

    def setUp(self):
        for path in (self.zip_path, self.tar_path):
            self.assertTrue(path.is_file(), "%s missing: run scripts/package" % path)

    def test_windows_archive_holds_its_files_with_matching_checksums(self):
        self.assertEqual(self.zip_names, WINDOWS_FILES)
        listed = {}
        for line in (self.windows / "SHA256SUMS").read_text(encoding="ascii").splitlines():
            digest, name = line.split("  ", 1)
            listed[name] = digest
        self.assertEqual(sorted(listed), [n for n in WINDOWS_FILES if n != "SHA256SUMS"])
        for name, digest in listed.items():
            self.assertEqual(sha256((self.windows / name).read_bytes()), digest, name)

    def test_linux_archive_holds_q4k_and_the_guides(self):
        folder = "q4k-%s-linux-x86_64" % self.version
        self.assertEqual(self.tar_names, ["%s/%s" % (folder, n) for n in LINUX_FILES])
        q4k = self.linux / folder / "q4k"
        self.assertTrue(os.access(q4k, os.X_OK), "q4k not executable")
        for name in GUIDE_FILES:
            self.assertEqual((self.linux / folder / name).read_bytes(), (self.windows / name).read_bytes(),
                             "the same %s in both archives" % name)
        page = subprocess.run(["man", "-l", str(self.linux / folder / "q4k.1")], capture_output=True, text=True,
                              env=dict(os.environ, MANPAGER="cat", LC_ALL="C.UTF-8"), timeout=30)
        self.assertEqual(page.returncode, 0, page.stderr)
        self.assertIn("backup PORT DATEI", page.stdout)

    def test_dist_checksums_match_the_archives(self):
        sums = (CONFIG["dist"] / "SHA256SUMS").read_text(encoding="ascii")
        for path in (self.zip_path, self.tar_path):
            self.assertIn("%s  %s" % (sha256(path.read_bytes()), path.name), sums)

    def test_guides_and_readme_carry_the_version(self):
        for name in GUIDE_FILES:
            html = (self.windows / name).read_text(encoding="utf-8")
            self.assertIn("Version %s" % self.version, html, name)
            self.assertNotIn("{{VERSION}}", html, name)
        readme = (self.windows / "LIESMICH.txt").read_bytes()
        self.assertTrue(readme.startswith(b"\xef\xbb\xbf"), "LIESMICH.txt without byte-order mark")
        self.assertIn(b"\r\n", readme)
        self.assertIn("Q4_Backup %s" % self.version, readme.decode("utf-8-sig"))

    def test_native_q4k_tells_its_version(self):
        q4k = self.linux / ("q4k-%s-linux-x86_64" % self.version) / "q4k"
        done = subprocess.run([str(q4k), "--version"], capture_output=True, text=True, timeout=30)
        self.assertEqual((done.returncode, done.stdout), (0, "q4k %s\n" % self.version), done.stderr)

    def test_windows_programs_carry_the_version_resource(self):
        for name in ("Q4_Backup.exe", "q4k.exe"):
            strings = version_resource_strings((self.windows / name).read_bytes())
            self.assertEqual(strings, {"FileVersion": self.version, "ProductVersion": self.version,
                                       "OriginalFilename": name}, name)


class UnderWine(unittest.TestCase):
    """Both Windows programs from the archive, started under Wine in a fresh prefix."""

    @classmethod
    def setUpClass(cls):
        cls.version = guide.version()
        cls.windows = CONFIG["work"] / "wine"
        shutil.rmtree(cls.windows, ignore_errors=True)
        zip_path = CONFIG["dist"] / ("Q4_Backup-%s-win64.zip" % cls.version)
        cls.session = None
        if not zip_path.is_file():
            return
        with zipfile.ZipFile(zip_path) as archive:
            archive.extractall(cls.windows)
        # The simulator is not needed: no device is connected.
        cls.session = Session(cls.windows / "Q4_Backup.exe", "/bin/false", CONFIG["driver"],
                              CONFIG["work"] / "artifacts", headless=True).start()

    @classmethod
    def tearDownClass(cls):
        if cls.session:
            cls.session.close()

    def setUp(self):
        self.assertIsNotNone(self.session, "no archive: run scripts/package")

    def test_q4k_exe_tells_its_version(self):
        exe = self.windows / "q4k.exe"
        try:
            done = subprocess.run(["wine", str(exe), "--version"], env=self.session.env, cwd=self.windows,
                                  capture_output=True, timeout=60)
        finally:
            kill_wine_processes(self.session.prefix.path, exe.name)
        out = done.stdout.decode("utf-8", "replace").replace("\r\n", "\n")
        self.assertEqual((done.returncode, out), (0, "q4k %s\n" % self.version), done.stderr[-500:])

    def test_q4_backup_help_box_shows_the_version(self):
        case = Case(self.session, "help", CONFIG["work"] / "artifacts" / "help")
        failed = True
        try:
            app = case.app()
            app.main.click(HELP)
            help_window = app.wait_window("Hilfe")
            texts = [c["text"] for c in help_window.children()]
            self.assertIn(HELP_VERSION_PREFIX + self.version, texts)
            help_window.click(IDOK)
            help_window.wait_gone()
            failed = False
        finally:
            case.close(failed)


if __name__ == "__main__":
    unittest.main()
