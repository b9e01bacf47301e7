"""Scenarios of the editor's "Speichern und an Q4 senden": the edited golden backup written
to a chosen destination with the own identifier appended, sent, and read back from the
device; the source file as destination, after a refused load, with a second click while it
is sent; identifiers with lower-case digits saved as loaded; identifier fields left with a
wrong length; saves that must write and send nothing; and a read-only file that neither the
backup nor the save replaces."""

import stat
import time

from harness import expect_equal, expect_false, expect_true, wait_until
from harness.editor_window import (
    APP_NAME, APPEND_OWN_ID, AUTO_TRANSFER, BUSY, CHOOSE_DEST, DEST_FOLDER, DEST_NAME, ERROR_CAPTION,
    FILE_ERROR_ICON, NAMES, NO_DEVICE, OWN_ID, OWN_ID_LENGTH, QUICK_IDS, READ_GROUPS, SAVE_AND_SEND, UNSUITABLE,
    USE_SOURCE, cancel_file_dialog, choose_destination, click_when_enabled, leave, load, open_editor, quick_id_length,
    set_check, set_role, shown,
)
from editor_steps import (
    BACKUP_DONE, GOLDEN_PATCHED, RESTORE_DONE, RESTORE_RUNNING, TRANSFER_TIMEOUT, expect_box, expect_destination,
    expect_enabled, expected_enabled, golden, load_golden, start_editor, type_into, with_chars, without_record, write,
)
from transfer_steps import (
    END_COMMAND, as_logged, choose_replacing, folder_listing, records, start_backup, start_with_device, status,
    transfer_commands, wait_for_command, wait_for_query, wait_status,
)

# The framework's file message for an empty path (which it calls "an unnamed file").
EMPTY_PATH_ERROR = "an unnamed file contains an invalid path."
DISABLE_LIMIT = 0.1  # seconds from the restore's first record until 1015 is disabled (a 50 ms tick and polling)


def paste_into(case, field, text):
    """Replaces a field's text by pasting `text` with Ctrl+V, so the field's paste check applies."""
    field.set_text("")
    case.set_clipboard(text)
    field.send_keys("ctrl+v")
    wait_until(lambda: field.text() == text, 3, what="field to read %r (reads %r)" % (text, field.text()))


def expect_sent(sim, data, what):
    """The simulator received exactly the records of `data`, then the end command."""
    wait_for_command(sim, END_COMMAND)
    expect_equal(transfer_commands(sim), [as_logged(r) for r in records(data)] + [END_COMMAND],
                 "%s: commands in the simulator's log" % what)


def seconds_until_disabled(sim, editor, first_command, timeout=10.0):
    """Seconds from the moment the simulator has logged `first_command` (the restore runs) until
    1015 reads disabled, 0 when it was disabled first. Neither reading waits for the program's
    window thread, so the 500 ms pause before the restore cannot hide a late refresh."""
    deadline = time.monotonic() + timeout
    sent_at = disabled_at = None
    while sent_at is None or disabled_at is None:
        now = time.monotonic()
        if disabled_at is None and not editor.enabled(SAVE_AND_SEND):
            disabled_at = now
        if sent_at is None and first_command in sim.commands():
            sent_at = now
        if now > deadline:
            raise AssertionError("within %.0f s: first record sent at %r, 1015 disabled at %r"
                                 % (timeout, sent_at, disabled_at))
        time.sleep(0.002)
    return max(0.0, disabled_at - sent_at)


def test_save_and_send_writes_the_edits_and_the_device_keeps_them(case):
    sim, app, editor = start_editor(case, device=True)
    load_golden(case, app, editor)
    set_role(editor, "Slave")
    type_into(editor, QUICK_IDS[3], "12345678")
    type_into(editor, NAMES[1], "KTW B\u00e4r 10")
    type_into(editor, OWN_ID, "12AB34CD")
    set_check(editor, AUTO_TRANSFER, True)
    set_check(editor, READ_GROUPS, False)

    destination = case.artifacts / "wagen.q4k"
    choose_destination(case, app, editor, destination)
    expect_destination(editor, case.windows_path(destination), "destination chosen")
    expect_equal(shown(editor)["role"], "Slave", "role chosen before the destination")
    with_suffix = case.artifacts / "wagen_12AB34CD.q4k"
    for append, path in ((True, with_suffix), (False, destination), (True, with_suffix)):
        set_check(editor, APPEND_OWN_ID, append)
        wait_until(lambda: editor.text(DEST_NAME) == path.name, 2, what="%s in 1011" % path.name)
        expect_destination(editor, case.windows_path(path), "1013 %s" % ("ticked" if append else "cleared"))
    expect_enabled(editor, expected_enabled(True, True, destination=True), "with a destination chosen")

    files_before = set(p.name for p in case.artifacts.iterdir())
    editor.click(SAVE_AND_SEND)
    wait_status(app, RESTORE_DONE, TRANSFER_TIMEOUT)
    expect_true(with_suffix.read_bytes() == GOLDEN_PATCHED.read_bytes(),
                "%s equal to %s" % (with_suffix.name, GOLDEN_PATCHED.name))
    # Written in one piece: no temporary file is left beside it, nothing without the suffix.
    expect_equal(set(p.name for p in case.artifacts.iterdir()) - files_before, {with_suffix.name},
                 "files the save left in the destination folder")
    expect_sent(sim, GOLDEN_PATCHED.read_bytes(), "save and send")

    # What the device now holds, read back through the main window.
    leave(editor)
    backup = case.artifacts / "backup-after-save.q4k"
    start_backup(case, app, backup)
    wait_status(app, BACKUP_DONE, TRANSFER_TIMEOUT)
    expect_true(backup.read_bytes() == GOLDEN_PATCHED.read_bytes(), "backup of the device equal to the saved file")


