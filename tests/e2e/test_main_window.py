"""Scenarios of the main window: caption, buttons, device text with no device,
the help window, and the ways the program ends while idle."""

from harness import IDCANCEL, MAIN_CAPTION, expect_equal, expect_false, wait_until
from harness.main_window import (ADVANCED, DEVICE_INFO, DEVICE_TO_FILE, EXIT, FILE_TO_DEVICE, HELP, INFO_COMMAND,
                                 NO_DEVICE, QUERY)

BUTTONS = {
    FILE_TO_DEVICE: "Datei -> Quendal 4",
    DEVICE_TO_FILE: "Quendal 4 -> Datei",
    HELP: "Hilfe...",
    ADVANCED: "Erweitert...",
    EXIT: "Beenden",
}
HELP_CAPTION = "Hilfe"
HELP_VERSION = "Quendal 4 - Backup-Software    Version 1.05"
HELP_OK = 1


def start_without_device(case):
    """The program with a simulator that never answers, so no device is identified."""
    sim = case.simulator(fault="silent")
    return sim, case.app()


def help_window_texts(app):
    window = app.wait_window(HELP_CAPTION)
    return window, [(c["class"], c["text"]) for c in window.children() if c["class"] != "Static" or c["text"]]


def test_caption(case):
    _, app = start_without_device(case)
    expect_equal(app.main.text(), MAIN_CAPTION, "caption")


def test_button_texts(case):
    _, app = start_without_device(case)
    for control, text in BUTTONS.items():
        expect_equal(app.main.text(control), text, "text of button %d" % control)


def test_transfer_buttons_disabled_at_start(case):
    _, app = start_without_device(case)
    expect_false(app.main.enabled(FILE_TO_DEVICE), "1004 enabled")
    expect_false(app.main.enabled(DEVICE_TO_FILE), "1005 enabled")


def test_device_text_without_device(case):
    sim, app = start_without_device(case)
    # After a query went unanswered, the text must still say that no device is connected.
    wait_until(lambda: sim.count(QUERY) >= 1, 5, what="an identification query")
    expect_equal(app.main.text(DEVICE_INFO), NO_DEVICE, "device information")
    expect_false(app.main.enabled(FILE_TO_DEVICE), "1004 enabled")
    expect_false(app.main.enabled(DEVICE_TO_FILE), "1005 enabled")


def test_help_button_opens_help_window(case):
    _, app = start_without_device(case)
    app.main.click(HELP)
    window, texts = help_window_texts(app)
    if ("Static", HELP_VERSION) not in texts:
        raise AssertionError("help window shows no %r: %r" % (HELP_VERSION, texts))
    window.click(HELP_OK)
    app.wait_no_window(HELP_CAPTION)
    expect_equal(app.running(), True, "program running after the help window closed")


def test_system_menu_item_opens_same_help_window(case):
    _, app = start_without_device(case)
    app.main.click(HELP)
    window, by_button = help_window_texts(app)
    window.click(HELP_OK)
    app.wait_no_window(HELP_CAPTION)
    app.main.syscommand(INFO_COMMAND)
    window, by_menu = help_window_texts(app)
    expect_equal(by_menu, by_button, "help window controls from the system menu")
    window.click(HELP_OK)
    app.wait_no_window(HELP_CAPTION)


def test_beenden_ends_program(case):
    _, app = start_without_device(case)
    app.main.click(EXIT)
    app.wait_exit(5)


def test_close_box_ends_program_when_idle(case):
    _, app = start_without_device(case)
    app.main.syscommand("close")
    app.wait_exit(5)


def test_escape_key_ends_program_when_idle(case):
    _, app = start_without_device(case)
    app.main.key("esc")
    app.wait_exit(5)


def test_cancel_command_ends_program_when_idle(case):
    _, app = start_without_device(case)
    app.main.command(IDCANCEL)
    app.wait_exit(5)
