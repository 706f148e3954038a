"""The delivery's artefacts as the target dist leaves them: the setup, the archive and the
staged folder both are made from. CTest names them; by hand the one build/ holds is used."""
import glob
import os

import desktop


def _built(variable, *pattern):
    if os.environ.get(variable):
        return os.environ[variable]
    found = glob.glob(os.path.join(desktop.REPO, "build", *pattern))
    if len(found) != 1:
        raise RuntimeError(f"expected one {os.path.join(*pattern)} in build/, found {found}: build the target dist")
    return found[0]


SETUP = _built("APKI_SETUP", "dist", "ApkInstaller-*-setup.exe")
ARCHIVE = _built("APKI_ARCHIVE", "dist", "ApkInstaller-*-win64.zip")
STAGE = _built("APKI_STAGE_DIR", "windows", "installer", "stage", "ApkInstaller-*")
VERSION = os.environ.get("APKI_VERSION") or os.path.basename(STAGE).split("-", 1)[1]
# Google's adb for Windows as the build fetched it: the one shipped, and 1.0.40, which
# unlike the shipped one runs under Wine 8.
SHIPPED_ADB_DIR = _built("APKI_SHIPPED_ADB_DIR", "npm", "android-tools-bin-*", "package", "dist", "win32", "x86")
TEST_ADB_DIR = _built("APKI_TEST_ADB_DIR", "npm", "adb-driver-*", "package", "bin", "window")


def files_under(folder):
    """Every file below the folder, by its path relative to it."""
    return {os.path.relpath(os.path.join(root, name), folder) for root, _, files in os.walk(folder) for name in files}


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()
