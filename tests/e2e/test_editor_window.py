"""Scenarios of the configuration editor's window ("Erweitert..."): where it opens, what it
shows and enables before and after a load, loads that must be refused and leave it as the
last completed load left it, later loads, the help box, closing, and a long source path."""

from harness import expect_equal, expect_false, expect_true, wait_until
from harness.editor_window import (
    APP_NAME, APPEND_OWN_ID, AUTO_TRANSFER, ERROR_CAPTION, FILE_ERROR_ICON, HELP, HELP_CAPTION, HELP_TEXT, INVALID_ARGUMENT,
    LEAVE, NAME_LIMIT, NAMES, NO_FOLDER, NO_SOURCE, OPEN, READ_GROUPS, SAVE_AND_SEND, SOURCE_PATH, TEXTS, UNSUITABLE,
    cancel_file_dialog,
    choose_destination, controls, leave, load, open_editor, set_check, shown, too_long,
)
from editor_steps import (
    a0_file, a2_without_p80, expect_box, expect_enabled, expect_loaded, expect_placement, expected_enabled,
    golden, height, inside, is_shortened_form, load_golden, move_main, p07_last, screen_facts,
    short_path_copy, start_editor, ten_records_and_tail, too_large, type_into, width, without_p06, work_area, write,
)

LAPTOP_SCREEN = (1366, 768)
REFUSED = [
    # (file name, contents, what the program says)
    ("empty.q4k", b"", "unsuitable"),
    ("without-p06.q4k", without_p06(), "unsuitable"),
    ("a2-without-p80.q4k", a2_without_p80(), "unsuitable"),
    ("p07-last.q4k", p07_last(), "invalid"),
    ("too-large.q4k", too_large(), "unsuitable"),
]


