#!/usr/bin/env python3
"""Makes the pictures of the README and of the two German guides from the real programs against
the device simulator, under Xvfb, in one run.

README (--out, docs/): main_window.png (identified device), help_window.png, editor_window.png
(the editor with the golden backup loaded).
Service guide (--guide-out, docs/anleitung/bilder/): the main window before and after identification,
with its port list open, during and after a backup and labelled, after a restore, the editor empty,
loaded and with a destination that carries the own identifier, the editor beside the main window while
it sends, the typical message boxes, and the save dialog's question before it replaces a file.
Fleet guide (--fleet-out, docs/flotte/bilder/): q4k.exe in a Windows console window, and a terminal
during a q4k rollout (scripts/rollout_picture.py, natively, without Wine; --rollout-only makes that
picture alone).
The question of the save dialog and the console are Wine's own and speak its language: they are taken
in a German locale (made with localedef under build/ when the system has none), as a German Windows
shows them; the program's own texts are German anyway.

The harness's screen is 1366 x 768, a laptop's, on which the editor opens beside the main window.
No picture is saved while a label of the main window or the editor is too narrow for its text.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests/e2e"))

from harness import IDOK, Case, Session, WaitTimeout, comports, holds_for, wait_until  # noqa: E402
from harness.editor_window import (  # noqa: E402
    APPEND_OWN_ID, DEST_NAME, OWN_ID, SAVE_AND_SEND, choose_destination, leave, load, open_editor, set_check,
)
from harness.main_window import (  # noqa: E402
    ADVANCED, DEVICE_INFO, DEVICE_TO_FILE, EXIT, FILE_TO_DEVICE, HELP, IDENTIFIED_POSITION, NO_DEVICE, PORT_LIST,
    PROGRESS, QUERY, STATUS,
)
from harness.labels import clipped_labels  # noqa: E402
from harness.processes import kill_wine_processes, wine_processes  # noqa: E402
from harness.window import Window  # noqa: E402
from harness.screenshot import settled_screenshot  # noqa: E402
from editor_steps import (  # noqa: E402
    BACKUP_DONE, RESTORE_DONE, TRANSFER_TIMEOUT, expect_loaded, golden, height, screen_facts, short_path_copy,
    width, without_p06,
)
from transfer_steps import start_backup, start_restore, wait_status  # noqa: E402
import callout_picture  # noqa: E402
import rollout_picture  # noqa: E402

BACKUP_RUNNING = "Speichere Konfiguration in Datei..."
BACKUP_FAILED = "Auslesen der Konfiguration fehlerhaft!"
RESTORE_FAILED = "Laden der Konfiguration fehlerhaft!"
GOLDEN_OWN_ID = "6F1A2B3C"
# A short destination, so that the editor shows it unshortened in the picture.
DESTINATION = "C:\\q4\\RTW-2.q4k"
# A restore gives a record up after about 5 s without an acknowledgement.
RESTORE_GIVE_UP = 15.0
# The parts of the main window the guide names, with the side their label stands on.
MAIN_WINDOW_PARTS = (
    (PORT_LIST, "Port-Liste", "left"),
    (STATUS, "Statuszeile", "left"),
    (PROGRESS, "Fortschrittsbalken", "left"),
    (FILE_TO_DEVICE, "Wiederherstellung", "left"),
    (DEVICE_INFO, "Geräteinformation", "right"),
    (DEVICE_TO_FILE, "Sicherung", "right"),
    (HELP, "Hilfe und Version", "below"),
    (ADVANCED, "Editor", "below"),
    (EXIT, "Programm beenden", "below"),
)
GERMAN_LOCALE = "de_DE.UTF-8"
# The port of the fleet guide's Windows examples, and the folder of its console picture.
CONSOLE_PORT = "com3"
CONSOLE_FOLDER = "Flotte"
# What the technician types in the console; each line runs to its end before the next is typed.
CONSOLE_COMMANDS = (
    "q4k ports",
    "q4k identify COM3",
    "q4k backup -q COM3 RTW-2.q4k",
    "echo %ERRORLEVEL%",
    "q4k identify COM4",
    "echo %ERRORLEVEL%",
)
# Keys of a US keyboard (Xvfb's) for the characters of the commands that are no letter or digit.
KEY_OF = {" ": "space", "-": "0xbd", ".": "0xbe", "%": "shift+5", "_": "shift+0xbd", ":": "shift+0xba",
          "\\": "0xdc"}
Q4K_START_TIMEOUT = 5.0
Q4K_RUN_TIMEOUT = 60.0


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", default=ROOT / "build/mingw/Q4_Backup.exe", type=Path)
    parser.add_argument("--sim", default=ROOT / "build/native/q4sim", type=Path)
    parser.add_argument("--q4k", default=ROOT / "build/native/q4k", type=Path)
    parser.add_argument("--driver", default=ROOT / "build/mingw/q4drive.exe", type=Path)
    parser.add_argument("--out", default=ROOT / "docs", type=Path, help="folder for the README's PNG files")
    parser.add_argument("--guide-out", default=ROOT / "docs/anleitung/bilder", type=Path,
                        help="folder for the service guide's PNG files")
    parser.add_argument("--fleet-out", default=ROOT / "docs/flotte/bilder", type=Path,
                        help="folder for the fleet guide's PNG files")
    parser.add_argument("--q4k-exe", default=ROOT / "build/mingw/q4k.exe", type=Path)
    parser.add_argument("--artifacts", default=ROOT / "build/e2e-artifacts", type=Path)
    parser.add_argument("--rollout-only", action="store_true", help="only the terminal during a q4k rollout")
    return parser.parse_args()


class Pictures:
    """Saves settled screenshots of windows and remembers what it saved."""

    def __init__(self, case, out, guide_out):
        self.case = case
        self.out = out
        self.guide_out = guide_out
        self.saved = []

    def window(self, name, window, readme_name=None):
        """The window as the guide's `name`, and as the README's `readme_name` too if given."""
        return self.area(name, window.rect(), readme_name)

    def area(self, name, rect, readme_name=None, folder=None):
        path = (folder or self.guide_out) / name
        settled_screenshot(self.case.session.display, path, rect)
        self.saved.append(path)
        if readme_name:
            shutil.copyfile(path, self.out / readme_name)
            self.saved.append(self.out / readme_name)
        return path

    def labelled(self, name, window, parts):
        """The window with a label for each of `parts` ((control, text, side), ...)."""
        rect = window.rect()
        plain = self.case.artifacts / ("ohne-beschriftung-" + name)
        settled_screenshot(self.case.session.display, plain, rect)
        callouts = []
        for control, text, side in parts:
            left, top, right, bottom = window.control(control).rect()
            callouts.append(callout_picture.Callout(text, (left - rect[0], top - rect[1], right - rect[0],
                                                           bottom - rect[1]), side))
        path = callout_picture.draw(str(plain), (width(rect), height(rect)), callouts, self.guide_out / name)
        self.saved.append(path)
        return path

    def box(self, name, app, caption=None, button="OK"):
        """The program's next message box (checked against `caption`), then closes it with `button`."""
        box = app.wait_message_box(RESTORE_GIVE_UP)
        if caption is not None and box.caption != caption:
            raise AssertionError("message box %r, expected caption %r" % (box, caption))
        self.window(name, box)
        box.press(button)
        return box


