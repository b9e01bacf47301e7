"""Makes the fleet guide's picture of a terminal during a rollout: q4k rollout --loop in tmux at 80
columns against the device simulator, at the times of a real line. The port is the programming box's
stable name under /dev/serial/by-id, as udev makes it for a USB adapter: the terminal runs in a mount
namespace of its own whose /dev holds that link, pointed at the simulator's pseudo-terminal (the real
/dev stays untouched). Both vehicles hold no interface configuration (see without_interface). The
first vehicle is served whole; then it is "unplugged" (its simulator stopped) and a second one with
another identity takes its place. The screen is captured while the
second vehicle's restore is under way and drawn as a terminal window with ImageMagick.

A step of scripts/screenshots.py (alone: scripts/screenshots.py --rollout-only, about three minutes).
Needs root (for the mount namespace), tmux and ImageMagick.
"""

import os
import re
import signal
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
# The adapter's stable name, as the guide's examples give it.
BY_ID_NAME = "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0"
PORT = "/dev/serial/by-id/" + BY_ID_NAME
COMMANDS = ("export Q4K_PORT=" + PORT, "q4k rollout basis-2027.q4k --archive archiv --loop")
# A pseudo-terminal hands the PC's bytes to the simulator at once, where a real line takes 133 bytes at
# 9600 baud (about 139 ms) for each written record; each acknowledgement is held back by that long, so
# that the restore takes as long as on the line (the simulator's --pace times its own replies).
WIRE_TIME_OF_A_WRITE = "ack-late=*:139"
# The simulator and the terminal (q4k) run ahead of other work on a busy machine: a paced byte that
# came late would look like the end of a reply.
AHEAD_OF_OTHER_WORK = ["nice", "-n", "-15"]
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


def without_interface(data):
    """A configuration of a device without an interface configuration: "$PBC" announces none, and the
    records 80-9F are gone. The console labels a restore's one bar with the text of its last part, so
    a picture of an interface restore would read as if all its records were interface records."""
    records = [data[at:at + RECORD_LEN] for at in range(0, len(data), RECORD_LEN)]
    kept = []
    for record in records:
        address = record[2:4]
        if address == b"BC":
            record = record[:6] + b"00" + record[8:]
        if not b"80" <= address <= b"9F":
            kept.append(record)
    return b"".join(kept)


def template_bytes():
    """A new base configuration: the first vehicle's with one record beyond the settings changed."""
    data = without_interface(GOLDEN_BACKUP.read_bytes())
    at = data.index(b"$P20") + 4
    return data[:at] + b"1234" + data[at + 4:]


class Simulator:
    """q4sim on a pseudo-terminal of its own; `pty` is its path."""

    def __init__(self, sim, folder, name, image=None):
        args = AHEAD_OF_OTHER_WORK + [str(sim), "--log", str(folder / ("%s.log" % name)), "--pace", "--fault", WIRE_TIME_OF_A_WRITE]
        if image:
            args += ["--image", str(image)]
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


# Run by unshare in a new mount namespace: a /dev of its own (a tmpfs with the real one's nodes and
# pseudo-terminals bound in, and an empty /dev/serial/by-id), then the command given after the folder
# (its first argument) where the real /dev is seen from inside.
PRIVATE_DEV = r"""
set -e
real=$1
shift
mount --rbind /dev "$real"
mount -t tmpfs -o mode=755 tmpfs /dev
for node in null zero full random urandom tty; do
  touch "/dev/$node"
  mount --bind "$real/$node" "/dev/$node"
done
for dir in pts shm; do
  mkdir "/dev/$dir"
  mount --rbind "$real/$dir" "/dev/$dir"
done
# The multiplexer through the pseudo-terminals' own folder: a bound /dev/ptmx would find no pts beside it.
ln -s pts/ptmx /dev/ptmx
ln -s /proc/self/fd /dev/fd
mkdir -p /dev/serial/by-id
exec "$@"
"""


