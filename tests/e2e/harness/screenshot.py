"""Screenshots of the X display (ImageMagick's import), whole or cropped to a window."""

import subprocess
import time


def capture(display, rect=None):
    """PNG bytes of the display, or of its (left, top, right, bottom) part; no timestamps, so
    equal pixels give equal bytes."""
    args = ["import", "-display", display, "-window", "root"]
    if rect:
        left, top, right, bottom = rect
        args += ["-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage"]
    return subprocess.run(args + ["-strip", "png:-"], check=True, timeout=30, capture_output=True).stdout


def screenshot(display, path, rect=None):
    with open(path, "wb") as f:
        f.write(capture(display, rect))


def settled_screenshot(display, path, rect=None, timeout=3.0, interval=0.2):
    """Saves the picture once two captures in a row agree, so that no half-painted window is kept."""
    deadline = time.monotonic() + timeout
    previous = capture(display, rect)
    while time.monotonic() < deadline:
        time.sleep(interval)
        current = capture(display, rect)
        if current == previous:
            break
        previous = current
    with open(path, "wb") as f:
        f.write(previous)
