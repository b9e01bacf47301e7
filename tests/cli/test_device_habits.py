"""q4k with a device as a technician meets it: a port another q4k holds, a device that answers
late or is plugged in later, a reply that is no identification, and the conveniences (--force,
restore --verify, Q4K_PORT, --json, --trace -)."""

import json
import os
import pwd
import subprocess
import threading
import time

from support import GOLDEN_BACKUP, GOLDEN_PATCHED, QUERY, Q4K, Q4kCase

NOBODY = "nobody"


def as_user(name):
    """A preexec_fn that drops root for the child."""
    entry = pwd.getpwnam(name)

    def drop():
        os.setgid(entry.pw_gid)
        os.setuid(entry.pw_uid)
    return drop


class DeviceHabits(Q4kCase):
    def test_second_q4k_on_a_port_is_refused_also_as_root(self):
        if os.geteuid() != 0:
            self.skipTest("needs root to run the first q4k as another user")
        try:
            drop = as_user(NOBODY)
        except KeyError:
            self.skipTest("no user %s" % NOBODY)
        sim = self.simulator()
        os.chmod(sim.pty, 0o666)
        first = subprocess.Popen([str(Q4K), "backup", sim.pty, "-", "-q"], cwd="/", preexec_fn=drop,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        deadline = time.monotonic() + 10
        while not any(c.startswith("$R05") for c in sim.commands()) and time.monotonic() < deadline:
            time.sleep(0.05)
        second = self.q4k("identify", sim.pty)
        self.assertExit(second, 3)
        self.assertEqual(second.stderr, "Port wird schon benutzt: %s\n" % sim.pty)
        out, err = first.communicate(timeout=60)
        self.assertEqual(first.returncode, 0, err)
        self.assertEqual(out, GOLDEN_BACKUP.read_bytes())

    def test_identification_waits_for_a_late_or_a_plugged_in_device(self):
        late = self.simulator(fault="ident-late=60")
        self.assertExit(self.q4k("identify", late.pty), 0)

        absent = self.simulator(fault="silent")
        started = time.monotonic()
        self.assertExit(self.q4k("identify", absent.pty), 3)
        self.assertLess(time.monotonic() - started, 3.5)
        self.assertEqual(absent.commands(), [QUERY] * 3)

        control = self.folder / "control"
        plugged = self.simulator(fault="silent", control=control)
        threading.Timer(3, lambda: control.write_text("clear-faults\n")).start()
        started = time.monotonic()
        waited = self.q4k("identify", plugged.pty, "--wait", "8")
        self.assertExit(waited, 0)
        self.assertGreater(time.monotonic() - started, 3)
        self.assertEqual(waited.stdout.splitlines()[0], "Software: Quendal 4 TETRA")

    def test_backup_refuses_an_existing_file_without_force(self):
        sim = self.simulator()
        (self.folder / "wagen.q4k").write_bytes(b"old")
        refused = self.q4k("backup", sim.pty, "wagen.q4k")
        self.assertExit(refused, 4)
        self.assertEqual(refused.stderr, "Datei gibt es schon: wagen.q4k (überschreiben mit -f, --force)\n")
        self.assertEqual(sim.commands(), [])
        # With -f the backup runs; test_faults shows that a failed one still keeps the old file.

    def test_restore_verify_reads_the_device_back(self):
        sim = self.simulator()
        result = self.q4k("restore", sim.pty, GOLDEN_PATCHED, "--verify", "-q")
        self.assertExit(result, 0)
        self.assertEqual(result.stdout, "Gerät und Datei stimmen überein.\n")
        commands = sim.commands()
        self.assertEqual(commands[commands.index("$PROGENDE<01>") + 1:][:2], [QUERY, "$R01<01>"])

    def test_port_from_the_environment_json_outputs_and_trace_to_stderr(self):
        sim = self.simulator()
        env = dict(os.environ, Q4K_PORT=sim.pty)
        identify = self.q4k("identify", "--json", "--trace", "-", env=env)
        self.assertExit(identify, 0)
        self.assertEqual(json.loads(identify.stdout),
                         {"software": "Quendal 4 TETRA", "version": "V 2.14", "option": "TETRA-Option"})
        self.assertIn("PC>  24 50 52 4F 47", identify.stderr)
        verify = self.q4k("verify", GOLDEN_PATCHED, "--json", "-q", env=env)
        self.assertExit(verify, 1)
        shown = json.loads(verify.stdout)
        self.assertFalse(shown["equal"])
        self.assertEqual([d["address"] for d in shown["differences"]], ["06", "07", "08", "09", "BC", "80"])
        self.assertEqual(shown["differences"][0]["bytes"][0], 13)
