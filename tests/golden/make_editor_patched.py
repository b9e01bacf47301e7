#!/usr/bin/env python3
"""Makes editor_patched.q4k from default_backup.q4k: the configuration with the settings that
the editor's save-and-send scenario changes, written at fixed character positions.

Written on its own from the record layout (see README.md, "editor_patched.q4k"); it shares no
code with the program. Positions count from 0 at the "$" of the first record with the tag.

    python3 tests/golden/make_editor_patched.py          # writes tests/golden/editor_patched.q4k
    python3 tests/golden/make_editor_patched.py --check  # compares instead of writing
"""

import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE / "default_backup.q4k"
TARGET = HERE / "editor_patched.q4k"

TERMINATOR = 0x01
NAME_PAIRS = 11  # bytes per plain name: up to 10 characters and a 0 byte
NAME_COUNT = 10

# The edits, as the scenario makes them in the window.
ROLE = "Slave"               # golden: Master
QUICK_ID_INDEX = 3           # golden quick-change identifier 3: 6F1A2C20
QUICK_ID = "12345678"
NAME_INDEX = 1               # golden name 1: "RTW 2"; this name crosses from $P07 into $P08
NAME = "KTW B\u00e4r 10"      # 10 characters with an a-umlaut (byte E4)
OWN_ID = "12AB34CD"          # golden: 6F1A2B3C
AUTO_TRANSFER = True         # check box 1022; golden off ("A1")
READ_GROUPS = False          # check box 1025; golden on ("31")


def record_start(text, tag):
    """Position of the "$" of the first record with this tag."""
    position = text.find(tag.encode("ascii"))
    if position < 0:
        raise SystemExit("no record %s" % tag)
    return position


def put(text, position, chars):
    """Writes ASCII characters into the text at a position."""
    text[position:position + len(chars)] = chars.encode("ascii")


def stored_identifier(identifier):
    """d0 d1 d2 d3 d4 d5 d6 d7 as the record holds it: d6 d7 d4 d5 d2 d3 d0 d1."""
    d = identifier
    return d[6:8] + d[4:6] + d[2:4] + d[0:2]


def name_pair_positions(text):
    """Positions of the 110 hex pairs of the name area, from $P07 position 92 on; a pair that
    would start on a record terminator is taken from the next record's position 4 instead."""
    positions = []
    position = record_start(text, "$P07") + 92
    for index in range(NAME_PAIRS * NAME_COUNT):
        if index > 0 and text[position] == TERMINATOR:
            position = text.index(b"$", position) + 4
        positions.append(position)
        position += 2
    return positions


def name_hex_pairs(name):
    """The 11 pairs of a name: its Latin-1 bytes, a 0 byte, then zeros."""
    data = name.encode("latin-1")
    data = data + bytes(NAME_PAIRS - len(data))
    return ["%02X" % b for b in data]


def patched(source):
    text = bytearray(source)
    p06 = record_start(text, "$P06")
    put(text, p06 + 30, "01" if ROLE == "Master" else "00")

    p07 = record_start(text, "$P07")
    put(text, p07 + 12 + 8 * QUICK_ID_INDEX, stored_identifier(QUICK_ID))

    pairs = name_pair_positions(text)
    name_positions = pairs[NAME_PAIRS * NAME_INDEX:NAME_PAIRS * (NAME_INDEX + 1)]
    for position, pair in zip(name_positions, name_hex_pairs(NAME)):
        put(text, position, pair)

    own_id_position = pairs[-1] + 2 + 12  # 12 characters after the end of the name area
    put(text, own_id_position, stored_identifier(OWN_ID))

    pbc = record_start(text, "$PBC")
    put(text, pbc + 6, "A2" if AUTO_TRANSFER else "A1")
    p80 = record_start(text, "$P80")
    put(text, p80 + 58, "31" if READ_GROUPS else "30")
    return bytes(text)


def main():
    result = patched(SOURCE.read_bytes())
    if "--check" in sys.argv[1:]:
        same = TARGET.read_bytes() == result
        print("%s %s" % (TARGET.name, "matches" if same else "DIFFERS"))
        return 0 if same else 1
    TARGET.write_bytes(result)
    print("wrote %s (%d bytes)" % (TARGET, len(result)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
