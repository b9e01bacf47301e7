"""Q4_Backup.exe (or another program) started by the scenario's driver, and its windows."""

import time

from .waiting import WaitTimeout, wait_until
from .window import FileDialog, MessageBox, Window

MAIN_CAPTION = "Quendal 4 - Backup-Software"
DIALOG_CLASS = "#32770"


def _program_name(command_line):
    """The file name of the program a command line starts, for the last-resort clean-up."""
    if command_line.startswith('"'):
        path = command_line[1:].split('"', 1)[0]
    else:
        path = command_line.split(" ", 1)[0]
    return path.replace("\\", "/").rsplit("/", 1)[-1]


class App:
    """One running program, known by its Windows process id."""

    def __init__(self, driver, command_line, directory=None, main_caption=MAIN_CAPTION,
                 main_class=DIALOG_CLASS, timeout=15.0):
        self.driver = driver
        self.program = _program_name(command_line)
        args = [command_line] + ([directory] if directory else [])
        self.pid = driver.call("start", *args)["pid"]
        self.main = self.wait_window(main_caption, main_class, timeout) if main_caption else None

    # Windows of the program
    def find_window(self, caption="*", window_class=DIALOG_CLASS):
        hwnd = self.driver.call("find", window_class, caption, self.pid)["hwnd"]
        return Window(self.driver, hwnd) if hwnd else None

    def wait_window(self, caption="*", window_class=DIALOG_CLASS, timeout=5.0):
        """Waits for a visible top-level window of the program with this caption and class."""
        def found():
            if not self.running():
                raise WaitTimeout("program ended while waiting for window %r" % caption)
            return self.find_window(caption, window_class)

        return wait_until(found, timeout, what="window %r" % caption)

    def wait_no_window(self, caption, window_class=DIALOG_CLASS, timeout=5.0):
        wait_until(lambda: not self.find_window(caption, window_class), timeout, what="window %r to close" % caption)

    def windows(self):
        """Every top-level window of the program as dicts (hwnd, class, text, visible, owner)."""
        return self.driver.call("windows", self.pid)["windows"]

    def message_box(self):
        """The program's open message box, or None."""
        reply = self.driver.call("msgbox", self.pid)
        return MessageBox(self.driver, reply) if reply["hwnd"] else None

    def wait_message_box(self, timeout=5.0, icon_timeout=1.0):
        """Waits for a message box. Its icon is told from screen pixels, so a box caught before it
        has painted itself shows "unknown": such a box is read again for up to `icon_timeout`."""
        box = wait_until(self.message_box, timeout, what="a message box")
        deadline = time.monotonic() + icon_timeout
        while box.icon == "unknown" and time.monotonic() < deadline:
            time.sleep(0.05)
            box = self.message_box() or box
        return box

    def file_dialog(self):
        reply = self.driver.call("filedialog", self.pid)
        return FileDialog(self.driver, reply) if reply["hwnd"] else None

    def wait_file_dialog(self, timeout=5.0):
        return wait_until(self.file_dialog, timeout, what="a file dialog")

    # The process
    def running(self):
        return self.driver.call("alive", self.pid)["alive"]

    def exit_code(self):
        """The exit code once the program has ended, else None."""
        reply = self.driver.call("wait", self.pid, 0)
        return reply["code"] if reply["exited"] else None

    def wait_exit(self, timeout=5.0):
        """Waits for the program to end and returns its exit code."""
        deadline = time.monotonic() + timeout
        while True:
            # Short waits inside the driver, so that no single reply takes long.
            remaining = max(0.0, deadline - time.monotonic())
            reply = self.driver.call("wait", self.pid, int(min(remaining, 1.0) * 1000))
            if reply["exited"]:
                return reply["code"]
            if remaining <= 0:
                raise WaitTimeout("program still running after %.1f s" % timeout)

    def kill(self):
        if self.running():
            self.driver.call("kill", self.pid)
