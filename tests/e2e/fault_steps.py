"""Steps of the fault matrix and the soak: the simulator's faults as the matrix's columns, what
each operation must end in under each of them, and one runner per operation that sets the fault
through the simulator's control FIFO, runs the operation through the window and checks its end
state: message boxes, status line, controls, the file, the commands the device received, and
the identification back within 2 s once the fault is removed."""

import json
import time
from collections import namedtuple

from harness import expect_equal, expect_true, wait_until
from harness.editor_window import SAVE_AND_SEND
from harness.main_window import DEVICE_INFO, EXIT, FILE_TO_DEVICE, HELP, NO_DEVICE, PROGRESS, STATUS
from link_steps import expect_no_device, labelled, sim_ident
from transfer_steps import (
    DEVICE_TO_FILE, END_COMMAND, GOLDEN_BACKUP, QUERY, TRANSFER_CONTROLS, address, as_logged, backup_requests,
    read_request, records, status, transfer_controls_enabled,
)

# The read time-out is 51 ms (a byte's 1 ms plus 50). "Just under" and "just over" keep 30 ms
# and more from it: on a loaded machine Wine and the simulator were seen to stall 20-40 ms, and
# a backup meets the time-out 160 times.
UNDER_MS = 20
OVER_MS = 100
# A babbling device streams at the line's 9600 baud, as a real one would; unpaced, the pseudo-
# terminal would buffer far more than a serial port holds.
PACED_FAULTS = ("babble",)
IDENT_BACK_S = 2.0  # the identification must find the device again this soon after a fault ends
TRANSFER_LIMIT_S = 60.0
SENTINEL = "(matrix cell running)"  # put into the status line so that only this run's final text counts

SOFTWARE = "Quendal 4 TETRA"
OPTION = "TETRA-Option"

BACKUP_DONE = "Konfiguration in Datei gespeichert!"
BACKUP_FAILED = "Auslesen der Konfiguration fehlerhaft!"
BACKUP_BOX = "Auslesen der Konfiguration fehlerhaft. Datei konnte nicht gespeichert werden."
RESTORE_DONE = "Konfiguration auf Quendal 4 transferiert!"
RESTORE_FAILED = "Laden der Konfiguration fehlerhaft!"
RESTORE_BOX = ("Fehler", "Laden der Konifguration fehlerhaft. Datei konnte nicht übertragen werden.", "error")
HELP_CAPTION = "Hilfe"


def backup_box(caption):
    return (caption, BACKUP_BOX, "error")


Column = namedtuple("Column", "key title")
COLUMNS = (
    Column("silent-start", "device silent from the start"),
    Column("silent-mid", "device going silent mid-transfer"),
    Column("noise", "noise before replies"),
    Column("no-cr", "reply without its CR"),
    Column("trailing", "trailing bytes after a reply"),
    Column("ack-lost", "lost acknowledgement"),
    Column("ack-late", "late acknowledgement"),
    Column("ack-split", "split acknowledgement"),
    Column("babble", "babbling port"),
    Column("slow-under", "replies %d ms late (under the read time-out)" % UNDER_MS),
    Column("slow-over", "replies %d ms late (over the read time-out)" % OVER_MS),
)

# The simulator's fault for each cell; a column missing from a row does not apply to it
# (the identification reads no records and writes none, the backup writes none, the restore
# reads none). "silent-start" for a transfer: silent from the moment the transfer starts.
_RESTORE_FAULTS = {
    "silent-start": "silent",
    "silent-mid": "vanish-after=3",
    "noise": "noise",
    "ack-lost": "ack-never=03",
    "ack-late": "ack-late=03:2000",
    "ack-split": "ack-split=03",
    "babble": "babble",
    "slow-under": "ack-late=*:%d" % UNDER_MS,
    "slow-over": "ack-late=*:%d" % OVER_MS,
}
FAULTS = {
    "identification": {
        "silent-start": "silent",
        "silent-mid": "silent",
        "noise": "noise",
        "babble": "babble",
        "slow-under": "ident-late=%d" % UNDER_MS,
        "slow-over": "ident-late=%d" % OVER_MS,
    },
    "backup": {
        "silent-start": "silent",
        "silent-mid": "vanish-after=20",
        "noise": "noise",
        "no-cr": "no-cr=03",
        "trailing": "trailing=03",
        "babble": "babble",
        "slow-under": "reply-late=*:%d" % UNDER_MS,
        # Only "$PBC" is late: a late main reply would be read as the answer to the next request
        # (replies are not matched to requests), and what then happens depends on timing.
        "slow-over": "reply-late=BC:%d" % OVER_MS,
    },
    "restore": _RESTORE_FAULTS,
    "save-and-send": _RESTORE_FAULTS,
}


