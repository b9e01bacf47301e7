"""The console's fault matrix, read by the silence rule and with --fast: the same exit codes and files."""

from concurrent.futures import ThreadPoolExecutor

from support import GOLDEN_BACKUP, Q4kCase, Simulator, records

# A device without TETRA settings ("$PBC" reads "FF") is read in one phase: each backup is shorter.
IMAGE_RECORDS = GOLDEN_BACKUP.read_bytes().replace(b"$PBC01A1", b"$PBCFFA1")
# A restore of a few records is enough to meet each acknowledgement fault.
RESTORE_RECORDS = 6

CASES = [
    # command, fault, exit code of both readings
    ("backup", "silent", 3),
    ("backup", "noise", 0),
    ("backup", "no-cr=05", 5),
    ("backup", "trailing=05", 5),
    ("backup", "short=05:100", 5),
    ("backup", "reply-late=05:30", 0),
    ("backup", "vanish-after=20", 5),
    ("restore", "ack-split=03", 0),
    ("restore", "ack-late=03:300", 0),
    ("restore", "ack-noise=03", 0),
    ("restore", "ack-never=03", 5),
]


class FastFaults(Q4kCase):
    def run_case(self, command, fault, reading):
        """Exit code and the file the command leaves: the backup, or the device's memory after a restore."""
        folder = self.folder / ("%s-%s-%s" % (command, fault.replace("=", "-").replace(":", "-"), reading))
        folder.mkdir()
        (folder / "image.q4k").write_bytes(IMAGE_RECORDS)
        sim = Simulator(folder, fault=fault, image=folder / "image.q4k", dump=folder / "memory.q4k")
        self._sims.append(sim)
        options = ["-q"] + (["--fast"] if reading == "fast" else [])
        if command == "backup":
            result = self.q4k("backup", sim.pty, folder / "out.q4k", *options)
            out = folder / "out.q4k"
        else:
            (folder / "in.q4k").write_bytes(b"".join(records(GOLDEN_BACKUP.read_bytes())[:RESTORE_RECORDS]))
            result = self.q4k("restore", sim.pty, folder / "in.q4k", *options)
            sim.stop()
            out = folder / "memory.q4k"
        return result.returncode, out.read_bytes() if out.exists() else None

    def test_fast_reading_gives_the_silence_rules_outcome_and_file(self):
        with ThreadPoolExecutor(max_workers=2) as pool:
            for command, fault, code in CASES:
                with self.subTest(command=command, fault=fault):
                    silence, fast = pool.map(lambda reading: self.run_case(command, fault, reading),
                                             ["silence", "fast"])
                    self.assertEqual(silence[0], code)
                    self.assertEqual(fast, silence)
                    self.assertEqual(silence[1] is not None, command == "restore" or code == 0)
