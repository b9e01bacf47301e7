"""Steps shared by the editor scenarios: the program with its editor open, variants of the
golden backup, what the editor must show for a file (its golden view), message boxes, and where
the editor opens."""

import json

from harness import WaitTimeout, expect_equal, wait_until
from harness.editor_window import (
    ALWAYS_ENABLED, DEST_FOLDER, DEST_NAME, DESTINATION, EDITING, SAVE_AND_SEND, STATE_CONTROLS, TETRA,
    enabled_states, load, open_editor, shown,
)
from transfer_steps import GOLDEN_BACKUP, RECORD_LEN, ROOT, address, records, start_with_device

GOLDEN_PATCHED = ROOT / "tests/golden/editor_patched.q4k"
GOLDEN_VIEWS = ROOT / "tests/e2e/golden"
MAX_TEXT = 65536  # longest configuration text the editor takes
SM_CXFRAME = 32

RESTORE_RUNNING = "Transferiere Konfiguration auf Quendal 4..."
RESTORE_DONE = "Konfiguration auf Quendal 4 transferiert!"
BACKUP_DONE = "Konfiguration in Datei gespeichert!"
TRANSFER_TIMEOUT = 60.0


# Files
def golden():
    return GOLDEN_BACKUP.read_bytes()


def write(case, name, data, folder=None):
    """`data` as the file `name` in the case's folder (or in `folder` below it); returns its path."""
    directory = case.artifacts / folder if folder else case.artifacts
    directory.mkdir(parents=True, exist_ok=True)
    path = directory / name
    path.write_bytes(data)
    return path


def short_path_copy(case, name, data):
    """`data` as C:\\q4\\<name> in the Wine prefix: a path short enough to be shown unshortened.
    Returns (Unix path, Windows path)."""
    folder = case.session.prefix.path / "drive_c" / "q4"
    folder.mkdir(exist_ok=True)
    (folder / name).write_bytes(data)
    return folder / name, "C:\\q4\\" + name


def without_record(data, addr):
    return b"".join(r for r in records(data) if address(r) != addr)


def up_to_record(data, addr):
    """The records of `data` up to and including the one with this address."""
    kept = []
    for record in records(data):
        kept.append(record)
        if address(record) == addr:
            break
    return b"".join(kept)


def with_chars(data, addr, position, chars):
    """`data` with `chars` written at `position` of the record with this address."""
    out = []
    for record in records(data):
        if address(record) == addr:
            record = record[:position] + chars.encode("latin-1") + record[position + len(chars):]
        out.append(record)
    return b"".join(out)


def main_and_bc_records(data):
    """The main records and "$PBC", without the interface records 80-9F."""
    return b"".join(r for r in records(data) if not 0x80 <= int(address(r), 16) <= 0x9F)


def without_p06():
    return without_record(golden(), "06")


def p07_last():
    return up_to_record(golden(), "07")


def a2_without_p80():
    return with_chars(main_and_bc_records(golden()), "BC", 6, "A2")


def a0_file():
    """'A0' in "$PBC" (no TETRA settings), and own identifier 12345678 so that the load is seen."""
    return with_chars(with_chars(golden(), "BC", 6, "A0"), "09", 68, "78563412")


def ten_records_and_tail():
    """Ten complete records and 50 bytes more: the start of a "$PBC" with 'A2', which must be ignored."""
    pbc = with_chars(main_and_bc_records(golden()), "BC", 6, "A2")
    pbc_record = [r for r in records(pbc) if address(r) == "BC"][0]
    return b"".join(records(golden())[:10]) + pbc_record[:50]


def too_large():
    """The golden backup followed by copies of its records: 493 records, 65,569 bytes."""
    all_records = records(golden())
    count = MAX_TEXT // RECORD_LEN + 1
    return b"".join((all_records * 4)[:count])