def well_under_way(main):
    """A transfer between 40 and 80 per cent: the bar shows it plainly, and it is far from its end."""
    progress = main.progress(PROGRESS)
    return progress.max > 0 and 0.4 * progress.max <= progress.pos < 0.8 * progress.max


def expect_whole_labels(window, what):
    clipped = clipped_labels(window)
    if clipped:
        raise AssertionError("%s: labels too narrow for their text (text, width needed, width): %r" % (what, clipped))


def identified(main):
    wait_until(lambda: main.enabled(DEVICE_TO_FILE), 10, what="the device to be identified")


def whiten_backdrop(path, picture_height):
    """The black screen around two windows of unequal height, seen from the left corners, made white
    like the page that shows the picture."""
    subprocess.run(["convert", str(path), "-fill", "white", "-floodfill", "+0+0", "black",
                    "-floodfill", "+0+%d" % (picture_height - 1), "black", "-strip", str(path)],
                   check=True, timeout=30)


def on_screen(app, window):
    """Moves a top-level window wholly onto the screen if it lies partly off it."""
    screen_width, screen_height, _ = screen_facts(app)
    rect = window.rect()
    left = max(0, min(rect[0], screen_width - width(rect)))
    top = max(0, min(rect[1], screen_height - height(rect)))
    if (left, top) != rect[:2]:
        window.move(left, top)