def cells(row):
    """(column, fault) of every cell of a row that applies, in column order."""
    return [(c, FAULTS[row][c.key]) for c in COLUMNS if c.key in FAULTS[row]]


# What a transfer must end in
Outcome = namedtuple("Outcome", "boxes status commands file")


def _fault_parts(fault):
    """("ack-never", "03") for "ack-never=03"; the argument is None for a fault without one."""
    name, _, argument = fault.partition("=")
    return name, argument or None


def _fault_address(fault):
    return _fault_parts(fault)[1].split(":")[0]


def _first_unanswered(fault):
    """Index, among the commands since a vanish-after=N fault was set (queries included), of the
    first one the device leaves unanswered: N."""
    return int(_fault_parts(fault)[1])


def expected_backup(fault, commands):
    """What a backup of the simulator's default image ends in under `fault`; `commands` are what
    the device received since the fault was set. Only a complete backup leaves a file (None: none)."""
    golden = records(GOLDEN_BACKUP.read_bytes())
    name, _ = _fault_parts(fault) if fault else (None, None)
    if name in (None, "noise") or (name == "reply-late" and _fault_address(fault) == "*"):
        return Outcome([], BACKUP_DONE, backup_requests(), b"".join(golden))
    if name in ("silent", "babble"):
        return Outcome([backup_box("Fehler 03")] * 2, BACKUP_FAILED, [read_request("01"), read_request("BC")], None)
    if name == "vanish-after":
        # Every command from the n-th on goes unanswered: the first read among them fails, then "$PBC".
        unanswered = [c for c in commands[_first_unanswered(fault):] if c != QUERY]
        failed = int(unanswered[0][2:4], 16)
        requests = [read_request("%02X" % k) for k in range(1, failed + 1)] + [read_request("BC")]
        return Outcome([backup_box("Fehler 03")] * 2, BACKUP_FAILED, requests, None)
    if name in ("no-cr", "trailing"):
        # The faulty record ends the main phase; "$PBC" and the interface follow.
        last = int(_fault_address(fault), 16)
        requests = [read_request("%02X" % k) for k in range(1, last + 1)] + backup_requests()[0x7F:]
        boxes = [backup_box("Fehler 01"), backup_box("Fehler 02")] if name == "no-cr" else [backup_box("Fehler 02")]
        return Outcome(boxes, BACKUP_FAILED, requests, None)
    if name == "reply-late" and _fault_address(fault) == "BC":
        return Outcome([backup_box("Fehler 03")], BACKUP_FAILED, backup_requests()[:0x80], None)
    raise ValueError("no expected backup outcome for fault %r" % fault)


def expected_restore(fault, commands, file_records):
    """What a restore of `file_records` ends in under `fault`: the records it sends, then the end
    command after a complete restore."""
    sent = [as_logged(r) for r in file_records]
    success = Outcome([], RESTORE_DONE, sent + [END_COMMAND], None)
    name, _ = _fault_parts(fault) if fault else (None, None)
    if name in (None, "noise", "ack-late", "ack-split"):
        return success
    if name in ("silent", "babble"):
        failed = 0
    elif name == "vanish-after":
        failed = len([c for c in commands[:_first_unanswered(fault)] if c != QUERY])
        if failed >= len(file_records):
            return success
    elif name == "ack-never":
        failed = [address(r) for r in file_records].index(_fault_address(fault))
    else:
        raise ValueError("no expected restore outcome for fault %r" % fault)
    return Outcome([RESTORE_BOX], RESTORE_FAILED, sent[:failed + 1], None)


# Running a transfer to its end
class CellFailure(AssertionError):
    pass


