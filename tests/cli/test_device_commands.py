"""q4k against the simulator: identify, backup (with its trace), restore, verify."""

import re

from support import END, GOLDEN_BACKUP, GOLDEN_PATCHED, QUERY, Q4kCase, records

TRACE_LINE = re.compile(r"^ *(\d+) ms  (PC>|Q4<)  (.*)$")


def trace_entries(path):
    """(direction, text column) of each line of a trace."""
    entries = []
    for line in path.read_text(encoding="ascii").splitlines():
        match = TRACE_LINE.match(line)
        if match:
            text = match.group(3)
            entries.append((match.group(2), text[text.find("|") + 1:-1] if text.endswith("|") else text))
    return entries


class DeviceCommands(Q4kCase):
    def test_identify_prints_the_three_labelled_lines(self):
        sim = self.simulator()
        result = self.q4k("identify", sim.pty)
        self.assertExit(result, 0)
        self.assertEqual(result.stdout.splitlines(),
                         ["Software: Quendal 4 TETRA", "Version: V 2.14", "Option: TETRA-Option"])

    def test_backup_equals_golden_and_its_trace_shows_every_request_and_reply(self):
        sim = self.simulator()
        result = self.q4k("backup", sim.pty, "wagen.q4k", "--trace", "trace.log")
        self.assertExit(result, 0)
        self.assertEqual((self.folder / "wagen.q4k").read_bytes(), GOLDEN_BACKUP.read_bytes())
        self.assertEqual(self.files(), ["trace.log", "wagen.q4k"])
        self.assertIn("Konfiguration in Datei gespeichert!", result.stderr)

        addresses = ["%02X" % a for a in range(0x01, 0x80)] + ["BC"] + ["%02X" % a for a in range(0x80, 0xA0)]
        self.assertEqual(sim.commands(), [QUERY] + ["$R%s<01>" % a for a in addresses])
        entries = trace_entries(self.folder / "trace.log")
        self.assertEqual(entries[0], ("PC>", "$PROGSTART."))
        self.assertEqual(entries[1][0], "Q4<")
        self.assertIn("Quendal 4", entries[1][1])
        pairs = entries[2:]
        self.assertEqual(len(pairs), 2 * len(addresses))
        for k, address in enumerate(addresses):
            self.assertEqual(pairs[2 * k], ("PC>", "$R%s." % address))
            self.assertEqual(pairs[2 * k + 1][0], "Q4<")
            self.assertRegex(pairs[2 * k + 1][1], r"^\$R%s[0-9A-F]{128}\.$" % address)

    def test_restore_then_verify_equal_and_unequal(self):
        sim = self.simulator()
        restore = self.q4k("restore", sim.pty, GOLDEN_PATCHED)
        self.assertExit(restore, 0)
        self.assertIn("Konfiguration auf Quendal 4 transferiert!", restore.stderr)
        commands = sim.commands()
        written = [c for c in commands if c.startswith("$P") and c not in (QUERY, END)]
        self.assertEqual(len(written), len(records(GOLDEN_PATCHED.read_bytes())))
        self.assertEqual(commands[-1], END)

        equal = self.q4k("verify", sim.pty, GOLDEN_PATCHED, "-q")
        self.assertExit(equal, 0)
        self.assertEqual(equal.stdout, "Gerät und Datei stimmen überein.\n")
        self.assertEqual(equal.stderr, "")

        unequal = self.q4k("verify", sim.pty, GOLDEN_BACKUP, "-q")
        self.assertExit(unequal, 1)
        lines = unequal.stdout.splitlines()
        self.assertEqual([line.split()[0] for line in lines[:-1]], ["$P06", "$P07", "$P08", "$P09", "$PBC", "$P80"])
        self.assertIn("Byte 13 (Datei 01, Gerät 00)", lines[0])
        self.assertEqual(lines[-1], "6 Datensätze unterscheiden sich.")
