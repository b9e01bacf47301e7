"""Each rendered guide in a real browser: Debian's headless Chromium loads it, a script in a copy of
the page reports every picture (loaded, its size, where it lies, its caption), and a screenshot of
the same page must show the first pictures' pixels where the page put them."""

import json
import re
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

import guide

REPORTS = guide.RENDERED
CHROMIUM = shutil.which("chromium") or "/usr/bin/chromium"
WIDTH = 1280
FIRST_PICTURES = 3  # compared pixel by pixel in the screenshot, which is made tall enough to hold them
# What this machine needs for a headless Chromium as root without network; a fresh profile each run.
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars", "--force-device-scale-factor=1", "--force-color-profile=srgb"]
TIMEOUT = 60

# Runs once the page and its pictures have loaded; the result goes into the title, which
# --dump-dom shows and which changes nothing on the page.
PROBE = """<script>
window.addEventListener("load", function () {
  var report = [];
  document.querySelectorAll("img").forEach(function (img) {
    var r = img.getBoundingClientRect();
    var caption = img.closest("figure") && img.closest("figure").querySelector("figcaption");
    report.push({alt: img.alt, complete: img.complete, width: img.naturalWidth, height: img.naturalHeight,
                 left: Math.round(r.left + img.clientLeft), top: Math.round(r.top + img.clientTop + window.scrollY),
                 shown_width: img.clientWidth, shown_height: img.clientHeight,
                 caption: caption ? caption.textContent : null,
                 caption_height: caption ? caption.getBoundingClientRect().height : 0});
  });
  document.title = "PROBE" + JSON.stringify(report) + "END";
});
</script>"""


def chromium(args, profile, height):
    """Chromium on the page with a window WIDTH wide; the layout depends on the width only."""
    return subprocess.run([CHROMIUM] + FLAGS + ["--window-size=%d,%d" % (WIDTH, height),
                                                "--user-data-dir=%s" % profile] + args,
                          capture_output=True, text=True, timeout=TIMEOUT)


def png_size(data):
    return int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")


def differing_pixels(screenshot, left, top, picture):
    """Pixels of `picture` that differ (beyond a small colour tolerance) from the screenshot's
    part of the same size at left, top, counted by ImageMagick."""
    width, height = png_size(picture.read_bytes())
    with tempfile.TemporaryDirectory() as tmp:
        crop = Path(tmp) / "crop.png"
        subprocess.run(["convert", str(screenshot), "-crop", "%dx%d+%d+%d" % (width, height, left, top), "+repage",
                        str(crop)], check=True, timeout=30)
        done = subprocess.run(["compare", "-metric", "AE", "-fuzz", "6%", str(picture), str(crop), "null:"],
                              capture_output=True, text=True, timeout=30)
    return int(float(done.stderr.split()[0]))


class InChromium:
    """A guide in Chromium; a subclass names the guide."""

    g = None

    @classmethod
    def setUpClass(cls):
        cls.report = None
        if not cls.g.exists():
            return
        stem = cls.g.html_name[:-len(".html")]
        page = guide.rendered(cls.g)
        cls.probe_page = REPORTS / ("%s-probe.html" % stem)
        cls.probe_page.write_text(page.read_text(encoding="utf-8").replace("</body>", PROBE + "\n</body>"),
                                  encoding="utf-8")
        cls.screenshot = REPORTS / ("%s.png" % stem)
        cls.profile = Path(tempfile.mkdtemp(prefix="q4-guide-chromium-"))
        try:
            # A virtual time budget lets the load event and its script run before the DOM is dumped.
            dom = chromium(["--virtual-time-budget=5000", "--dump-dom", cls.probe_page.as_uri()], cls.profile, 2000)
            match = re.search(r"PROBE(.*?)END", dom.stdout, re.S)
            cls.report = json.loads(match.group(1)) if match else None
            cls.dom_stderr = dom.stderr
            cls.screenshot.unlink(missing_ok=True)
            first = (cls.report or [])[:FIRST_PICTURES]
            cls.height = max([2000] + [img["top"] + img["height"] + 40 for img in first])
            shot = chromium(["--virtual-time-budget=5000", "--screenshot=%s" % cls.screenshot,
                             cls.probe_page.as_uri()], cls.profile, cls.height)
            cls.shot_stderr = shot.stderr
        finally:
            shutil.rmtree(cls.profile, ignore_errors=True)

    def setUp(self):
        if not self.g.exists():
            self.skipTest("%s does not exist yet; it is loaded in Chromium once it does" % self.g)

    def test_every_picture_loaded(self):
        self.assertIsNotNone(self.report, "no report from the page; Chromium said: %s" % self.dom_stderr[-2000:])
        pictures = self.g.pictures()
        self.assertEqual(len(self.report), len(pictures))
        for (ref, caption), img in zip(pictures, self.report):
            picture = self.g.source.parent / ref
            self.assertTrue(img["complete"], ref)
            self.assertEqual((img["width"], img["height"]), png_size(picture.read_bytes()),
                             "%s: natural size in the browser" % ref)
            self.assertGreater(img["shown_width"], 0, ref)
            self.assertEqual(img["caption"], caption, "%s: caption under the picture" % ref)
            self.assertGreater(img["caption_height"], 0, "%s: caption not shown" % ref)

    def test_screenshot_shows_the_pictures(self):
        self.assertTrue(self.screenshot.is_file(), "no screenshot; Chromium said: %s" % self.shot_stderr[-2000:])
        self.assertEqual(png_size(self.screenshot.read_bytes()), (WIDTH, self.height))
        self.assertIsNotNone(self.report)
        first = list(zip(self.g.pictures(), self.report))[:FIRST_PICTURES]
        self.assertTrue(first, "%s shows no picture" % self.g)
        for (ref, _), img in first:
            picture = self.g.source.parent / ref
            self.assertEqual((img["shown_width"], img["shown_height"]), (img["width"], img["height"]),
                             "%s shown at another size" % ref)
            differ = differing_pixels(self.screenshot, img["left"], img["top"], picture)
            self.assertLess(differ, img["width"] * img["height"] // 100,
                            "%s: %d pixels differ from the picture where the page shows it" % (ref, differ))


class ServiceGuideInChromium(InChromium, unittest.TestCase):
    g = guide.SERVICE


class FleetGuideInChromium(InChromium, unittest.TestCase):
    g = guide.FLEET


if __name__ == "__main__":
    unittest.main()