def answer_boxes_until_done(app, final_texts, before_ok=None, timeout=TRANSFER_LIMIT_S):
    """Presses OK on every message box the transfer shows until the status line reads one of
    `final_texts` and the transfer controls are enabled again; `before_ok(count)` runs before the
    count-th box is closed. Returns the boxes as (caption, text, icon) and the final status; a box
    not owned by the main window, or one that leaves the main window enabled, fails at once."""
    boxes = []
    deadline = time.monotonic() + timeout
    while True:
        box = app.message_box()
        if box:
            box = app.wait_message_box()
            expect_equal(box.buttons, ["OK"], "buttons of %r" % box.message)
            expect_equal(box.owner, app.main.ref, "owner of %r" % box.message)
            expect_equal(app.main.enabled(), False, "main window enabled while %r is open" % box.message)
            boxes.append((box.caption, box.message, box.icon))
            if before_ok:
                before_ok(len(boxes))
            box.press("OK")
            continue
        text = status(app)
        if text in final_texts and transfer_controls_enabled(app) == (True,) * len(TRANSFER_CONTROLS):
            return boxes, text
        if time.monotonic() > deadline:
            raise CellFailure("transfer not ended within %.0f s (status %r, controls %r, boxes so far %r)"
                              % (timeout, text, transfer_controls_enabled(app), boxes))
        time.sleep(0.05)


class Identity:
    """Hands out identification texts that differ from each other, so that the window's device
    information shows which reply the identification evaluated last."""

    def __init__(self):
        self._count = 0

    def next_version(self):
        self._count += 1
        return "V 2.14-%d" % self._count

    def set(self, sim, version):
        sim.control("ident " + sim_ident(SOFTWARE, version, OPTION, before="\\x02"))


def expect_shown(app, version, timeout):
    wait_until(lambda: app.main.text(DEVICE_INFO) == labelled(SOFTWARE, version, OPTION), timeout,
               what="device information with %r" % version)


class FaultSwitch:
    """Sets one cell's fault and removes it again. Removing it also gives the device a new
    identification text, which the window must show, with 1004 and 1005 enabled, within 2 s:
    only an idle program queries, so this also shows that it is idle."""

    def __init__(self, sim, identity):
        self.sim = sim
        self.identity = identity
        self.fault = None
        self.removed_at = None
        self.version = None

    def set(self, fault):
        self.fault, self.removed_at = fault, None
        if fault is None:
            return
        if fault in PACED_FAULTS:
            self.sim.control("pace on")
        self.sim.control("fault " + fault)

    def remove(self):
        if self.removed_at is not None:
            return
        self.removed_at = time.monotonic()
        self.sim.control("clear-faults")
        if self.fault in PACED_FAULTS:
            self.sim.control("pace off")
        self.version = self.identity.next_version()
        self.identity.set(self.sim, self.version)

    def expect_identification_back(self, app):
        """Removes the fault unless done already; returns the seconds until the window showed the device."""
        self.remove()
        expect_shown(app, self.version, IDENT_BACK_S - (time.monotonic() - self.removed_at))
        seconds = time.monotonic() - self.removed_at
        expect_equal((app.main.enabled(FILE_TO_DEVICE), app.main.enabled(DEVICE_TO_FILE)), (True, True),
                     "1004 and 1005 enabled once identified")
        return seconds


def removal_box(row, fault):
    """For a device that answers nothing any more, the message box at which its fault is removed:
    the last one the transfer shows, before it is closed. The failure is complete then, and the
    identification that follows the transfer finds the device instead of a silent line (which
    would rightly show "kein Gerät verbunden" and disable 1004/1005). 0 for the other faults,
    which are removed once the transfer has ended."""
    if fault is None or _fault_parts(fault)[0] not in ("silent", "babble", "vanish-after"):
        return 0
    return 2 if row == "backup" else 1  # the backup's main phase and its "$PBC" request fail


def remover(switch, box):
    return lambda count: switch.remove() if count == box else None


def check_outcome(outcome, boxes, final, sent, what):
    expect_equal(boxes, outcome.boxes, "%s: message boxes (caption, text, icon) in order" % what)
    expect_equal(final, outcome.status, "%s: final status" % what)
    expect_equal(sent, outcome.commands, "%s: commands the device received (identification left out)" % what)


def non_queries(commands):
    return [c for c in commands if c != QUERY]


def transfer_under_fault(case, app, sim, identity, fault, button, path, kind, finals):
    """Starts the transfer of `button` with `fault` set once its file dialog is open (so the device
    was identified and the transfer is what meets the fault first), answers its boxes until a final
    status; returns the log position before it, the fault switch, the boxes and the final status."""
    app.main.set_text(SENTINEL, STATUS)
    wait_until(lambda: app.main.enabled(button), 5.0, what="%d enabled" % button)
    app.main.click(button)
    dialog = app.wait_file_dialog()
    since = len(sim.commands())
    switch = FaultSwitch(sim, identity)
    switch.set(fault)
    dialog.choose(case.windows_path(path))
    dialog.wait_gone()
    boxes, final = answer_boxes_until_done(app, finals, remover(switch, removal_box(kind, fault)))
    return since, switch, boxes, final


