#!/usr/bin/python3
"""Phones of every kind behind Google's adb 1.0.40 for Windows: what the real client sends
for the program's command lines and how the program takes what it prints, judged by the
emulated phone's record and by the window."""
import os
import shutil
import subprocess
import time
import unittest

import desktop
import e2ecase
from e2ecase import DEMO_APK, EndToEndCase, setUpModule, tearDownModule  # noqa: F401

APKINSTALL = os.environ.get("APKI_APKINSTALL") or os.path.join(desktop.REPO, "build", "windows", "tools",
                                                               "apkinstall", "apkinstall.exe")
BUTTON = desktop.Skin("push-button.png", 4)
NORMAL, HOVER = 0, 1


class Phones(EndToEndCase):
    def install(self, phone, timeout=15):
        """Starts the program with the demo package beside the phone, clicks Install and
        gives the window's picture once an outcome shows."""
        self.start(phone, [desktop.windows_path(DEMO_APK)])
        return self.click_install(timeout)

    def click_install(self, timeout=15):
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        return self.wait_for_picture(lambda p: desktop.shows(p, desktop.STATUS_SUCCEEDED)
                                     or desktop.shows(p, desktop.STATUS_FAILED), timeout, "an outcome")

    def assertNoUsablePhone(self, picture, state):
        self.save(picture, state)
        self.assertTrue(desktop.shows(picture, desktop.STATUS_FAILED), state)
        self.assertIn(BUTTON.frame_at(picture, desktop.INSTALL_BUTTON), (NORMAL, HOVER), "Install offered again")

    def test_sd_card_on_a_legacy_phone_is_pushed_there_and_android10_streams(self):
        e2ecase.write_settings(b"[VersionSection]\r\nInstallPosition=1\r\n")
        self.assertTrue(desktop.shows(self.install("legacy"), desktop.STATUS_SUCCEEDED))
        # Without shell protocol the shell is a pty: CR LF, which Windows' text mode makes CR CR LF.
        self.assertEqual(["getprop ro.build.version.sdk"], self.phone.commands()[:1])
        self.assertIn(("shell:getprop ro.build.version.sdk", "0123456789ABCDEF"), self.phone.requests())
        self.assertTrue(self.assertInstalled(DEMO_APK, "-r -s", "0123456789ABCDEF")["path"].startswith("/sdcard/tmp/"))
        self.close_by_button()

        e2ecase.write_settings(b"[VersionSection]\r\nInstallPosition=0\r\n")
        self.assertTrue(desktop.shows(self.install("android10"), desktop.STATUS_SUCCEEDED))
        self.assertEqual("pm getInstallLocation", self.phone.commands()[0])
        self.assertEqual("stream", self.assertInstalled(DEMO_APK, "-r -f", "8BHX1CTB2")["via"])
        self.close_by_button()

    def test_sd_card_on_a_phone_older_than_android_2_2_installs_where_the_phone_decides(self):
        e2ecase.write_settings(b"[VersionSection]\r\nInstallPosition=1\r\n")
        self.assertTrue(desktop.shows(self.install("old"), desktop.STATUS_SUCCEEDED))
        self.assertEqual(["getprop ro.build.version.sdk", "pm getInstallLocation"], self.phone.commands()[:2])
        self.assertInstalled(DEMO_APK, "-r", "HT9CSP800123")
        self.close_by_button()

    def test_refusals_show_their_own_reasons(self):
        pictures = []
        for phone in ("already-installed", "older-sdk"):
            picture = self.install(phone)
            self.save(picture, phone)
            self.assertTrue(desktop.shows(picture, desktop.STATUS_FAILED), phone)
            self.assertEqual(1, len(self.phone.received()))
            pictures.append(picture)
            self.close_by_button()
        self.assertFalse(desktop.same_region(*pictures, desktop.STATUS_FAILED[0]), "each its own text")

    def test_no_usable_phone_each_time_until_two_phones_of_which_one_is_ready(self):
        self.start("one-after-another", [desktop.windows_path(DEMO_APK)])
        for state in ("no-phone", "offline", "unauthorized"):
            self.assertNoUsablePhone(self.click_install(), f"real-adb-{state}")
        self.assertEqual(["host:devices"] * 3, self.phone.services())
        self.assertTrue(desktop.shows(self.click_install(), desktop.STATUS_SUCCEEDED))
        self.assertInstalled(DEMO_APK, "-r -f", "EMU0002")
        self.close_by_button()

    def test_without_a_server_adb_starts_its_own_which_is_ended_afterwards(self):
        started = time.monotonic()
        self.assertNoUsablePhone(self.install("no-server", timeout=40), "real-adb-no-server")
        print(f"Install clicked -> no phone shown: {time.monotonic() - started:.2f} s")
        self.wait_for(self.phone.adb_servers, 5, "the adb server that adb started")
        self.close_by_button()
        self.phone.close()
        self.wait_for(lambda: not self.phone.adb_servers(), 5, "adb's own server ended")

    def test_a_server_that_never_answers_is_given_up_after_ten_seconds(self):
        self.start("silent", [desktop.windows_path(DEMO_APK)])
        clicked = time.monotonic()
        self.assertNoUsablePhone(self.click_install(20), "real-adb-silent")
        taken = time.monotonic() - clicked
        print(f"Install clicked -> no phone shown: {taken:.2f} s")
        self.assertGreater(taken, 9.5)
        # The program's looks at the phones meet the same silence: version checks only.
        self.assertEqual({"host:version"}, {r["service"] for r in self.phone.records() if "service" in r})
        time.sleep(0.5)
        # The watcher looks again once the install is over (`devices -l`, which waits just as
        # long); the install's own adb must be gone.
        left = [c for _, c in desktop.processes_under(self.work + "/program/adb.exe") if "devices -l" not in c]
        self.assertEqual([], left, "no adb.exe of the install left running")
        self.close_by_button()
        time.sleep(0.5)
        self.assertEqual([], desktop.processes_under(self.work + "/program/adb.exe"), "none left after closing")


