"""The guide against the program: every message the program can show is in the guide's message
table, every picture it shows exists, has a caption and is made by the screenshot script, every
picture made for it is shown, its warnings render as marked boxes, and its links lead somewhere."""

import re
import subprocess
import unittest

import guide
from program_messages import program_messages

ROOT = guide.ROOT


class GuideMessages(unittest.TestCase):
    def test_extraction_finds_the_programs_messages(self):
        # A broken extraction would find nothing and let every table pass.
        found = [fragment for _, fragment in program_messages()]
        self.assertGreaterEqual(len(found), 60, found)
        for anchor in ("Kein freier Port vorhanden!", "Datei nicht geeignet!", "Fehler 23",
                       "muss aus genau 8 Zeichen (0-9,A-F) bestehen!", "was not found.", "Unbekannte Option:",
                       "Datei geeignet:"):
            self.assertIn(anchor, found)

    def test_every_message_is_in_the_table(self):
        cells = guide.message_cells()
        missing = ["%s: %r" % (source, fragment) for source, fragment in program_messages()
                   if not any(fragment in cell for cell in cells)]
        self.assertEqual(missing, [], "messages of the program missing from the guide's table")

    def test_every_table_row_says_meaning_cause_and_remedy(self):
        for line in guide.section().splitlines():
            if line.startswith("|") and not re.fullmatch(r"\|[-| :]+\|", line.strip()):
                cells = [c for c in re.split(r"(?<!\\)\|", line.strip().strip("|"))]
                self.assertEqual(len(cells), 5, line)
                self.assertTrue(all(c.strip() for c in cells), line)


class GuidePictures(unittest.TestCase):
    def test_every_picture_shown_exists(self):
        for ref in guide.picture_references():
            path = guide.GUIDE.parent / ref
            self.assertTrue(path.is_file(), ref)
            self.assertEqual(path.read_bytes()[:8], b"\x89PNG\r\n\x1a\n", ref)

    def test_every_picture_has_a_caption(self):
        self.assertEqual([path for path, caption in guide.pictures() if not caption.strip()], [],
                         "pictures without a caption")

    def test_every_picture_made_is_shown(self):
        shown = {(guide.GUIDE.parent / ref).resolve() for ref in guide.picture_references()}
        made = {p.resolve() for p in guide.PICTURES.glob("*.png")}
        self.assertEqual(sorted(p.name for p in made - shown), [], "pictures in bilder/ the guide does not show")

    def test_the_screenshot_script_makes_every_picture(self):
        script = (ROOT / "scripts/screenshots.py").read_text(encoding="utf-8")
        for ref in guide.picture_references():
            self.assertIn('"%s"' % ref.split("/")[-1], script, "%s is not made by scripts/screenshots.py" % ref)


class GuideRendering(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.out = ROOT / "build/reports/docs/Anleitung.html"
        subprocess.run([str(ROOT / "scripts/render-guide"), "--out", str(cls.out)], check=True,
                       capture_output=True)
        cls.html = cls.out.read_text(encoding="utf-8")

    def test_self_contained(self):
        sources = re.findall(r'<img\b[^>]*\ssrc="([^"]*)"', self.html)
        self.assertEqual(len(sources), len(guide.picture_references()))
        self.assertTrue(all(s.startswith("data:image/png;base64,") for s in sources), "a picture not embedded")
        self.assertNotRegex(self.html, r'<(link|script)\b', "the page loads something from outside")

    def test_pictures_with_captions_and_warnings_in_boxes(self):
        shown = re.findall(r"<figure><img\b[^>]*><figcaption>(.*?)</figcaption></figure>", self.html)
        self.assertEqual(shown, [caption for _, caption in guide.pictures()])
        self.assertGreater(guide.warning_count(), 0)
        self.assertEqual(self.html.count('<div class="admonition warning">'), guide.warning_count())
        self.assertNotIn("!!!", self.html)

    def test_version_and_links(self):
        self.assertIn("Version %s" % guide.version(), self.html)
        self.assertNotIn("{{VERSION}}", self.html)
        ids = set(re.findall(r'\sid="([^"]+)"', self.html))
        targets = set(re.findall(r'href="#([^"]+)"', self.html))
        self.assertEqual(sorted(targets - ids), [], "links to no heading")


if __name__ == "__main__":
    unittest.main()
