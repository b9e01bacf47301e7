"""Polling with time-outs, so that scenarios wait for effects instead of sleeping."""

import time


class WaitTimeout(AssertionError):
    """A condition did not come about (or did not last) within its time."""


def _describe(what, predicate):
    return what or getattr(predicate, "__name__", "condition")


def wait_until(predicate, timeout=5.0, interval=0.05, what=None):
    """Calls predicate until it returns a true value, and returns that value.

    Raises WaitTimeout after `timeout` seconds, naming `what` and the last value seen.
    """
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise WaitTimeout(
                "timed out after %.1f s waiting for %s (last: %r)" % (timeout, _describe(what, predicate), value)
            )
        time.sleep(interval)


def holds_for(predicate, duration, interval=0.05, what=None):
    """Checks that predicate stays true for `duration` seconds; raises WaitTimeout when it fails."""
    deadline = time.monotonic() + duration
    while True:
        value = predicate()
        if not value:
            raise WaitTimeout("%s stopped holding (value: %r)" % (_describe(what, predicate), value))
        if time.monotonic() >= deadline:
            return value
        time.sleep(interval)
