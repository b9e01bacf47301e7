#!/usr/bin/env python3
"""Runs the end-to-end scenarios (functions test_* in tests/e2e/test_*.py, each
taking a Case) in one shared Wine session and prints one line per scenario,
then "N passed, M failed"."""

import argparse
import fnmatch
import importlib.util
import signal
import sys
import time
import traceback
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(HERE))

from harness import Case, Session  # noqa: E402

SCENARIO_TIME_LIMIT = 120  # seconds; a hung scenario fails instead of stalling the run


class ScenarioTimeLimit(Exception):
    pass


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("-k", dest="patterns", action="append", default=[],
                        help="run scenarios whose name contains PATTERN (or matches it as a glob); repeatable")
    parser.add_argument("--exe", default=ROOT / "build/mingw/Q4_Backup.exe", type=Path)
    parser.add_argument("--sim", default=ROOT / "build/native/q4sim", type=Path)
    parser.add_argument("--driver", default=ROOT / "build/mingw/q4drive.exe", type=Path)
    parser.add_argument("--artifacts", default=ROOT / "build/e2e-artifacts", type=Path)
    parser.add_argument("--headless", action="store_true", help="use Xvfb even when DISPLAY is set")
    parser.add_argument("--list", action="store_true", help="list the selected scenarios and stop")
    return parser.parse_args()


def discover(patterns):
    """(module name, function name, function) of every selected scenario, in file and source order."""
    scenarios = []
    for path in sorted(HERE.glob("test_*.py")):
        found_at = importlib.util.spec_from_file_location(path.stem, path)
        module = importlib.util.module_from_spec(found_at)
        try:
            found_at.loader.exec_module(module)
            found = [(name, f) for name, f in vars(module).items() if name.startswith("test_") and callable(f)]
        except Exception as e:
            # A file that does not load counts as one failed scenario; the others still run.
            found = [("load", _raiser(e))]
        for name, function in found:
            full = "%s::%s" % (path.stem, name)
            if not patterns or any(p in full or fnmatch.fnmatch(full, p) for p in patterns):
                scenarios.append((path.stem, name, function))
    return scenarios


def _raiser(error):
    def load_failed(case):
        raise error

    return load_failed


def failure_reason(error):
    """The error's message, or for a bare assert the failing line of the scenario."""
    message = str(error).strip().splitlines()[0] if str(error).strip() else ""
    frames = [f for f in traceback.extract_tb(error.__traceback__) if Path(f.filename).name.startswith("test_")]
    where = "%s:%d" % (Path(frames[-1].filename).name, frames[-1].lineno) if frames else ""
    if not message and frames:
        message = frames[-1].line or ""
    label = type(error).__name__ if not isinstance(error, AssertionError) else ""
    text = ": ".join(part for part in (label, message) if part)
    return "%s (%s)" % (text, where) if where else text


def on_time_limit(signum, frame):
    raise ScenarioTimeLimit("scenario ran longer than %d s" % SCENARIO_TIME_LIMIT)


def run_scenario(session, artifacts, module, name, function):
    started = time.monotonic()
    case = Case(session, "%s::%s" % (module, name), artifacts / module / name)
    error = None
    signal.alarm(SCENARIO_TIME_LIMIT)
    try:
        function(case)
    except Exception as e:  # every kind of failure is reported the same way
        error = e
    finally:
        signal.alarm(0)
        try:
            case.close(failed=error is not None)
        except Exception as e:
            error = error or e
    elapsed = time.monotonic() - started
    if error is not None:
        (case.artifacts / "failure.txt").write_text("".join(traceback.format_exception(error)))
    return error, elapsed


def main():
    args = parse_args()
    scenarios = discover(args.patterns)
    if args.list:
        for module, name, _ in scenarios:
            print("%s::%s" % (module, name))
        return 0
    if not scenarios:
        print("no scenario matches %s" % " ".join(args.patterns))
        print("0 passed, 0 failed")
        return 0
    for path in (args.exe, args.sim, args.driver):
        if not path.exists():
            print("missing %s (build it first)" % path)
            print("0 passed, %d failed" % len(scenarios))
            return 1
    signal.signal(signal.SIGALRM, on_time_limit)
    passed = failed = 0
    session = Session(args.exe, args.sim, args.driver, args.artifacts, headless=args.headless)
    try:
        session.start()
        print("session ready in %.1f s (display %s, prefix %s)" % (session.setup_seconds, session.display,
                                                                   session.prefix.path), flush=True)
        for module, name, function in scenarios:
            error, elapsed = run_scenario(session, args.artifacts, module, name, function)
            if error is None:
                passed += 1
                print("PASS %s::%s (%.1f s)" % (module, name, elapsed), flush=True)
            else:
                failed += 1
                print("FAIL %s::%s (%.1f s): %s" % (module, name, elapsed, failure_reason(error)), flush=True)
    except Exception as e:
        print("FAIL session: %s" % failure_reason(e), flush=True)
        failed = len(scenarios) - passed
    finally:
        session.close()
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
