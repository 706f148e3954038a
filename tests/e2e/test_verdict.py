#!/usr/bin/python3
"""Before the click and after it: the verdict line that the attached phone calls for,
asked through the real client and renewed for a second package, and the app opened on
the phone after a success."""
import os
import shutil
import time
import unittest
import zipfile

import desktop
import xdnd_drop
from e2ecase import APKS, DEMO_APK, EndToEndCase, setUpModule, tearDownModule  # noqa: F401

BUTTON = desktop.Skin("push-button.png", 4)
NORMAL = 0
PACKAGE = "org.example.weatherdiary"

# The verdict line's place (WindowStyle.h) and its colours (InstallVerdict.cpp).
VERDICT_BOX = (218, 30, 162, 34)
RED, ORANGE, BLUE, GREEN = 0xFFC94C42, 0xFFD9822B, 0xFF0080C9, 0xFF5BAE2F
STATUS_SUCCEEDED = desktop.STATUS_SUCCEEDED


def with_x86_code(source, target):
    """The package with native code for x86 only: a library in lib/x86/."""
    shutil.copyfile(source, target)
    with zipfile.ZipFile(target, "a") as archive:
        archive.writestr("lib/x86/libweather.so", b"\x7fELF" + b"\0" * 60)
    return target


class Verdict(EndToEndCase):
    def verdict_line(self, colour, name, timeout=20):
        """The picture once the verdict shows in its colour, saved as e2e-verdict-NAME.png."""
        picture = self.wait_for_picture(lambda p: desktop.shows(p, (VERDICT_BOX, colour), 30), timeout,
                                        f"the verdict in {colour:08X}")
        for other in {RED, ORANGE, BLUE, GREEN} - {colour}:
            self.assertFalse(desktop.shows(picture, (VERDICT_BOX, other), 30), f"no text in {other:08X}")
        self.save(picture, f"verdict-{name}")
        return picture

    def test_each_line_the_phone_calls_for_before_any_click(self):
        x86 = with_x86_code(DEMO_APK, os.path.join(self.work, "x86 only.apk"))
        cases = [  # scenario, package, colour, name, commands the verdict must have asked
            ("ready", DEMO_APK, GREEN, "fresh", [f"pm list packages --show-versioncode {PACKAGE}", "df /data"]),
            ("verdict-older", DEMO_APK, GREEN, "upgrade", [f"dumpsys package {PACKAGE}"]),
            ("verdict-same", DEMO_APK, BLUE, "same-version", [f"dumpsys package {PACKAGE}"]),
            ("verdict-newer", DEMO_APK, RED, "newer-installed", [f"dumpsys package {PACKAGE}"]),
            ("verdict-old-android", DEMO_APK, RED, "old-android", ["getprop ro.build.version.sdk"]),
            ("verdict-x86-package", x86, RED, "no-matching-abi", ["getprop ro.product.cpu.abilist"]),
            ("verdict-little-room", DEMO_APK, ORANGE, "little-room", ["df /data"]),
        ]
        pictures = {}
        for scenario, package, colour, name, asked in cases:
            with self.subTest(name):
                self.start(scenario, [desktop.windows_path(package)])
                self.pointer_away()
                pictures[name] = self.verdict_line(colour, name)
                commands = self.phone.commands(every=True)
                for command in asked:
                    self.assertIn(command, commands)
                self.assertFalse([c for c in commands if "'install'" in c], "nothing installed before the click")
                self.assertShows(pictures[name], desktop.STATUS_READY)
                self.assertEqual(NORMAL, BUTTON.frame_at(pictures[name], desktop.INSTALL_BUTTON),
                                 "the verdict never blocks Install")
                self.close_by_button()
        # The three red lines say three different things.
        reds = [desktop.region(pictures[n], VERDICT_BOX) for n in ("newer-installed", "old-android", "no-matching-abi")]
        self.assertEqual(3, len(set(reds)))

    def test_verdict_renewed_for_a_second_package_and_gone_while_installing(self):
        self.start("verdict-newer", [desktop.windows_path(DEMO_APK)])
        self.pointer_away()
        self.verdict_line(RED, "before-second-drop")
        # A package that the phone does not have: the line turns green.
        other = os.path.join(self.work, "notes.apk")
        shutil.copyfile(os.path.join(APKS, "zh_label.apk"), other)
        left, top, _, _ = self.window.geometry()
        self.assertEqual("finished", xdnd_drop.drop_files(self.window.xid, left + 200, top + 80, [other]))
        self.verdict_line(GREEN, "second-package")
        self.assertIn("pm list packages --show-versioncode org.example.notes", self.phone.commands(every=True))

        self.click(desktop.INSTALL_BUTTON)
        installing = self.window.picture()
        self.assertFalse(desktop.shows(installing, (VERDICT_BOX, GREEN), 30), "no verdict while installing")
        self.wait_for_line(STATUS_SUCCEEDED, 15)
        self.close_by_button()

    def test_verdict_renewed_when_another_phone_is_attached(self):
        self.start("verdict-phone-changes", [desktop.windows_path(DEMO_APK)])
        self.pointer_away()
        self.verdict_line(GREEN, "first-phone")
        # The watcher sees the other phone; the verdict is asked of it.
        self.verdict_line(RED, "other-phone", timeout=25)
        self.assertIn(("host:transport:EMU0002", None), self.phone.requests(every=True))
        self.close_by_button()

    def test_open_after_a_success_starts_the_launcher_activity(self):
        self.start("verdict-older", [desktop.windows_path(DEMO_APK)])
        self.pointer_away()
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.wait_for_line(STATUS_SUCCEEDED, 15)
        offered = self.wait_for_picture(lambda p: BUTTON.frame_at(p, desktop.INSTALL_BUTTON) == NORMAL, 4,
                                        "打开 offered")
        self.save(offered, "open-offered")
        self.assertIn(f"cmd package resolve-activity --brief -c android.intent.category.LAUNCHER {PACKAGE}",
                      self.phone.commands(every=True))
        self.click(desktop.INSTALL_BUTTON)
        self.wait_for(lambda: f"am start -n {PACKAGE}/.MainActivity" in self.phone.commands(every=True), 10,
                      "am start of the launcher activity")
        self.pointer_away()
        # The countdown stopped: the window stays, saying that the app was opened.
        time.sleep(6)
        self.assertIsNone(self.program.wait(0), "the window stays open")
        opened = self.window.picture()
        self.save(opened, "opened")
        self.assertShows(opened, STATUS_SUCCEEDED)
        self.assertIsNone(BUTTON.frame_at(opened, desktop.INSTALL_BUTTON), "no second 打开")
        self.close_by_button()

    def test_open_through_monkey_without_cmd_and_no_button_without_a_launcher(self):
        self.start("legacy-launcher", [desktop.windows_path(DEMO_APK)])
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.wait_for_line(STATUS_SUCCEEDED, 15)
        self.wait_for_picture(lambda p: BUTTON.frame_at(p, desktop.INSTALL_BUTTON) == NORMAL, 4, "打开 offered")
        self.click(desktop.INSTALL_BUTTON)
        self.wait_for(lambda: f"monkey -p {PACKAGE} -c android.intent.category.LAUNCHER 1" in self.phone.commands(every=True),
                      10, "monkey started")
        self.close_by_button()

        # No launcher activity on the phone: no button, and the countdown closes the window.
        self.start("ready", [desktop.windows_path(DEMO_APK)])
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.wait_for_line(STATUS_SUCCEEDED, 15)
        self.wait_for(lambda: any("resolve-activity" in c for c in self.phone.commands(every=True)), 5, "the launcher asked")
        time.sleep(1)
        succeeded = self.window.picture()
        self.save(succeeded, "no-launcher")
        self.assertIsNone(BUTTON.frame_at(succeeded, desktop.INSTALL_BUTTON), "no 打开 without a launcher")
        self.assertExit(8)


if __name__ == "__main__":
    unittest.main(verbosity=2)
