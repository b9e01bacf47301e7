"""A throw-away Wine prefix with a persistent wineserver, set up for unattended tests."""

import os
import shutil
import subprocess
import tempfile
from pathlib import Path

# Without a window manager Wine waits about 2 s for one whenever a window hides,
# and a crash dialog would hold a crashed program open; both are turned off.
# Wine's own fonts, which this Wine build does not find by itself: without them
# title bar buttons show letters and message boxes lack Tahoma. The dialog font "MS Shell Dlg"
# becomes "MS Sans Serif" (sserife.fon), whose 8-point face has the widths of Windows' dialog
# font; Wine's default, Tahoma, is wider and cuts the ends off the dialogs' labels.
WINE_FONTS_DIR = Path("/usr/share/wine/fonts")
WINE_FONTS = ("marlett.ttf", "tahoma.ttf", "tahomabd.ttf", "sserife.fon")
DIALOG_FONT = "MS Sans Serif"

TEST_SETTINGS = r"""REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Shell Dlg"="%s"
""" % DIALOG_FONT


def wine_environment(prefix, display):
    env = dict(os.environ)
    env.update(
        WINEPREFIX=str(prefix),
        WINEDEBUG="-all",
        # Skips the Mono and Gecko installers and the desktop menu entries.
        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
        DISPLAY=display,
        # Wine's own dialogs (file dialogs, prompts) then speak English on every machine.
        LC_ALL="C.UTF-8",
    )
    return env


def windows_path(path):
    """The Z: drive path under which Wine sees a Unix path."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class WinePrefix:
    def __init__(self, display, parent_dir=None):
        self.path = Path(tempfile.mkdtemp(prefix="q4-e2e-wine-", dir=parent_dir))
        self.env = wine_environment(self.path, display)
        self.dosdevices = self.path / "dosdevices"

    def create(self, timeout=180):
        # -p keeps the server (and Wine's services) up between programs, saving a start each time.
        subprocess.run(["wineserver", "-p"], env=self.env, check=True, timeout=30,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wine(["wineboot", "-i"], timeout=timeout)
        fonts = self.path / "drive_c" / "windows" / "Fonts"
        for name in WINE_FONTS:
            if (WINE_FONTS_DIR / name).exists() and not (fonts / name).exists():
                shutil.copy(WINE_FONTS_DIR / name, fonts / name)
        settings = self.path / "test-settings.reg"
        settings.write_text(TEST_SETTINGS, encoding="ascii")
        self.wine(["reg", "import", windows_path(settings)])

    def wine(self, args, timeout=60, check=True):
        """Runs `wine ARGS...` in this prefix and returns the completed process.

        Output goes to files, not pipes: Wine's services started along the way keep
        inherited descriptors open for ever, and a pipe would never reach its end.
        """
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run(["wine"] + list(args), env=self.env, stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=err, timeout=timeout).returncode
            out.seek(0)
            err.seek(0)
            result = subprocess.CompletedProcess(args, code, out.read(), err.read())
        if check and result.returncode != 0:
            raise RuntimeError(
                "wine %s failed (%d): %s"
                % (" ".join(args), result.returncode, result.stderr.decode("utf-8", "replace").strip())
            )
        return result

    def destroy(self):
        # Ends this prefix's wineserver and every program still running in it.
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30, check=False)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=30, check=False)
        shutil.rmtree(self.path, ignore_errors=True)
