"""Control ids and fixed texts of the configuration editor (the main window's "Erweitert..."),
and helpers that open it, read what it shows and load a file through its open dialog."""

from pathlib import Path

from .main_window import ADVANCED
from .waiting import wait_until
from .wineprefix import windows_path
from .window import IDCANCEL

CAPTION = "Erweitert: Spezifische Einstellungen"

# Fixed controls
LEAVE = IDCANCEL
OPEN = 1006
DEST_NAME = 1011
CHOOSE_DEST = 1012
APPEND_OWN_ID = 1013
USE_SOURCE = 1014
SAVE_AND_SEND = 1015
SOURCE_PATH = 1016
HELP = 1017
DEST_FOLDER = 1018
MASTER = 1019
SLAVE = 1020
AUTO_TRANSFER = 1022
READ_GROUPS = 1025

# Controls made at run time
ID_HEADING = 102
NAME_HEADING = 103
OWN_ID = 109
QUICK_IDS = tuple(range(110, 120))
NAMES = tuple(range(120, 130))
ROW_LABELS = tuple(range(130, 140))

TEXTS = {
    LEAVE: "Verlassen",
    OPEN: "Öffnen...",
    CHOOSE_DEST: "Dateiname wählen...",
    APPEND_OWN_ID: "Eigene Kennung anhängen",
    USE_SOURCE: "Quell-Datei verwenden",
    SAVE_AND_SEND: "Speichern und an Q4 senden",
    HELP: "Hilfe...",
    MASTER: "Master",
    SLAVE: "Slave",
    AUTO_TRANSFER: "Konfiguration automatisch von Q4 auf Interface übertragen",
    READ_GROUPS: "Gruppen einlesen bei erstem Interface-Start",
    ID_HEADING: "SW-Kennung",
    NAME_HEADING: "Aliasname",
}
TEXTS.update({label: str(k) for k, label in enumerate(ROW_LABELS)})
NO_SOURCE = "keine Datei ausgewählt"  # 1016 before any load
NO_FOLDER = "kein Pfad ausgewählt"  # 1018 before any load
NAME_LIMIT = 10

# Enabled states: the refresh sets these every 50 ms.
EDITING = (MASTER, SLAVE, OWN_ID) + QUICK_IDS + NAMES + (USE_SOURCE, CHOOSE_DEST)
DESTINATION = (APPEND_OWN_ID, DEST_FOLDER, SAVE_AND_SEND)
TETRA = (AUTO_TRANSFER, READ_GROUPS)
ALWAYS_ENABLED = (OPEN, HELP, LEAVE)
STATE_CONTROLS = EDITING + DESTINATION + TETRA + (DEST_NAME,) + ALWAYS_ENABLED

# Messages
APP_NAME = "Q4_Backup"
ERROR_CAPTION = "Fehler"
UNSUITABLE = "Datei nicht geeignet!"
INVALID_ARGUMENT = "Invalid argument."
FILE_ERROR_ICON = "warning"  # the framework's file messages ("... was not found.")
NO_DEVICE = "Kein Quendal 4 verbunden!"
BUSY = "Bitte warten Sie bis der momentane Prozess beendet ist!"
OWN_ID_LENGTH = "Die Eigene Kennung muss aus genau 8 Zeichen (0-9,A-F) bestehen!"
QUICK_ID_LENGTH = "Die Schnellwechselkennung %u muss aus genau 8 Zeichen (0-9,A-F) bestehen!"
HELP_CAPTION = "Hilfe"
HELP_TEXT = "\r\n".join([
    'Laden Sie zunächst über die Schaltfläche "Öffnen" das gewünschte Konfigurationsfile.',
    "In der linken Fensterhälfte können Sie nun die Master/Slave-Konfiguration, die eigene Kennung und bei "
    "Bedarf die 10 FMS-Schnellwechselkennungen sowie deren Klarnamen editieren.",
    "",
    'Beim Quendal 4 BOS mit Option TETRA kann nun zusätzlich die Konfiguration des TETRA-Interface eingelesen '
    'werden (über "Erw. Sicherungsopt." im Q4-Setup). Diese wird dann beim Abspeichern als Konfig-Datei mit '
    "gesichert. Es besteht die Möglichkeit, die Interface-Konfiguration beim ersten Betrieb des Hörers "
    "automatisch aufs Interface zu überspielen (nur Master-Hörer, TETRA-FuG noch nicht anschließen) und das "
    "automatische Auslesen der TETRA-Gruppenstruktur beim ersten Anschluss des TETRA-FuG zu programmieren.",
    "",
    "Um einen Zieldateinamen zu wählen, gibt es verschiedene Möglichkeiten. Sie können über die entsprechende "
    "Box die Quell-Datei ebenfalls als Ziel verwenden. Wird diese unverändert verwendet, wird sie natürlich "
    "überschrieben.",
    ' Bei Verwendung von "Eigene Kennung anhängen" wird immer die momentan eingetragene Eigene FMS-Kennung an '
    "den Dateinamen angehängt. Weiterhin kann auch ein beliebiger Dateiname ausgewählt werden.",
    "",
    "Wenn ein Quendal 4 verbunden ist und eine Ziel-Datei bestimmt wurde, dann kann die Konfiguration in diese "
    "Datei gespeichert werden, woraufhin diese dann an den Quendal 4 gesendet wird. Dieser muss sich dazu im "
    'Modus "PC-Verbindung" befinden (erreichbar im Setup über das Untermenü "Erw. Sicherungsopt.").',
])


