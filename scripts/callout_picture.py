"""Labels the parts of a window picture: the picture on a white page, each label beside it (left,
right or below) with a leader line to a dot on its control. Drawn with ImageMagick; a label's width is
measured in its own font first, so that no label runs off the page or into another.

A step of scripts/screenshots.py (the guide's labelled main window).
"""

import subprocess
from collections import namedtuple

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
POINT_SIZE = 13
INK = "#1a1a1a"
LEADER = "#b00000"
GAP = 14  # between a label and the picture
MARGIN = 16  # around everything
LINE_PITCH = 22  # least distance between two labels of one side
# A dot sits on its control's edge, clear of the control's own text.
DOT_INSET = 3

# text; rect: the control's (left, top, right, bottom) in the picture; side: "left", "right" or "below".
Callout = namedtuple("Callout", "text rect side")


def text_size(text):
    """(width, height) of a label in pixels, as ImageMagick draws it."""
    out = subprocess.run(["convert", "-font", FONT, "-pointsize", str(POINT_SIZE), "label:" + text,
                          "-format", "%w %h", "info:"], capture_output=True, text=True, check=True, timeout=30)
    width, height = out.stdout.split()
    return int(width), int(height)


def _spread(wanted, pitch):
    """Label positions as near to the wanted ones as a least pitch allows, in their order."""
    placed = []
    for y in wanted:
        placed.append(max(y, placed[-1] + pitch) if placed else y)
    return placed


def draw(picture, size, callouts, out):
    """Writes `out`: `picture` (a PNG of `size` = (width, height)) with its labels."""
    sizes = {c.text: text_size(c.text) for c in callouts}
    left = max([sizes[c.text][0] for c in callouts if c.side == "left"], default=0)
    right = max([sizes[c.text][0] for c in callouts if c.side == "right"], default=0)
    below = max([sizes[c.text][1] for c in callouts if c.side == "below"], default=0)
    x0 = MARGIN + left + GAP
    y0 = MARGIN
    width = x0 + size[0] + GAP + right + MARGIN
    height = y0 + size[1] + (GAP + below if below else 0) + MARGIN

    args = ["convert", "-size", "%dx%d" % (width, height), "xc:white", picture, "-geometry",
            "+%d+%d" % (x0, y0), "-composite", "-font", FONT, "-pointsize", str(POINT_SIZE)]
    for side in ("left", "right"):
        ours = sorted((c for c in callouts if c.side == side), key=lambda c: (c.rect[1] + c.rect[3]) / 2)
        rows = _spread([y0 + (c.rect[1] + c.rect[3]) // 2 for c in ours], LINE_PITCH)
        for callout, row in zip(ours, rows):
            text_width, text_height = sizes[callout.text]
            if row + text_height // 2 > height - MARGIN:
                raise AssertionError("label %r runs off the page" % callout.text)
            mid_y = y0 + (callout.rect[1] + callout.rect[3]) // 2
            if side == "left":
                dot = (x0 + callout.rect[0] + DOT_INSET, mid_y)
                end, text_x = (x0 - GAP + 4, row), x0 - GAP - text_width
            else:
                dot = (x0 + callout.rect[2] - DOT_INSET, mid_y)
                end, text_x = (x0 + size[0] + GAP - 4, row), x0 + size[0] + GAP
            args += _leader(end, dot)
            args += _label(callout.text, text_x, row - text_height // 2)
    for callout in (c for c in callouts if c.side == "below"):
        text_width, _ = sizes[callout.text]
        mid_x = x0 + (callout.rect[0] + callout.rect[2]) // 2
        dot = (mid_x, y0 + callout.rect[3] - DOT_INSET)
        args += _leader((mid_x, y0 + size[1] + GAP - 2), dot)
        args += _label(callout.text, mid_x - text_width // 2, y0 + size[1] + GAP)
    _check_apart(callouts, sizes, x0, width)
    subprocess.run(args + ["-strip", str(out)], check=True, timeout=60)
    return out


def _leader(end, dot):
    return ["-stroke", LEADER, "-strokewidth", "1.5", "-fill", "none",
            "-draw", "line %d,%d %d,%d" % (end + dot),
            "-fill", LEADER, "-draw", "circle %d,%d %d,%d" % (dot + (dot[0] + 3, dot[1])), "-stroke", "none"]


def _label(text, x, y):
    # -annotate places the baseline; the label's top is at y.
    return ["-fill", INK, "-annotate", "+%d+%d" % (x, y + POINT_SIZE), text.replace("%", "%%")]


def _check_apart(callouts, sizes, x0, width):
    """Labels below the picture stay on the page and apart from one another."""
    spans = sorted((x0 + (c.rect[0] + c.rect[2]) // 2 - sizes[c.text][0] // 2, sizes[c.text][0], c.text)
                   for c in callouts if c.side == "below")
    for (a_x, a_width, a), (b_x, _, b) in zip(spans, spans[1:]):
        if a_x + a_width + 8 > b_x:
            raise AssertionError("labels %r and %r overlap below the picture" % (a, b))
    if spans and (spans[0][0] < MARGIN or spans[-1][0] + spans[-1][1] > width - MARGIN):
        raise AssertionError("a label below the picture runs off the page")