def main_window_pictures(case, pictures):
    """Before identification (the device silent), identified, the help window. Returns (sim, app)."""
    sim = case.simulator(fault="silent")
    app = case.app()
    main = app.main
    # Two queries unanswered: the window has tried and still shows no device.
    wait_until(lambda: sim.count(QUERY) >= 2, 10, what="two identification queries")
    holds_for(lambda: main.text(DEVICE_INFO) == NO_DEVICE, 0.3, what="no device shown")
    main.paint()
    pictures.window("hauptfenster-ohne-geraet.png", main)
    sim.control("clear-faults")
    wait_until(lambda: main.text(DEVICE_INFO).startswith("Software: "), 10, what="the device to be identified")
    wait_until(lambda: main.progress(PROGRESS).pos == IDENTIFIED_POSITION, 5, what="the identified progress position")
    pictures.window("hauptfenster.png", main, "main_window.png")
    main.drop_down(PORT_LIST)
    wait_until(lambda: main.combo(PORT_LIST).dropped, 5, what="the port list open")
    pictures.window("port-liste.png", main)
    main.drop_down(PORT_LIST, show=False)
    identified(main)
    main.click(HELP)
    help_window = app.wait_window("Hilfe")
    help_window.focus()
    pictures.window("hilfe.png", help_window, "help_window.png")
    help_window.click(IDOK)
    help_window.wait_gone()
    return sim, app


def transfer_pictures(case, pictures, sim, app):
    """A backup at the line's own speed (running, the refused "Beenden", done), a restore of it, and
    the two transfer failures. Returns the backup file."""
    main = app.main
    backup = case.artifacts / "RTW-2.q4k"
    sim.control("pace on")
    start_backup(case, app, backup)
    wait_status(app, BACKUP_RUNNING)
    wait_until(lambda: well_under_way(main), 30, what="the backup to be under way")
    pictures.window("sicherung-laeuft.png", main)
    main.click(EXIT)
    pictures.box("meldung-bitte-warten.png", app, "Q4_Backup")
    wait_status(app, BACKUP_DONE, TRANSFER_TIMEOUT)
    pictures.window("sicherung-fertig.png", main)
    pictures.labelled("hauptfenster_beschriftet.png", main, MAIN_WINDOW_PARTS)

    sim.control("pace off")
    start_restore(case, app, backup)
    wait_status(app, RESTORE_DONE, TRANSFER_TIMEOUT)
    pictures.window("wiederherstellung-fertig.png", main)

    sim.control("fault no-reply=05")
    start_backup(case, app, case.artifacts / "fehlerhaft.q4k")
    pictures.box("meldung-fehler-03.png", app, "Fehler 03")
    wait_status(app, BACKUP_FAILED, TRANSFER_TIMEOUT)
    sim.control("clear-faults")

    sim.control("fault ack-never=03")
    start_restore(case, app, backup)
    pictures.box("meldung-laden-fehlerhaft.png", app, "Fehler")
    wait_status(app, RESTORE_FAILED, TRANSFER_TIMEOUT)
    sim.control("clear-faults")
    return backup


