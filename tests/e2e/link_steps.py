"""Steps shared by the device link scenarios: the simulator on several COM ports,
the saved port choice, and the identification as the main window shows it."""

import os
import tty

from harness import APP_KEY, expect_equal, expect_false, expect_true, wait_until
from harness.main_window import (DEVICE_INFO, DEVICE_TO_FILE, FILE_TO_DEVICE, IDENTIFIED_POSITION, NO_DEVICE,
                                 PORT_LIST, PROGRESS, QUERY, STATUS)

PREV_COM = "PrevCOM"


def device_path(port):
    """The Windows device path of a port link name: "com7" gives \\\\.\\COM7."""
    return "\\\\.\\" + port.upper()


def sim_ident(*lines, before=""):
    """An identification reply as the simulator's --ident and "ident" take it (CR written as \\r)."""
    return before + "\\r".join(lines)


def labelled(software, version, option):
    """What the main window shows for a reply of these three lines."""
    return "Software: %s\rVersion:\t    %s\rOption:\t    %s" % (software, version, option)


def link_ports(case, line, ports):
    """Links COM ports of the prefix to a line (a pseudo-terminal's path); the next scenario unlinks them."""
    for port in ports:
        link = case.session.port_link(port)
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(line, link)


class SilentPort:
    """A pseudo-terminal on which nothing answers, keeping every byte the program writes to it.

    Use it in a with-block; link it as ports that must be free but hold no device.
    """

    def __init__(self):
        self._master, self._slave = os.openpty()
        # Raw, so that the line neither echoes the query back nor changes its bytes;
        # the slave end stays open here so that the master never reads a hang-up.
        tty.setraw(self._slave)
        os.set_blocking(self._master, False)
        self.path = os.ttyname(self._slave)
        self._received = b""

    def received(self):
        while True:
            try:
                chunk = os.read(self._master, 4096)
            except BlockingIOError:
                break
            if not chunk:
                break
            self._received += chunk
        return self._received

    def queries(self):
        return self.received().count(b"$PROGSTART\x01")

    def close(self):
        os.close(self._master)
        os.close(self._slave)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


# The saved port choice
def saved_port(case):
    return case.registry.query(APP_KEY, PREV_COM)


def save_port(case, path):
    case.registry.set(APP_KEY, PREV_COM, path)


def wait_saved_port(case, expected, timeout=3.0):
    wait_until(lambda: saved_port(case) == expected, timeout, what="%s = %r" % (PREV_COM, expected))


def expect_port_list(app, items, selection):
    combo = app.main.combo(PORT_LIST)
    expect_equal(combo.items, items, "port list")
    expect_equal(combo.selection, selection, "selected port")


# The identification
def queries(sim):
    """Times (ms since the simulator started) of the identification queries it received."""
    return [ms for ms, command in sim.log() if command == QUERY]


def wait_device_text(app, expected, timeout=3.0):
    wait_until(lambda: app.main.text(DEVICE_INFO) == expected, timeout, what="device information %r" % expected)


def expect_buttons(app, enabled):
    check = expect_true if enabled else expect_false
    check(app.main.enabled(FILE_TO_DEVICE), "1004 enabled")
    check(app.main.enabled(DEVICE_TO_FILE), "1005 enabled")


def expect_progress(app, position):
    expect_equal(app.main.progress(PROGRESS).pos, position, "progress position")


def expect_identified(app, text, timeout=3.0):
    wait_device_text(app, text, timeout)
    expect_buttons(app, True)
    expect_progress(app, IDENTIFIED_POSITION)


def expect_no_device(app, timeout=3.0):
    wait_device_text(app, NO_DEVICE, timeout)
    expect_buttons(app, False)
    expect_progress(app, 0)
    expect_equal(app.main.text(STATUS), "", "status line")



def expect_identified_without_box(app, text, timeout):
    """`expect_identified`, failing at once on a message box meanwhile."""
    def identified():
        expect_equal(app.message_box(), None, "message box while the port is looked for")
        return app.main.text(DEVICE_INFO) == text

    wait_until(identified, timeout, what="device information %r" % text)
    expect_identified(app, text, 0.1)
