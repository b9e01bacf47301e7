"""One test run's environment: a display, a fresh Wine prefix with a persistent
wineserver, and COM port links that lead nowhere until a simulator is linked."""

import os
import time
from pathlib import Path

from . import comports
from .display import Xvfb
from .registry import APP_KEY, Registry
from .wineprefix import WinePrefix


class Session:
    def __init__(self, exe, sim, driver, artifacts, headless=False):
        self.exe = Path(exe).resolve()
        self.sim = Path(sim).resolve()
        self.driver_exe = Path(driver).resolve()
        self.artifacts = Path(artifacts).resolve()
        self.headless = headless
        self.display = None
        self.prefix = None
        self.registry = None
        self.setup_seconds = None
        self._xvfb = None

    def start(self):
        started = time.monotonic()
        self.artifacts.mkdir(parents=True, exist_ok=True)
        if self.headless or not os.environ.get("DISPLAY"):
            self._xvfb = Xvfb(self.artifacts / "xvfb.log")
            self.display = self._xvfb.display
        else:
            self.display = os.environ["DISPLAY"]
        self.prefix = WinePrefix(self.display)
        self.prefix.create()
        self.registry = Registry(self.prefix)
        self.no_port_dir = self.prefix.path / "no-port"
        self.no_port_dir.mkdir()
        comports.wait_for_wine_links(self.prefix.dosdevices)
        comports.neutralise(self.prefix.dosdevices, self.no_port_dir)
        self.setup_seconds = time.monotonic() - started
        return self

    @property
    def env(self):
        return self.prefix.env

    def port_link(self, name=comports.SIM_PORT):
        return self.prefix.dosdevices / name

    def prepare_scenario(self):
        """Leaves no openable COM port and no saved program settings behind from the last scenario."""
        comports.neutralise(self.prefix.dosdevices, self.no_port_dir)
        self.registry.delete_key(APP_KEY)

    def close(self):
        if self.prefix:
            self.prefix.destroy()
            self.prefix = None
        if self._xvfb:
            self._xvfb.stop()
            self._xvfb = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.close()
