#!/usr/bin/env python3
"""Runs the end-to-end tests of q4k (tests/cli/test_*.py) against the simulator on a
pseudo-terminal, natively, without Wine: one line per test, then "N passed, M failed".

    python3 tests/cli/run_cli_tests.py            # every test
    python3 tests/cli/run_cli_tests.py -k trace   # tests whose name contains the text
    python3 tests/cli/run_cli_tests.py -j 3       # in three processes (the tests mostly wait on the line)

Programs: build/native/q4k and build/native/q4sim (environment Q4K and Q4SIM override)."""

import argparse
import multiprocessing
import os
import sys
import time
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))


class LineResult(unittest.TextTestResult):
    """One line per test: its outcome, its seconds, its name."""

    def startTest(self, test):
        self._started = time.monotonic()
        super().startTest(test)

    def _line(self, test, word):
        self.stream.writeln("%-6s %5.1f s  %s" % (word, time.monotonic() - self._started, test.id()))
        self.stream.flush()

    def addSuccess(self, test):
        unittest.TestResult.addSuccess(self, test)
        self._line(test, "ok")

    def addFailure(self, test, err):
        unittest.TestResult.addFailure(self, test, err)
        self._line(test, "FAIL")

    def addError(self, test, err):
        unittest.TestResult.addError(self, test, err)
        self._line(test, "ERROR")


def selected(suite, patterns):
    for item in suite:
        if isinstance(item, unittest.TestSuite):
            yield from selected(item, patterns)
        elif not patterns or any(p in item.id() for p in patterns):
            yield item


SHARES = []  # each process's tests, handed over by fork


def run_share(tests):
    """Runs some of the tests; returns how many ran and how many failed."""
    if isinstance(tests, int):
        tests = SHARES[tests]
    runner = unittest.TextTestRunner(stream=sys.stdout, verbosity=0, resultclass=LineResult)
    result = runner.run(unittest.TestSuite(tests))
    sys.stdout.flush()
    return result.testsRun, len(result.failures) + len(result.errors)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("-k", dest="patterns", action="append", default=[])
    parser.add_argument("--q4k", type=Path, help="the q4k to test (default build/native/q4k)")
    parser.add_argument("--sim", type=Path, help="the simulator (default build/native/q4sim)")
    parser.add_argument("-j", "--jobs", type=int, default=1, help="processes that run tests side by side")
    args = parser.parse_args()
    # Before support is imported by the test files, which read them.
    if args.q4k:
        os.environ["Q4K"] = str(args.q4k.resolve())
    if args.sim:
        os.environ["Q4SIM"] = str(args.sim.resolve())
    import support
    for program in (support.Q4K, support.Q4SIM):
        if not program.exists():
            print("missing %s (run scripts/build first)" % program)
            print("0 passed, 1 failed")
            return 1
    loaded = unittest.defaultTestLoader.discover(str(HERE), pattern="test_*.py", top_level_dir=str(HERE))
    tests = list(selected(loaded, args.patterns))
    jobs = max(1, min(args.jobs, len(tests)))
    if jobs == 1:
        ran, failed = run_share(tests)
    else:
        SHARES.extend([] for _ in range(jobs))
        for index, test in enumerate(tests):
            SHARES[index % jobs].append(test)
        with multiprocessing.get_context("fork").Pool(jobs) as pool:
            counts = pool.map(run_share, range(jobs))
        ran, failed = sum(c[0] for c in counts), sum(c[1] for c in counts)
    print("%d passed, %d failed" % (ran - failed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
