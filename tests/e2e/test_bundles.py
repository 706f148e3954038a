#!/usr/bin/python3
"""Bundles of split packages (.xapk, .apks, .apkm, and an .xapk named .apk), built by
tests/data/make-bundles with aapt2, shown by the window and installed through Google's
adb 1.0.40 on emulated phones of different ABIs, densities and languages: the phone's
record names the packages it received in its install session, the expansion file's path
and bytes; the refusals have their own texts and send nothing."""
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

import desktop
import e2ecase
import xdnd_drop
from e2ecase import EndToEndCase

APKINSTALL = os.environ.get("APKI_APKINSTALL") or os.path.join(desktop.REPO, "build", "windows", "tools",
                                                               "apkinstall", "apkinstall.exe")
MAKE_BUNDLES = os.path.join(desktop.REPO, "tests", "data", "make-bundles")
BUTTON = desktop.Skin("push-button.png", 4)
NORMAL = 0
SIZE_TEXT = (88, 75, 120, 20)  # the facts' third row
OBB_DIR = "/sdcard/Android/obb/org.example.splitdemo/"
TEMP_FILE = re.compile(r"^-?\d+\.(apk|obb)$")
BUNDLES = None


def setUpModule():
    global BUNDLES
    e2ecase.setUpModule()
    BUNDLES = tempfile.mkdtemp(prefix="apki-bundles-")
    subprocess.run(["/usr/bin/python3", MAKE_BUNDLES, BUNDLES], check=True)


def tearDownModule():
    shutil.rmtree(BUNDLES, True)
    e2ecase.tearDownModule()


def bundle(name):
    return os.path.join(BUNDLES, name)


def parts():
    with open(bundle("parts.json"), encoding="utf-8") as f:
        return json.load(f)


def temp_files():
    try:
        return sorted(n for n in os.listdir(desktop.wine_user_folder("Temp")) if TEMP_FILE.match(n))
    except FileNotFoundError:
        return []


class BundleCase(EndToEndCase):
    def assertSession(self, expected_parts, obb):
        """The phone received exactly these parts in one install session (by their bytes),
        installed with -r, and the expansion file pushed to its folder when obb is set."""
        known = parts()
        by_hash = {known[p]["sha256"]: p for p in known}
        received = self.phone.received()
        session = sorted(by_hash.get(r["sha256"], "?") for r in received if r["via"] == "session")
        self.assertEqual(sorted(expected_parts), session, received)
        creates = [c for c in self.phone.commands() if "install-create" in c]
        self.assertEqual(1, len(creates), self.phone.commands())
        self.assertIn("'-r'", creates[0])
        pushed = [r for r in received if r["via"] == "sync"]
        if obb:
            self.assertEqual([(OBB_DIR + known["obb"]["name"], known["obb"]["size"], known["obb"]["sha256"])],
                             [(r["path"], r["size"], r["sha256"]) for r in pushed])
            self.assertIn(f"ls -l {OBB_DIR}{known['obb']['name']}", self.phone.commands())
        else:
            self.assertEqual([], pushed)
        self.assertEqual(self.temp_before, temp_files(), "every temporary file deleted")


class Console(BundleCase):
    def apkinstall(self, phone, package):
        self.runs = getattr(self, "runs", 0) + 1  # a phone and a record of its own for each run
        folder = os.path.join(self.work, f"{phone} {self.runs}")
        desktop.assemble_run_directory(folder, e2ecase.BIN_DIR, e2ecase.ADB_DIR)
        shutil.copy2(APKINSTALL, folder)
        if self.phone:
            self.phone.close()
        self.phone = desktop.EmulatedPhone(os.path.join(self.work, f"{phone} phone {self.runs}"), phone)
        self.temp_before = temp_files()
        result = subprocess.run([desktop.WINE_EXEC, desktop.windows_path(os.path.join(folder, "apkinstall.exe")),
                                 desktop.windows_path(package)], env=dict(os.environ, **self.phone.environment()),
                                stdin=subprocess.DEVNULL, capture_output=True, timeout=90)
        return result.returncode, result.stdout.decode("utf-8").strip()

    def assertInstalls(self, phone, name):
        code, line = self.apkinstall(phone, bundle(name))
        self.assertEqual(0, code, f"{name} on {phone}: {line}; the phone ran {self.phone.commands()}, received "
                                  f"{self.phone.received()}")

    def test_each_layout_installs_the_parts_its_phone_needs_and_its_expansion_file(self):
        # 64-bit, 420 dpi (xxhdpi is the nearest not below), Chinese.
        self.assertInstalls("split-arm64-zh", "split_demo.xapk")
        self.assertSession(["base", "arm64_v8a", "xxhdpi", "zh"], obb=True)
        self.assertInstalls("split-arm64-zh", "split_demo.apkm")
        self.assertSession(["base", "arm64_v8a", "xxhdpi", "zh"], obb=False)
        # 32-bit, 240 dpi from getprop (xhdpi), English: no language part.
        self.assertInstalls("split-v7a-en", "split_demo.apks")
        self.assertSession(["base", "armeabi_v7a", "xhdpi"], obb=False)
        # Told by its contents, whatever its name.
        self.assertInstalls("split-v7a-en", "split_demo_xapk.apk")
        self.assertSession(["base", "armeabi_v7a", "xhdpi"], obb=True)

    def test_refusals_have_their_own_texts_and_send_nothing(self):
        cases = [("split-arm64-zh", "split_demo_encrypted.apkm", "此文件已加密"),
                 ("split-x86", "split_demo.apks", "没有适合本手机处理器"),
                 ("legacy", "split_demo.xapk", "安卓5.0")]
        for phone, name, text in cases:
            code, line = self.apkinstall(phone, bundle(name))
            self.assertEqual(1, code, line)
            self.assertIn(text, line)
            self.assertEqual([], self.phone.received(), phone)
            self.assertFalse([c for c in self.phone.commands() if "install" in c.split()[1:2] or "create" in c], phone)
            self.assertEqual(self.temp_before, temp_files())


