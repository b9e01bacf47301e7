"""The fault matrix: the identification, the backup, the restore and the editor's save and send,
each on one program and one simulator, walked through every fault of the simulator that applies
to it (set and removed through the simulator's control FIFO). Each cell checks the end state:
message boxes, final status, controls enabled again, the file, the commands the device received,
and the identification back within 2 s once the fault is removed; "Beenden" ends each row.
The cells' results land in cells.md beside the scenario's logs."""

from editor_steps import golden, load, up_to_record, with_chars, write
from fault_steps import (
    Identity, Row, cells, close_with_beenden, run_backup_cell, run_identification_cell, run_restore_cell,
    run_save_and_send_cell,
)
from harness.editor_window import choose_destination, leave, set_role
from editor_steps import start_editor
from transfer_steps import start_with_device

# The short source of the restore and save rows: records 01 to 0A, which hold everything the
# editor shows. A fault meets each record the same way, so more records would only cost time.
SHORT_SOURCE = up_to_record(golden(), "0A")


def test_identification_through_faults(case):
    sim = case.simulator(fault="silent")
    app = case.app()
    identity = Identity()
    row = Row("identification", app, sim, case.artifacts)
    for column, fault in cells("identification"):
        row.run(column, fault, lambda: run_identification_cell(app, sim, identity, column.key, fault))
    close_with_beenden(app, sim)
    row.finish()


def test_backup_through_faults(case):
    sim, app = start_with_device(case)
    identity = Identity()
    row = Row("backup", app, sim, case.artifacts)
    for column, fault in cells("backup"):
        target = case.artifacts / ("backup-%s.q4k" % column.key)
        row.run(column, fault, lambda: run_backup_cell(case, app, sim, identity, fault, target))
    close_with_beenden(app, sim)
    row.finish()


def test_restore_through_faults(case):
    sim, app = start_with_device(case)
    source = write(case, "quelle.q4k", SHORT_SOURCE)
    identity = Identity()
    row = Row("restore", app, sim, case.artifacts)
    for column, fault in cells("restore"):
        row.run(column, fault, lambda: run_restore_cell(case, app, sim, identity, fault, source))
    close_with_beenden(app, sim)
    row.finish()


def test_save_and_send_through_faults(case):
    sim, app, editor = start_editor(case, device=True)
    source = write(case, "quelle.q4k", SHORT_SOURCE)
    load(case, app, editor, source)
    # One edit, so that the destination differs from the source: the role Slave is "00" in "$P06".
    set_role(editor, "Slave")
    expected = with_chars(SHORT_SOURCE, "06", 30, "00")
    destination = case.artifacts / "ziel.q4k"
    choose_destination(case, app, editor, destination)
    identity = Identity()
    row = Row("save-and-send", app, sim, case.artifacts)
    for column, fault in cells("save-and-send"):
        row.run(column, fault, lambda: run_save_and_send_cell(app, editor, sim, identity, fault, destination,
                                                              expected, source, SHORT_SOURCE))
    leave(editor)
    close_with_beenden(app, sim)
    row.finish()
