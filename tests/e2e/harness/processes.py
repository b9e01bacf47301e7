"""Last-resort clean-up: Wine processes of our own prefix that still run a given program."""

import os
import signal


def _read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return b""


def wine_processes(prefix_path, program_name):
    """Linux process ids of processes in this prefix whose command line names the program."""
    wanted_env = b"WINEPREFIX=" + str(prefix_path).encode()
    wanted_name = program_name.lower().encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        if wanted_env not in _read("/proc/%s/environ" % entry).split(b"\0"):
            continue
        if wanted_name in _read("/proc/%s/cmdline" % entry).lower():
            found.append(int(entry))
    return found


def kill_wine_processes(prefix_path, program_name):
    for pid in wine_processes(prefix_path, program_name):
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


def resident_kib(pid):
    """The resident memory (VmRSS) of a Linux process in KiB, or None once it has ended."""
    for line in _read("/proc/%d/status" % pid).decode("ascii", "replace").splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return None
