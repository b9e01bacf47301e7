"""Whether a window's static labels show their whole text: each line of a label's text measured
in the dialog font (GetTextExtentPoint32, through the driver) against the label's width."""

import re

DIALOG_FONT = ("MS Shell Dlg", 8)  # the FONT statement of every dialog template
SS_TYPEMASK = 0x1F
TEXT_TYPES = (0x0, 0x1, 0x2, 0xC)  # SS_LEFT, SS_CENTER, SS_RIGHT, SS_LEFTNOWORDWRAP


def clipped_labels(window):
    """[(text, text width, label width)] of the window's visible text labels whose text does not fit."""
    face, points = DIALOG_FONT
    clipped = []
    for child in window.children():
        if child["class"] != "Static" or not child["visible"] or child["style"] & SS_TYPEMASK not in TEXT_TYPES:
            continue
        client = window.driver.call("rect", child["hwnd"])["client"]
        room = client[2] - client[0]
        for line in re.split(r"\r\n|\r|\n", child["text"]):
            if line:
                needed = window.driver.call("textextent", face, points, line)["width"]
                if needed > room:
                    clipped.append((line, needed, room))
    return clipped