def editor_pictures(case, pictures, sim, app):
    """The editor empty, a refused load, the golden backup loaded, a wrong identifier length, the
    destination with the own identifier appended, a save without a device, and the editor beside
    the main window while it sends."""
    editor = open_editor(app)
    expect_whole_labels(app.main, "main window")
    expect_whole_labels(editor, "empty editor")
    on_screen(app, editor)
    editor.focus()
    pictures.window("editor-leer.png", editor)

    _, unsuitable = short_path_copy(case, "ohne-p06.q4k", without_p06())
    load(case, app, editor, unsuitable)
    pictures.box("meldung-datei-nicht-geeignet.png", app, "Fehler")

    _, path = short_path_copy(case, "default_backup.q4k", golden())
    load(case, app, editor, path)
    expect_loaded(editor, "golden_backup", path, "golden backup loaded")
    expect_whole_labels(editor, "editor with a file")
    on_screen(app, editor)
    editor.focus()
    pictures.window("editor.png", editor, "editor_window.png")

    # A typed Tab leaves the field: the driver's own focus change would wait for the box.
    editor.control(OWN_ID).set_text("1234")
    editor.send_keys("tab", control=OWN_ID)
    pictures.box("meldung-kennung-laenge.png", app, "Fehler")
    editor.control(OWN_ID).set_text(GOLDEN_OWN_ID)
    editor.send_keys("tab", control=OWN_ID)

    choose_destination(case, app, editor, DESTINATION)
    set_check(editor, APPEND_OWN_ID, True)
    wait_until(lambda: editor.text(DEST_NAME) == "RTW-2_%s.q4k" % GOLDEN_OWN_ID, 2,
               what="the own identifier appended to the destination")
    editor.focus()
    pictures.window("editor-ziel.png", editor)

    sim.control("fault silent")
    wait_until(lambda: app.main.text(DEVICE_INFO) == NO_DEVICE, 10, what="the device gone")
    editor.click(SAVE_AND_SEND)
    pictures.box("meldung-kein-quendal.png", app, "Fehler")
    sim.control("clear-faults")
    identified(app.main)

    sim.control("pace on")
    editor.click(SAVE_AND_SEND)
    wait_until(lambda: well_under_way(app.main), 30, what="the editor's send to be under way")
    main_rect, editor_rect = app.main.rect(), editor.rect()
    both = (min(main_rect[0], editor_rect[0]), min(main_rect[1], editor_rect[1]),
            max(main_rect[2], editor_rect[2]), max(main_rect[3], editor_rect[3]))
    whiten_backdrop(pictures.area("editor-sendet.png", both), height(both))
    wait_status(app, RESTORE_DONE, TRANSFER_TIMEOUT)
    sim.control("pace off")
    leave(editor)


def lost_port_picture(case, pictures, app):
    """The adapter pulled while the port list was open: the port no longer opens."""
    app.main.drop_down(PORT_LIST)
    wait_until(lambda: app.main.combo(PORT_LIST).dropped, 5, what="the port list open")
    comports.neutralise(case.session.prefix.dosdevices, case.session.no_port_dir)
    app.main.drop_down(PORT_LIST, show=False)
    pictures.box("meldung-kein-freier-port.png", app, "Fehler")


def take(case, pictures):
    sim, app = main_window_pictures(case, pictures)
    transfer_pictures(case, pictures, sim, app)
    editor_pictures(case, pictures, sim, app)
    lost_port_picture(case, pictures, app)
    return pictures.saved


def german_locale():
    """The environment of a German UTF-8 locale: the system's, or one made under build/locales."""
    if "de_DE.utf8" in subprocess.run(["locale", "-a"], capture_output=True, text=True, check=True).stdout.split():
        return {"LC_ALL": GERMAN_LOCALE}
    folder = ROOT / "build/locales"
    if not (folder / GERMAN_LOCALE / "LC_CTYPE").exists():
        folder.mkdir(parents=True, exist_ok=True)
        subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8", str(folder / GERMAN_LOCALE)], check=True,
                       timeout=120)
    return {"LOCPATH": str(folder), "LC_ALL": GERMAN_LOCALE}


