"""q4k at the edges of a device's life: identifications of every shape the window takes, a port
plugged in late or again, and a closed pipe or terminal during a restore."""

import csv
import os
import signal
import subprocess
import threading
import time

from support import END, GOLDEN_BACKUP, Q4K, Q4kCase

CRLF_IDENT = "\\x02Quendal 4 TETRA\\r\\nV 2.14\\r\\nTETRA-Option\\r\\n"
DEGREE_IDENT = "\\x02Quendal 4 TETRA\\rV 2.14\\xB0\\rTETRA-Option"
WRITE_FAILED = "q4k: Schreiben auf die Standardausgabe fehlgeschlagen.\n"
# Acknowledgements that take a while keep the restore under way while the test acts on it.
SLOW_ACKS = "ack-late=*:15"


class DeviceEdges(Q4kCase):
    def setUp(self):
        super().setUp()
        # A new base configuration: the golden one with a record beyond the settings changed.
        data = GOLDEN_BACKUP.read_bytes()
        at = data.find(b"$P20") + 4
        (self.folder / "vorlage.q4k").write_bytes(data[:at] + b"1234" + data[at + 4:])

    def rollout_command(self, port, *options):
        return [str(Q4K), "rollout", str(port), "vorlage.q4k", "--archive", "archiv", *options]

    def csv_row(self):
        with open(self.folder / "archiv/rollout.csv", newline="", encoding="utf-8") as f:
            [row] = list(csv.DictReader(f))
        return row

    def wait_for_command(self, sim, prefix, timeout=30):
        deadline = time.monotonic() + timeout
        while not any(c.startswith(prefix) for c in sim.commands()):
            self.assertLess(time.monotonic(), deadline, "no %s within %d s" % (prefix, timeout))
            time.sleep(0.01)

    def start_rollout_then_during_its_restore(self, sim, act):
        running = subprocess.Popen(self.rollout_command(sim.pty, "--fast", "-q"), cwd=self.folder,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.wait_for_command(sim, "$P05")
        act(running)
        self.assertNotIn(END, sim.commands())  # the restore was still under way
        return running

    def assertHoldsNewFile(self, sim):
        """The device holds the rollout's whole new file, and its line is in the CSV."""
        row = self.csv_row()
        self.assertEqual(row["Ergebnis"], "erledigt")
        self.assertExit(self.q4k("verify", sim.pty, row["Neue Datei"], "--fast", "-q"), 0)

    def test_every_identification_the_window_takes_is_taken_with_its_lines_escaped(self):
        cases = [(CRLF_IDENT, ["Quendal 4 TETRA", "V 2.14", "TETRA-Option"]),
                 (DEGREE_IDENT, ["Quendal 4 TETRA", "V 2.14\\uFFB0", "TETRA-Option"])]
        for ident, lines in cases:
            with self.subTest(ident=ident):
                sim = self.simulator(ident=ident)
                self.assertExit(self.q4k(*self.rollout_command(sim.pty, "--fast", "-q")[1:]), 0)
                row = self.csv_row()
                self.assertEqual([row["Identifikation %d" % k] for k in (1, 2, 3)], lines)
                (self.folder / "archiv/rollout.csv").unlink()
        noisy = self.simulator(ident="\\x02Quendal 4 TETRA\\r\\x01\\x1b[2J\\rTETRA-Option\\r")
        shown = self.q4k("identify", noisy.pty)
        self.assertExit(shown, 0)
        self.assertEqual(shown.stdout, "Software: Quendal 4 TETRA\nVersion: \\001\\033[2J\nOption: TETRA-Option\n")
        as_json = self.q4k("identify", noisy.pty, "--json")
        self.assertIn('"version": "\\\\001\\\\033[2J"', as_json.stdout)

    def test_a_reply_that_is_no_identification_is_said_once_while_waiting(self):
        sim = self.simulator(ident="\\x02Quendal 4 TETRA\\rV 2.14")
        result = self.q4k("identify", sim.pty, "--wait", "3")
        self.assertExit(result, 3)
        self.assertEqual(result.stderr, "Antwort ist keine Kennung: \\002Quendal 4 TETRA\\rV 2.14\n"
                                        "Kein Quendal 4 verbunden!\n")

    def test_a_closed_pipe_during_the_restore_cuts_nothing_short(self):
        # `| head -n 1`: the reader is gone before q4k writes its line.
        sim = self.simulator(fault=SLOW_ACKS)
        running = self.start_rollout_then_during_its_restore(sim, lambda p: p.stdout.close())
        _, err = running.communicate(timeout=60)
        self.assertEqual(running.returncode, 4, err)
        self.assertEqual(err, WRITE_FAILED)
        self.assertHoldsNewFile(sim)

    def test_head_on_both_streams_cuts_nothing_short(self):
        sim = self.simulator()
        command = " ".join("'%s'" % word for word in self.rollout_command(sim.pty, "--fast"))
        shell = subprocess.run(["bash", "-c", command + " 2>&1 | head -n 3; exit ${PIPESTATUS[0]}"],
                               cwd=self.folder, capture_output=True, text=True, timeout=60)
        self.assertEqual(shell.returncode, 4, shell.stdout)
        self.assertEqual(len(shell.stdout.splitlines()), 3)
        self.assertHoldsNewFile(sim)

    def test_a_closed_terminal_lets_the_restore_and_its_verify_end(self):
        sim = self.simulator(fault=SLOW_ACKS)
        running = self.start_rollout_then_during_its_restore(sim, lambda p: p.send_signal(signal.SIGHUP))
        out, err = running.communicate(timeout=60)
        self.assertEqual(running.returncode, 0, err)
        self.assertRegex(out, r"^6F1A2B3C: erledigt\. ")
        self.assertHoldsNewFile(sim)

    def test_wait_takes_a_port_plugged_in_later(self):
        port = self.folder / "port"
        threading.Timer(3, lambda: self.simulator(link=port)).start()
        started = time.monotonic()
        result = self.q4k("identify", port, "--wait", "8")
        self.assertExit(result, 0)
        self.assertGreater(time.monotonic() - started, 3)
        self.assertEqual(result.stdout.splitlines()[0], "Software: Quendal 4 TETRA")

    def test_a_port_that_hangs_up_while_waiting_is_found_again_without_spinning(self):
        port = self.folder / "port"
        gone = self.simulator(link=port, fault="silent")
        running = subprocess.Popen([str(Q4K), "identify", str(port), "--wait", "20"], cwd=self.folder,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.wait_for_command(gone, "$PROGSTART")
        gone.stop()
        threading.Timer(9, lambda: self.simulator(link=port)).start()
        _, status, usage = os.wait4(running.pid, 0)
        running.returncode = os.waitstatus_to_exitcode(status)
        out, err = running.stdout.read(), running.stderr.read()
        self.assertEqual(running.returncode, 0, err)
        self.assertEqual(out.splitlines()[0], "Software: Quendal 4 TETRA")
        self.assertLess(usage.ru_utime + usage.ru_stime, 1.0)