class Console(EndToEndCase):
    def apkinstall(self, phone, *options, package=DEMO_APK):
        """apkinstall.exe beside the real adb client and the phone: (exit code, its output)."""
        folder = os.path.join(self.work, phone)
        desktop.assemble_run_directory(folder, e2ecase.BIN_DIR, e2ecase.ADB_DIR)
        shutil.copy2(APKINSTALL, folder)
        if self.phone:
            self.phone.close()
        self.phone = desktop.EmulatedPhone(os.path.join(self.work, phone + " phone"), phone)
        result = subprocess.run([desktop.WINE_EXEC, desktop.windows_path(os.path.join(folder, "apkinstall.exe")),
                                 *options, *([desktop.windows_path(package)] if package else [])],
                                env=dict(os.environ, **self.phone.environment()),
                                stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
        return result.returncode, "\n".join(result.stdout.decode("utf-8").strip().splitlines())

    def test_apkinstall_through_the_real_adb(self):
        self.temp_copies = e2ecase.temp_copies()
        self.assertEqual(0, self.apkinstall("ready")[0])
        self.assertInstalled(DEMO_APK, "-r -f")
        self.assertEqual(0, self.apkinstall("legacy", "--sd")[0])
        self.assertInstalled(DEMO_APK, "-r -s", "0123456789ABCDEF")
        self.assertEqual((1, "目标已经存在"), self.apkinstall("already-installed"))
        self.assertEqual((1, "您的手机系统版本低于软件所需版本"), self.apkinstall("older-sdk"))
        self.assertEqual(2, self.apkinstall("unauthorized")[0])
        self.assertEqual(["host:devices"], self.phone.services())

    def test_apkinstall_check_and_open_through_the_real_adb(self):
        # --check installs nothing and says what the window would say before a click.
        self.assertEqual((0, "可以安装：将从 2.2 升级到 2.3.1"), self.apkinstall("verdict-older", "--check"))
        self.assertEqual([], self.phone.received())
        self.assertEqual((5, "此应用需要 Android 5.0，这台手机是 Android 4.4"),
                         self.apkinstall("verdict-old-android", "--check"))
        self.assertEqual((5, "手机上已有更高版本 3.0，需先卸载才能安装"), self.apkinstall("verdict-newer", "--check"))
        self.assertEqual(2, self.apkinstall("unauthorized", "--check")[0])
        # --open: installed, then the launcher activity started; without one, exit 4.
        code, text = self.apkinstall("verdict-older", "--open")
        self.assertEqual((0, "安装成功。\n已在手机上打开应用。"), (code, text))
        self.assertIn("am start -n org.example.weatherdiary/.MainActivity", self.phone.commands(every=True))
        self.assertEqual((4, "安装成功。\n未能在手机上打开应用"), self.apkinstall("ready", "--open"))

    def test_apkinstall_lists_the_phones_and_installs_to_the_one_named(self):
        self.temp_copies = e2ecase.temp_copies()
        self.assertEqual((0, "EMU0001\tdevice\tNexus 5X\nEMU0002\tdevice\tPixel 3"),
                         self.apkinstall("two-ready", "--list", package=None))
        self.assertEqual(["host:devices-l"], [r["service"] for r in self.phone.records()
                                              if r.get("service", "host:version") != "host:version"])
        self.assertEqual(0, self.apkinstall("two-ready", "--serial", "EMU0002")[0])
        self.assertInstalled(DEMO_APK, "-r -f", "EMU0002")
        self.assertNotIn(("host:transport:EMU0001", None), self.phone.requests())
        # A phone that is not there is not replaced by another one (the phone of the same
        # name keeps its record: nothing is added to it).
        before = self.phone.received()
        self.assertEqual(2, self.apkinstall("two-ready", "--serial", "EMU0009")[0])
        # The same phone's record goes on: only the install to EMU0002 is in it.
        self.assertEqual(1, len(self.phone.received()))


if __name__ == "__main__":
    unittest.main(verbosity=2)
