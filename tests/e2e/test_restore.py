"""Scenarios of "Datei -> Quendal 4": the golden file written into a device whose
memory differs and read back unchanged, an acknowledgement that never comes or
comes late, files that are missing, cut short or no configuration file, and closing
or a shutdown of Windows while it runs, and the box pulled during it."""

import shutil
import time

from harness import expect_equal, expect_true, wait_until
from harness.main_window import DEVICE_INFO, NO_DEVICE
from transfer_steps import (
    APP_NAME, END_COMMAND, EXIT, GOLDEN_BACKUP, address, as_logged, closing_attempts, expect_close_refused,
    expect_message_box, expect_transfer_controls, records, start_backup, start_restore, start_with_device, status,
    statuses_seen, transfer_commands, transfer_controls_enabled, wait_for_command, wait_for_query, wait_status,
    watch_until_status,
)

RUNNING = "Transferiere Konfiguration auf Quendal 4..."
RUNNING_INTERFACE = "Transferiere Interface-Konfiguration auf Quendal 4..."
DONE = "Konfiguration auf Quendal 4 transferiert!"
FAILED = "Laden der Konfiguration fehlerhaft!"
ERROR_TEXT = "Laden der Konifguration fehlerhaft. Datei konnte nicht übertragen werden."
ERROR_CAPTION = "Fehler"
UNSUITABLE_TEXT = "Datei nicht geeignet!"
BACKUP_DONE = "Konfiguration in Datei gespeichert!"
TRANSFER_TIMEOUT = 60.0
# Records whose memory the changed image alters: main, "$PBC" and interface records.
CHANGED = ("02", "30", "BC", "9F")


def golden_copy(case, count=None):
    """The golden backup, or its first `count` records, as a file in the case's folder."""
    path = case.artifacts / ("golden.q4k" if count is None else "golden-%d.q4k" % count)
    if count is None:
        shutil.copy(GOLDEN_BACKUP, path)
    else:
        path.write_bytes(b"".join(records(GOLDEN_BACKUP.read_bytes())[:count]))
    return path


def changed_value(pair):
    """Another byte value for a data byte written as two hex digits."""
    return ("%02X" % (int(pair, 16) ^ 0x5A)).encode("ascii")


def changed_image(case):
    """An image whose records CHANGED differ from the golden file in data bytes the file sets
    (not "XX", not the "$PBC" interface announcement), so a restore must rewrite them."""
    image = []
    for record in records(GOLDEN_BACKUP.read_bytes()):
        if address(record) in CHANGED:
            pos = 4 + 2 * 3  # data byte 3
            assert record[pos:pos + 2] != b"XX", "data byte 3 of %s is spare" % address(record)
            image.append(record[:pos] + changed_value(record[pos:pos + 2].decode()) + record[pos + 2:])
    path = case.artifacts / "changed-image.q4k"
    path.write_bytes(b"".join(image))
    return path


def test_restore_of_golden_file_then_backup_gives_it_back(case):
    sim, app = start_with_device(case, image=changed_image(case))
    source = golden_copy(case)
    file_records = records(source.read_bytes())
    start_restore(case, app, source)
    seen = watch_until_status(app, DONE, TRANSFER_TIMEOUT)

    expect_equal(statuses_seen(seen), [RUNNING, RUNNING_INTERFACE, DONE], "status texts in order")
    full_range = 3 * len(file_records)
    for text, progress, controls in seen:
        if text in (RUNNING, RUNNING_INTERFACE):
            expect_equal(controls, (False, False, False), "controls while %r" % text)
        if text == RUNNING_INTERFACE:
            expect_equal((progress.min, progress.max), (0, full_range), "progress range while %r" % text)
    _, progress, _ = seen[-1]
    expect_equal((progress.pos, progress.max), (full_range, full_range), "progress at the end")
    expect_transfer_controls(app, True)
    # The end command follows the final status.
    wait_for_command(sim, END_COMMAND)
    expect_equal(transfer_commands(sim), [as_logged(r) for r in file_records] + [END_COMMAND],
                 "commands in the simulator's log")

    since = len(sim.commands())
    target = case.artifacts / "backup-after-restore.q4k"
    start_backup(case, app, target)
    wait_status(app, BACKUP_DONE, TRANSFER_TIMEOUT)
    expect_equal(len(transfer_commands(sim, since)), 160, "requests of the backup")
    expect_true(target.read_bytes() == source.read_bytes(), "backup after the restore equal to the restored file")


def test_restore_stops_at_record_never_acknowledged(case):
    sim, app = start_with_device(case, fault="ack-never=03")
    source = golden_copy(case)
    start_restore(case, app, source)
    # 101 reading passes of about 51 ms each before the record counts as failed.
    box = expect_message_box(app, ERROR_CAPTION, ERROR_TEXT, "error", timeout=15)
    box.press("OK")
    wait_status(app, FAILED)

    expect_transfer_controls(app, True)
    # Once the identification ticks again the worker has ended: what it sent is all in the log.
    wait_for_query(sim)
    sent = transfer_commands(sim)
    expect_equal(sent, [as_logged(r) for r in records(source.read_bytes())[:3]], "commands in the simulator's log")


