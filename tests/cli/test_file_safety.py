"""q4k's files survive a power cut, a second writer and a read-only target; rollout.csv is appended
under a lock and a line that cannot be written waits until it can."""

import fcntl
import os
import re
import signal
import subprocess
import time

from support import GOLDEN_BACKUP, GOLDEN_PATCHED, Q4K, Q4kCase

EDITS = ["--role", "slave", "--quick", "3=12345678", "--name", "1=KTW Bär 10", "--own-id", "12AB34CD",
         "--auto-transfer", "on", "--read-groups", "off"]
READ_ONLY = "Datei schreibgeschützt: %s (ersetzen mit -f, --force)\n"
TRACED = "openat,write,fsync,fdatasync,rename,renameat,renameat2"
# strace -y: the call, its first descriptor's path, the rest of its arguments.
CALL = re.compile(r'^(?:\d+ +)?(\w+)\((?:\d+<([^>]*)>)?(.*)$')


def calls(trace):
    return [m.groups() for m in map(CALL.match, trace.read_text(errors="replace").splitlines()) if m]


def wait_until(condition, timeout=30):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError("not within %d s" % timeout)
        time.sleep(0.05)


class FileSafety(Q4kCase):
    def setUp(self):
        super().setUp()
        # A new base configuration: a record beyond the settings changed, so that a rollout sends it.
        data = GOLDEN_BACKUP.read_bytes()
        at = data.find(b"$P20") + 4
        self.template = self.folder / "vorlage.q4k"
        self.template.write_bytes(data[:at] + b"1234" + data[at + 4:])
        self.archive = self.folder / "archiv"
        self.csv = self.archive / "rollout.csv"

    def rollout(self, port, *options, err=None):
        return subprocess.Popen([str(Q4K), "rollout", port, self.template, "--archive", "archiv", "-q", "--fast",
                                 *options], cwd=self.folder, stdout=subprocess.PIPE, text=True,
                                stderr=open(err, "w") if err else subprocess.PIPE)

    def assertSyncedReplace(self, trace, name):
        """The temporary file of `name` is synced before its rename and the folder after it; the
        index of the folder's sync."""
        seen = calls(trace)
        rename = next(i for i, (call, _, rest) in enumerate(seen)
                      if call.startswith("rename") and re.search(r'"(?:[^"]*/)?%s"' % re.escape(name), rest))
        temp = re.search(r'"([^"]*\.part)"', seen[rename][2]).group(1).rsplit("/", 1)[-1]
        self.assertRegex(temp, r"^%s\.\d+-[0-9a-f]{8}\.part$" % re.escape(name))
        self.assertTrue(any(call == "fsync" and path.endswith("/" + temp) for call, path, _ in seen[:rename]), name)
        folder = next(i for i, (call, path, _) in enumerate(seen[rename:], rename)
                      if call == "fsync" and path and os.path.isdir(path))
        return folder

    def traced(self, name, *args):
        """Runs q4k under strace, which notes its file and port calls in the test's folder as NAME."""
        # The leak check of a sanitized build cannot run under ptrace.
        result = subprocess.run(["strace", "-f", "-y", "-qq", "-s", "8", "-e", "trace=" + TRACED, "-o", name,
                                 str(Q4K)] + [str(a) for a in args], cwd=self.folder, capture_output=True, text=True,
                                timeout=120, env=dict(os.environ, ASAN_OPTIONS="detect_leaks=0"))
        self.assertExit(result, 0)
        return self.folder / name

    def test_every_replacing_write_is_synced_and_the_archive_before_the_first_write_command(self):
        sim = self.simulator()
        self.assertSyncedReplace(self.traced("backup.trace", "backup", sim.pty, "wagen.q4k", "-q", "--fast"),
                                 "wagen.q4k")
        self.assertSyncedReplace(self.traced("set.trace", "set", "wagen.q4k", "-o", "neu.q4k", *EDITS), "neu.q4k")
        trace = self.traced("rollout.trace", "rollout", sim.pty, self.template, "--archive", "archiv", "-q", "--fast")
        [backup] = [p.name for p in self.archive.glob("*.q4k") if not p.name.endswith("_neu.q4k")]
        archived = self.assertSyncedReplace(trace, backup)
        # The bytes sent to the port, in however many writes, each with the call that wrote it.
        sent, by = "", []
        for i, (call, path, rest) in enumerate(calls(trace)):
            shown = re.match(r', "((?:[^"\\]|\\.)*)"', rest) if call == "write" and path == sim.pty else None
            if shown:
                sent += shown.group(1)
                by += [i] * len(shown.group(1))
        self.assertLess(archived, by[re.search(r"\$P(?!ROG)", sent).start()])

    def test_two_rollouts_on_one_archive_wait_for_the_lock_and_lose_no_line(self):
        self.archive.mkdir()
        older = "Zeile von früher,bleibt\r\n".encode()
        self.csv.write_bytes(older)
        sims = [self.simulator(image=GOLDEN_BACKUP), self.simulator(image=GOLDEN_PATCHED)]
        logs = [self.folder / ("rollout-%d.err" % i) for i in (1, 2)]
        with open(self.csv, "rb") as held:
            fcntl.flock(held, fcntl.LOCK_EX)
            running = [self.rollout(sim.pty, err=log) for sim, log in zip(sims, logs)]
            said = r"archiv/rollout\.csv ist gesperrt von \S+ \(PID %d\); q4k wartet bis zu 10 Sekunden\." % os.getpid()
            wait_until(lambda: all(re.search(said, log.read_text()) for log in logs))
            self.assertEqual(self.csv.read_bytes(), older)
        for one in running:
            one.communicate(timeout=30)
            self.assertEqual(one.returncode, 0)
        lines = self.csv.read_bytes().split(b"\r\n")
        self.assertEqual(lines[0] + b"\r\n", older)
        self.assertEqual(sorted(line.split(b",")[5] for line in lines[1:-1]), [b"12AB34CD", b"6F1A2B3C"])
        self.assertEqual(lines[-1], b"")

    def test_a_csv_that_is_a_folder_keeps_the_lines_pending_until_it_is_a_file_again(self):
        self.csv.mkdir(parents=True)
        port = self.folder / "port"
        first = self.simulator(link=port)
        loop = self.rollout(port, "--loop")
        pending = lambda: list(self.archive.glob("rollout-ausstehend-*.csv"))
        wait_until(lambda: pending() and pending()[0].read_bytes().count(b"\n") == 1)
        first.stop()
        self.simulator(link=port, image=GOLDEN_PATCHED)
        wait_until(lambda: pending()[0].read_bytes().count(b"\n") == 2)
        loop.send_signal(signal.SIGINT)
        out, err = loop.communicate(timeout=20)
        self.assertEqual(loop.returncode, 0, err)
        self.assertIn("Datei nicht schreibbar: archiv/rollout.csv (ist ein Ordner); die Zeile wartet in archiv/"
                      "rollout-ausstehend-%d.csv:\n" % loop.pid, err)
        self.assertEqual(out.splitlines()[-2:], ["Fahrzeuge erledigt: 2, fehlgeschlagen: 0",
                                                 "Noch nicht in archiv/rollout.csv: 2 Zeilen, vorgemerkt in "
                                                 "archiv/rollout-ausstehend-%d.csv" % loop.pid])
        waiting = pending()[0].read_bytes()
        self.csv.rmdir()
        last = self.rollout(self.simulator().pty)
        out, err = last.communicate(timeout=60)
        self.assertEqual(last.returncode, 0, err)
        text = self.csv.read_bytes()
        self.assertTrue(text.startswith(b"Zeit,Port,") and text.split(b"\r\n", 1)[1].startswith(waiting), text)
        self.assertEqual([line.split(b",")[5] for line in text.split(b"\r\n")[1:-1]],
                         [b"6F1A2B3C", b"12AB34CD", b"6F1A2B3C"])
        self.assertEqual(pending(), [])

    def test_read_only_target_is_refused_also_as_root_and_replaced_with_force(self):
        sim = self.simulator()
        cases = [(["backup", sim.pty, "wagen.q4k", "-q", "--fast"], GOLDEN_BACKUP),
                 (["set", GOLDEN_BACKUP, "-o", "wagen.q4k", *EDITS], GOLDEN_PATCHED)]
        for args, golden in cases:
            target = self.folder / "wagen.q4k"
            target.write_bytes(b"alt")
            target.chmod(0o444)
            refused = self.q4k(*args)
            self.assertExit(refused, 4)
            self.assertEqual(refused.stderr, READ_ONLY % "wagen.q4k")
            self.assertEqual((target.read_bytes(), self.files()), (b"alt", ["vorlage.q4k", "wagen.q4k"]))
            self.assertExit(self.q4k(*args, "--force"), 0)
            self.assertEqual((target.read_bytes(), target.stat().st_mode & 0o777), (golden.read_bytes(), 0o444))
            target.unlink()

    def test_two_sets_of_one_target_at_once_leave_one_of_them_whole(self):
        for _ in range(5):
            both = [subprocess.Popen([str(Q4K), "set", GOLDEN_BACKUP, "-o", "gleich.q4k", *edits], cwd=self.folder,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE) for edits in (EDITS, [])]
            for one in both:
                _, err = one.communicate(timeout=30)
                self.assertEqual((one.returncode, err), (0, b""))
            self.assertIn((self.folder / "gleich.q4k").read_bytes(),
                          (GOLDEN_PATCHED.read_bytes(), GOLDEN_BACKUP.read_bytes()))
            self.assertEqual(self.files(), ["gleich.q4k", "vorlage.q4k"])
