"""Reading and writing the test prefix's registry with `wine reg`."""

import re

APP_KEY = r"HKCU\Software\Vom lokalen Anwendungs-Assistenten generierte Anwendungen\Q4_Backup"

_VALUE_LINE = re.compile(r"^ {4}(.*?) {4}(REG_[A-Z_]+)(?: {4}(.*))?$")


class Registry:
    def __init__(self, prefix):
        self._prefix = prefix

    def query(self, key, name):
        """The value's data as `wine reg` prints it, or None when the key or value is missing."""
        result = self._prefix.wine(["reg", "query", key, "/v", name], check=False)
        if result.returncode != 0:
            return None
        for line in result.stdout.decode("utf-8", "replace").splitlines():
            match = _VALUE_LINE.match(line.rstrip("\r"))
            if match and match.group(1) == name:
                return match.group(3) or ""
        return None

    def set(self, key, name, data, kind="REG_SZ"):
        self._prefix.wine(["reg", "add", key, "/v", name, "/t", kind, "/d", str(data), "/f"])

    def delete_value(self, key, name):
        self._prefix.wine(["reg", "delete", key, "/v", name, "/f"], check=False)

    def delete_key(self, key):
        """Deletes the key with everything under it; a missing key is no error."""
        self._prefix.wine(["reg", "delete", key, "/f"], check=False)