def test_restore_accepts_late_acknowledgement(case):
    sim, app = start_with_device(case, fault="ack-late=05:2000")
    source = golden_copy(case, 8)
    file_records = records(source.read_bytes())
    start_restore(case, app, source)
    wait_status(app, DONE, TRANSFER_TIMEOUT)

    expect_transfer_controls(app, True)
    wait_for_command(sim, END_COMMAND)
    expect_equal(transfer_commands(sim), [as_logged(r) for r in file_records] + [END_COMMAND],
                 "commands in the simulator's log")
    sent_at = {command: ms for ms, command in sim.log()}
    waited = sent_at[as_logged(file_records[5])] - sent_at[as_logged(file_records[4])]
    expect_true(waited >= 2000, "record 06 sent only after the late acknowledgement of 05 (after %d ms)" % waited)


def test_restore_refuses_missing_and_unsuitable_files(case):
    sim, app = start_with_device(case)

    missing = case.artifacts / "missing.q4k"
    start_restore(case, app, missing)
    expect_message_box(app, APP_NAME, "%s was not found." % case.windows_path(missing), "warning").press("OK")
    wait_status(app, FAILED)
    expect_transfer_controls(app, True)
    expect_equal(transfer_commands(sim), [], "commands after the missing file")

    # Empty, half a record, one and a half: what a copy cut short leaves; no whole configuration.
    cut_short = [case.artifacts / ("cut-%d.q4k" % size) for size in (0, 66, 199)]
    for path, size in zip(cut_short, (0, 66, 199)):
        path.write_bytes(GOLDEN_BACKUP.read_bytes()[:size])

    text = case.artifacts / "notes.q4k"
    text.write_bytes(("Kanal 1: Leitstelle Nord\r\n" * 12).encode("ascii"))
    # Good records, but far more of them than any configuration has (over 65,536 bytes).
    large = case.artifacts / "large.q4k"
    golden = GOLDEN_BACKUP.read_bytes()
    large.write_bytes(golden * 4)
    for unsuitable in cut_short + [text, large]:
        since = len(sim.commands())
        start_restore(case, app, unsuitable)
        expect_message_box(app, ERROR_CAPTION, UNSUITABLE_TEXT, "error").press("OK")
        wait_status(app, FAILED)
        expect_transfer_controls(app, True)
        wait_for_query(sim)
        expect_equal(transfer_commands(sim, since), [], "commands after %s" % unsuitable.name)
        expect_equal(status(app), FAILED, "status after %s" % unsuitable.name)


def test_closing_during_restore_is_refused_and_beenden_ends_after_it(case):
    # The late acknowledgement holds the restore at record 03 while the program is asked to close.
    sim, app = start_with_device(case, fault="ack-late=03:4000")
    source = golden_copy(case, 6)
    file_records = records(source.read_bytes())
    start_restore(case, app, source)
    wait_until(lambda: as_logged(file_records[2]) in sim.commands(), 10, what="record 03 to be sent")
    for name, attempt in closing_attempts(app):
        expect_close_refused(app, attempt)
        expect_equal(status(app), RUNNING, "status after the refused %s" % name)
    expect_true(END_COMMAND not in sim.commands(), "no end command before the restore's end")

    wait_status(app, DONE, TRANSFER_TIMEOUT)
    wait_for_command(sim, END_COMMAND)
    expect_equal(transfer_commands(sim), [as_logged(r) for r in file_records] + [END_COMMAND],
                 "commands at the restore's end")
    # The worker returns to idle only after the end command; the next query shows it has.
    wait_for_query(sim)
    since = len(sim.commands())
    app.main.click(EXIT)
    app.wait_exit(5)
    wait_for_command(sim, END_COMMAND, since)
    expect_equal(transfer_commands(sim, since), [END_COMMAND], "commands of \"Beenden\"")


def test_shutdown_during_restore_is_held_back_until_its_end(case):
    query_end_session, logoff = 0x0011, 0x80000000
    # The late acknowledgement holds the restore at record 03 while Windows asks to end the session.
    sim, app = start_with_device(case, fault="ack-late=03:3000")
    source = golden_copy(case, 6)
    file_records = records(source.read_bytes())
    start_restore(case, app, source)
    wait_until(lambda: as_logged(file_records[2]) in sim.commands(), 10, what="record 03 to be sent")
    for name, kind in (("shutdown", 0), ("log-off", logoff)):
        expect_equal(app.main.send(query_end_session, 0, kind), 0, "answer to the %s query during the restore" % name)

    wait_status(app, DONE, TRANSFER_TIMEOUT)
    wait_for_command(sim, END_COMMAND)
    expect_equal(transfer_commands(sim), [as_logged(r) for r in file_records] + [END_COMMAND],
                 "commands at the restore's end")
    wait_for_query(sim)
    expect_equal(app.main.send(query_end_session, 0, 0), 1, "answer to the shutdown query when idle")


def test_restore_whose_box_is_pulled_ends_at_once(case):
    # The late acknowledgement holds the restore at record 03 while the box is pulled.
    sim, app = start_with_device(case, fault="ack-late=03:4000")
    source = golden_copy(case, 6)
    start_restore(case, app, source)
    wait_until(lambda: as_logged(records(source.read_bytes())[2]) in sim.commands(), 10, what="record 03 to be sent")
    sim.stop()
    pulled = time.monotonic()
    box = expect_message_box(app, ERROR_CAPTION, ERROR_TEXT, "error", timeout=5.0)
    waited = time.monotonic() - pulled
    expect_true(waited < 2.0, "failure box %.1f s after the box was pulled" % waited)
    box.press("OK")
    wait_status(app, FAILED)
    expect_equal(app.main.text(DEVICE_INFO), NO_DEVICE, "device information")
    expect_equal(transfer_controls_enabled(app), (True, False, False), "enabled states of port list, 1004, 1005")
