"""End-to-end test harness: Q4_Backup.exe under Wine and Xvfb, the device
simulator on a pseudo-terminal, and a driver that works the windows from outside."""

from .app import MAIN_CAPTION, App
from .case import Case
from .checks import expect_equal, expect_false, expect_true
from .comports import SIM_PORT
from .driver import Driver, DriverError
from . import editor_window, main_window
from .registry import APP_KEY, Registry
from .session import Session
from .simulator import Simulator, SimulatorError
from .waiting import WaitTimeout, holds_for, wait_until
from .window import IDCANCEL, IDOK, SC_CLOSE, FileDialog, MessageBox, Window

__all__ = [
    "APP_KEY", "App", "Case", "Driver", "DriverError", "FileDialog", "IDCANCEL", "IDOK", "MAIN_CAPTION",
    "MessageBox", "Registry", "SC_CLOSE", "SIM_PORT", "Session", "Simulator", "SimulatorError",
    "WaitTimeout", "Window", "editor_window", "expect_equal", "main_window", "expect_false", "expect_true",
    "holds_for", "wait_until",
]
