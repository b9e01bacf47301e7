"""Control ids and fixed texts of the program's main window, for scenarios."""

from .window import IDOK

PORT_LIST = 1000
PROGRESS = 1001
STATUS = 1002
DEVICE_INFO = 1003
FILE_TO_DEVICE = 1004
DEVICE_TO_FILE = 1005
HELP = 1006
ADVANCED = 1007
EXIT = IDOK

INFO_COMMAND = 16  # the "Info" item the program adds to its system menu
NO_DEVICE = "\rkein Gerät verbunden"
IDENTIFIED_POSITION = 381  # progress position while a device is identified
QUERY = "$PROGSTART<01>"  # as the simulator logs it
END_COMMAND = "$PROGENDE<01>"
