"""The guide's source as the tests see it: its message tables, its pictures with their captions,
its warnings and its version."""

import re
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
GUIDE = ROOT / "docs/anleitung/anleitung.md"
PICTURES = ROOT / "docs/anleitung/bilder"
VERSION_HEADER = ROOT / "resources/version.h"
MESSAGE_HEADING = "## Meldungen"
# ![alt](path "caption"): the title is the caption the rendered page shows under the picture.
PICTURE = re.compile(r'!\[[^\]]*\]\(([^)\s]+)(?:\s+"([^"]*)")?\)')
WARNING = re.compile(r"^!!! warning\b", re.M)


def text():
    return GUIDE.read_text(encoding="utf-8")


def version():
    return re.search(r'#define\s+Q4_VERSION_TEXT\s+"([^"]+)"', VERSION_HEADER.read_text(encoding="utf-8")).group(1)


def section(heading=MESSAGE_HEADING):
    """The text from a level-2 heading to the next one."""
    source = text()
    start = source.index(heading + "\n")
    end = source.find("\n## ", start + len(heading))
    return source[start:] if end < 0 else source[start:end]


def _cells(row):
    row = row.strip().strip("|")
    return [c.strip() for c in re.split(r"(?<!\\)\|", row)]


def plain(markdown_text):
    """Table-cell markdown as the reader sees it: no code marks, emphasis or escapes."""
    out = markdown_text.replace("\\|", "|").replace("**", "").replace("`", "")
    return " ".join(out.split())


def message_cells():
    """The "Meldung" and "Titel" cells of every table in the message section, as plain text."""
    cells = []
    for line in section().splitlines():
        if not line.startswith("|") or re.fullmatch(r"\|[-| :]+\|", line.strip()):
            continue
        row = _cells(line)
        if row[:2] == ["Meldung", "Titel"]:
            continue
        cells += [plain(c) for c in row[:2]]
    return cells


def pictures():
    """(relative path, caption) of each picture the guide shows, in order; "" for no caption."""
    return PICTURE.findall(text())


def picture_references():
    """The relative paths of the pictures the guide shows, in order."""
    return [path for path, _ in pictures()]


def warning_count():
    return len(WARNING.findall(text()))