class Window(BundleCase):
    def test_each_bundle_dropped_shows_its_app_and_the_xapk_installs(self):
        self.start("split-arm64-zh")
        self.pointer_away()
        empty = self.window.picture()
        left, top, _, _ = self.window.geometry()
        shown = {}
        for name in ("split_demo.apks", "split_demo.apkm", "split_demo_xapk.apk", "split_demo.xapk"):
            self.assertEqual("finished", xdnd_drop.drop_files(self.window.xid, left + 200, top + 80, [bundle(name)]))
            picture = self.wait_for_picture(
                lambda p: BUTTON.frame_at(p, desktop.INSTALL_BUTTON) == NORMAL
                and not desktop.same_region(empty, p, desktop.PACKAGE_ICON), 5, f"{name} read")
            self.save(picture, "bundle-" + name.replace(".", "-"))
            self.assertGreater(desktop.count_ink(picture, (88, 35, 120, 20), (0, 0, 0)), 40, f"{name}: the app's name")
            shown[name] = picture
        # The same app each time: name and icon alike; the size differs with the file.
        first = shown["split_demo.apks"]
        for name, picture in shown.items():
            self.assertTrue(desktop.same_region(first, picture, desktop.PACKAGE_ICON), name)
            self.assertTrue(desktop.same_region(first, picture, (88, 35, 120, 20)), name)
        self.assertFalse(desktop.same_region(shown["split_demo.apks"], shown["split_demo.xapk"], SIZE_TEXT),
                         "the whole file's size")

        self.click(desktop.PERMISSION_TOGGLE)
        self.wait_for(lambda: self.window.geometry()[2:] == desktop.OPEN_SIZE, 3, "the panel open")
        self.pointer_away()
        panel = self.window.picture()
        self.save(panel, "bundle-panel")
        ink = desktop.count_ink(panel, desktop.PERMISSION_LIST, desktop.rgb(desktop.PERMISSION_TEXT), (255, 255, 255))
        self.assertGreater(ink, 300, "the base package's camera and contacts permissions")
        self.click(desktop.PERMISSION_TOGGLE)
        self.wait_for(lambda: self.window.geometry()[2:] != desktop.OPEN_SIZE, 3, "the panel closed")

        self.temp_before = temp_files()
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.wait_for_line(desktop.STATUS_SUCCEEDED, 30)
        self.assertSession(["base", "arm64_v8a", "xxhdpi", "zh"], obb=True)
        self.close_by_button()

    def test_closing_during_a_bundles_install_leaves_no_temporary_file(self):
        self.start("split-slow", [desktop.windows_path(bundle("split_demo.xapk"))])
        self.temp_before = temp_files()
        self.click(desktop.INSTALL_BUTTON)
        # The phone records a command once it has ended; the parts' streams as they arrive.
        self.wait_for(lambda: len([r for r in self.phone.received() if r["via"] == "session"]) == 4, 15,
                      "the four parts streamed into the session")
        time.sleep(0.5)  # the commit is under way
        self.assertGreater(len(temp_files()), len(self.temp_before), "the parts' copies while they install")
        _, _, width, _ = self.window.geometry()
        self.click(desktop.close_button(width))
        self.assertExit(7)
        self.wait_for(lambda: temp_files() == self.temp_before, 3, "every part's copy deleted")
        self.assertEqual([], desktop.processes_under(self.work + "/program/"), "no adb.exe left running")


if __name__ == "__main__":
    unittest.main(verbosity=2)
