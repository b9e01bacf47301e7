"""Both guides against their programs and their own rules: every message of the program is in the
guide's message table, every safety notice has a signal word and its three parts, every picture
exists, has a caption, is made by a script and is shown, the service guide keeps console, registry
and byte detail out, and the rendered pages are self-contained with every link leading somewhere.
A guide whose source is not there yet is skipped, with a note saying so."""

import re
import unittest

import guide
from guide import FLEET, GUIDES, SERVICE

ROOT = guide.ROOT
# What the service guide leaves to the other guide: q4k's options, the registry, byte positions.
OUT_OF_SCOPE = re.compile(r"(?<![\w-])--[a-z]|`-[a-z]\b|Registr|HKEY|PrevCOM|\bByte\s+\d|\bPosition(en)?\s+\d")
# Names that may stand only in a sentence that points to the other guide.
POINTER_ONLY = re.compile(r"(?<![\w.-])q4k\b|\bLinux\b|\bWine\b|/dev/")
POINTER = "../flotte/flotte.md"


def extraction_holds(test, messages, least, anchors):
    # A broken extraction would find nothing and let every table pass.
    found = [fragment for _, fragment in messages()]
    test.assertGreaterEqual(len(found), least, found)
    for anchor in anchors:
        test.assertIn(anchor, found)


class GuideChecks:
    """What holds for each guide; a subclass names the guide."""

    g = None

    def setUp(self):
        if not self.g.exists():
            self.skipTest("%s does not exist yet; its checks run once it does" % self.g)

    def test_every_message_is_in_the_table(self):
        cells = self.g.message_cells()
        missing = ["%s: %r" % (source, fragment) for source, fragment in self.g.messages()
                   if not any(fragment in cell for cell in cells)]
        self.assertEqual(missing, [], "messages of the program missing from %s's tables" % self.g)

    def test_every_message_row_is_filled(self):
        rows = self.g.message_rows()
        self.assertTrue(rows, "%s has no message table" % self.g)
        for row in rows:
            # At least the message, what it means or why it comes, and what to do; no cell left empty.
            self.assertGreaterEqual(len(row), 3, row)
            self.assertTrue(all(row), row)

    def test_every_notice_has_a_signal_word_and_three_parts(self):
        quotes = self.g.quotes()
        self.assertTrue(quotes, "%s has no safety notice" % self.g)
        for quote in quotes:
            head = re.fullmatch(r"\*\*(%s)\*\* (\S.*)" % "|".join(guide.SIGNAL_WORDS), quote[0])
            self.assertIsNotNone(head, "a block quote without a signal word and title: %r" % quote[0])
            self.assertEqual([p.split("**")[1] if p.startswith("**") else p for p in quote[1:]],
                             list(guide.NOTICE_PARTS), quote)
            self.assertTrue(all(len(p.split("**", 2)[2].strip()) > 10 for p in quote[1:]), quote)
        self.assertNotRegex(self.g.text(), r"(?m)^\s*!!!", "a box in the markup of the old edition")

    def test_every_picture_exists_has_a_caption_and_is_made_by_a_script(self):
        scripts = "".join(s.read_text(encoding="utf-8") for s in sorted((ROOT / "scripts").glob("*.py")))
        for ref, caption in self.g.pictures():
            path = self.g.source.parent / ref
            self.assertTrue(path.is_file(), ref)
            self.assertEqual(path.read_bytes()[:8], b"\x89PNG\r\n\x1a\n", ref)
            self.assertTrue(caption.strip(), "%s: no caption" % ref)
            self.assertTrue('"%s"' % path.name in scripts, "%s is made by no script in scripts/" % ref)

    def test_every_picture_made_is_shown(self):
        shown = {(self.g.source.parent / ref).resolve() for ref, _ in self.g.pictures()}
        made = {p.resolve() for p in (self.g.source.parent / "bilder").glob("*.png")}
        self.assertEqual(sorted(p.name for p in made - shown), [], "pictures in bilder/ not shown")

    def test_rendered_self_contained_with_captions_and_notice_boxes(self):
        html = guide.rendered(self.g).read_text(encoding="utf-8")
        sources = re.findall(r'<img\b[^>]*\ssrc="([^"]*)"', html)
        self.assertEqual(len(sources), len(self.g.pictures()))
        self.assertTrue(all(s.startswith("data:image/png;base64,") for s in sources), "a picture not embedded")
        self.assertNotRegex(html, r"<(link|script)\b", "the page loads something from outside")
        shown = re.findall(r"<figure><img\b[^>]*><figcaption>(.*?)</figcaption></figure>", html)
        self.assertEqual(shown, [caption for _, caption in self.g.pictures()])
        words = [q[0].split("**")[1].lower() for q in self.g.quotes()]
        self.assertEqual(re.findall(r'<div class="notice (\w+)" role="note">', html), words)
        self.assertNotIn("<blockquote", html)

    def test_rendered_version_and_links(self):
        html = guide.rendered(self.g).read_text(encoding="utf-8")
        self.assertIn("Version %s" % guide.version(), html)
        self.assertNotIn("{{VERSION}}", html)
        # The anchors of each page rendered; a guide that could not be rendered fails in its own tests.
        ids = {page.name: set(re.findall(r'\sid="([^"]+)"', page.read_text(encoding="utf-8")))
               for page in (guide.RENDERED / g.html_name for g in GUIDES) if page.is_file()}
        for page, anchor in re.findall(r'href="([^"#:]*)#?([^"]*)"', html):
            target = page or self.g.html_name
            self.assertIn(target, [g.html_name for g in GUIDES], "a link to %s" % page)
            if anchor and target in ids:
                self.assertIn(anchor, ids[target], "a link to %s#%s, which is no heading" % (target, anchor))


class ServiceGuide(GuideChecks, unittest.TestCase):
    g = SERVICE

    def test_extraction_finds_the_programs_messages(self):
        extraction_holds(self, self.g.messages, 45, ("Kein freier Port vorhanden!", "Datei nicht geeignet!",
                                                     "Fehler 23", "muss aus genau 8 Zeichen (0-9,A-F) bestehen!",
                                                     "was not found."))

    def test_console_registry_and_bytes_only_behind_a_pointer(self):
        sentences = self.g.sentences()
        self.assertEqual([s for s in sentences if OUT_OF_SCOPE.search(s)], [])
        self.assertEqual([s for s in sentences if POINTER_ONLY.search(s) and POINTER not in s], [],
                         "sentences naming q4k, Linux or Wine without pointing to the other guide")


class FleetGuide(GuideChecks, unittest.TestCase):
    g = FLEET

    def test_extraction_finds_the_programs_messages(self):
        extraction_holds(self, self.g.messages, 60, ("Unbekannte Option:", "Datei geeignet:",
                                                     "Port wird schon benutzt:", "darf keine Steuerzeichen enthalten."))


if __name__ == "__main__":
    unittest.main()
