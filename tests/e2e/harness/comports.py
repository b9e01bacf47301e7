"""COM port links of the test prefix: only the simulator's port may open.

Wine links comN to each serial device it finds when its session starts (com1
from /dev/ttyS0 here), and such a port stays openable even when its link is
deleted; pointing the link at an empty directory makes the open fail.
"""

import glob
import os
import re
import time

SIM_PORT = "com7"
_COM_LINK = re.compile(r"^com\d+$")


def _has_serial_devices():
    return any(glob.glob(p) for p in ("/dev/ttyS*", "/dev/ttyUSB*", "/dev/ttyACM*"))


def com_links(dosdevices):
    """{name: target} of every comN link in the prefix."""
    links = {}
    for name in os.listdir(dosdevices):
        path = os.path.join(dosdevices, name)
        if _COM_LINK.match(name) and os.path.islink(path):
            links[name] = os.readlink(path)
    return links


def wait_for_wine_links(dosdevices, timeout=10.0, settle=0.5):
    """Waits until Wine has made its links: at least one when serial devices exist, then no change for `settle` s."""
    deadline = time.monotonic() + timeout
    if _has_serial_devices():
        while not com_links(dosdevices) and time.monotonic() < deadline:
            time.sleep(0.05)
    seen = com_links(dosdevices)
    stable_since = time.monotonic()
    while time.monotonic() - stable_since < settle and time.monotonic() < deadline:
        time.sleep(0.05)
        now = com_links(dosdevices)
        if now != seen:
            seen, stable_since = now, time.monotonic()


def neutralise(dosdevices, empty_dir, keep=()):
    """Points every comN link except those in `keep` at the empty directory; returns the names changed."""
    changed = []
    for name, target in com_links(dosdevices).items():
        if name in keep or target == str(empty_dir):
            continue
        path = os.path.join(dosdevices, name)
        os.unlink(path)
        os.symlink(empty_dir, path)
        changed.append(name)
    return changed


def unlink_port(dosdevices, name):
    """Removes one port link, so that a program started next finds no such port."""
    try:
        os.unlink(os.path.join(dosdevices, name))
    except FileNotFoundError:
        pass
