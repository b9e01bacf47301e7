"""Assertions whose failure messages show both values, since plain assert shows none here."""


def expect_equal(actual, expected, what="value"):
    if actual != expected:
        raise AssertionError("%s: expected %r, got %r" % (what, expected, actual))


def expect_true(value, what):
    if not value:
        raise AssertionError("expected %s (got %r)" % (what, value))


def expect_false(value, what):
    if value:
        raise AssertionError("expected not %s (got %r)" % (what, value))
