#!/usr/bin/python3
"""The portable archive as a user meets it: ApkInstaller-<version>-win64.zip unpacked into a
folder of their choice, Google's adb and its notice in it, the window started from there
and apkinstall.exe installing to the emulated phone."""
import os
import shutil
import subprocess
import unittest
import zipfile

import delivery
import desktop
import e2ecase
from e2ecase import DEMO_APK, EndToEndCase, setUpModule, tearDownModule  # noqa: F401


ADB_FILES = ("adb.exe", "AdbWinApi.dll", "AdbWinUsbApi.dll")
SHIPPED = {"ApkInstaller.exe", "Pakrun.dll", "Language.xml", "apkinstall.exe", "README.txt", *ADB_FILES,
           os.path.join("licenses", "zlib.txt"), os.path.join("licenses", "mingw-w64.txt"),
           os.path.join("licenses", "adb.txt")}


class Archive(EndToEndCase):
    def unpack(self):
        """The archive unpacked into a folder with a blank and Chinese in its name: one
        folder named like the archive, holding exactly the staged files with their bytes."""
        destination = os.path.join(self.work, "解压 到这里")
        with zipfile.ZipFile(delivery.ARCHIVE) as archive:
            names = archive.namelist()
            archive.extractall(destination)
        top = os.path.basename(delivery.ARCHIVE)[:-len("-win64.zip")]
        self.assertEqual({top}, {name.split("/", 1)[0] for name in names})
        folder = os.path.join(destination, top)
        found = delivery.files_under(folder)
        self.assertEqual(delivery.files_under(delivery.STAGE), found)
        for name in found:
            self.assertEqual(delivery.read_bytes(os.path.join(delivery.STAGE, name)),
                             delivery.read_bytes(os.path.join(folder, name)), name)
        self.assertLessEqual(SHIPPED, found, "what a user needs and what the licences ask")
        for name in ADB_FILES:
            self.assertEqual(delivery.read_bytes(os.path.join(delivery.SHIPPED_ADB_DIR, name)),
                             delivery.read_bytes(os.path.join(folder, name)), f"Google's {name}")
        notice = delivery.read_bytes(os.path.join(delivery.SHIPPED_ADB_DIR, "NOTICE.txt"))
        self.assertEqual(notice.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"),
                         delivery.read_bytes(os.path.join(folder, "licenses", "adb.txt")), "adb's notice")
        return folder

    def test_unpacked_archive_starts_the_window_and_its_apkinstall_installs_on_the_phone(self):
        folder = self.unpack()
        # The emulated phone's adb in place of Google's, which does not run under Wine 8.
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
