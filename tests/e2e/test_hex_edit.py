"""Scenarios of the hex edit field, hosted alone in q4host.exe (built beside the
driver): characters and keys posted through the host's message loop, Convert by
menu command, by message and from the real context menu, and Ctrl+V / Ctrl+X typed
through the input queue, since a posted key carries no Ctrl state.

Scenarios marked for the editor run a second time (name ending in "_in_editor") on the
configuration editor's quick-change identifier field 110, emptied after a load."""

from harness import WaitTimeout, expect_equal, wait_until
from harness.editor_window import QUICK_IDS
from editor_steps import load_golden, start_editor

HOST_CAPTION = "Q4 Hex Host"
DIALOG_CLASS = "#32770"
MENU_CLASS = "#32768"
FIELD = 109
EM_SETSEL = 0x00B1
WM_COMMAND = 0x0111
WM_CONTEXTMENU = 0x007B
WM_PASTE = 0x0302
WM_HEXEDIT_CONVERT = 0x0B01
ID_HEXEDIT_CONVERT = 0x0B01


def start_host(case):
    """The host program and its hex field."""
    host_exe = case.session.driver_exe.parent / "q4host.exe"
    host = case.start_program(case.windows_path(host_exe), HOST_CAPTION, DIALOG_CLASS)
    return host, host.main.control(FIELD)


def start_editor_field(case):
    """The program with the golden backup loaded in its editor, and quick-change field 110 emptied."""
    _, app, editor = start_editor(case)
    load_golden(case, app, editor)
    field = editor.control(QUICK_IDS[0])
    field.set_text("")
    return app, field


PLACES = {"": start_host, "_in_editor": start_editor_field}


def scenario(*places):
    """Registers body(case, program, field) as test_<name> on the host's field and, with "editor"
    among `places`, also as test_<name>_in_editor on the editor's field."""
    def register(body):
        for suffix, start in PLACES.items():
            if suffix and "editor" not in places:
                continue

            def test(case, body=body, start=start):
                body(case, *start(case))

            test.__name__ = "test_" + body.__name__ + suffix
            globals()[test.__name__] = test
        return body

    return register


def put(field, text, start, end=None):
    """Sets the text and the selection at once (sent, so both are in place on return)."""
    field.set_text(text)
    field.driver.call("send", field.ref, EM_SETSEL, start, start if end is None else end)


def then_type_at_end(field, ch):
    """Posts a caret move to the end and an accepted character behind whatever was
    posted before: once it shows, the earlier messages have been handled too."""
    field.driver.call("post", field.ref, EM_SETSEL, 99, 99)
    field.chars(ch)


def expect_text(field, expected, what):
    """Waits for posted messages to take effect; a failure shows the text there is."""
    try:
        wait_until(lambda: field.text() == expected, 5)
    except WaitTimeout:
        expect_equal(field.text(), expected, what)


@scenario("editor")
def typing_lets_in_hex_digits_only_in_upper_case(case, program, field):
    # Refused: 'x' at the start of an empty field, 'g', '-' and a space.
    field.chars("x1ag- b")
    expect_text(field, "1AB", "typing 'x1ag- b' into the empty field")


@scenario("editor")
def x_behind_a_leading_zero_becomes_the_prefix(case, program, field):
    put(field, "0", 1)
    field.chars("X1f")
    expect_text(field, "0x1F", "typing 'X1f' behind '0'")


@scenario()
def nothing_is_typed_in_front_of_or_inside_the_prefix(case, program, field):
    for caret in (0, 1):
        put(field, "0x1F", caret)
        field.chars("5Ax")
        then_type_at_end(field, "7")
        expect_text(field, "0x1F7", "typing with the caret at %d" % caret)


@scenario()
def the_zero_of_the_prefix_cannot_be_deleted_alone(case, program, field):
    put(field, "0x1F", 0)
    field.key("delete")
    then_type_at_end(field, "7")
    expect_text(field, "0x1F7", "Delete at 0")

    put(field, "0x1F", 1)
    field.chars("\b")
    then_type_at_end(field, "7")
    expect_text(field, "0x1F7", "Backspace at 1")

    # The 'x' itself may go.
    put(field, "0x1F", 2)
    field.chars("\b")
    expect_text(field, "01F", "Backspace at 2")


@scenario()
def typing_over_the_selected_prefix_replaces_it(case, program, field):
    put(field, "0x1F", 0, 2)
    field.chars("A")
    expect_text(field, "A1F", "typing 'A' over the selected '0x'")


