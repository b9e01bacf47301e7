"""Screenshots of the X display (ImageMagick's import), whole or cropped to a window."""

import subprocess


def screenshot(display, path, rect=None):
    """Saves the display, or the (left, top, right, bottom) part of it, as a PNG file."""
    args = ["import", "-display", display, "-window", "root"]
    if rect:
        left, top, right, bottom = rect
        args += ["-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage"]
    subprocess.run(args + [str(path)], check=True, timeout=30, capture_output=True)
