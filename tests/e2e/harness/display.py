"""An Xvfb server on a free display number, for runs without a screen."""

import os
import select
import subprocess
import time


class XvfbError(RuntimeError):
    pass


class Xvfb:
    """Starts Xvfb and learns its display number from -displayfd, so no number is guessed."""

    # A laptop's screen: the smallest on which the program's windows must open wholly visible.
    def __init__(self, log_path, size="1366x768x24", timeout=10.0):
        read_end, write_end = os.pipe()
        self._log = open(log_path, "wb")
        try:
            self._proc = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp"],
                pass_fds=(write_end,),
                stdout=self._log,
                stderr=subprocess.STDOUT,
            )
        finally:
            os.close(write_end)
        # The read end stays open while Xvfb runs: it writes the number and the
        # newline separately, and a closed pipe makes it give up.
        self._read_end = read_end
        number = self._read_number(timeout)
        if not number.isdigit():
            self.stop()
            raise XvfbError("Xvfb did not report a display (see %s)" % log_path)
        self.display = ":" + number

    def _read_number(self, timeout):
        deadline = time.monotonic() + timeout
        text = b""
        while not text.endswith(b"\n"):
            ready, _, _ = select.select([self._read_end], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(self._read_end, 64) if ready else b""
            if not chunk:
                break
            text += chunk
        return text.decode().strip()

    def stop(self):
        if self._proc.poll() is None:
            self._proc.terminate()
            try:
                self._proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self._proc.kill()
                self._proc.wait()
        self._log.close()
        os.close(self._read_end)
