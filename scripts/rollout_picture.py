"""Makes the guide's picture of a terminal during a fleet rollout: q4k rollout --loop in tmux at 80
columns against the device simulator. The first vehicle is served at the simulator's own speed;
then it is "unplugged" (its simulator stopped) and a second one with another identity, paced at
9600 baud, takes its place. The screen is captured while the second vehicle's restore is under
way and drawn as a terminal window with ImageMagick.

A step of scripts/screenshots.py (alone: scripts/screenshots.py --rollout-only, about a minute).
Needs tmux and ImageMagick.
"""

import os
import re
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
GOLDEN_BACKUP = ROOT / "tests/golden/default_backup.q4k"
# A vehicle with another own identifier, role and names than the default image.
SECOND_VEHICLE = ROOT / "tests/golden/editor_patched.q4k"

COLUMNS = 80
ROWS = 24
# The port as the technician types it; here a link to the simulator's pseudo-terminal.
PORT = "./ttyUSB0"
COMMAND = "q4k rollout %s basis-2027.q4k --archive archiv --loop" % PORT
RESTORE_BAR = re.compile(r"Transferiere Konfiguration auf Quendal 4\.\.\..* (\d+)/(\d+)")
RECORD_LEN = 133

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
POINT_SIZE = 15
CHAR_WIDTH = 9.04  # DejaVu Sans Mono's advance of 0.602 em
LINE_HEIGHT = 19
PADDING = 12
TITLE_HEIGHT = 26
BACKGROUND = "#1e1e1e"
FOREGROUND = "#d4d4d4"
TITLE_BAR = "#3c3c3c"
TITLE_TEXT = "#cccccc"


def template_bytes():
    """A new base configuration: the default image with one record beyond the settings changed."""
    data = GOLDEN_BACKUP.read_bytes()
    at = data.index(b"$P20") + 4
    return data[:at] + b"1234" + data[at + 4:]


class Simulator:
    """q4sim on a pseudo-terminal of its own; `pty` is its path."""

    def __init__(self, sim, folder, name, image=None, pace=False):
        args = [str(sim), "--log", str(folder / ("%s.log" % name))]
        if image:
            args += ["--image", str(image)]
        if pace:
            args.append("--pace")
        self._proc = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        line = self._proc.stdout.readline()
        if not line.startswith("PTY "):
            self.stop()
            raise RuntimeError("q4sim printed no PTY line")
        self.pty = line[4:].strip()

    def stop(self):
        if self._proc.poll() is None:
            self._proc.terminate()
            self._proc.wait(timeout=10)


def point_port_at(folder, pty):
    """The port link, replaced in one step so that q4k never finds it missing."""
    fresh = folder / "ttyUSB0.new"
    fresh.unlink(missing_ok=True)
    fresh.symlink_to(pty)
    os.replace(fresh, folder / "ttyUSB0")


class Terminal:
    """A tmux server of its own with one bash window of COLUMNS x ROWS."""

    def __init__(self, folder, bin_dir):
        self.tmux = ["tmux", "-u", "-L", "q4k-picture-%d" % os.getpid()]
        env = dict(os.environ, TERM="xterm", LANG="C.UTF-8", PATH="%s:%s" % (bin_dir, os.environ["PATH"]),
                   PS1="$ ")
        env.pop("Q4K_PORT", None)
        subprocess.run(self.tmux + ["new-session", "-d", "-s", "bild", "-x", str(COLUMNS), "-y", str(ROWS),
                                    "-c", str(folder), "bash", "--norc", "--noprofile"], check=True, env=env)

    def type(self, *keys):
        subprocess.run(self.tmux + ["send-keys", "-t", "bild"] + list(keys), check=True)

    def screen(self):
        return subprocess.run(self.tmux + ["capture-pane", "-p", "-t", "bild"], capture_output=True, text=True,
                              check=True).stdout

    def wait_for(self, predicate, seconds, what):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            shown = self.screen()
            if predicate(shown):
                return shown
            time.sleep(0.2)
        raise RuntimeError("the terminal never showed %s:\n%s" % (what, self.screen()))

    def close(self):
        subprocess.run(self.tmux + ["kill-server"], capture_output=True)


def restore_under_way(screen):
    """The second vehicle's restore between 40 and 80 per cent."""
    match = RESTORE_BAR.search(screen)
    return "erledigt" in screen and match is not None and 0.4 <= int(match.group(1)) / int(match.group(2)) <= 0.8


def annotated(line):
    """A line as ImageMagick's -annotate takes it literally."""
    text = line.replace("\\", "\\\\").replace("%", "%%")
    return "\\" + text if text.startswith("@") else text


def render(lines, path):
    """The lines as a dark terminal window with a title bar."""
    width = int(2 * PADDING + COLUMNS * CHAR_WIDTH)
    height = TITLE_HEIGHT + 2 * PADDING + len(lines) * LINE_HEIGHT
    args = ["convert", "-size", "%dx%d" % (width, height), "xc:" + BACKGROUND,
            "-fill", TITLE_BAR, "-draw", "rectangle 0,0 %d,%d" % (width, TITLE_HEIGHT - 1),
            "-font", FONT, "-pointsize", str(POINT_SIZE - 2), "-fill", TITLE_TEXT,
            "-annotate", "+%d+%d" % (PADDING, TITLE_HEIGHT - 8), "Terminal  %d x %d" % (COLUMNS, ROWS),
            "-pointsize", str(POINT_SIZE), "-fill", FOREGROUND]
    for row, line in enumerate(lines):
        if line:
            y = TITLE_HEIGHT + PADDING + (row + 1) * LINE_HEIGHT - 5
            args += ["-annotate", "+%d+%d" % (PADDING, y), annotated(line)]
    subprocess.run(args + ["-strip", str(path)], check=True, timeout=60)


def take(q4k, sim, out):
    """Runs the rollout and saves the picture as `out`; returns its path."""
    with tempfile.TemporaryDirectory(prefix="q4k-rollout-picture-") as tmp:
        folder = Path(tmp)
        bin_dir = folder / "bin"
        bin_dir.mkdir()
        (bin_dir / "q4k").symlink_to(Path(q4k).resolve())
        work = folder / "werkstatt"
        work.mkdir()
        (work / "basis-2027.q4k").write_bytes(template_bytes())
        first = Simulator(sim, folder, "erstes")
        second = None
        terminal = Terminal(work, bin_dir)
        try:
            point_port_at(work, first.pty)
            terminal.type(COMMAND, "Enter")
            terminal.wait_for(lambda s: "Gerät abziehen" in s, 90, "the first vehicle done")
            second = Simulator(sim, folder, "zweites", image=SECOND_VEHICLE, pace=True)
            point_port_at(work, second.pty)
            first.stop()
            shown = terminal.wait_for(restore_under_way, 120, "the second vehicle's restore under way")
            terminal.type("C-c")
        finally:
            terminal.close()
            first.stop()
            if second:
                second.stop()
    lines = [line.rstrip() for line in shown.splitlines()]
    while lines and not lines[-1]:
        lines.pop()
    render(lines + [""], out)
    return out

