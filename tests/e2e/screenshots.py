#!/usr/bin/env python3
"""Makes the README's pictures: the main window with an identified device
(docs/main_window.png), the help window (docs/help_window.png) and the configuration
editor with the golden backup loaded (docs/editor_window.png), taken under Xvfb with
the device simulator on a COM port."""

import argparse
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(HERE))

from harness import IDOK, Case, Session, wait_until  # noqa: E402
from harness.editor_window import load, open_editor  # noqa: E402
from harness.main_window import DEVICE_INFO, HELP, IDENTIFIED_POSITION, PROGRESS  # noqa: E402
from harness.screenshot import settled_screenshot  # noqa: E402
from editor_steps import expect_loaded, golden, height, screen_facts, short_path_copy, width  # noqa: E402


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
    help_window.click(IDOK)
    help_window.wait_gone()
    editor_png = take_editor(case, app, out)
    return main_png, help_png, editor_png


def take_editor(case, app, out):
    """The editor with the golden backup loaded, moved wholly onto the screen if it opened partly off it."""
    editor = open_editor(app)
    _, path = short_path_copy(case, "default_backup.q4k", golden())
    load(case, app, editor, path)
    expect_loaded(editor, golden(), path, "golden backup loaded")
    screen_width, screen_height, _ = screen_facts(app)
    rect = editor.rect()
    left = max(0, min(rect[0], screen_width - width(rect)))
    top = max(0, min(rect[1], screen_height - height(rect)))
    if (left, top) != rect[:2]:
        editor.move(left, top)
    editor.focus()
    editor_png = out / "editor_window.png"
    settled_screenshot(case.session.display, editor_png, editor.rect())
    return editor_png


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
