"""The two guides' sources as the tests see them: their message tables, pictures with captions,
safety notices and sentences, and each rendered once to HTML by scripts/render-guide."""

import re
import subprocess
from pathlib import Path

from program_messages import cli_messages, window_messages

ROOT = Path(__file__).resolve().parent.parent.parent
VERSION_HEADER = ROOT / "resources/version.h"
RENDERED = ROOT / "build/reports/docs"
SIGNAL_WORDS = ("WARNUNG", "VORSICHT", "HINWEIS")
NOTICE_PARTS = ("Gefahr:", "Folge:", "So vermeiden Sie es:")
# ![alt](path "caption"): the title is the caption the rendered page shows under the picture.
PICTURE = re.compile(r'!\[[^\]]*\]\(([^)\s]+)(?:\s+"([^"]*)")?\)')
TABLE_RULE = re.compile(r"\|[-| :]+\|")


class Guide:
    def __init__(self, title, source, html_name, messages):
        self.title, self.source, self.html_name, self.messages = title, source, html_name, messages

    def __str__(self):
        return self.source.relative_to(ROOT).as_posix()

    def exists(self):
        return self.source.is_file()

    def text(self):
        return self.source.read_text(encoding="utf-8")

    def pictures(self):
        """(relative path, caption) of each picture the guide shows, in order; "" for no caption."""
        return PICTURE.findall(self.text())

    def message_rows(self):
        """The cells of every table row under a level-2 heading that starts with "Meldungen"."""
        rows, inside = [], False
        for line in self.text().splitlines():
            if line.startswith("## "):
                inside = line.startswith("## Meldungen")
            elif inside and line.startswith("|") and not TABLE_RULE.fullmatch(line.strip()):
                rows.append([c.strip() for c in re.split(r"(?<!\\)\|", line.strip().strip("|"))])
        return rows

    def message_cells(self):
        """The first two cells (the message, its title) of each message row, as the reader sees them."""
        return [plain(c) for row in self.message_rows() if row[0] != "Meldung" for c in row[:2]]

    def quotes(self):
        """Each block quote as its parts: paragraphs, and lines that start with a bold label."""
        blocks = re.findall(r"(?m)((?:^[ \t]*>.*\n?)+)", self.text())
        return [[" ".join(p.split()) for p in re.split(r"\n\s*\n|\n(?=\*\*)", re.sub(r"(?m)^[ \t]*> ?", "", b))
                 if p.strip()] for b in blocks]

    def sentences(self):
        """The prose in sentences; code blocks left out, a table row counts as one."""
        prose = re.sub(r"(?ms)^[ \t]*```.*?```", "", self.text())
        return [s for s in re.split(r"(?<=[.!?])\s+|\n\s*\n|\n(?=\s*[-|>\d])", prose) if s.strip()]


SERVICE = Guide("Q4_Backup – Anleitung für den Service", ROOT / "docs/anleitung/anleitung.md", "Anleitung.html",
                window_messages)
FLEET = Guide("q4k und Flottenumstellung", ROOT / "docs/flotte/flotte.md", "Flotte.html", cli_messages)
GUIDES = (SERVICE, FLEET)


def plain(markdown_text):
    """Table-cell markdown as the reader sees it: no code marks, emphasis or escapes."""
    out = markdown_text.replace("\\|", "|").replace("**", "").replace("`", "")
    return " ".join(out.split())


def version():
    return re.search(r'#define\s+Q4_VERSION_TEXT\s+"([^"]+)"', VERSION_HEADER.read_text(encoding="utf-8")).group(1)


_render_output = None


def rendered(guide):
    """The guide's HTML page; scripts/render-guide renders every guide once per test run, each on its
    own, so that a guide it cannot render fails only that guide's tests."""
    global _render_output
    if _render_output is None:
        done = subprocess.run([str(ROOT / "scripts/render-guide"), "--out-dir", str(RENDERED)], capture_output=True,
                              text=True)
        _render_output = done.stdout + done.stderr
    page = RENDERED / guide.html_name
    assert page.is_file(), "scripts/render-guide made no %s: %s" % (guide.html_name, _render_output)
    return page