def run_backup_cell(case, app, sim, identity, fault, target):
    """A backup into `target` under `fault`. Checks the outcome, the file and the identification
    afterwards; returns the seconds the identification took to come back."""
    if target.exists():
        target.unlink()
    since, switch, boxes, final = transfer_under_fault(case, app, sim, identity, fault, DEVICE_TO_FILE, target,
                                                       "backup", (BACKUP_DONE, BACKUP_FAILED))
    written = target.read_bytes() if target.exists() else None
    back = switch.expect_identification_back(app)
    # The worker has ended (the identification runs again), so its commands are all in the log.
    commands = sim.commands()[since:]
    outcome = expected_backup(fault, commands)
    check_outcome(outcome, boxes, final, non_queries(commands), "backup under %s" % fault)
    expect_true(written == outcome.file, "backup file as expected under %s (%s bytes, expected %s)"
                % (fault, None if written is None else len(written), None if outcome.file is None
                   else len(outcome.file)))
    leftovers = [p.name for p in target.parent.iterdir() if p.suffix.lower() == ".tmp"]
    expect_equal(leftovers, [], "temporary files left beside the backup under %s" % fault)
    return back


def run_restore_cell(case, app, sim, identity, fault, source):
    """A restore of `source` under `fault`. Checks the outcome and the identification afterwards;
    returns the seconds the identification took to come back."""
    since, switch, boxes, final = transfer_under_fault(case, app, sim, identity, fault, FILE_TO_DEVICE, source,
                                                       "restore", (RESTORE_DONE, RESTORE_FAILED))
    back = switch.expect_identification_back(app)
    commands = sim.commands()[since:]
    outcome = expected_restore(fault, commands, records(source.read_bytes()))
    check_outcome(outcome, boxes, final, non_queries(commands), "restore under %s" % fault)
    return back


def run_save_and_send_cell(app, editor, sim, identity, fault, destination, expected_file, source, source_bytes):
    """"Speichern und an Q4 senden" with `fault` set once the destination is written, while the
    handler pauses before it starts the restore (the window's thread is blocked then, so no
    identification query meets the fault first). Checks the destination, the source, the restore's outcome, 1015 enabled again and the
    identification afterwards; returns the seconds the identification took to come back."""
    if destination.exists():
        destination.unlink()
    app.main.set_text(SENTINEL, STATUS)
    wait_until(lambda: editor.enabled(SAVE_AND_SEND), 5.0, what="1015 enabled")
    since = len(sim.commands())
    editor.click(SAVE_AND_SEND)
    # The click is posted: it may wait for an identification tick, which must not meet the fault.
    # The destination appears once the handler is past its check of the device, just before its pause.
    wait_until(destination.exists, 5.0, what="the destination written")
    switch = FaultSwitch(sim, identity)
    switch.set(fault)
    boxes, final = answer_boxes_until_done(app, (RESTORE_DONE, RESTORE_FAILED),
                                           remover(switch, removal_box("restore", fault)))
    wait_until(lambda: editor.enabled(SAVE_AND_SEND), 1.0, what="1015 enabled again after the restore")
    back = switch.expect_identification_back(app)
    commands = sim.commands()[since:]
    outcome = expected_restore(fault, commands, records(expected_file))
    check_outcome(outcome, boxes, final, non_queries(commands), "save and send under %s" % fault)
    expect_true(destination.exists() and destination.read_bytes() == expected_file,
                "destination written with the edited source under %s" % fault)
    expect_true(source.read_bytes() == source_bytes, "source file unchanged under %s" % fault)
    return back


