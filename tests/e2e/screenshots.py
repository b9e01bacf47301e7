#!/usr/bin/env python3
"""Makes the README's pictures: the main window with an identified device
(docs/main_window.png) and the help window (docs/help_window.png), taken under
Xvfb with the device simulator on a COM port."""

import argparse
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(HERE))

from harness import Case, Session, wait_until  # noqa: E402
from harness.main_window import DEVICE_INFO, HELP, IDENTIFIED_POSITION, PROGRESS  # noqa: E402
from harness.screenshot import settled_screenshot  # noqa: E402


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", default=ROOT / "build/mingw/Q4_Backup.exe", type=Path)
    parser.add_argument("--sim", default=ROOT / "build/native/q4sim", type=Path)
    parser.add_argument("--driver", default=ROOT / "build/mingw/q4drive.exe", type=Path)
    parser.add_argument("--out", default=ROOT / "docs", type=Path, help="folder for the PNG files")
    parser.add_argument("--artifacts", default=ROOT / "build/e2e-artifacts", type=Path)
    return parser.parse_args()


def take(case, out):
    case.simulator()
    app = case.app()
    main = app.main
    wait_until(lambda: main.text(DEVICE_INFO).startswith("Software: "), 10, what="the device to be identified")
    wait_until(lambda: main.progress(PROGRESS).pos == IDENTIFIED_POSITION, 5, what="the identified progress position")
    main_png = out / "main_window.png"
    settled_screenshot(case.session.display, main_png, main.rect())
    main.click(HELP)
    help_window = app.wait_window("Hilfe")
    help_window.focus()
    help_png = out / "help_window.png"
    settled_screenshot(case.session.display, help_png, help_window.rect())
    return main_png, help_png


def main():
    args = parse_args()
    args.out.mkdir(parents=True, exist_ok=True)
    # Always Xvfb: on a desktop other windows could cover the program's.
    with Session(args.exe, args.sim, args.driver, args.artifacts, headless=True) as session:
        case = Case(session, "screenshots", args.artifacts / "screenshots")
        failed = True
        try:
            for path in take(case, args.out):
                print("saved %s" % path)
            failed = False
        finally:
            case.close(failed)
    return 0


if __name__ == "__main__":
    sys.exit(main())
