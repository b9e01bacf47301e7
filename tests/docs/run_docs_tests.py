#!/usr/bin/env python3
"""Tests of the two guides and of the release package: each guide's message tables against its
program's sources, its safety notices, pictures and links, the rendered pages in headless Chromium,
and (with --package) scripts/package run and its archives checked, the Windows programs under Wine.
Prints one line per test, then "N passed, M failed"; the exit code is 0 only when nothing failed."""

import argparse
import subprocess
import sys
import time
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(HERE))

SUITES = ["test_guide", "test_guide_browser"]


class LineResult(unittest.TextTestResult):
    """One line per test: its outcome and name; failures in full at the end."""

    def startTest(self, test):
        self._started = time.monotonic()
        super().startTest(test)

    def _line(self, outcome, test):
        self.stream.write("%-4s %s (%.1f s)\n" % (outcome, test.id(), time.monotonic() - self._started))
        self.stream.flush()

    def addSuccess(self, test):
        unittest.TestResult.addSuccess(self, test)
        self._line("ok", test)

    def addFailure(self, test, err):
        unittest.TestResult.addFailure(self, test, err)
        self._line("FAIL", test)

    def addError(self, test, err):
        unittest.TestResult.addError(self, test, err)
        self._line("FAIL", test)

    def addSkip(self, test, reason):
        unittest.TestResult.addSkip(self, test, reason)
        self._line("skip", test)
        self.stream.write("     %s\n" % reason)


def package(args):
    """Runs scripts/package; (passed, log path)."""
    log = ROOT / "build/reports/package.log"
    log.parent.mkdir(parents=True, exist_ok=True)
    command = [str(ROOT / "scripts/package"), "--no-setup", "--mingw-build", str(args.mingw_build),
               "--native-build", str(args.native_build), "--dist", str(args.dist)]
    started = time.monotonic()
    with open(log, "w") as out:
        code = subprocess.run(command, stdout=out, stderr=subprocess.STDOUT).returncode
    print("%-4s scripts/package (%.1f s)%s" % ("ok" if code == 0 else "FAIL", time.monotonic() - started,
                                                "" if code == 0 else ", see %s" % log), flush=True)
    return code == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--package", action="store_true", help="build the release package and check it")
    parser.add_argument("--mingw-build", type=Path, default=ROOT / "build/mingw")
    parser.add_argument("--native-build", type=Path, default=ROOT / "build/release-native")
    parser.add_argument("--dist", type=Path, default=ROOT / "dist")
    args = parser.parse_args()

    passed = failed = 0
    suites = list(SUITES)
    if args.package:
        if package(args):
            passed += 1
        else:
            failed += 1
        import test_package
        test_package.CONFIG.update(dist=args.dist, driver=args.mingw_build / "q4drive.exe")
        suites.append("test_package")

    loader = unittest.defaultTestLoader
    suite = unittest.TestSuite(loader.loadTestsFromName(name) for name in suites)
    result = unittest.TextTestRunner(stream=sys.stdout, resultclass=LineResult, verbosity=0).run(suite)
    failed += len(result.failures) + len(result.errors)
    passed += result.testsRun - len(result.failures) - len(result.errors) - len(result.skipped)
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