# The identification's cells
def run_identification_cell(app, sim, identity, column, fault):
    """Sets `fault` on an identified device (for "silent-start" the program started with it) and
    checks what the window shows, then the identification back. Returns its seconds."""
    switch = FaultSwitch(sim, identity)
    if column == "silent-start":
        switch.fault = fault  # the simulator started with it
    else:
        switch.set(fault)
    if column in ("silent-start", "silent-mid", "slow-over", "babble"):
        # No reply, or none within the read time-out: the device counts as gone.
        if column == "silent-start":
            # The template's text stays: no reply is no change from the empty reply before.
            wait_until(lambda: sim.count(QUERY) >= 2, 3.0, what="two queries to the silent device")
            expect_equal(app.main.text(DEVICE_INFO), NO_DEVICE, "device information")
            expect_equal((app.main.enabled(FILE_TO_DEVICE), app.main.enabled(DEVICE_TO_FILE)), (False, False),
                         "1004 and 1005 enabled")
        else:
            expect_no_device(app)
        if column == "babble":
            # The babbling line holds each query for a while; the window still answers the user.
            app.main.click(HELP)
            help_window = app.wait_window(HELP_CAPTION, timeout=3.0)
            help_window.click(1)
            app.wait_no_window(HELP_CAPTION)
            expect_equal(app.main.text(DEVICE_INFO), NO_DEVICE, "device information while babbling")
    else:
        # Bytes before the name, or a reply within the time-out: a new text is shown labelled.
        version = identity.next_version()
        identity.set(sim, version)
        expect_shown(app, version, 3.0)
        expect_equal(app.main.progress(PROGRESS).pos, 381, "progress position while identified")
    expect_equal(app.message_box(), None, "message box")
    return switch.expect_identification_back(app)


# The matrix's bookkeeping
CellResult = namedtuple("CellResult", "row column fault result seconds ident_back detail")


class Row:
    """Runs the cells of one row, one after the other on the same program, and keeps each cell's
    result. A failed cell is recorded and the row goes on once the program is back to idle; the
    row fails at its end, naming every failed cell."""

    def __init__(self, name, app, sim, artifacts):
        self.name = name
        self.app = app
        self.sim = sim
        self.artifacts = artifacts
        self.results = []
        self._broken = None

    def run(self, column, fault, action):
        if self._broken:
            self.results.append(CellResult(self.name, column.key, fault, "not run", 0.0, None, self._broken))
            return
        started = time.monotonic()
        try:
            back = action()
            self.results.append(CellResult(self.name, column.key, fault, "pass", time.monotonic() - started,
                                           back, ""))
        except AssertionError as e:  # a failed cell must not hide the cells after it; a time limit ends the row
            detail = "%s: %s" % (type(e).__name__, str(e).strip().splitlines()[0] if str(e).strip() else "")
            self.results.append(CellResult(self.name, column.key, fault, "FAIL", time.monotonic() - started,
                                           None, detail))
            self._recover(column.key)

    def _recover(self, key):
        """Ends whatever the failed cell left: its message boxes, its fault, a transfer still running."""
        try:
            deadline = time.monotonic() + 30
            while time.monotonic() < deadline:
                box = self.app.message_box()
                if box:
                    box.press("OK")
                    continue
                if transfer_controls_enabled(self.app) == (True,) * len(TRANSFER_CONTROLS):
                    break
                time.sleep(0.1)
            self.sim.control("clear-faults")
            wait_until(lambda: self.app.main.enabled(DEVICE_TO_FILE) and not self.app.message_box(), 5.0,
                       what="the program idle with the device identified")
        except Exception as e:
            self._broken = "program not idle after the failed cell %s: %s" % (key, e)

    def finish(self):
        """Writes the row's results beside its logs and fails when a cell failed."""
        (self.artifacts / "cells.json").write_text(json.dumps([r._asdict() for r in self.results], indent=1))
        (self.artifacts / "cells.md").write_text(markdown_table(self.results))
        failed = [r for r in self.results if r.result != "pass"]
        if failed:
            raise AssertionError("; ".join("%s/%s (%s) %s: %s" % (r.row, r.column, r.fault, r.result, r.detail)
                                           for r in failed))


def markdown_table(results):
    """The cells as table lines: column, fault, result, seconds, identification back after."""
    lines = ["| row | column | fault | result | cell s | identified again after s |", "|---|---|---|---|---|---|"]
    for r in results:
        back = "" if r.ident_back is None else "%.2f" % r.ident_back
        lines.append("| %s | %s | `%s` | %s | %.1f | %s |" % (r.row, r.column, r.fault, r.result, r.seconds, back))
    return "\n".join(lines) + "\n"


def close_with_beenden(app, sim):
    """"Beenden" ends an idle program at once and sends the end command, and nothing else."""
    since = len(sim.commands())
    app.main.click(EXIT)
    app.wait_exit(5)
    wait_until(lambda: END_COMMAND in sim.commands()[since:], 2.0, what="the end command")
    expect_equal(non_queries(sim.commands()[since:]), [END_COMMAND], "commands of \"Beenden\"")
