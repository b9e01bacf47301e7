"""q4k set --identity-from and q4k rollout: a template put into vehicles that keep their identity."""

import csv
import os
import re
import signal
import subprocess
import time

from support import END, GOLDEN_BACKUP, GOLDEN_PATCHED, Q4K, QUERY, Q4kCase, RECORD_LEN, records

TETRA_KEPT = "TETRA-Optionen der Vorlage bleiben"


def replaced(data, tag, position, chars):
    """The file with ASCII characters at a position of the record with the tag."""
    at = data.find(tag.encode("ascii")) + position
    return data[:at] + chars.encode("ascii") + data[at + len(chars):]


def without_tetra(data):
    """The configuration of a device without TETRA settings, as its backup holds it."""
    return b"".join(r for r in records(data) if not r.startswith((b"$PBC", b"$P8", b"$P9")))


def written(sim):
    """The records the simulator was sent to store."""
    return [c for c in sim.commands() if re.match(r"^\$P[0-9A-F]{2}", c)]


def without_tetra_image(data):
    """A simulator image whose "$PBC" reads "FF": a device without TETRA settings."""
    return replaced(data, "$PBC", 4, "FF")


class Rollout(Q4kCase):
    def setUp(self):
        super().setUp()
        # A new base configuration: the golden one with a record beyond the settings changed.
        self.template = self.folder / "vorlage.q4k"
        self.template.write_bytes(replaced(GOLDEN_BACKUP.read_bytes(), "$P20", 4, "1234"))

    def expected_for(self, vehicle_file):
        """What the vehicle must hold afterwards, made by set --identity-from."""
        expected = self.folder / ("erwartet-" + vehicle_file.name)
        self.assertExit(self.q4k("set", self.template, "--identity-from", vehicle_file, "-o", expected), 0)
        return expected

    def rollout(self, port, *options, timeout=60):
        return self.q4k("rollout", port, self.template, "--archive", "archiv", "-q", *options, timeout=timeout)

    def loop(self, port):
        return subprocess.Popen([str(Q4K), "rollout", port, self.template, "--archive", "archiv", "--loop", "--fast",
                                 "-q"], cwd=self.folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def csv_rows(self, archive="archiv"):
        with open(self.folder / archive / "rollout.csv", newline="", encoding="utf-8") as f:
            return list(csv.DictReader(f))

    def test_identity_from_equals_the_windows_patch_and_options_apply_after_it(self):
        out = self.folder / "neu.q4k"
        result = self.q4k("set", GOLDEN_BACKUP, "--identity-from", GOLDEN_PATCHED, "-o", out)
        self.assertExit(result, 0)
        self.assertEqual(out.read_bytes(), GOLDEN_PATCHED.read_bytes())
        self.assertNotIn(TETRA_KEPT, result.stderr)
        self.assertExit(self.q4k("set", GOLDEN_PATCHED, "--own-id", "0A0B0C0D", "-o", "b.q4k"), 0)
        self.assertExit(self.q4k("set", GOLDEN_BACKUP, "--identity-from", GOLDEN_PATCHED, "--own-id",
                                 "0A0B0C0D", "-o", "a.q4k"), 0)
        self.assertEqual((self.folder / "a.q4k").read_bytes(), (self.folder / "b.q4k").read_bytes())
        (self.folder / "kaputt.q4k").write_bytes(GOLDEN_PATCHED.read_bytes()[:RECORD_LEN * 3 + 50])
        refused = self.q4k("set", GOLDEN_BACKUP, "--identity-from", "kaputt.q4k", "-o", "c.q4k")
        self.assertExit(refused, 4)
        self.assertIn("Datei nicht geeignet! kaputt.q4k", refused.stderr)

    def test_identity_without_tetra_keeps_the_templates_options_and_says_so(self):
        (self.folder / "ohne.q4k").write_bytes(without_tetra(GOLDEN_PATCHED.read_bytes()))
        result = self.q4k("set", GOLDEN_BACKUP, "--identity-from", "ohne.q4k", "-o", "neu.q4k")
        self.assertExit(result, 0)
        self.assertIn(TETRA_KEPT + ": ohne.q4k enthält keine TETRA-Interface-Einstellungen.", result.stderr)
        shown = self.q4k("show", "--json", "neu.q4k").stdout
        self.assertIn('"own_id": "12AB34CD"', shown)
        self.assertIn('"auto_transfer": false', shown)

    def test_rollout_archives_the_backup_and_leaves_the_template_with_the_vehicles_identity(self):
        sim = self.simulator(image=GOLDEN_PATCHED)
        result = self.rollout(sim.pty, "--fast")
        self.assertExit(result, 0)
        [row] = self.csv_rows()
        self.assertEqual(row["Ergebnis"], "erledigt")
        self.assertEqual(row["Eigene Kennung"], "12AB34CD")
        self.assertEqual(row["Port"], sim.pty)
        self.assertEqual(result.stdout, "12AB34CD: erledigt. Sicherung: %s\n" % row["Sicherung"])
        self.assertRegex(row["Sicherung"], r"^archiv/12AB34CD_\d{8}-\d{6}\.q4k$")
        self.assertEqual(row["Neue Datei"], row["Sicherung"][:-4] + "_neu.q4k")
        self.assertGreater(float(row["Sichern s"]), 0)
        # A backup of this device is the file it was loaded with.
        self.assertEqual((self.folder / row["Sicherung"]).read_bytes(), GOLDEN_PATCHED.read_bytes())
        self.assertExit(self.q4k("verify", sim.pty, self.expected_for(GOLDEN_PATCHED), "--fast", "-q"), 0)

    def test_vehicle_without_tetra_gets_the_templates_options(self):
        (self.folder / "ohne.q4k").write_bytes(without_tetra_image(GOLDEN_PATCHED.read_bytes()))
        sim = self.simulator(image=self.folder / "ohne.q4k")
        result = self.rollout(sim.pty, "--fast")
        self.assertExit(result, 0)
        self.assertIn(TETRA_KEPT, result.stderr)
        [row] = self.csv_rows()
        self.assertExit(self.q4k("verify", sim.pty, self.expected_for(self.folder / row["Sicherung"]), "--fast",
                                 "-q"), 0)

    def test_the_printed_way_back_runs_in_the_shell_and_restores_the_archive(self):
        control = self.folder / "control"
        sim = self.simulator(fault="ack-never=03", control=control)
        program = os.path.relpath(Q4K, self.folder)  # a relative start: the line names the program absolutely
        result = subprocess.run([program, "rollout", sim.pty, self.template, "--archive",
                                 "mein archiv", "--fast", "-q"], cwd=self.folder, capture_output=True, text=True)
        self.assertExit(result, 5)
        [row] = self.csv_rows("mein archiv")
        self.assertEqual((self.folder / row["Sicherung"]).read_bytes(), GOLDEN_BACKUP.read_bytes())
        self.assertNotIn(END, sim.commands())
        way_back = result.stdout.removeprefix("6F1A2B3C: Fehler beim Übertragen. Zurück mit: ")
        self.assertEqual(way_back, "%s/%s restore %s '%s'\n" % (self.folder, program, sim.pty, row["Sicherung"]))
        control.write_text("clear-faults\n")
        self.assertExit(subprocess.run(way_back, shell=True, cwd=self.folder, capture_output=True, text=True), 0)
        self.assertExit(self.q4k("verify", sim.pty, self.folder / row["Sicherung"], "--fast", "-q"), 0)

    def test_vehicle_that_holds_the_template_with_its_identity_is_not_written_again(self):
        sim = self.simulator(image=self.expected_for(GOLDEN_PATCHED))
        result = self.rollout(sim.pty, "--fast")
        self.assertExit(result, 0)
        [row] = self.csv_rows()
        self.assertEqual(row["Ergebnis"], "bereits aktuell")
        self.assertEqual(result.stdout, "12AB34CD: bereits aktuell. Sicherung: %s\n" % row["Sicherung"])
        self.assertEqual(written(sim), [])

    def test_dry_run_sends_no_write_command_and_shows_the_changed_records_on_a_screen(self):
        sim = self.simulator(image=GOLDEN_PATCHED)
        result = self.rollout(sim.pty, "--dry-run", "--fast")
        self.assertExit(result, 0)
        self.assertEqual(written(sim), [])
        summary, records_line, diff, last = result.stdout.splitlines()
        self.assertEqual((summary, records_line), ("Änderungen: 1 Datensatz, 2 Bytes", "$P20 2 Bytes"))
        self.assertRegex(last, r"^12AB34CD: Probelauf, nichts gesendet\. Neue Datei: archiv/12AB34CD_.*_neu\.q4k$")
        self.assertEqual(len(list((self.folder / "archiv").iterdir())), 2)
        self.assertRegex(diff, r"^Byte für Byte: /\S+/q4k diff archiv/12AB34CD_\S+\.q4k archiv/12AB34CD_\S+_neu\.q4k$")

    def test_loop_resumes_a_failed_vehicle_with_its_first_archive_and_counts_it_once(self):
        control = self.folder / "control"
        sim = self.simulator(fault="ack-never=03", control=control)
        running = self.loop(sim.pty)
        try:
            self.wait_for_rows(1)
            asked = sim.commands().count(QUERY)
            control.write_text("fault silent\n")
            # Four unanswered questions: the loop has seen the vehicle go and waits for the next.
            self.wait_until(lambda: sim.commands().count(QUERY) >= asked + 4)
            control.write_text("clear-faults\n")
            self.wait_for_rows(2)
        finally:
            running.send_signal(signal.SIGINT)
            out, err = running.communicate(timeout=20)
        self.assertEqual(running.returncode, 0, err)
        first, again = self.csv_rows()
        self.assertEqual([(r["Ergebnis"], r["Fortgesetzt"]) for r in (first, again)],
                         [("Fehler beim Übertragen", "nein"), ("erledigt", "ja")])
        self.assertEqual([again["Sicherung"], again["Neue Datei"]], [first["Sicherung"], first["Neue Datei"]])
        self.assertEqual(len(list((self.folder / "archiv").iterdir())), 3)  # one backup, one new file, the CSV
        self.assertIn(" Zurück mit (erst die Schleife mit Strg+C beenden): ", out.splitlines()[0])
        self.assertEqual(out.splitlines()[1:], ["6F1A2B3C: erledigt (fortgesetzt). Sicherung: " + first["Sicherung"],
                                                "Fahrzeuge erledigt: 1, fehlgeschlagen: 0"])
        self.assertExit(self.q4k("verify", sim.pty, self.expected_for(GOLDEN_BACKUP), "--fast", "-q"), 0)

    def test_loop_serves_two_vehicles_and_ends_on_ctrl_c_with_a_summary(self):
        port = self.folder / "port"
        first = self.simulator(link=port)
        running = self.loop(port)
        try:
            self.wait_for_rows(1)
            first.stop()
            self.simulator(link=port, image=GOLDEN_PATCHED)
            self.wait_for_rows(2)
        finally:
            running.send_signal(signal.SIGINT)
            out, err = running.communicate(timeout=20)
        self.assertEqual(running.returncode, 0, err)
        self.assertEqual([r["Eigene Kennung"] for r in self.csv_rows()], ["6F1A2B3C", "12AB34CD"])
        self.assertEqual(out.splitlines()[-1], "Fahrzeuge erledigt: 2, fehlgeschlagen: 0")

    def test_ctrl_c_during_a_vehicles_restore_is_an_interruption_with_the_restores_note(self):
        sim = self.simulator()
        running = subprocess.Popen([str(Q4K), "rollout", sim.pty, self.template, "--archive", "archiv", "--loop",
                                    "-q"], cwd=self.folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        deadline = time.monotonic() + 30
        while not any(c.startswith("$P05") for c in sim.commands()) and time.monotonic() < deadline:
            time.sleep(0.05)
        running.send_signal(signal.SIGINT)
        out, err = running.communicate(timeout=20)
        self.assertEqual(running.returncode, 128 + signal.SIGINT, err)
        self.assertEqual(err, "abgebrochen\nDas Gerät hält jetzt eine unvollständige Konfiguration; "
                              "die Wiederherstellung muss noch einmal laufen.\n")
        self.assertEqual([r["Ergebnis"] for r in self.csv_rows()], ["Fehler beim Übertragen"])
        self.assertEqual(out.splitlines()[-1], "Fahrzeuge erledigt: 0, fehlgeschlagen: 1")

    def wait_until(self, condition, timeout=30):
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                self.fail("not within %d s" % timeout)
            time.sleep(0.1)

    def wait_for_rows(self, count):
        self.wait_until(lambda: (self.folder / "archiv/rollout.csv").exists() and len(self.csv_rows()) >= count)