# What the editor must show for a file
def expected_view(name):
    """What a completed load of the variant `name` shows (identifiers, names, role, TETRA options):
    tests/e2e/golden/<name>.json, taken once from the program's display and checked by eye
    against the file's records."""
    return json.loads((GOLDEN_VIEWS / (name + ".json")).read_text(encoding="utf-8"))


def expected_enabled(loaded, tetra=False, destination=False, idle=True):
    """The enabled state of every refreshed control."""
    states = {c: loaded for c in EDITING}
    states.update({c: loaded and destination for c in DESTINATION})
    states[SAVE_AND_SEND] = loaded and destination and idle
    states.update({c: loaded and tetra for c in TETRA})
    states[DEST_NAME] = False
    states.update({c: True for c in ALWAYS_ENABLED})
    return {c: states[c] for c in STATE_CONTROLS}


def expect_enabled(editor, expected, what, timeout=1.0):
    """The refresh reaches the states within a tick or two; a failure names the controls that differ."""
    try:
        wait_until(lambda: enabled_states(editor) == expected, timeout)
    except WaitTimeout:
        seen = enabled_states(editor)
        differ = {c: seen[c] for c in expected if seen[c] != expected[c]}
        raise AssertionError("%s: controls in the wrong enabled state (id: enabled): %r" % (what, differ))


def view_of(shown_values, tetra):
    """The part of shown() that a load sets; the TETRA check marks only when the file has them."""
    keys = ["own_id", "quick_ids", "names", "role"] + (["auto_transfer", "read_groups"] if tetra else [])
    return {k: shown_values[k] for k in keys}


def expect_loaded(editor, variant, source_text, what):
    """The editor shows the completed load of the golden view `variant` from a file shown as
    `source_text`, with no destination chosen, and enables the controls accordingly."""
    view = expected_view(variant)
    expect_enabled(editor, expected_enabled(True, view["tetra"]), what)
    values = shown(editor)
    expected = {k: view[k] for k in view_of(values, view["tetra"])}
    expect_equal(view_of(values, view["tetra"]), expected, "%s: settings shown" % what)
    expect_equal((values["source"], values["dest_name"], values["dest_folder"], values["append_own_id"],
                  values["use_source"]), (source_text, "", "", False, False),
                 "%s: source path, 1011, 1018, 1013, 1014" % what)
    return view


# The program with its editor
def start_editor(case, device=False, **sim_options):
    """The program (with an identified simulated device when `device`) and its editor window."""
    if device or sim_options:
        sim, app = start_with_device(case, **sim_options)
    else:
        sim, app = None, case.app()
    return sim, app, open_editor(app)


def load_golden(case, app, editor):
    """Loads a copy of the golden backup from a short path and checks that the load completed."""
    path, shown_path = short_path_copy(case, "golden.q4k", golden())
    load(case, app, editor, shown_path)
    expect_loaded(editor, "golden_backup", shown_path, "golden backup loaded")
    return path


def expect_box(app, caption, text, icon, owner=None, timeout=5.0):
    """Waits for the program's message box, checks it (and its owner window) and returns it."""
    box = app.wait_message_box(timeout)
    expect_equal((box.caption, box.message, box.icon, box.buttons), (caption, text, icon, ["OK"]),
                 "message box (caption, text, icon, buttons)")
    if owner is not None:
        expect_equal(box.owner, owner.ref, "owner of the message box %r" % text)
    return box


def type_into(editor, control, text):
    """Replaces a field's text by typing `text` (posted characters, so the field's own rules apply)."""
    field = editor.control(control)
    field.set_text("")
    field.chars(text)
    wait_until(lambda: field.text() == text, 3, what="field %d to read %r (reads %r)" % (control, text, field.text()))


def is_shortened_form(shown_text, path):
    """Whether `shown_text` is `path` with characters taken out and one "..." put in."""
    if shown_text.count("...") != 1 or shown_text == path:
        return False
    rest = iter(path)
    return all(ch in rest for ch in shown_text.replace("...", "", 1))