def test_main_window_starts_centred_and_the_editor_opens_wholly_on_a_laptop_screen_with_open_help_leave_enabled(case):
    app = case.app()
    screen = screen_facts(app)
    expect_equal(screen[:2], LAPTOP_SCREEN, "screen size of the test display")
    app.main.paint()
    main_before = app.main.rect()
    work = work_area(app)
    centred = ((work[0] + work[2] - width(main_before)) // 2, (work[1] + work[3] - height(main_before)) // 2)
    expect_equal(main_before[:2], centred, "main window's start position, centred on the work area")
    editor = open_editor(app)

    expect_placement(app, editor, "pair", main_before, "pair centred")
    for button in (SAVE_AND_SEND, LEAVE):
        expect_true(inside(editor.control(button).rect(), work), "button %d wholly on the screen" % button)
    expect_equal(editor.describe()["owner"], app.main.ref, "owner of the editor")
    expect_false(app.main.enabled(), "main window enabled while the editor is open")
    children = controls(editor)
    expect_equal({c: children[c]["text"] for c in TEXTS}, TEXTS, "control texts")
    values = shown(editor)
    expect_equal({k: v for k, v in values.items() if k != "enabled"}, {
        "source": NO_SOURCE, "own_id": "00000000", "quick_ids": ["00000000"] * 10, "names": [""] * 10,
        "role": "Master", "auto_transfer": False, "read_groups": False, "dest_name": "", "dest_folder": NO_FOLDER,
        "append_own_id": False, "use_source": False,
    }, "values right after opening")
    expect_enabled(editor, expected_enabled(False), "right after opening")


def test_editor_opens_right_of_below_or_centred_over_a_moved_main_window(case):
    app = case.app()
    sw, sh, frame = screen_facts(app)
    editor = open_editor(app)
    w, h = width(editor.rect()), height(editor.rect())
    leave(editor)
    main = app.main.rect()
    mw, mh = width(main), height(main)
    right_limit = sw - frame - (w + 2 * frame)  # rightmost main-window edge that leaves room on its right
    bottom_limit = sh - frame - (h + 2 * frame)  # lowest bottom edge that leaves room below
    places = [
        ("right of it", "right", right_limit - mw, 0),
        ("right of it, pulled up to the screen", "right", right_limit - mw, sh - mh - 10),
        ("below it", "below", right_limit - mw + 10, bottom_limit - mh),
        ("below it, pulled left to the screen", "below", sw - mw - 10, bottom_limit - mh),
        ("centred over it", "over", (sw - mw) // 2 + 7, (sh - mh) // 2 + 5),
    ]
    for what, side, left, top in places:
        moved = move_main(app, left, top)
        expect_equal(moved[:2], (left, top), "main window moved for %r" % what)
        editor = open_editor(app)
        expect_placement(app, editor, side, moved, what)
        leave(editor)


def test_loading_the_golden_backup_shows_its_settings(case):
    _, app, editor = start_editor(case)
    load_golden(case, app, editor)
    # A short path is shown as it is.
    expect_equal(editor.text(SOURCE_PATH), "C:\\q4\\golden.q4k", "source path shown")


def test_refused_loads_leave_the_editor_as_the_last_completed_load_left_it(case):
    _, app, editor = start_editor(case)
    # Before any completed load: the editor stays as it opened.
    initial = shown(editor)
    load(case, app, editor, write(case, "without-p06.q4k", without_p06()))
    expect_box(app, ERROR_CAPTION, UNSUITABLE, "error", owner=app.main).press("OK")
    expect_equal(shown(editor), initial, "editor after a refused first load")

    load_golden(case, app, editor)
    # Edits not saved yet: a name typed, a TETRA option cleared.
    type_into(editor, NAMES[0], "Probe")
    set_check(editor, READ_GROUPS, False)
    before = shown(editor)

    editor.click(OPEN)
    cancel_file_dialog(app)
    expect_equal(shown(editor), before, "editor after the cancelled open dialog")

    for name, data, kind in REFUSED:
        load(case, app, editor, write(case, name, data))
        if kind == "unsuitable":
            box = expect_box(app, ERROR_CAPTION, UNSUITABLE, "error", owner=app.main)
        else:
            box = expect_box(app, APP_NAME, INVALID_ARGUMENT, "error")
        box.press("OK")
        expect_equal(shown(editor), before, "editor after refusing %s" % name)

    missing = case.artifacts / "missing.q4k"
    load(case, app, editor, missing)
    expect_box(app, APP_NAME, "%s was not found." % case.windows_path(missing), FILE_ERROR_ICON).press("OK")
    expect_equal(shown(editor), before, "editor after the missing file")


def test_later_loads_replace_settings_and_destination_and_a0_disables_the_tetra_options(case):
    _, app, editor = start_editor(case)
    load_golden(case, app, editor)
    expect_true(all(editor.enabled(c) for c in (AUTO_TRANSFER, READ_GROUPS)), "TETRA options enabled after 'A1'")
    type_into(editor, NAMES[0], "Probe")
    # A destination chosen before: a completed load clears it again.
    choose_destination(case, app, editor, case.artifacts / "ziel.q4k")
    expect_enabled(editor, expected_enabled(True, True, destination=True), "destination chosen")
    set_check(editor, APPEND_OWN_ID, True)

    _, a0_path = short_path_copy(case, "a0.q4k", a0_file())
    load(case, app, editor, a0_path)
    expect_loaded(editor, "a0", a0_path, "'A0' after 'A1'")

    # Ten records and 50 bytes of a "$PBC" with 'A2': the piece is ignored, so no TETRA settings.
    _, tail_path = short_path_copy(case, "tail.q4k", ten_records_and_tail())
    load(case, app, editor, tail_path)
    expect_loaded(editor, "ten_records_and_tail", tail_path, "ten records and a 50-byte tail")


def test_help_box(case):
    _, app, editor = start_editor(case)
    editor.click(HELP)
    expect_box(app, HELP_CAPTION, HELP_TEXT, "information", owner=editor).press("OK")
    expect_true(editor.exists() and editor.enabled(), "editor open and usable after the help box")


def test_esc_verlassen_and_enter_close_the_editor(case):
    app = case.app()
    editor = open_editor(app)
    editor.key("esc")
    editor.wait_gone()
    wait_until(app.main.enabled, 2, what="main window enabled again")

    leave(open_editor(app))
    wait_until(app.main.enabled, 2, what="main window enabled again")

    editor = open_editor(app)
    load_golden(case, app, editor)
    # The limit stops typing only; text put into the field can be longer.
    editor.control(NAMES[2]).set_text("A" * (NAME_LIMIT + 1))
    editor.key("return", control=NAMES[2])
    expect_box(app, APP_NAME, too_long(NAME_LIMIT), "warning").press("OK")
    expect_true(editor.exists(), "editor still open after Enter with an over-long name")
    expect_equal(editor.focus_info()["focus"], controls(editor)[NAMES[2]]["hwnd"], "focus on the over-long field")
    editor.control(NAMES[2]).set_text("A" * NAME_LIMIT)
    editor.key("return", control=NAMES[2])
    editor.wait_gone()
    wait_until(app.main.enabled, 2, what="main window enabled again")
    expect_true(app.running(), "program running after the editor closed")


def test_long_source_path_is_shortened_with_dots(case):
    _, app, editor = start_editor(case)
    folders = "Konfigurationen/Leitstelle-Nord/Fahrzeuge-2026/Rettungswagen-Sued/Sicherungen"
    path = write(case, "golden.q4k", golden(), folders)
    full = case.windows_path(path)
    load(case, app, editor, path)
    text = editor.text(SOURCE_PATH)
    expect_true(is_shortened_form(text, full), "%r a shortened form of %r" % (text, full))
    expect_true(text.startswith("Z:\\") and text.endswith("\\Sicherungen\\golden.q4k"),
                "drive, last folder and file name kept in %r" % text)
    expect_loaded(editor, "golden_backup", text, "golden backup from a long path")
