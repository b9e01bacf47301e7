#!/usr/bin/env python3
"""Runs Q4_Backup.exe under Wine against the device simulator on COM7. With a display
it hands the window to the user until it is closed; without one it waits for the
device, makes a backup through the window, saves a screenshot and prints a summary."""

import argparse
import os
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests/e2e"))

from harness import Case, Session, wait_until  # noqa: E402
from harness.main_window import DEVICE_INFO, DEVICE_TO_FILE, PORT_LIST, PROGRESS, STATUS  # noqa: E402
from harness.screenshot import settled_screenshot  # noqa: E402

RECORD_LEN = 133
BACKUP_DONE = "Konfiguration in Datei gespeichert!"
BACKUP_FAILED = "Auslesen der Konfiguration fehlerhaft!"


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--headless", action="store_true", help="run under Xvfb even when a display is set")
    parser.add_argument("--exe", default=ROOT / "build/mingw/Q4_Backup.exe", type=Path)
    parser.add_argument("--sim", default=ROOT / "build/native/q4sim", type=Path)
    parser.add_argument("--driver", default=ROOT / "build/mingw/q4drive.exe", type=Path)
    parser.add_argument("--out", default=ROOT / "build/demo", type=Path)
    return parser.parse_args()


def shown(text):
    return text.replace("\r", " | ").replace("\t", " ")


def interactive(app):
    print("Q4_Backup is running against the simulator on COM7; close its window to end the demo.", flush=True)
    while app.running():
        time.sleep(0.5)


def headless(case, app, out):
    main = app.main
    wait_until(lambda: main.text(DEVICE_INFO).startswith("Software: "), 10, what="the device to be identified")
    port = main.combo(PORT_LIST)
    print("Window:       %s" % main.text())
    print("Port:         %s (listed: %s)" % (port.text, ", ".join(port.items)))
    print("Device:       %s" % shown(main.text(DEVICE_INFO)))
    print("Progress:     %d of %d" % (main.progress(PROGRESS).pos, main.progress(PROGRESS).max))

    backup = out / "demo_backup.q4k"
    backup.unlink(missing_ok=True)
    started = time.monotonic()
    main.click(DEVICE_TO_FILE)
    app.wait_file_dialog().choose(case.windows_path(backup))
    wait_until(lambda: main.text(STATUS) in (BACKUP_DONE, BACKUP_FAILED) and main.enabled(DEVICE_TO_FILE), 120,
               what="the backup to end")
    seconds = time.monotonic() - started
    shot = out / "demo_main_window.png"
    settled_screenshot(case.session.display, shot, main.rect())

    size = backup.stat().st_size if backup.exists() else 0
    print("Backup:       %s" % main.text(STATUS))
    print("File:         %s, %d bytes, %d records (%.1f s)" % (backup, size, size // RECORD_LEN, seconds))
    print("Screenshot:   %s" % shot)
    return main.text(STATUS) == BACKUP_DONE


def main():
    args = parse_args()
    for path in (args.exe, args.sim, args.driver):
        if not path.exists():
            print("missing %s (run scripts/build first)" % path)
            return 1
    args.out.mkdir(parents=True, exist_ok=True)
    quiet = args.headless or not os.environ.get("DISPLAY")
    session = Session(args.exe, args.sim, args.driver, args.out / "artifacts", headless=quiet)
    ok = True
    try:
        session.start()
        case = Case(session, "demo", args.out / "artifacts" / "demo")
        try:
            case.simulator()
            app = case.app()
            if quiet:
                ok = headless(case, app, args.out)
            else:
                interactive(app)
        finally:
            case.close(failed=not ok)
    finally:
        session.close()
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
