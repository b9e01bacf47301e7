"""Client of q4drive.exe: one driver process per scenario, one JSON reply per command."""

import json
import subprocess
import threading


class DriverError(AssertionError):
    """The driver refused a command or stopped answering."""


def quote(value):
    """An argument as the driver reads it: bare numbers, everything else quoted in ASCII."""
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, int):
        return str(value)
    out = ['"']
    for ch in str(value):
        code = ord(ch)
        if ch in '"\\':
            out.append("\\" + ch)
        elif 0x20 <= code < 0x7F:
            out.append(ch)
        elif code > 0xFFFF:
            # The driver speaks UTF-16: a surrogate pair, escaped unit by unit.
            code -= 0x10000
            out.append("\\u%04x\\u%04x" % (0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF)))
        else:
            out.append("\\u%04x" % code)
    out.append('"')
    return "".join(out)


class Driver:
    """Runs q4drive.exe under Wine and sends it commands.

    call("text", "0x1234/1003") returns the reply as a dict, or raises
    DriverError with the driver's reason when the reply says ok: false.
    """

    def __init__(self, wine_env, driver_exe, log_path=None, stderr_path=None, reply_timeout=15.0):
        self._reply_timeout = reply_timeout
        self._log = open(log_path, "a", encoding="utf-8") if log_path else None
        # Programs the driver starts inherit this stderr: Wine reports crashes there.
        self._stderr = open(stderr_path, "ab") if stderr_path else subprocess.DEVNULL
        self._proc = subprocess.Popen(
            ["wine", str(driver_exe)],
            env=wine_env,
            stdin=subprocess.PIPE,
            stdout=subprocess.PIPE,
            stderr=self._stderr,
            text=True,
            encoding="ascii",
            bufsize=1,
        )
        self.call("screen")  # the first answer shows that the driver runs

    def call(self, command, *args):
        line = " ".join([command] + [quote(a) for a in args])
        reply = self._exchange(line)
        if self._log:
            self._log.write("> %s\n< %s\n" % (line, reply.rstrip()))
            self._log.flush()
        data = json.loads(reply)
        if not data.pop("ok"):
            raise DriverError("driver: %s: %s" % (line, data.get("error")))
        return data

    def _exchange(self, line):
        if self._proc.poll() is not None:
            raise DriverError("driver has exited")
        self._proc.stdin.write(line + "\n")
        self._proc.stdin.flush()
        # readline may block for ever if the driver hangs; a timer ends the wait.
        timer = threading.Timer(self._reply_timeout, self._proc.kill)
        timer.start()
        try:
            reply = self._proc.stdout.readline()
        finally:
            timer.cancel()
        if not reply:
            raise DriverError("driver gave no answer to: " + line)
        return reply

    def close(self):
        if self._proc.poll() is None:
            try:
                self._proc.stdin.write("quit\n")
                self._proc.stdin.flush()
                self._proc.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                self._proc.kill()
                self._proc.wait()
        if self._log:
            self._log.close()
            self._log = None
        if self._stderr is not subprocess.DEVNULL:
            self._stderr.close()
            self._stderr = subprocess.DEVNULL