def overwrite_picture(case, pictures):
    """The save dialog of "Quendal 4 -> Datei" asks before it replaces a file; answered "Nein"."""
    sim = case.simulator()
    app = case.app()
    identified(app.main)
    existing = case.artifacts / "RTW-2.q4k"
    existing.write_bytes(golden())
    app.main.click(DEVICE_TO_FILE)
    dialog = app.wait_file_dialog()
    dialog.choose(case.windows_path(existing))
    pictures.box("ueberschreiben.png", app, button="Nein")
    dialog.cancel()
    app.kill()
    sim.stop()


def key_of(character):
    """The key chord that types `character` on a US keyboard."""
    if character.isdigit() or character.islower():
        return character
    if character.isupper():
        return "shift+" + character.lower()
    return KEY_OF[character]


def console_window(case):
    """The visible console window of the prefix, or None."""
    for window in case.driver.call("windows")["windows"]:
        if window["visible"] and window["class"] == "WineConsoleClass":
            return Window(case.driver, window["hwnd"])
    return None


def ran_to_end(case, command):
    """Waits for the q4k.exe that `command` started to end."""
    def running():
        return wine_processes(case.session.prefix.path, "q4k.exe")

    try:
        wait_until(running, Q4K_START_TIMEOUT, what="%r to start" % command)
    except WaitTimeout:
        return  # it ended before it was seen
    wait_until(lambda: not running(), Q4K_RUN_TIMEOUT, what="%r to end" % command)


def console_picture(case, pictures, folder, q4k_exe):
    """cmd in a console window: the commands typed as a technician would, each run to its end."""
    case.simulator(port=CONSOLE_PORT)
    work = case.session.prefix.path / "drive_c" / CONSOLE_FOLDER
    work.mkdir(exist_ok=True)
    shutil.copyfile(q4k_exe, work / "q4k.exe")
    # Wine's console greets with the Windows version it plays; a technician's laptop runs Windows 10.
    case.session.prefix.wine(["winecfg", "-v", "win10"])
    console = subprocess.Popen(["wine", "wineconsole", "cmd"], env=case.session.env, cwd=work,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_until(lambda: console_window(case), 20, what="the console window")
        time.sleep(1.0)
        for command in CONSOLE_COMMANDS:
            window.send_keys(*[key_of(c) for c in command], "enter")
            if command.startswith("q4k "):
                ran_to_end(case, command)
            time.sleep(0.5)
        pictures.area("q4k-konsole.png", window.rect(), folder=folder)
    finally:
        console.kill()
        console.wait(timeout=10)
        for program in ("wineconsole", "cmd.exe", "q4k.exe"):
            kill_wine_processes(case.session.prefix.path, program)


def german_pictures(session, args):
    """The save dialog's question and q4k.exe's console, in German as on a German Windows; returns the
    pictures saved."""
    # Wine takes a program's language from its environment: the scenario's driver, and all it starts.
    session.env.update(german_locale())
    case = Case(session, "screenshots-deutsch", args.artifacts / "screenshots-deutsch")
    pictures = Pictures(case, args.out, args.guide_out)
    failed = True
    try:
        overwrite_picture(case, pictures)
        console_picture(case, pictures, args.fleet_out, args.q4k_exe)
        failed = False
    finally:
        case.close(failed)
    return pictures.saved


def main():
    args = parse_args()
    for folder in (args.out, args.guide_out, args.fleet_out):
        folder.mkdir(parents=True, exist_ok=True)
    print("saved %s" % rollout_picture.take(args.q4k, args.sim, args.fleet_out / "terminal-rollout.png"))
    if args.rollout_only:
        return 0
    # Always Xvfb: on a desktop other windows could cover the program's.
    with Session(args.exe, args.sim, args.driver, args.artifacts, headless=True) as session:
        case = Case(session, "screenshots", args.artifacts / "screenshots")
        failed = True
        try:
            for path in take(case, Pictures(case, args.out, args.guide_out)):
                print("saved %s" % path)
            failed = False
        finally:
            case.close(failed)
        for path in german_pictures(session, args):
            print("saved %s" % path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