def quick_id_length(k):
    return QUICK_ID_LENGTH % k


def too_long(limit):
    """The framework's message for a field holding more than its limit."""
    return "Please enter no more than %d characters." % limit


BM_GETCHECK = 0x00F0
BST_CHECKED = 1


def as_windows_path(path):
    """A path for a file dialog: a Path is the Unix path of a file, a str is already a Windows path."""
    return windows_path(path) if isinstance(path, Path) else path


# Opening and closing
def open_editor(app, timeout=5.0):
    """Clicks "Erweitert..." once the main window has painted itself, as a user would see it first,
    and returns the editor window."""
    app.main.paint()
    app.main.click(ADVANCED)
    return app.wait_window(CAPTION, timeout=timeout)


def leave(editor):
    editor.click(LEAVE)
    editor.wait_gone()


# Reading
def checked(editor, control):
    return editor.control(control).send(BM_GETCHECK) == BST_CHECKED


def controls(editor):
    """{id: child} of the editor's controls, in one call (id, text, enabled, visible, class, style)."""
    return {c["id"]: c for c in editor.children()}


def enabled_states(editor, ids=STATE_CONTROLS):
    children = controls(editor)
    return {i: children[i]["enabled"] for i in ids}


def shown(editor):
    """Everything the editor shows of a load and a destination: texts, check marks and enabled states."""
    children = controls(editor)
    role_marks = (checked(editor, MASTER), checked(editor, SLAVE))
    return {
        "source": children[SOURCE_PATH]["text"],
        "own_id": children[OWN_ID]["text"],
        "quick_ids": [children[i]["text"] for i in QUICK_IDS],
        "names": [children[i]["text"] for i in NAMES],
        "role": {(True, False): "Master", (False, True): "Slave"}.get(role_marks, role_marks),
        "auto_transfer": checked(editor, AUTO_TRANSFER),
        "read_groups": checked(editor, READ_GROUPS),
        "dest_name": children[DEST_NAME]["text"],
        "dest_folder": children[DEST_FOLDER]["text"],
        "append_own_id": checked(editor, APPEND_OWN_ID),
        "use_source": checked(editor, USE_SOURCE),
        "enabled": {i: children[i]["enabled"] for i in STATE_CONTROLS},
    }


# Acting
def choose_file(case, app, path):
    dialog = app.wait_file_dialog()
    dialog.choose(as_windows_path(path))
    dialog.wait_gone()


def load(case, app, editor, path):
    """Clicks "Öffnen..." and names `path` (a Path, or a Windows path as str) in the open dialog."""
    editor.click(OPEN)
    choose_file(case, app, path)


def choose_destination(case, app, editor, path):
    """Clicks "Dateiname wählen..." once the refresh has enabled it, and names `path` in the save dialog."""
    click_when_enabled(editor, CHOOSE_DEST)
    choose_file(case, app, path)


def cancel_file_dialog(app):
    app.wait_file_dialog().cancel()


def click_when_enabled(editor, control, timeout=1.0):
    """Clicks as a user would: once the refresh (every 50 ms) has enabled the control."""
    wait_until(lambda: editor.enabled(control), timeout, what="control %d to be enabled" % control)
    editor.click(control)


def set_role(editor, role):
    button = MASTER if role == "Master" else SLAVE
    click_when_enabled(editor, button)
    wait_until(lambda: checked(editor, button), 2, what="role %s marked" % role)


def set_check(editor, control, state):
    """Clicks a check box if it does not show `state` (a click toggles it)."""
    if checked(editor, control) != state:
        click_when_enabled(editor, control)
        wait_until(lambda: checked(editor, control) == state, 2, what="check box %d at %s" % (control, state))
