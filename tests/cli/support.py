"""Shared pieces of the q4k end-to-end tests: the programs, a simulator on a pseudo-terminal,
running q4k, and a fresh folder per test."""

import os
import re
import shutil
import signal
import subprocess
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
Q4K = Path(os.environ.get("Q4K", ROOT / "build/native/q4k"))
Q4SIM = Path(os.environ.get("Q4SIM", ROOT / "build/native/q4sim"))
ARTIFACTS = Path(os.environ.get("Q4K_ARTIFACTS", ROOT / "build/cli-e2e-artifacts"))
GOLDEN_BACKUP = ROOT / "tests/golden/default_backup.q4k"
GOLDEN_PATCHED = ROOT / "tests/golden/editor_patched.q4k"
RECORD_LEN = 133

QUERY = "$PROGSTART<01>"
END = "$PROGENDE<01>"

_LOG_LINE = re.compile(r"^(\d+) (.*)$")


class Simulator:
    """q4sim with a command log, started on its own pseudo-terminal; stop() ends it."""

    def __init__(
        self, folder, fault=(), pace=False, image=None, dump=None, ident=None, control=None, link=None, timeout=10.0
    ):
        self.log_path = folder / "sim-commands.log"
        self._stderr = open(folder / "sim-stderr.log", "ab")
        args = [str(Q4SIM), "--log", str(self.log_path)]
        for one in ([fault] if isinstance(fault, str) else list(fault)):
            args += ["--fault", one]
        if pace:
            args.append("--pace")
        if image:
            args += ["--image", str(image)]
        if dump:
            args += ["--dump", str(dump)]
        if ident:
            args += ["--ident", ident]
        if control:
            args += ["--control", str(control)]
        if link:
            args += ["--link", str(link)]
        self._proc = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=self._stderr, text=True)
        deadline = time.monotonic() + timeout
        self.pty = None
        while self.pty is None and time.monotonic() < deadline:
            line = self._proc.stdout.readline()
            if not line:
                break
            if line.startswith("PTY "):
                self.pty = line[4:].strip()
        if self.pty is None:
            self.stop()
            raise AssertionError("q4sim printed no PTY line")

    def commands(self):
        """Received commands, bytes outside ASCII shown as <XX>."""
        try:
            text = self.log_path.read_text(encoding="ascii", errors="replace")
        except FileNotFoundError:
            return []
        return [m.group(2) for m in map(_LOG_LINE.match, text.splitlines()) if m]

    def stop(self):
        if self._proc.poll() is None:
            self._proc.send_signal(signal.SIGTERM)
            try:
                self._proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self._proc.kill()
                self._proc.wait()
        self._stderr.close()


def records(data):
    return [data[i:i + RECORD_LEN] for i in range(0, len(data) - RECORD_LEN + 1, RECORD_LEN)]


class Q4kCase(unittest.TestCase):
    """A fresh folder per test (kept under build/cli-e2e-artifacts), simulators stopped afterwards."""

    def setUp(self):
        self.folder = ARTIFACTS / self.id().split(".", 1)[-1]
        shutil.rmtree(self.folder, ignore_errors=True)
        self.folder.mkdir(parents=True)
        self._sims = []

    def tearDown(self):
        for sim in self._sims:
            sim.stop()

    def simulator(self, **options):
        sim = Simulator(self.folder, **options)
        self._sims.append(sim)
        return sim

    def q4k(self, *args, timeout=120, text=True, **options):
        """Runs q4k in the test's folder; the result has returncode, stdout and stderr (text unless
        text=False). Further options go to subprocess.run (input, env, stdout)."""
        streams = {"stderr": subprocess.PIPE} if "stdout" in options else {"capture_output": True}
        return subprocess.run([str(Q4K)] + [str(a) for a in args], cwd=self.folder, text=text, timeout=timeout,
                              **streams, **options)

    def assertExit(self, result, code):
        self.assertEqual(result.returncode, code, "stdout:\n%s\nstderr:\n%s" % (result.stdout, result.stderr))

    def files(self):
        """The names in the test's folder, apart from the simulator's logs."""
        return sorted(p.name for p in self.folder.iterdir() if not p.name.startswith("sim-"))