def test_save_over_the_source_after_a_refused_load_and_a_second_click_while_it_is_sent(case):
    # The late acknowledgement holds the restore at record 03 for a while.
    sim, app, editor = start_editor(case, fault="ack-late=03:3000")
    source = write(case, "quelle.q4k", golden())
    load(case, app, editor, source)
    expect_enabled(editor, expected_enabled(True, True), "after the load")
    set_role(editor, "Slave")
    editor.click(USE_SOURCE)
    wait_until(lambda: editor.text(DEST_NAME) == source.name, 2, what="the source file as destination in 1011")
    expect_destination(editor, case.windows_path(source), "source file as destination")
    expect_enabled(editor, expected_enabled(True, True, destination=True), "with the source as destination")
    # A refused load in between leaves the source as it was.
    refused = write(case, "ohne-p06.q4k", without_record(golden(), "06"))
    load(case, app, editor, refused)
    expect_box(app, ERROR_CAPTION, UNSUITABLE, "error", owner=app.main).press("OK")

    editor.click(SAVE_AND_SEND)
    expected = with_chars(golden(), "06", 30, "00")
    delay = seconds_until_disabled(sim, editor, as_logged(records(expected)[0]))
    expect_true(delay <= DISABLE_LIMIT, "1015 disabled within %.2f s of the restore's start (took %.3f s)"
                % (DISABLE_LIMIT, delay))
    expect_equal(status(app), RESTORE_RUNNING, "status while the restore waits for record 03")
    # A click that still arrives at the disabled button.
    editor.command(SAVE_AND_SEND)
    expect_box(app, ERROR_CAPTION, BUSY, "warning", owner=app.main).press("OK")

    wait_status(app, RESTORE_DONE, TRANSFER_TIMEOUT)
    expect_true(source.read_bytes() == expected, "source file overwritten with the role Slave")
    expect_true(refused.read_bytes() == without_record(golden(), "06"), "refused file unchanged")
    expect_sent(sim, expected, "save over the source")
    expect_enabled(editor, expected_enabled(True, True, destination=True), "after the restore")


def test_identifiers_saved_untouched_go_back_as_loaded_whatever_their_characters(case):
    # Lower-case digits in quick-change identifier 0 and in the own identifier, as a record may hold them.
    source_bytes = with_chars(with_chars(golden(), "07", 12, "78563a12"), "09", 68, "3c2b1a6f")
    sim, app, editor = start_editor(case, device=True)
    source = write(case, "klein.q4k", source_bytes)
    load(case, app, editor, source)
    expect_equal((editor.text(QUICK_IDS[0]), editor.text(OWN_ID)), ("123a5678", "6f1a2b3c"), "identifiers shown")
    destination = case.artifacts / "ziel.q4k"
    choose_destination(case, app, editor, destination)
    click_when_enabled(editor, SAVE_AND_SEND)
    wait_status(app, RESTORE_DONE, TRANSFER_TIMEOUT)
    expect_true(destination.read_bytes() == source_bytes, "saved file equal to the loaded one")
    expect_sent(sim, source_bytes, "untouched save")


