"""Scenarios of "Quendal 4 -> Datei": a backup of the simulator's default image replacing an
existing file and compared with the golden file, a reply that does not come halfway through
a backup over an existing file, a device that falls silent, a destination that cannot be
created, and closing while it runs. A failed backup leaves no file of its own and an
existing one as it was."""

from harness import expect_equal, expect_false, expect_true, wait_until
from harness.main_window import STATUS
from transfer_steps import (
    APP_NAME, DEVICE_TO_FILE, END_COMMAND, EXIT, GOLDEN_BACKUP, IDENTIFY_TIMEOUT, backup_requests,
    closing_attempts, expect_close_refused, expect_message_box, expect_transfer_controls, folder_listing, read_request,
    records, start_backup, start_with_device, status, statuses_seen, transfer_commands, wait_for_command,
    wait_for_query, wait_status, watch_until_status,
)

RUNNING = "Speichere Konfiguration in Datei..."
RUNNING_INTERFACE = "Speichere Interface-Konfig in Datei..."
DONE = "Konfiguration in Datei gespeichert!"
FAILED = "Auslesen der Konfiguration fehlerhaft!"
ERROR_TEXT = "Auslesen der Konfiguration fehlerhaft. Datei konnte nicht gespeichert werden."
MAIN_RANGE = 381  # 127 main records, 3 steps each
INTERFACE_RANGE = 96  # 32 interface records
BACKUP_TIMEOUT = 60.0
OLD_BACKUP = b"".join(records(GOLDEN_BACKUP.read_bytes())[:3])  # what a backup made earlier left there


def own_folder(case):
    """An empty folder for the backup, apart from the scenario's logs."""
    folder = case.artifacts / "sicherungen"
    folder.mkdir()
    return folder


def test_backup_of_default_image_replaces_an_existing_file_with_the_golden_file(case):
    sim, app = start_with_device(case)
    target = own_folder(case) / "backup.q4k"
    target.write_bytes(OLD_BACKUP)
    before = folder_listing(target)
    start_backup(case, app, target)
    seen = watch_until_status(app, DONE, BACKUP_TIMEOUT)

    expect_equal(statuses_seen(seen), [RUNNING, RUNNING_INTERFACE, DONE], "status texts in order")
    for text, progress, controls in seen:
        if text in (RUNNING, RUNNING_INTERFACE):
            expect_equal(controls, (False, False, False), "controls while %r" % text)
        if text == RUNNING:
            expect_equal((progress.min, progress.max), (0, MAIN_RANGE), "progress range while %r" % text)
    # The range follows the interface status text at once, so the last look at that text shows it.
    _, progress, _ = [s for s in seen if s[0] == RUNNING_INTERFACE][-1]
    expect_equal((progress.min, progress.max), (0, INTERFACE_RANGE), "progress range of the interface phase")
    _, progress, _ = seen[-1]
    expect_equal((progress.pos, progress.max), (INTERFACE_RANGE, INTERFACE_RANGE), "progress at the end")
    expect_transfer_controls(app, True)
    expect_equal(transfer_commands(sim), backup_requests(), "requests in the simulator's log")
    expect_true(target.read_bytes() == GOLDEN_BACKUP.read_bytes(), "backup equal to %s" % GOLDEN_BACKUP.name)
    expect_equal(folder_listing(target).keys(), before.keys(), "files in the folder after the backup")


def test_backup_failing_halfway_over_an_existing_file_leaves_it_as_it_was(case):
    sim, app = start_with_device(case, fault="no-reply=40")
    target = own_folder(case) / "backup.q4k"
    target.write_bytes(OLD_BACKUP)
    before = folder_listing(target)
    start_backup(case, app, target)
    box = expect_message_box(app, "Fehler 03", ERROR_TEXT, "error")
    expect_equal(status(app), RUNNING, "status while the message box is open")
    box.press("OK")
    seen = watch_until_status(app, FAILED, BACKUP_TIMEOUT)

    expect_equal(statuses_seen(seen)[-2:], [RUNNING_INTERFACE, FAILED], "last status texts")
    expect_transfer_controls(app, True)
    main_requests = [read_request("%02X" % k) for k in range(0x01, 0x41)]
    expect_equal(transfer_commands(sim), main_requests + backup_requests()[0x7F:], "requests in the log")
    expect_true(folder_listing(target) == before, "folder after the failed backup: only the old file, unchanged")


def test_backup_of_device_that_falls_silent(case):
    sim, app = start_with_device(case)
    target = own_folder(case) / "backup.q4k"
    app.main.click(DEVICE_TO_FILE)
    dialog = app.wait_file_dialog()
    # Silent only now: the device was identified, and the backup is the next thing to reach it.
    sim.control("fault silent")
    since = len(sim.commands())
    dialog.choose(case.windows_path(target))
    expect_message_box(app, "Fehler 03", ERROR_TEXT, "error").press("OK")
    last_box = expect_message_box(app, "Fehler 03", ERROR_TEXT, "error")
    # Answering again before the box closes, so the identification afterwards finds the device as before.
    sim.control("clear-faults")
    last_box.press("OK")
    wait_status(app, FAILED)

    expect_transfer_controls(app, True)
    expect_equal(transfer_commands(sim, since), [read_request("01"), read_request("BC")], "requests in the log")
    expect_equal(folder_listing(target), {}, "files in the folder after the failed backup to a new name")
    wait_for_query(sim)
    wait_until(lambda: app.main.enabled(DEVICE_TO_FILE), IDENTIFY_TIMEOUT, what="identification to find the device")
    expect_equal(status(app), FAILED, "status after the identification resumed")


def test_backup_destination_that_cannot_be_created(case):
    sim, app = start_with_device(case)
    target = case.artifacts / "no such folder" / "backup.q4k"
    # What an earlier backup left in the status line must not stand for this one.
    app.main.set_text(DONE, STATUS)
    start_backup(case, app, target)
    box = expect_message_box(app, APP_NAME, "%s contains an invalid path." % case.windows_path(target), "warning")
    box.press("OK")

    expect_transfer_controls(app, True)
    wait_status(app, FAILED, 2.0)
    expect_false(target.parent.exists(), "folder created")
    expect_equal(transfer_commands(sim), [], "commands other than identification queries")
    # Identification goes on, and "Beenden" closes at once: the program is idle.
    wait_for_query(sim)
    app.main.click(EXIT)
    app.wait_exit(5)
    wait_for_command(sim, END_COMMAND)
    expect_equal(transfer_commands(sim), [END_COMMAND], "commands other than identification queries at the end")


def test_closing_during_backup_is_refused(case):
    # At 9600 baud the backup lasts about half a minute, time enough for every attempt.
    sim, app = start_with_device(case, pace=True)
    start_backup(case, app, case.artifacts / "backup.q4k")
    wait_status(app, RUNNING)
    for name, attempt in closing_attempts(app):
        expect_close_refused(app, attempt)
        expect_equal(status(app), RUNNING, "status after the refused %s" % name)
    expect_true(END_COMMAND not in sim.commands(), "no end command sent")
    requests = len(transfer_commands(sim))
    wait_until(lambda: len(transfer_commands(sim)) > requests, 5, what="the backup to go on")
