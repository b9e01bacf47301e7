"""Steps shared by the backup and restore scenarios: a program with an identified
device, file dialogs answered with paths, watching the status line, message boxes,
and the records of configuration files as the simulator's log shows them."""

import time
from pathlib import Path

from harness import WaitTimeout, expect_equal, expect_false, expect_true, wait_until
from harness.main_window import DEVICE_TO_FILE, END_COMMAND, EXIT, FILE_TO_DEVICE, PORT_LIST, PROGRESS, QUERY, STATUS

ROOT = Path(__file__).resolve().parent.parent.parent
GOLDEN_BACKUP = ROOT / "tests/golden/default_backup.q4k"

TRANSFER_CONTROLS = (PORT_LIST, FILE_TO_DEVICE, DEVICE_TO_FILE)
RECORD_LEN = 133
APP_NAME = "Q4_Backup"
BUSY_TEXT = "Bitte warten Sie zunächst das Ende des laufenden Prozesses ab."
IDENTIFY_TIMEOUT = 10.0


# Configuration files and the log
def records(data):
    """The complete 133-byte records of a file's bytes."""
    return [data[i:i + RECORD_LEN] for i in range(0, len(data) - RECORD_LEN + 1, RECORD_LEN)]


def address(record):
    return record[2:4].decode("ascii")


def as_logged(data):
    """Bytes as the simulator's log writes them: printable ASCII as is, others as <XX>."""
    return "".join(chr(b) if 0x20 <= b <= 0x7E else "<%02X>" % b for b in data)


def read_request(addr):
    return "$R%s<01>" % addr


def backup_requests():
    """Every request of a complete backup of a device whose "$PBC" record announces interface records."""
    main = ["%02X" % k for k in range(0x01, 0x80)]
    interface = ["%02X" % k for k in range(0x80, 0xA0)]
    return [read_request(a) for a in main + ["BC"] + interface]


def transfer_commands(sim, since=0):
    """Commands the simulator received from log entry `since` on, identification queries left out."""
    return [c for c in sim.commands()[since:] if c != QUERY]


def wait_for_command(sim, command, since=0, timeout=5.0):
    """Waits until the simulator has received `command` (from log entry `since` on)."""
    wait_until(lambda: command in sim.commands()[since:], timeout, what="command %r" % command)


def count_queries(sim):
    return sim.count(QUERY)


def wait_for_query(sim, timeout=5.0):
    """Waits until the identification has sent a further query: it ticks again, so no transfer runs."""
    before = count_queries(sim)
    wait_until(lambda: count_queries(sim) > before, timeout, what="a further identification query")


# The program
def start_with_device(case, **sim_options):
    """The simulator (options as Simulator takes them) and the program, once it has identified the device."""
    sim = case.simulator(**sim_options)
    app = case.app()
    wait_until(lambda: app.main.enabled(DEVICE_TO_FILE), IDENTIFY_TIMEOUT, what="the device to be identified")
    return sim, app


def choose_in_file_dialog(case, app, path):
    dialog = app.wait_file_dialog()
    dialog.choose(case.windows_path(path))
    dialog.wait_gone()


def click_when_enabled(app, button):
    """Clicks as a user would: once the button is usable (a worker enables it just after its final status)."""
    wait_until(lambda: app.main.enabled(button), 5.0, what="button %d to be enabled" % button)
    app.main.click(button)


def start_backup(case, app, path):
    """Clicks "Quendal 4 -> Datei" and names `path` in the save dialog, confirming the replacement
    of an existing file."""
    click_when_enabled(app, DEVICE_TO_FILE)
    if path.exists():
        choose_replacing(case, app, path)
    else:
        choose_in_file_dialog(case, app, path)


def choose_replacing(case, app, path):
    """Names the existing `path` in a save dialog and confirms the dialog's prompt to replace it."""
    dialog = app.wait_file_dialog()
    dialog.choose(case.windows_path(path))
    app.wait_message_box().press("Yes")
    dialog.wait_gone()


def folder_listing(path):
    """Name and contents of every file in the folder of `path`."""
    return {p.name: p.read_bytes() for p in path.parent.iterdir() if p.is_file()}


def start_restore(case, app, path):
    """Clicks "Datei -> Quendal 4" and names `path` in the open dialog."""
    click_when_enabled(app, FILE_TO_DEVICE)
    choose_in_file_dialog(case, app, path)


def status(app):
    return app.main.text(STATUS)


def wait_status(app, text, timeout=10.0):
    wait_until(lambda: status(app) == text, timeout, what="status %r" % text)


def transfer_controls_enabled(app):
    return tuple(app.main.enabled(c) for c in TRANSFER_CONTROLS)


def expect_transfer_controls(app, enabled):
    """The controls reach the state within a moment: a worker changes them just after its final status."""
    expected = (enabled,) * len(TRANSFER_CONTROLS)
    try:
        wait_until(lambda: transfer_controls_enabled(app) == expected, 2.0, what="transfer controls")
    except WaitTimeout:
        pass
    expect_equal(transfer_controls_enabled(app), expected, "enabled states of port list, 1004, 1005")


def consistent_snapshot(app):
    """(status, progress, controls enabled), read again until the status did not change meanwhile:
    the workers set the status before they touch the controls, so the parts then belong together."""
    while True:
        text = status(app)
        snapshot = (text, app.main.progress(PROGRESS), transfer_controls_enabled(app))
        if status(app) == text:
            return snapshot


def watch_until_status(app, final_text, timeout, interval=0.02):
    """Polls status, progress and control states until the status reads `final_text`.

    Returns the distinct snapshots seen in order, each (status, progress, controls enabled).
    """
    seen = []
    deadline = time.monotonic() + timeout
    while True:
        snapshot = consistent_snapshot(app)
        if not seen or seen[-1] != snapshot:
            seen.append(snapshot)
        if snapshot[0] == final_text:
            return seen
        box = app.message_box()
        if box:
            raise AssertionError("unexpected message box %r (status %r)" % (box, snapshot[0]))
        if time.monotonic() >= deadline:
            raise AssertionError("status did not reach %r within %.0f s; last %r" % (final_text, timeout, snapshot))
        time.sleep(interval)


def statuses_seen(snapshots):
    """The status texts of the snapshots in order, repeats and leading empty texts left out."""
    texts = []
    for text, _, _ in snapshots:
        if (text or texts) and (not texts or texts[-1] != text):
            texts.append(text)
    return texts


def expect_message_box(app, caption, text, icon, timeout=10.0):
    """Waits for the program's message box, checks it and the disabled main window, and returns it."""
    box = app.wait_message_box(timeout)
    expect_equal((box.caption, box.message, box.icon, box.buttons), (caption, text, icon, ["OK"]),
                 "message box (caption, text, icon, buttons)")
    expect_false(app.main.enabled(), "main window enabled while its message box is open")
    return box


def expect_close_refused(app, attempt):
    """Runs one way of closing the main window and expects the waiting message instead."""
    attempt()
    box = expect_message_box(app, APP_NAME, BUSY_TEXT, "information")
    box.press("OK")
    expect_true(app.running() and app.main.exists(), "program still open after the waiting message")


def closing_attempts(app):
    """The close box, Esc and "Beenden", each as (name, action)."""
    return [
        ("close box", lambda: app.main.syscommand("close")),
        ("Esc", lambda: app.main.key("esc")),
        ("Beenden", lambda: app.main.click(EXIT)),
    ]