def folder_of(windows_path):
    return windows_path[:windows_path.rindex("\\") + 1]


def file_name_of(windows_path):
    return windows_path[windows_path.rindex("\\") + 1:]


def expect_destination(editor, windows_path, what):
    """1011 shows the file name, 1018 the folder (shortened with "..." if too wide)."""
    name, folder = editor.text(DEST_NAME), editor.text(DEST_FOLDER)
    expect_equal(name, file_name_of(windows_path), "%s: file name in 1011" % what)
    if folder != folder_of(windows_path) and not is_shortened_form(folder, folder_of(windows_path)):
        raise AssertionError("%s: 1018 shows %r, not the folder %r or a shortened form of it"
                             % (what, folder, folder_of(windows_path)))


# Where the editor opens (the placement rule itself is the unit table's: editor_placement_test)
def screen_facts(app):
    """(screen width, screen height, SM_CXFRAME) as the program sees them."""
    screen = app.driver.call("screen")
    return screen["width"], screen["height"], app.driver.call("metric", SM_CXFRAME)["value"]


def work_area(app):
    """The screen without the taskbar, as (left, top, right, bottom)."""
    screen = app.driver.call("screen")
    return screen["work_left"], screen["work_top"], screen["work_right"], screen["work_bottom"]


def inside(rect, area):
    return area[0] <= rect[0] and area[1] <= rect[1] and rect[2] <= area[2] and rect[3] <= area[3]


def width(rect):
    return rect[2] - rect[0]


def height(rect):
    return rect[3] - rect[1]


def expect_placement(app, editor, side, main_before, what):
    """The editor opened "right" of the main window, "below" it or centred "over" it, wholly inside
    the work area; the main window moved only for a "pair" centred on the screen (editor right of it,
    both inside the work area)."""
    editor_rect, main_rect, work = editor.rect(), app.main.rect(), work_area(app)
    if side == "pair":
        sw, _, frame = screen_facts(app)
        if abs(main_rect[0] + editor_rect[2] - sw) > frame + 1:
            raise AssertionError("%s: main %r and editor %r not a pair centred on the screen"
                                 % (what, main_rect, editor_rect))
    else:
        expect_equal(main_rect, main_before, "%s: main window rectangle" % what)
    placed = {"pair": editor_rect[0] >= main_rect[2], "right": editor_rect[0] >= main_rect[2],
              "below": editor_rect[1] >= main_rect[3],
              "over": all(abs(a - b) <= 1 for a, b in zip(centre(editor_rect), centre(main_rect)))}[side]
    if not placed:
        raise AssertionError("%s: editor %r not %s the main window %r" % (what, editor_rect, side, main_rect))
    if not inside(editor_rect, work) or (side == "pair" and not inside(main_rect, work)):
        raise AssertionError("%s: editor %r or main %r not inside the work area %r" % (what, editor_rect, main_rect, work))


def centre(rect):
    return ((rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2)


def move_main(app, left, top):
    """Moves the main window to left, top as a user's drag would: without painting it there.

    Wine paints a window again when a move changes how much of it lies on the screen (it gets a
    new surface), which a drag in Windows does not. So the window is first moved one pixel
    beside the target along an axis on which it lies wholly on the screen, painted there, and
    then shifted onto the target, which keeps its surface. Returns its rectangle."""
    sw, sh = app.driver.call("screen")["width"], app.driver.call("screen")["height"]
    w, h = width(app.main.rect()), height(app.main.rect())
    if left >= 0 and left + w < sw:
        beside = (left + 1, top)
    elif top >= 0 and top + h < sh:
        beside = (left, top + 1)
    else:
        raise AssertionError("the main window cannot be moved to %d, %d unpainted" % (left, top))
    app.main.move(*beside)
    app.main.paint()
    return app.main.move(left, top)
