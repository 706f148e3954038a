"""The registry of the Wine prefix that scripts/wine-env chooses, through Wine's own reg.exe:
keys read back whole from its exports, keys imported, values written, keys deleted."""
import os
import re
import subprocess
import tempfile

import desktop

VALUE = re.compile(r'^(@|"(?:[^"\\]|\\.)*")=(.*)$')


def reg(*args):
    """reg.exe's exit code. Its output goes nowhere: a Wine helper process that it happens to
    start would keep a pipe open for as long as the helper lives."""
    return subprocess.run([desktop.WINE_EXEC, "reg", *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode


def export_text(key):
    """The key and everything under it as a .reg text, or None when there is no such key."""
    with tempfile.TemporaryDirectory() as directory:
        path = os.path.join(directory, "key.reg")
        if reg("export", key, desktop.windows_path(path), "/y") != 0:
            return None
        with open(path, "rb") as f:
            return f.read().decode("utf-16")


def import_text(text):
    with tempfile.TemporaryDirectory() as directory:
        path = os.path.join(directory, "key.reg")
        with open(path, "wb") as f:
            f.write(text.encode("utf-16"))
        if reg("import", desktop.windows_path(path)) != 0:
            raise RuntimeError(f"reg import of {text!r} failed")


def _unquote(text):
    return re.sub(r"\\(.)", r"\1", text[1:-1])


def parse(text):
    """{key path: {value name ('' for the default value): value}}: strings as str, DWORDs as
    int, anything else as its .reg text."""
    keys = {}
    current = None
    for line in re.sub(r"\\\r?\n\s*", "", text).splitlines():
        if line.startswith("[") and line.endswith("]"):
            current = keys.setdefault(line[1:-1], {})
            continue
        match = VALUE.match(line)
        if not match or current is None:
            continue
        name = "" if match.group(1) == "@" else _unquote(match.group(1))
        data = match.group(2)
        if data.startswith('"'):
            current[name] = _unquote(data)
        elif data.startswith("dword:"):
            current[name] = int(data[6:], 16)
        else:
            current[name] = data
    return keys


def read(key):
    """The key and its subkeys, parsed ({} when there is no such key)."""
    text = export_text(key)
    return parse(text) if text is not None else {}


def values(key):
    """The values of the key itself, or None when there is no such key."""
    return read(key).get(full_name(key))


def full_name(key):
    return key.replace("HKCU\\", "HKEY_CURRENT_USER\\").replace("HKLM\\", "HKEY_LOCAL_MACHINE\\")


def set_value(key, name, data):
    target = ["/ve"] if name == "" else ["/v", name]
    if reg("add", key, *target, "/d", data, "/f") != 0:
        raise RuntimeError(f"reg add {key} failed")


def delete(key):
    """Deletes the key with everything under it; a missing key is fine."""
    reg("delete", key, "/f")
