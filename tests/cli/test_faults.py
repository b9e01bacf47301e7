"""q4k when things go wrong: the exit code, the message, and nothing left behind."""

import signal
import subprocess
import time

from support import END, GOLDEN_BACKUP, Q4K, Q4kCase


class Faults(Q4kCase):
    def test_silent_device_is_exit_3_and_leaves_no_file(self):
        sim = self.simulator(fault="silent")
        backup = self.q4k("backup", sim.pty, "wagen.q4k")
        self.assertExit(backup, 3)
        self.assertIn("Kein Quendal 4 verbunden!", backup.stderr)
        restore = self.q4k("restore", sim.pty, GOLDEN_BACKUP)
        self.assertExit(restore, 3)
        self.assertEqual(self.files(), [])
        self.assertFalse(any(c.startswith("$P") and c != "$PROGSTART<01>" for c in sim.commands()))

    def test_babbling_port_is_no_device(self):
        sim = self.simulator(fault="babble")
        result = self.q4k("identify", sim.pty, timeout=10)
        self.assertExit(result, 3)
        self.assertIn("Kein Quendal 4 verbunden!", result.stderr)

    def test_failed_backup_keeps_an_existing_file_untouched(self):
        sim = self.simulator(fault="no-reply=05")
        (self.folder / "wagen.q4k").write_bytes(b"old contents")
        result = self.q4k("backup", sim.pty, "wagen.q4k", "-q", "--force")
        self.assertExit(result, 5)
        self.assertIn("Fehler 03: Auslesen der Konfiguration fehlerhaft.", result.stderr)
        self.assertIn("Datensatz 05 nicht gelesen", result.stderr)
        self.assertEqual((self.folder / "wagen.q4k").read_bytes(), b"old contents")
        self.assertEqual(self.files(), ["wagen.q4k"])

    def test_backup_that_cannot_be_committed_is_never_called_saved(self):
        sim = self.simulator()
        with open("/dev/full", "w") as full:
            result = self.q4k("backup", sim.pty, "-", stdout=full)
        self.assertExit(result, 4)
        self.assertIn("Datei nicht schreibbar: -\nAuslesen der Konfiguration fehlerhaft!\n", result.stderr)
        self.assertNotIn("gespeichert", result.stderr)

    def test_missing_acknowledgement_is_exit_5_and_the_trace_shows_where(self):
        sim = self.simulator(fault="ack-never=03")
        result = self.q4k("restore", sim.pty, GOLDEN_BACKUP, "--trace", "trace.log", "-q")
        self.assertExit(result, 5)
        self.assertIn("Fehler: Laden der Konifguration fehlerhaft. Datei konnte nicht übertragen werden.",
                      result.stderr)
        self.assertNotIn(END, sim.commands())
        lines = (self.folder / "trace.log").read_text(encoding="ascii").splitlines()
        self.assertIn("PC>", lines[-2])
        self.assertIn("|$P03", lines[-2])
        self.assertRegex(lines[-1], r"Q4<  \(keine Antwort, \d+ ms Stille\)$")
        self.assertIn("|P02!.|", lines[-3])
        self.assertIn("Datensatz 03 nicht quittiert", result.stderr)

    def test_unsuitable_file_sends_nothing(self):
        sim = self.simulator()
        (self.folder / "notes.q4k").write_bytes(b"x" * 200)
        result = self.q4k("restore", sim.pty, "notes.q4k")
        self.assertExit(result, 4)
        self.assertIn("Datei nicht geeignet!", result.stderr)
        self.assertEqual(sim.commands(), [])

    def test_unopenable_ports_each_get_their_own_message(self):
        (self.folder / "plain").write_bytes(b"")
        cases = [("/dev/ttyUSB-nonexistent", "Port nicht gefunden: /dev/ttyUSB-nonexistent"),
                 ("plain", "Kein serieller Port: plain")]
        for port, message in cases:
            result = self.q4k("backup", port, "wagen.q4k")
            self.assertExit(result, 3)
            self.assertEqual(result.stderr, message + "\n")
        self.assertEqual(self.files(), ["plain"])

    def test_unwritable_destination_is_exit_4(self):
        sim = self.simulator()
        result = self.q4k("backup", sim.pty, "no-such-folder/wagen.q4k")
        self.assertExit(result, 4)
        self.assertEqual(sim.commands(), [])

    def test_interrupted_transfer_says_abgebrochen_once_and_leaves_nothing_behind(self):
        partial = ("abgebrochen\nDas Gerät hält jetzt eine unvollständige Konfiguration; "
                   "die Wiederherstellung muss noch einmal laufen.\n")
        cases = [(["backup", "wagen.q4k"], "$R05", "abgebrochen\n"),
                 (["restore", str(GOLDEN_BACKUP)], "$P05", partial)]
        for (command, target), seen, said in cases:
            sim = self.simulator()
            running = subprocess.Popen([str(Q4K), command, sim.pty, target, "-q"], cwd=self.folder,
                                       stderr=subprocess.PIPE, text=True)
            deadline = time.monotonic() + 10
            while not any(c.startswith(seen) for c in sim.commands()) and time.monotonic() < deadline:
                time.sleep(0.05)
            running.send_signal(signal.SIGINT)
            _, err = running.communicate(timeout=10)
            self.assertEqual(running.returncode, 128 + signal.SIGINT, err)
            self.assertEqual(err, said)
            self.assertEqual(self.files(), [])