def test_leaving_identifier_fields_with_a_wrong_length_shows_messages(case):
    _, app, editor = start_editor(case)
    load_golden(case, app, editor)
    destination = case.artifacts / "wagen.q4k"
    choose_destination(case, app, editor, destination)
    set_check(editor, APPEND_OWN_ID, True)
    wait_until(lambda: editor.text(DEST_NAME) == "wagen_6F1A2B3C.q4k", 2, what="the golden own identifier appended")

    editor.control(OWN_ID).set_text("1234")
    editor.send_keys("tab", control=OWN_ID)
    expect_box(app, ERROR_CAPTION, OWN_ID_LENGTH, "warning", owner=app.main).press("OK")
    expect_equal((editor.text(OWN_ID), editor.text(DEST_NAME)), ("1234", "wagen_6F1A2B3C.q4k"),
                 "own identifier and destination after the message")
    # Leaving it with 8 characters puts the new identifier into the destination.
    editor.control(OWN_ID).set_text("0000FFFF")
    editor.send_keys("tab", control=OWN_ID)
    wait_until(lambda: editor.text(DEST_NAME) == "wagen_0000FFFF.q4k", 2, what="the new own identifier appended")
    expect_equal(app.message_box(), None, "message box after leaving the own identifier with 8 characters")

    editor.control(QUICK_IDS[3]).set_text("ABC")
    editor.send_keys("tab", control=QUICK_IDS[3])
    expect_box(app, ERROR_CAPTION, quick_id_length(3), "warning", owner=app.main).press("OK")
    expect_equal(editor.text(QUICK_IDS[3]), "ABC", "quick-change identifier 3 after the message")


def test_refused_saves_write_and_send_nothing(case):
    sim, app, editor = start_editor(case, device=True)
    source = load_golden(case, app, editor)

    # No file chosen in the main window yet: a cancelled save dialog leaves an empty destination.
    editor.click(CHOOSE_DEST)
    cancel_file_dialog(app)
    expect_enabled(editor, expected_enabled(True, True, destination=True), "destination chosen but empty")
    expect_equal((editor.text(DEST_NAME), editor.text(DEST_FOLDER)), ("", ""), "1011 and 1018 for no path")
    editor.click(SAVE_AND_SEND)
    expect_box(app, APP_NAME, EMPTY_PATH_ERROR, FILE_ERROR_ICON).press("OK")

    destination = case.artifacts / "ziel.q4k"
    choose_destination(case, app, editor, destination)
    field = editor.control(QUICK_IDS[0])
    # A half-spare pair pasted (the field takes it unchanged), then seven characters put into the field.
    for text, put in (("0X123456", lambda: paste_into(case, field, "0X123456")),
                      ("1234567", lambda: field.set_text("1234567"))):
        put()
        editor.click(SAVE_AND_SEND)
        expect_box(app, ERROR_CAPTION, quick_id_length(0), "warning", owner=app.main).press("OK")
        expect_false(destination.exists(), "destination written with the identifier %r" % text)
        expect_true(source.read_bytes() == golden(), "source file unchanged")

    editor.control(QUICK_IDS[0]).set_text("6F1A2B01")
    source.write_bytes(without_record(golden(), "07"))
    editor.click(SAVE_AND_SEND)
    expect_box(app, ERROR_CAPTION, UNSUITABLE, "error", owner=app.main).press("OK")
    expect_false(destination.exists(), "destination written from a source without $P07")

    # Once the identification ticks again, whatever was sent is in the log.
    wait_for_query(sim)
    expect_equal(transfer_commands(sim), [], "commands sent to the device")


def test_read_only_file_is_refused_by_the_backup_and_the_save(case):
    sim, app = start_with_device(case)
    (case.artifacts / "ziele").mkdir()
    target = case.artifacts / "ziele" / "ziel.q4k"
    target.write_bytes(b"".join(records(golden())[:3]))
    target.chmod(0o444)
    before = folder_listing(target)
    denied = "Access to %s was denied." % case.windows_path(target)
    start_backup(case, app, target)
    expect_box(app, APP_NAME, denied, FILE_ERROR_ICON).press("OK")
    wait_status(app, "Auslesen der Konfiguration fehlerhaft!", 2.0)
    editor = open_editor(app)
    load_golden(case, app, editor)
    click_when_enabled(editor, CHOOSE_DEST)
    choose_replacing(case, app, target)
    click_when_enabled(editor, SAVE_AND_SEND)
    expect_box(app, APP_NAME, denied, FILE_ERROR_ICON).press("OK")
    wait_status(app, "Laden der Konfiguration fehlerhaft!", 2.0)

    expect_true(folder_listing(target) == before, "folder: only the read-only file, unchanged")
    expect_equal(oct(stat.S_IMODE(target.stat().st_mode)), oct(0o444), "mode of the read-only file")
    wait_for_query(sim)
    expect_equal(transfer_commands(sim), [], "commands sent to the device")


def test_save_without_device_is_refused(case):
    _, app, editor = start_editor(case)
    load_golden(case, app, editor)
    destination = case.artifacts / "ziel.q4k"
    choose_destination(case, app, editor, destination)
    expect_enabled(editor, expected_enabled(True, True, destination=True), "destination chosen, no device")
    editor.click(SAVE_AND_SEND)
    expect_box(app, ERROR_CAPTION, NO_DEVICE, "warning", owner=app.main).press("OK")
    expect_false(destination.exists(), "destination written without a device")
