"""Python faces of the program's windows, each bound to the scenario's driver.

Controls are named by their id: window.text(1003) reads control 1003 of the
window, window.text() the window's own caption.
"""

from collections import namedtuple

from .waiting import wait_until

IDOK = 1
IDCANCEL = 2
SC_CLOSE = 0xF060

Progress = namedtuple("Progress", "pos min max")
Combo = namedtuple("Combo", "items selection text dropped")


class Window:
    def __init__(self, driver, ref):
        self.driver = driver
        self.ref = ref  # "0xHWND" or "0xHWND/ID"

    def __repr__(self):
        return "Window(%s)" % self.ref

    def _ref(self, control=None):
        return self.ref if control is None else "%s/%d" % (self.ref, control)

    def control(self, control):
        return Window(self.driver, self._ref(control))

    # Reading
    def exists(self):
        return self.driver.call("exists", self.ref)["exists"]

    def text(self, control=None):
        return self.driver.call("text", self._ref(control))["text"]

    def enabled(self, control=None):
        return self.driver.call("enabled", self._ref(control))["enabled"]

    def visible(self, control=None):
        return self.driver.call("visible", self._ref(control))["visible"]

    def describe(self, control=None):
        return self.driver.call("describe", self._ref(control))["window"]

    def children(self):
        """Every descendant as a dict: hwnd, id, class, text, enabled, visible, style."""
        return self.driver.call("children", self.ref)["children"]

    def rect(self):
        """(left, top, right, bottom) of the window in screen coordinates."""
        return tuple(self.driver.call("rect", self.ref)["window"])

    def progress(self, control):
        reply = self.driver.call("progress", self._ref(control))
        return Progress(reply["pos"], reply["min"], reply["max"])

    def combo(self, control):
        reply = self.driver.call("combo", self._ref(control))
        return Combo(reply["items"], reply["selection"], reply["text"], reply["dropped"])

    def focus_info(self):
        """focus, active, capture and foreground window handles of the window's thread."""
        return self.driver.call("guiinfo", self.ref)

    # Acting
    def click(self, control):
        """Clicks a button as a user would; fails when it is disabled or hidden."""
        self.driver.call("click", self._ref(control))

    def command(self, control, code=0, send=False):
        """WM_COMMAND from `control` with notification `code`, posted unless send."""
        self.driver.call("command", self.ref, control, code, "send" if send else "post")

    def syscommand(self, command):
        """Posts WM_SYSCOMMAND: a number or "close", "minimize", "restore", ..."""
        self.driver.call("syscommand", self.ref, command)

    def close(self):
        self.driver.call("close", self.ref)

    def move(self, x, y):
        """Moves the (top-level) window to screen position x, y, keeping its size; returns its new rect."""
        return tuple(self.driver.call("move", self.ref, x, y)["window"])

    def paint(self):
        """Has the window handle a pending WM_PAINT now, as it would before a user could act on it."""
        self.driver.call("paint", self.ref)

    def set_text(self, text, control=None):
        self.driver.call("settext", self._ref(control), text)

    def key(self, key, control=None, action="press"):
        """Posts WM_KEYDOWN/WM_KEYUP ("esc", "f4", "0x41"); held modifiers are not seen."""
        self.driver.call("key", self._ref(control), key, action)

    def chars(self, text, control=None):
        self.driver.call("chars", self._ref(control), text)

    def send_keys(self, *chords, control=None):
        """SendInput chords ("ctrl+v") to this window after focusing it; modifiers are real."""
        self.driver.call("sendkeys", self._ref(control), *chords)

    def send_text(self, text, control=None):
        self.driver.call("sendtext", self._ref(control), text)

    def focus(self, control=None):
        self.driver.call("focus", self._ref(control))

    def drop_down(self, control, show=True):
        """Opens or closes a combo's list; the combo notifies its parent as for a user."""
        self.driver.call("dropdown", self._ref(control), "show" if show else "hide")

    def select(self, control, index):
        self.driver.call("select", self._ref(control), index)

    def send(self, message, wparam=0, lparam=0):
        """Sends any message that carries no pointer and returns the answer."""
        return self.driver.call("send", self.ref, message, wparam, lparam)["result"]

    def post(self, message, wparam=0, lparam=0):
        self.driver.call("post", self.ref, message, wparam, lparam)

    def wait_gone(self, timeout=5.0):
        wait_until(lambda: not self.exists(), timeout, what="%r to close" % self)


class MessageBox(Window):
    """A message box as found by the driver: caption, text, icon and buttons."""

    def __init__(self, driver, reply):
        super().__init__(driver, reply["hwnd"])
        details = reply["details"]
        self.caption = details["caption"]
        self.message = details["text"]
        self.icon = details["icon"]  # error, warning, information, question, none, unknown
        self.buttons = [b["text"].replace("&", "") for b in details["buttons"]]
        self.owner = details["owner"]

    def __repr__(self):
        return "MessageBox(%r, %r, icon=%s, buttons=%s)" % (self.caption, self.message, self.icon, self.buttons)

    def press(self, button="OK"):
        """Presses a button by label ("OK", "Yes") or id."""
        self.driver.call("press", self.ref, button)
        self.wait_gone()


class FileDialog(Window):
    """An open or save dialog of the program."""

    def __init__(self, driver, reply):
        super().__init__(driver, reply["hwnd"])
        details = reply["details"]
        self.caption = details["caption"]
        self.name = details["name"]

    def choose(self, path):
        """Types a Windows path into the file name field and presses the OK button."""
        self.driver.call("choosefile", self.ref, path)

    def cancel(self):
        self.driver.call("press", self.ref, IDCANCEL)
        self.wait_gone()
