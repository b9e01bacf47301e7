"""The progress bar as a person sees it: q4k backup in a terminal under tmux, its screen read
with capture-pane while the backup runs and after it ended."""

import os
import re
import subprocess
import time

from support import GOLDEN_BACKUP, Q4K, Q4kCase

# At 80 columns the bar leaves out the word "Datensätze" to keep rate and time left on one line.
BAR = re.compile(r"Speichere Konfiguration in Datei\.\.\. \[#+\.*\] (\d+)/127  \d+\.\d/s  noch \d+:\d\d")
DONE_BAR = re.compile(r"Speichere Interface-Konfig in Datei\.\.\. \[#+\] 32/32  ")
COLUMNS = 80


class ProgressBar(Q4kCase):
    def setUp(self):
        super().setUp()
        # A server of its own, so that no other tmux session is touched.
        self.tmux = ["tmux", "-L", "q4k-test-%d" % os.getpid()]

    def tearDown(self):
        subprocess.run(self.tmux + ["kill-server"], capture_output=True)
        super().tearDown()

    def screen(self):
        return subprocess.run(self.tmux + ["capture-pane", "-p", "-t", "bar"], capture_output=True,
                              text=True).stdout

    def wait_screen(self, predicate, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            shown = self.screen()
            if predicate(shown):
                return shown
            time.sleep(0.1)
        self.fail("screen never showed what was awaited:\n" + self.screen())

    def test_backup_draws_one_bar_in_place(self):
        sim = self.simulator()
        command = "%s backup %s wagen.q4k; echo EXIT=$?; sleep 120" % (Q4K, sim.pty)
        subprocess.run(self.tmux + ["new-session", "-d", "-s", "bar", "-x", str(COLUMNS), "-y", "12", "-c", str(self.folder),
                                    "sh", "-c", command], check=True, env=dict(os.environ, TERM="xterm"))
        running = self.wait_screen(lambda s: any(0 < int(m.group(1)) < 127 for m in BAR.finditer(s)), 30)
        # One bar, redrawn in place: the running phase occupies a single line.
        self.assertEqual(len(BAR.findall(running)), 1, running)
        ended = self.wait_screen(lambda s: "EXIT=" in s, 60)
        lines = [line.rstrip() for line in ended.splitlines() if line.strip()]
        self.assertRegex(lines[0], BAR)
        self.assertIn("127/127", lines[0])
        self.assertRegex(lines[1], DONE_BAR)
        # Each bar fits the width, so none wrapped onto a second line.
        self.assertTrue(all(len(line) < COLUMNS for line in lines), lines)
        self.assertEqual(lines[2:], ["Konfiguration in Datei gespeichert!", "EXIT=0"])
        self.assertEqual((self.folder / "wagen.q4k").read_bytes(), GOLDEN_BACKUP.read_bytes())