@scenario("editor")
def convert_command_turns_the_text_back_and_forth(case, program, field):
    put(field, "0xC", 3)
    # The menu's Convert command as the menu delivers it: WM_COMMAND to the field.
    field.driver.call("post", field.ref, WM_COMMAND, ID_HEXEDIT_CONVERT, 0)
    expect_text(field, "12", "Convert of '0xC'")
    field.driver.call("post", field.ref, WM_COMMAND, ID_HEXEDIT_CONVERT, 0)
    expect_text(field, "0xC", "Convert of '12'")


@scenario()
def convert_message_follows_the_form_of_the_text(case, program, field):
    # Typed text: its form comes from the text update after typing.
    field.chars("1f")
    expect_text(field, "1F", "typing '1f'")
    for before, after in (("1F", "31"), ("31", "0x1F"), ("0x1F", "31")):
        expect_equal(field.text(), before, "text before Convert")
        field.driver.call("send", field.ref, WM_HEXEDIT_CONVERT)
        expect_equal(field.text(), after, "Convert of %r" % before)
    put(field, "10", 2)
    field.driver.call("send", field.ref, WM_HEXEDIT_CONVERT)
    expect_equal(field.text(), "0xA", "Convert of '10'")


@scenario("editor")
def convert_from_the_context_menu(case, program, field):
    put(field, "0xC", 3)
    left, top, _, _ = field.rect()
    point = ((top + 5) << 16) | (left + 5)
    field.driver.call("post", field.ref, WM_CONTEXTMENU, 0, point)
    wait_until(lambda: program.find_window("*", MENU_CLASS), 5, what="the context menu")
    case.screenshot("context-menu.png")
    field.send_keys("v")
    expect_text(field, "12", "Con&vert chosen in the menu")


@scenario()
def ctrl_v_of_refused_clipboard_text_changes_nothing(case, program, field):
    for clip in ("12G", "0x3"):
        put(field, "12", 2)
        case.driver.call("setclip", clip)
        field.send_keys("ctrl+v")
        field.send_text("7")
        expect_text(field, "127", "Ctrl+V of %r behind '12', then '7'" % clip)


@scenario("editor")
def ctrl_v_pastes_acceptable_text_unchanged(case, program, field):
    put(field, "34", 0, 2)
    case.driver.call("setclip", "0x12")
    field.send_keys("ctrl+v")
    expect_text(field, "0x12", "Ctrl+V of '0x12' over the whole text")

    put(field, "", 0)
    case.driver.call("setclip", "ff")
    field.send_keys("ctrl+v")
    expect_text(field, "ff", "Ctrl+V of 'ff'")
    # Lower-case "ff" counts as decimal and holds no decimal digit.
    field.driver.call("send", field.ref, WM_HEXEDIT_CONVERT)
    expect_equal(field.text(), "0x0", "Convert of 'ff'")


@scenario()
def shift_insert_and_wm_paste_pass_the_same_paste_check(case, program, field):
    for clip in ("12G", "0x3"):
        put(field, "12", 2)
        case.driver.call("setclip", clip)
        field.send_keys("shift+insert")
        field.driver.call("send", field.ref, WM_PASTE)
        field.send_text("7")
        expect_text(field, "127", "Shift+Insert and WM_PASTE of %r behind '12', then '7'" % clip)

    put(field, "12", 2)
    case.driver.call("setclip", "3a")
    field.send_keys("shift+insert")
    expect_text(field, "123a", "Shift+Insert of '3a' behind '12'")
    field.driver.call("send", field.ref, WM_PASTE)
    expect_text(field, "123a3a", "WM_PASTE of '3a' at the end")


@scenario("editor")
def ctrl_x_spares_the_zero_of_the_prefix(case, program, field):
    case.driver.call("setclip", "-")
    put(field, "0x1F", 0, 1)
    field.send_keys("ctrl+x", "end")
    field.send_text("7")
    expect_text(field, "0x1F7", "Ctrl+X of the '0' alone, then '7' at the end")
    expect_equal(case.driver.call("getclip")["text"], "-", "clipboard after the refused Ctrl+X")

    put(field, "0x1F", 0, 2)
    field.send_keys("ctrl+x")
    expect_text(field, "1F", "Ctrl+X of '0x'")
    expect_equal(case.driver.call("getclip")["text"], "0x", "clipboard after Ctrl+X of '0x'")
