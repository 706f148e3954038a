#!/usr/bin/python3
"""The portable archive as a user meets it: ApkInstaller-<version>-win64.zip unpacked into a
folder of their choice, adb.exe put beside the program as README.txt says, the window
started from there and apkinstall.exe installing to the emulated phone."""
import glob
import os
import shutil
import subprocess
import unittest
import zipfile

import desktop
import e2ecase
from e2ecase import DEMO_APK, EndToEndCase, setUpModule, tearDownModule  # noqa: F401


def _one(pattern):
    found = glob.glob(pattern)
    if len(found) != 1:
        raise RuntimeError(f"expected one {pattern}, found {found}: build the target dist")
    return found[0]


ARCHIVE = os.environ.get("APKI_ARCHIVE") or _one(os.path.join(desktop.REPO, "build", "dist", "ApkInstaller-*-win64.zip"))
STAGE = os.environ.get("APKI_STAGE_DIR") or _one(
    os.path.join(desktop.REPO, "build", "windows", "installer", "stage", "ApkInstaller-*"))

SHIPPED = {"ApkInstaller.exe", "Pakrun.dll", "Language.xml", "apkinstall.exe", "README.txt",
           os.path.join("licenses", "zlib.txt"), os.path.join("licenses", "mingw-w64.txt")}


class Archive(EndToEndCase):
    def unpack(self):
        """The archive unpacked into a folder with a blank and Chinese in its name: one
        folder named like the archive, holding exactly the staged files with their bytes."""
        destination = os.path.join(self.work, "解压 到这里")
        with zipfile.ZipFile(ARCHIVE) as archive:
            names = archive.namelist()
            archive.extractall(destination)
        top = os.path.basename(ARCHIVE)[:-len("-win64.zip")]
        self.assertEqual({top}, {name.split("/", 1)[0] for name in names})
        folder = os.path.join(destination, top)
        found = sorted(os.path.relpath(os.path.join(root, name), folder)
                       for root, _, files in os.walk(folder) for name in files)
        staged = sorted(os.path.relpath(os.path.join(root, name), STAGE)
                        for root, _, files in os.walk(STAGE) for name in files)
        self.assertEqual(staged, found)
        self.assertLessEqual(SHIPPED, set(found), "what a user needs and what the licences ask")
        for name in staged:
            with open(os.path.join(STAGE, name), "rb") as a, open(os.path.join(folder, name), "rb") as b:
                self.assertEqual(a.read(), b.read(), name)
        return folder

    def test_unpacked_archive_starts_the_window_and_its_apkinstall_installs_on_the_phone(self):
        folder = self.unpack()
        shutil.copy2(os.path.join(e2ecase.STANDIN_DIR, "adb.exe"), folder)

        self.phone = desktop.Phone(os.path.join(self.work, "window phone"), "ready")
        self.program = desktop.Program(os.path.join(folder, "ApkInstaller.exe"), [desktop.windows_path(DEMO_APK)],
                                       self.phone.environment())
        self.window = self.program.find_window()
        self.wait_painted()
        self.pointer_away()
        picture = self.window.picture()
        self.save(picture, "started-from-the-archive")
        self.assertShows(picture, desktop.STATUS_READY)
        self.close_by_button()

        self.phone = desktop.Phone(os.path.join(self.work, "console phone"), "ready")
        env = dict(os.environ, **self.phone.environment())
        result = subprocess.run([desktop.WINE_EXEC, desktop.windows_path(os.path.join(folder, "apkinstall.exe")),
                                 desktop.windows_path(DEMO_APK)], env=env, stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=60)
        self.assertEqual(0, result.returncode, result.stdout)
        self.assertInstalled(DEMO_APK, "-r -f")


if __name__ == "__main__":
    unittest.main()
