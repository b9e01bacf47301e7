"""q4k's files: what a written path stands for, "-" both ways, standard output that cannot be
written, the record check before every use of a file, and what names and identifiers may hold."""

import json
import os
import stat
import threading

from support import GOLDEN_BACKUP, GOLDEN_PATCHED, Q4kCase

GOLDEN = GOLDEN_BACKUP.read_bytes()
EDITS = ["--role", "slave", "--quick", "3=12345678", "--name", "1=KTW Bär 10", "--own-id", "12AB34CD",
         "--auto-transfer", "on", "--read-groups", "off"]


class FileRules(Q4kCase):
    def test_written_path_keeps_its_link_its_mode_and_a_fifo(self):
        (self.folder / "real").mkdir()
        target = self.folder / "real/wagen.q4k"
        target.write_bytes(b"old")
        target.chmod(0o640)
        (self.folder / "link.q4k").symlink_to("real/wagen.q4k")
        os.mkfifo(self.folder / "pipe")
        received = []
        reader = threading.Thread(target=lambda: received.append((self.folder / "pipe").read_bytes()))
        reader.start()
        for out in ("link.q4k", "pipe"):
            self.assertExit(self.q4k("set", GOLDEN_BACKUP, "-o", out, *EDITS), 0)
        reader.join(10)
        self.assertTrue((self.folder / "link.q4k").is_symlink())
        self.assertEqual(target.read_bytes(), GOLDEN_PATCHED.read_bytes())
        self.assertEqual(stat.S_IMODE(target.stat().st_mode), 0o640)
        self.assertEqual(received, [GOLDEN_PATCHED.read_bytes()])
        self.assertTrue(stat.S_ISFIFO((self.folder / "pipe").stat().st_mode))
        self.assertEqual(sorted(p.name for p in (self.folder / "real").iterdir()), ["wagen.q4k"])
        refused = self.q4k("set", GOLDEN_BACKUP, "-o", "no-such-folder/out.q4k")
        self.assertExit(refused, 4)
        self.assertEqual(refused.stderr, "Datei nicht schreibbar: no-such-folder/out.q4k (nicht gefunden)\n")

    def test_dash_is_standard_input_and_output(self):
        patched = self.q4k("set", "-", "-o", "-", *EDITS, input=GOLDEN, text=False)
        self.assertExit(patched, 0)
        self.assertEqual(patched.stdout, GOLDEN_PATCHED.read_bytes())
        shown = self.q4k("show", "-", "--json", input=patched.stdout, text=False)
        self.assertEqual(json.loads(shown.stdout)["own_id"], "12AB34CD")
        self.assertExit(self.q4k("check", "-", input=GOLDEN, text=False), 0)
        # /dev/stdout is a link to a pipe here: written through, never replaced.
        through = self.q4k("set", GOLDEN_BACKUP, "-o", "/dev/stdout", *EDITS, text=False)
        self.assertEqual(through.stdout, GOLDEN_PATCHED.read_bytes())
        self.assertTrue(os.path.islink("/dev/stdout"))

    def test_unwritable_standard_output_is_exit_4(self):
        for args in (["show", GOLDEN_BACKUP, "--json"], ["--help"], ["check", GOLDEN_BACKUP]):
            with open("/dev/full", "w") as full:
                result = self.q4k(*args, stdout=full)
            self.assertExit(result, 4)
            self.assertIn("Standardausgabe", result.stderr)

    def test_every_file_command_checks_the_records_first(self):
        bad = bytearray(GOLDEN)
        bad[4] = ord("Z")  # a spare "XX" of record 1 becomes "ZX"
        (self.folder / "bad.q4k").write_bytes(bytes(bad))
        (self.folder / "empty.q4k").write_bytes(b"")
        cases = [(["show", "bad.q4k"], "bad.q4k: Datensatz 1 (ab Byte 0)"),
                 (["set", "bad.q4k", "-o", "out.q4k", "--role", "slave"], "bad.q4k: Datensatz 1"),
                 (["diff", GOLDEN_BACKUP, "bad.q4k"], "bad.q4k: Datensatz 1"),
                 (["diff", "/dev/null", GOLDEN_BACKUP], "/dev/null: keine Datensätze"),
                 (["check", "empty.q4k"], "empty.q4k: keine Datensätze"),
                 (["restore", "/dev/ttyS-unused", "empty.q4k"], "empty.q4k: keine Datensätze")]
        for args, reason in cases:
            result = self.q4k(*args)
            self.assertExit(result, 4)
            self.assertIn("Datei nicht geeignet! " + reason, result.stdout + result.stderr)
        self.assertEqual(self.files(), ["bad.q4k", "empty.q4k"])

    def test_check_tells_what_the_file_holds(self):
        (self.folder / "plain.q4k").write_bytes(GOLDEN[:2 * 133])
        cases = [(GOLDEN_BACKUP, ["Datei geeignet: 154 Datensätze.", "Hauptdatensätze: 121 (01 bis 7E)",
                                  "$PBC: vorhanden, kündigt Interface-Datensätze an",
                                  "Interface-Datensätze (80-9F): 32"]),
                 ("plain.q4k", ["Datei geeignet: 2 Datensätze.", "Hauptdatensätze: 2 (01 bis 02)", "$PBC: fehlt",
                                "Interface-Datensätze (80-9F): 0"])]
        for name, lines in cases:
            self.assertEqual(self.q4k("check", name).stdout.splitlines(), lines)

    def test_diff_is_0_only_for_equal_bytes(self):
        spare = bytearray(GOLDEN)
        spare[4:6] = b"00"  # the spare pair of record 1 now holds a value
        (self.folder / "spare.q4k").write_bytes(bytes(spare))
        cases = [(GOLDEN_BACKUP, 0, ""), ("spare.q4k", 1, "gleich bis auf Ersatz-Bytes\n")]
        for other, code, said in cases:
            result = self.q4k("diff", GOLDEN_BACKUP, other)
            self.assertExit(result, code)
            self.assertEqual(result.stdout, said)
        as_json = json.loads(self.q4k("diff", GOLDEN_BACKUP, GOLDEN_PATCHED, "--json").stdout)
        self.assertFalse(as_json["equal"])
        self.assertEqual(as_json["settings"][0], {"field": "role", "index": 0, "a": "Master", "b": "Slave"})
        self.assertEqual(as_json["records"], [])

    def test_names_refuse_control_characters_and_show_escapes_them(self):
        for name in ("a\tb", "a\nb", "a\x01b", "a\x7fb", "a\u0085b"):
            result = self.q4k("set", GOLDEN_BACKUP, "-o", "out.q4k", "--name", "1=" + name)
            self.assertExit(result, 2)
            self.assertEqual(result.stderr, "q4k: Der Name 1 darf keine Steuerzeichen enthalten.\n"
                                            "Hilfe: q4k --help\n")
        self.assertExit(self.q4k("set", GOLDEN_BACKUP, "-o", "quoted.q4k", "--name", '1=a"b\\cDE'), 0)
        # Control characters from elsewhere (another tool, a damaged device) are shown escaped.
        data = (self.folder / "quoted.q4k").read_bytes().replace(b"6122625C634445", b"6122625C01447F")
        (self.folder / "odd.q4k").write_bytes(data)
        self.assertIn('  1  6F1A2B02  "a\\"b\\\\\\001D\\177"\n', self.q4k("show", "odd.q4k").stdout)
        self.assertEqual(json.loads(self.q4k("show", "odd.q4k", "--json").stdout)["names"][1], 'a"b\\\x01D\x7f')

    def test_identifiers_lower_case_and_spare_and_own_id_without_extension(self):
        spare = self.q4k("set", GOLDEN_BACKUP, "-o", "vorlage", "--own-id", "12ab34cd", "--quick", "0=XXXXXXXX",
                         "--append-own-id")
        self.assertExit(spare, 0)
        self.assertEqual(spare.stdout, "vorlage_12AB34CD\n")
        shown = json.loads(self.q4k("show", "vorlage_12AB34CD", "--json").stdout)
        self.assertEqual((shown["own_id"], shown["quick_ids"][0]), ("12AB34CD", "XXXXXXXX"))
        for half in ("0X123456", "X0123456", "1234567X"):
            self.assertExit(self.q4k("set", GOLDEN_BACKUP, "-o", "out.q4k", "--quick", "0=" + half), 2)
