"""q4k on files: show, set, diff, check, and the command line itself."""

import json

from support import GOLDEN_BACKUP, GOLDEN_PATCHED, RECORD_LEN, Q4kCase

# The edits of the editor's save scenario, which give tests/golden/editor_patched.q4k.
EDITOR_EDITS = ["--role", "slave", "--quick", "3=12345678", "--name", "1=KTW Bär 10", "--own-id", "12AB34CD",
                "--auto-transfer", "on", "--read-groups", "off"]


class FileCommands(Q4kCase):
    def test_show_as_text_and_json(self):
        text = self.q4k("show", GOLDEN_BACKUP)
        self.assertExit(text, 0)
        self.assertIn("Rolle:          Master\n", text.stdout)
        self.assertIn("  9  6F1B0002  \"Wache Süd\"\n", text.stdout)
        self.assertIn("Datensätze:     154\n", text.stdout)
        shown = json.loads(self.q4k("show", GOLDEN_PATCHED, "--json").stdout)
        self.assertEqual(shown["role"], "slave")
        self.assertEqual(shown["own_id"], "12AB34CD")
        self.assertEqual(shown["quick_ids"][3], "12345678")
        self.assertEqual(shown["names"][1], "KTW Bär 10")
        self.assertEqual(shown["tetra"], {"auto_transfer": True, "read_groups": False})
        self.assertEqual(shown["records"], 154)

    def test_set_makes_the_editors_patch(self):
        result = self.q4k("set", GOLDEN_BACKUP, "-o", "patched.q4k", *EDITOR_EDITS)
        self.assertExit(result, 0)
        self.assertEqual((self.folder / "patched.q4k").read_bytes(), GOLDEN_PATCHED.read_bytes())
        self.assertEqual(self.files(), ["patched.q4k"])

    def test_set_in_place_and_with_the_own_identifier_appended(self):
        (self.folder / "wagen.q4k").write_bytes(GOLDEN_BACKUP.read_bytes())
        self.assertExit(self.q4k("set", "wagen.q4k", "-o", "wagen.q4k", *EDITOR_EDITS), 0)
        self.assertEqual((self.folder / "wagen.q4k").read_bytes(), GOLDEN_PATCHED.read_bytes())
        named = self.q4k("set", "wagen.q4k", "-o", "wagen_6F1A2B3C.q4k", "--append-own-id")
        self.assertExit(named, 0)
        self.assertEqual(named.stdout, "wagen_12AB34CD.q4k\n")
        self.assertEqual(self.files(), ["wagen.q4k", "wagen_12AB34CD.q4k"])

    def test_set_refuses_bad_values_and_writes_nothing(self):
        cases = [
            (["--own-id", "12ab34cg"], 2, "q4k: Die Eigene Kennung muss aus genau 8 Zeichen (0-9,A-F) bestehen!"),
            (["--own-id", "0X123456"], 2, "Die Eigene Kennung muss aus genau 8 Zeichen (0-9,A-F) bestehen!"),
            (["--quick", "4=1234567"], 2, "Die Schnellwechselkennung 4 muss aus genau 8 Zeichen (0-9,A-F) bestehen!"),
            (["--name", "2=ELEVENCHARS"], 2, "Der Name 2 darf höchstens 10 Zeichen"),
            (["--name", "2=€"], 2, "Der Name 2 darf höchstens 10 Zeichen"),
            (["--role", "boss"], 2, "--role erwartet master oder slave."),
        ]
        for options, code, message in cases:
            result = self.q4k("set", GOLDEN_BACKUP, "-o", "out.q4k", *options)
            self.assertExit(result, code)
            self.assertIn(message, result.stderr)
        without_tetra = GOLDEN_BACKUP.read_bytes()[:121 * RECORD_LEN]
        (self.folder / "plain.q4k").write_bytes(without_tetra)
        result = self.q4k("set", "plain.q4k", "-o", "out.q4k", "--read-groups", "on")
        self.assertExit(result, 4)
        self.assertEqual(self.files(), ["plain.q4k"])

    def test_diff_names_settings_then_other_records(self):
        self.assertExit(self.q4k("diff", GOLDEN_BACKUP, GOLDEN_BACKUP), 0)
        changed = bytearray(GOLDEN_PATCHED.read_bytes())
        p2e = changed.find(b"$P2E")
        changed[p2e + 6:p2e + 8] = b"77"
        (self.folder / "changed.q4k").write_bytes(bytes(changed))
        result = self.q4k("diff", GOLDEN_BACKUP, "changed.q4k")
        self.assertExit(result, 1)
        self.assertEqual(result.stdout.splitlines(), [
            "Rolle: Master -> Slave",
            "Eigene Kennung: 6F1A2B3C -> 12AB34CD",
            "Schnellwechselkennung 3: 6F1A2C20 -> 12345678",
            "Name 1: \"RTW 2\" -> \"KTW Bär 10\"",
            "Konfiguration automatisch von Q4 auf Interface übertragen: aus -> ein",
            "Gruppen einlesen bei erstem Interface-Start: ein -> aus",
            "$P2E  Byte 1 (A %s, B 77)" % GOLDEN_BACKUP.read_bytes()[p2e + 6:p2e + 8].decode(),
        ])

    def test_check_judges_as_the_restore_does(self):
        (self.folder / "garbage.q4k").write_bytes(b"$" * RECORD_LEN)
        (self.folder / "tail.q4k").write_bytes(GOLDEN_BACKUP.read_bytes() + b"junk")
        (self.folder / "crlf.q4k").write_bytes(GOLDEN_BACKUP.read_bytes() + b"\r\n")
        # Only the start of a huge file is read; the check refuses it like any other unsuitable file.
        with open(self.folder / "huge.q4k", "wb") as huge:
            huge.truncate(20 * 1024 * 1024)
        cases = [(GOLDEN_BACKUP, 0, "Datei geeignet: 154 Datensätze."), ("crlf.q4k", 0, "Datei geeignet"),
                 ("tail.q4k", 4, "Datensatz 155 (ab Byte 20482) ist kein gültiger Datensatz"),
                 ("garbage.q4k", 4, "Datei nicht geeignet!"), ("huge.q4k", 4, "Datei nicht geeignet!"),
                 ("missing.q4k", 4, "")]
        for name, code, said in cases:
            result = self.q4k("check", name)
            self.assertExit(result, code)
            self.assertIn(said, result.stdout)

    def test_usage_errors_and_help(self):
        self.assertExit(self.q4k(), 2)
        self.assertExit(self.q4k("backup", "COM3"), 2)
        help_text = self.q4k("--help")
        self.assertExit(help_text, 0)
        for part in ("Beispiel:", "Exit-Codes:", "q4k backup", "5  Übertragung fehlgeschlagen"):
            self.assertIn(part, help_text.stdout)
        cases = [(["help", "backup"], "-f, --force"), (["backup", "--help"], "-f, --force"),
                 (["help", "rollout"], "--dry-run"), (["rollout", "--help"], "--fast")]
        for words, option in cases:
            one = self.q4k(*words)
            self.assertExit(one, 0)
            self.assertIn(option, one.stdout)
            self.assertIn("Q4K_PORT", one.stdout)
            self.assertNotIn("set DATEI", one.stdout)