class Terminal:
    """A tmux server of its own, in a mount namespace with the adapter's by-id name, with one bash window
    of COLUMNS x ROWS."""

    def __init__(self, folder, bin_dir, real_dev):
        self.tmux = ["tmux", "-u", "-L", "q4k-picture-%d" % os.getpid()]
        env = dict(os.environ, TERM="xterm", LANG="C.UTF-8", PATH="%s:%s" % (bin_dir, os.environ["PATH"]),
                   PS1="$ ")
        env.pop("Q4K_PORT", None)
        subprocess.run(AHEAD_OF_OTHER_WORK + ["unshare", "--mount", "--propagation", "private", "sh", "-c", PRIVATE_DEV, "sh",
                        str(real_dev)] + self.tmux + ["new-session", "-d", "-s", "bild", "-x", str(COLUMNS),
                                                   "-y", str(ROWS), "-c", str(folder), "bash", "--norc",
                                                   "--noprofile"], check=True, env=env)
        server = subprocess.run(self.tmux + ["display-message", "-p", "#{pid}"], capture_output=True, text=True,
                                check=True).stdout.strip()
        # The namespace's /dev, seen from outside through the tmux server's root.
        self.by_id = Path("/proc/%s/root/dev/serial/by-id" % server)

    def point_port_at(self, pty):
        """The by-id link, replaced in one step so that q4k never finds it missing."""
        fresh = self.by_id / (BY_ID_NAME + ".new")
        fresh.unlink(missing_ok=True)
        fresh.symlink_to(pty)
        os.replace(fresh, self.by_id / BY_ID_NAME)

    def type(self, *keys):
        subprocess.run(self.tmux + ["send-keys", "-t", "bild"] + list(keys), check=True)

    def screen(self):
        return subprocess.run(self.tmux + ["capture-pane", "-p", "-t", "bild"], capture_output=True, text=True,
                              check=True).stdout

    def wait_for(self, predicate, seconds, what):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            shown = self.screen()
            if "Fehler" in shown:
                raise RolloutFailed("the rollout failed:\n%s" % shown)
            if predicate(shown):
                return shown
            time.sleep(0.2)
        raise RuntimeError("the terminal never showed %s:\n%s" % (what, self.screen()))

    def close(self):
        """Ends what still runs in the window (a q4k that waits for a device), by its process id, then
        the server."""
        panes = subprocess.run(self.tmux + ["list-panes", "-a", "-F", "#{pane_pid}"], capture_output=True,
                               text=True).stdout.split()
        running = [pid for pane in panes for pid in children_of(int(pane))]
        for sig in (signal.SIGTERM, signal.SIGKILL):
            for pid in running:
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + 3
            while time.monotonic() < deadline and any(os.path.exists("/proc/%d" % pid) for pid in running):
                time.sleep(0.1)
        subprocess.run(self.tmux + ["kill-server"], capture_output=True)


def children_of(parent):
    """The process ids whose parent is `parent`."""
    children = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/stat" % entry) as f:
                    fields = f.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            if int(fields[1]) == parent:
                children.append(int(entry))
    return children


def prompt_ready(screen):
    """The shell waits for a command: its prompt is the last line."""
    return screen.rstrip().splitlines()[-1:] == ["$"]


def restore_under_way(screen):
    """The second vehicle's restore between 40 and 80 per cent."""
    bars = RESTORE_BAR.findall(screen)
    return "erledigt" in screen and len(bars) == 2 and 0.4 <= int(bars[-1][0]) / int(bars[-1][1]) <= 0.8


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


class RolloutFailed(RuntimeError):
    pass


def take(q4k, sim, out, attempts=3):
    """Runs the rollout and saves the picture as `out`; returns its path. A busy machine can hold the
    paced simulator back for longer than the silence rule waits, and the rollout then fails: it is run
    again, up to `attempts` times."""
    for attempt in range(1, attempts + 1):
        try:
            return take_once(q4k, sim, out)
        except RolloutFailed as failure:
            if attempt == attempts:
                raise
            print("rollout picture, attempt %d: %s" % (attempt, failure))


def take_once(q4k, sim, out):
    with tempfile.TemporaryDirectory(prefix="q4k-rollout-picture-") as tmp:
        folder = Path(tmp)
        bin_dir = folder / "bin"
        bin_dir.mkdir()
        (bin_dir / "q4k").symlink_to(Path(q4k).resolve())
        work = folder / "werkstatt"
        work.mkdir()
        (work / "basis-2027.q4k").write_bytes(template_bytes())
        real_dev = folder / "dev"
        real_dev.mkdir()
        images = {}
        for name, source in (("erstes", GOLDEN_BACKUP), ("zweites", SECOND_VEHICLE)):
            images[name] = folder / ("%s.q4k" % name)
            images[name].write_bytes(without_interface(source.read_bytes()))
        first = Simulator(sim, folder, "erstes", image=images["erstes"])
        second = None
        terminal = None
        try:
            terminal = Terminal(work, bin_dir, real_dev)
            terminal.point_port_at(first.pty)
            for command in COMMANDS:
                terminal.wait_for(prompt_ready, 10, "the shell's prompt")
                terminal.type(command, "Enter")
            terminal.wait_for(lambda s: "Gerät abziehen" in s, 240, "the first vehicle done")
            second = Simulator(sim, folder, "zweites", image=images["zweites"])
            terminal.point_port_at(second.pty)
            first.stop()
            shown = terminal.wait_for(restore_under_way, 180, "the second vehicle's restore under way")
            terminal.type("C-c")
        finally:
            if terminal:
                terminal.close()
            first.stop()
            if second:
                second.stop()
    lines = [line.rstrip() for line in shown.splitlines()]
    while lines and not lines[-1]:
        lines.pop()
    render(lines + [""], out)
    return out

