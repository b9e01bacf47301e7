"""The device simulator (q4sim) on a pseudo-terminal linked as a COM port of the prefix."""

import os
import queue
import re
import signal
import subprocess
import threading
import time

from .waiting import wait_until

_LOG_LINE = re.compile(r"^(\d+) (.*)$")


class SimulatorError(AssertionError):
    pass


class Simulator:
    """Starts q4sim with a log and a control FIFO in `workdir` and waits for its PTY line.

    options: fault (one fault or a list of them), ident, pace, image, save_image,
    dump, extra (further command-line words).
    """

    def __init__(self, exe, link, workdir, fault=None, ident=None, pace=False, image=None,
                 save_image=None, dump=None, extra=(), timeout=10.0):
        self.link = str(link)
        self.log_path = os.path.join(workdir, "sim-commands.log")
        self.control_path = os.path.join(workdir, "sim-control")
        self.stderr_path = os.path.join(workdir, "sim-stderr.log")
        self._stderr = open(self.stderr_path, "ab")
        args = [str(exe), "--link", self.link, "--log", self.log_path, "--control", self.control_path]
        faults = [fault] if isinstance(fault, str) else list(fault or [])
        for one in faults:
            args += ["--fault", one]
        if ident is not None:
            args += ["--ident", ident]
        if pace:
            args.append("--pace")
        for option, value in (("--image", image), ("--save-image", save_image), ("--dump", dump)):
            if value is not None:
                args += [option, str(value)]
        args += list(extra)
        self._proc = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=self._stderr, text=True)
        self._lines = queue.Queue()
        threading.Thread(target=self._read_stdout, daemon=True).start()
        self.pty = self._wait_for_pty(timeout)

    def _read_stdout(self):
        for line in self._proc.stdout:
            self._lines.put(line.rstrip("\n"))
        self._lines.put(None)

    def _wait_for_pty(self, timeout):
        deadline = time.monotonic() + timeout
        while True:
            try:
                line = self._lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                raise SimulatorError("simulator printed no PTY line within %.0f s" % timeout)
            if line is None:
                raise SimulatorError("simulator ended at start (exit %s)" % self._proc.wait())
            if line.startswith("PTY "):
                return line[4:].strip()

    def notes(self):
        """The simulator's own messages (its stderr), one per line."""
        try:
            with open(self.stderr_path, encoding="utf-8", errors="replace") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def control(self, line, timeout=5.0):
        """Sends one control line ("fault silent", "clear-faults", "ident TEXT", "pace on") and
        returns once the simulator has taken it (it notes each line it applies)."""
        echo = "q4sim: control: " + line
        before = self.notes().count(echo)
        self._write_control(line, timeout)
        wait_until(lambda: self.notes().count(echo) > before, timeout, what="simulator to apply %r" % line)

    def _write_control(self, line, timeout):
        def open_writer():
            try:
                # Non-blocking, so that a simulator that has not opened its end yet is retried.
                return os.open(self.control_path, os.O_WRONLY | os.O_NONBLOCK)
            except (FileNotFoundError, OSError):
                return None

        fd = wait_until(open_writer, timeout, what="simulator control FIFO")
        try:
            os.write(fd, (line + "\n").encode("utf-8"))
        finally:
            os.close(fd)

    def log(self):
        """Received commands as (milliseconds, command) pairs, bytes outside ASCII shown as <XX>."""
        try:
            with open(self.log_path, encoding="ascii", errors="replace") as f:
                text = f.read()
        except FileNotFoundError:
            return []
        entries = []
        for line in text.splitlines():
            match = _LOG_LINE.match(line)
            if match:
                entries.append((int(match.group(1)), match.group(2)))
        return entries

    def commands(self):
        return [command for _, command in self.log()]

    def count(self, command):
        return self.commands().count(command)

    def running(self):
        return self._proc.poll() is None

    def stop(self, timeout=5.0):
        """Ends the simulator with SIGTERM (it then writes its dump) and returns its exit code."""
        if self._proc.poll() is None:
            self._proc.send_signal(signal.SIGTERM)
            try:
                self._proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self._proc.kill()
                self._proc.wait()
        self._stderr.close()
        return self._proc.returncode
