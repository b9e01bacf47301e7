"""One scenario's fixture: its driver, simulators and programs, its artefacts
folder, and the clean-up that ends everything it started."""

import json
import shutil

from . import comports
from .app import App
from .driver import Driver
from .processes import kill_wine_processes
from .screenshot import screenshot
from .simulator import Simulator
from .wineprefix import windows_path


class Case:
    def __init__(self, session, name, artifacts):
        self.session = session
        self.name = name
        self.artifacts = artifacts
        # Logs of an earlier run would mix with this run's (the simulator appends to its log).
        shutil.rmtree(self.artifacts, ignore_errors=True)
        self.artifacts.mkdir(parents=True)
        self._driver = None
        self._apps = []
        self._sims = []
        session.prepare_scenario()

    @property
    def registry(self):
        return self.session.registry

    @property
    def driver(self):
        """The scenario's driver, started on first use (a Wine program start costs about a second)."""
        if self._driver is None:
            self._driver = Driver(
                self.session.env,
                self.session.driver_exe,
                log_path=self.artifacts / "driver.log",
                stderr_path=self.artifacts / "wine-stderr.log",
            )
        return self._driver

    def simulator(self, port=comports.SIM_PORT, **options):
        """Starts q4sim linked as `port` of the prefix; options as Simulator takes them."""
        sim = Simulator(self.session.sim, self.session.port_link(port), self.artifacts, **options)
        self._sims.append(sim)
        return sim

    def app(self, **options):
        """Starts Q4_Backup.exe in the artefacts folder and waits for its main window."""
        command_line = '"%s"' % windows_path(self.session.exe)
        app = App(self.driver, command_line, windows_path(self.artifacts), **options)
        self._apps.append(app)
        return app

    def start_program(self, command_line, main_caption, main_class="*", **options):
        """Starts another Windows program (a stand-in) and waits for its window."""
        app = App(self.driver, command_line, main_caption=main_caption, main_class=main_class, **options)
        self._apps.append(app)
        return app

    def set_clipboard(self, text):
        self.driver.call("setclip", text)

    def clipboard(self):
        """The clipboard's Unicode text, or None."""
        return self.driver.call("getclip")["text"]

    def windows_path(self, path):
        return windows_path(path)

    def screenshot(self, name, window=None):
        """Saves the display (or one window's part of it) in the artefacts folder."""
        path = self.artifacts / name
        screenshot(self.session.display, path, window.rect() if window else None)
        return path

    def close(self, failed):
        try:
            if failed:
                self._record_failure()
        finally:
            self._end_everything()

    def _record_failure(self):
        try:
            self.screenshot("failure.png")
        except Exception as e:  # a missing screenshot must not hide the scenario's failure
            (self.artifacts / "failure-screenshot-error.txt").write_text(str(e))
        if self._driver is not None:
            try:
                windows = [w for app in self._apps for w in app.windows()]
                (self.artifacts / "windows.json").write_text(json.dumps(windows, indent=1))
            except Exception:
                pass

    def _end_everything(self):
        for app in self._apps:
            try:
                app.kill()
            except Exception:
                pass
        if self._driver is not None:
            self._driver.close()
        for sim in self._sims:
            sim.stop()
        # Whatever the driver could not end is ended by its Linux process id.
        for program in {self.session.exe.name} | {app.program for app in self._apps}:
            kill_wine_processes(self.session.prefix.path, program)
