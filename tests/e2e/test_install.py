#!/usr/bin/python3
"""Installing as a user does: the program started with a package, Install clicked, the
outcome watched, the window closed by itself or by its close button."""
import time
import unittest

import desktop
from desktop import rgb
from e2ecase import DEMO_APK, EndToEndCase, read_temp, temp_copies, setUpModule, tearDownModule  # noqa: F401

BUTTON = desktop.Skin("push-button.png", 4)
SELECTOR = desktop.Skin("selector.png", 3)
NORMAL, HOVER, PRESSED, DISABLED = range(4)


def label_pixels(picture, box):
    """White label pixels inside a push button, away from its rounded edges: the skin
    itself holds none."""
    x, y, w, h = box
    return desktop.count_colour(picture, (x + 6, y + 4, w - 12, h - 8), (255, 255, 255), 30)


class Install(EndToEndCase):
    def busy_indicator_turns(self):
        """The indicator is drawn left of the status line and changes from one look to the
        next."""
        first = self.window.picture()
        if desktop.share_of_colour(first, desktop.BUSY_INDICATOR, rgb(desktop.BACKGROUND), 0) > 0.9:
            return False
        time.sleep(0.3)
        return not desktop.same_region(first, self.window.picture(), desktop.BUSY_INDICATOR)

    def install_finds_no_usable_phone(self, state):
        """Install clicked: the status line turns red, nothing but the device list was asked
        for, and Install is offered again."""
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        picture = self.wait_for_line(desktop.STATUS_FAILED, 15)
        self.save(picture, state)
        # The pointer may still count as over the button: its look then is the hover look.
        self.assertIn(BUTTON.frame_at(picture, desktop.INSTALL_BUTTON), (NORMAL, HOVER),
                      "Install is offered again, enabled")
        self.assertEqual(["host:devices"], self.phone.services())
        self.assertEqual([], self.phone.received())

    def test_success_counts_down_and_closes_the_window(self):
        self.start("ready", [desktop.windows_path(DEMO_APK)])
        self.pointer_away()
        ready = self.window.picture()
        self.save(ready, "ready-with-package")
        self.assertEqual(NORMAL, BUTTON.frame_at(ready, desktop.INSTALL_BUTTON))
        self.assertShows(ready, desktop.STATUS_READY)
        self.assertEqual(NORMAL, SELECTOR.frame_at(ready, desktop.LOCATION_SELECTOR), "the location selector")

        self.click(desktop.INSTALL_BUTTON)
        clicked = time.monotonic()
        self.pointer_away()
        installing = self.window.picture()
        self.save(installing, "installing")
        self.assertEqual(DISABLED, BUTTON.frame_at(installing, desktop.INSTALL_BUTTON))
        self.assertShows(installing, desktop.STATUS_INSTALLING)
        self.assertIsNone(SELECTOR.frame_at(installing, desktop.LOCATION_SELECTOR), "no selector while installing")
        self.wait_for(self.busy_indicator_turns, 3, "the busy indicator turning")

        succeeded = self.wait_for_line(desktop.STATUS_SUCCEEDED, 15)
        shown = time.monotonic()
        # 5, 4, 3, 2, 1: each second its own text, then the window closes itself. Pictures
        # are taken until then; everything else is judged afterwards.
        pictures = [succeeded]
        while time.monotonic() - shown < 9:
            try:
                pictures.append(self.window.picture())
            except desktop.WindowGone:
                break
            time.sleep(0.1)
        closed = time.monotonic()
        self.save(succeeded, "succeeded")
        texts = []
        for picture in pictures:
            text = desktop.region(picture, desktop.STATUS_SUCCEEDED[0])
            if desktop.shows(picture, desktop.STATUS_SUCCEEDED) and text not in texts:
                texts.append(text)
                if len(texts) == 3:
                    self.save(picture, "countdown-3")
        print(f"Install clicked -> success shown: {shown - clicked:.2f} s (the phone takes 3 s); "
              f"success shown -> window gone: {closed - shown:.2f} s; countdown texts seen: {len(texts)} "
              f"in {len(pictures)} pictures")
        self.assertGreaterEqual(len(texts), 4, "the countdown's texts")
        self.assertLessEqual(len(texts), 5)
        self.assertGreater(closed - shown, 4.0)
        self.assertLess(closed - shown, 7.0)

        # No companion manager beside the program and no launcher activity on the phone:
        # no button in the Install button's place, where one would do nothing.
        self.assertIsNone(BUTTON.frame_at(succeeded, desktop.COMPANION_BUTTON), "no companion button")
        self.assertIsNone(BUTTON.frame_at(succeeded, desktop.INSTALL_BUTTON), "no button at all")
        # Judged on pictures that still show the outcome: the last one may catch the window
        # while it goes away.
        showing = [p for p in pictures if desktop.shows(p, desktop.STATUS_SUCCEEDED)]
        self.assertEqual(1, len({desktop.region(p, desktop.BUSY_INDICATOR) for p in showing[-4:]}),
                         "the busy indicator stands still: it is gone")
        self.assertInstalled(DEMO_APK, "-r -f")
        self.assertEqual("host:devices", self.phone.services()[0])
        self.assertEqual("pm getInstallLocation", self.phone.commands()[0])
        self.assertExit(5)

    def test_failure_shows_red_status_and_the_companion_button(self):
        self.start("failed", [desktop.windows_path(DEMO_APK)], companion=True)
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        failed = self.wait_for_line(desktop.STATUS_FAILED, 15)
        self.save(failed, "failed")
        self.assertEqual(NORMAL, BUTTON.frame_at(failed, desktop.COMPANION_BUTTON))
        self.assertGreater(label_pixels(failed, desktop.COMPANION_BUTTON), 15, "the companion button has a label")
        self.assertShows(failed, desktop.NOTE_FAILED)
        self.assertIsNone(SELECTOR.frame_at(failed, desktop.LOCATION_SELECTOR))
        self.assertInstalled(DEMO_APK, "-r -f")

        # The failed state stays; the companion button starts the companion's installer.
        time.sleep(1.5)
        self.assertIsNone(self.program.wait(0))
        self.click(desktop.COMPANION_BUTTON)
        hovered = self.window.picture()
        self.assertEqual(HOVER, BUTTON.frame_at(hovered, desktop.COMPANION_BUTTON))
        record = self.wait_for(self.companion_record, 10, "Helmsway.exe started")
        self.assertEqual(1, len(record))
        self.assertTrue(record[0].endswith("-apkinstaller"), record)
        self.assertIn("Helmsway.exe", record[0])

        self.close_by_button()

    def test_failure_without_the_companion_offers_reinstall_which_succeeds(self):
        self.start("failed-then-ready", [desktop.windows_path(DEMO_APK)])
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        failed = self.wait_for_line(desktop.STATUS_FAILED, 15)
        self.save(failed, "failed-reinstall-offered")
        # No manager beside the program: its button would do nothing, so Install again
        # stands in the Install button's place, labelled.
        self.assertEqual(NORMAL, BUTTON.frame_at(failed, desktop.INSTALL_BUTTON), "the reinstall button")
        self.assertIsNone(BUTTON.frame_at(failed, desktop.COMPANION_BUTTON), "no companion button")
        self.assertGreater(label_pixels(failed, desktop.INSTALL_BUTTON), 15, "the reinstall button has a label")
        self.assertFalse(desktop.shows(failed, desktop.NOTE_FAILED, 10), "no note pointing to another installer")

        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.assertShows(self.window.picture(), desktop.STATUS_INSTALLING)
        succeeded = self.wait_for_line(desktop.STATUS_SUCCEEDED, 15)
        self.save(succeeded, "reinstalled")
        with open(DEMO_APK, "rb") as f:
            size = len(f.read())
        installs = [c for c in self.phone.commands() if c.startswith("cmd package 'install'")]
        self.assertEqual([f"cmd package 'install' '-r' '-f' -S {size}"] * 2, installs,
                         "the same package to the same place, twice")
        self.assertEqual(2, len(self.phone.received()))
        self.assertEqual([], self.companion_record())
        self.assertExit(10)

    def test_no_phone_then_a_phone_plugged_in_installs_on_the_second_click(self):
        self.start("plugged-late", [desktop.windows_path(DEMO_APK)])
        self.install_finds_no_usable_phone("no-phone")

        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.wait_for_line(desktop.STATUS_SUCCEEDED, 15)
        self.assertEqual(["host:devices", "host:devices"], self.phone.services()[:2])
        self.assertInstalled(DEMO_APK, "-r -f")
        self.assertExit(10)

    def test_unauthorized_phone_is_named_and_install_offered_again(self):
        self.start("unauthorized", [desktop.windows_path(DEMO_APK)])
        self.install_finds_no_usable_phone("unauthorized")
        self.close_by_button()

    def test_closing_during_a_thirty_second_install_ends_the_program_and_its_adb(self):
        self.start("slow", [desktop.windows_path(DEMO_APK)])
        self.click(desktop.INSTALL_BUTTON)
        self.wait_for(self.phone.received, 10, "the package streamed to the phone")
        time.sleep(0.5)
        self.assertTrue(desktop.processes_under(self.work + "/program/adb.exe")
                        or desktop.processes_under("program\\adb.exe".replace("\\", "/")),
                        "adb.exe is running the install")
        _, _, width, _ = self.window.geometry()
        self.click(desktop.close_button(width))
        taken = self.assertExit(7)
        print(f"close button -> program ended: {taken:.2f} s")
        self.assertLess(taken, 5.5 + 0.5)
        time.sleep(0.5)
        self.assertEqual([], desktop.processes_under(self.work + "/program/"), "no adb.exe left running")

    def test_closing_during_a_two_second_install_leaves_no_copy_in_temp(self):
        # The install ends within the 5 s that closing waits for it.
        self.start("ready", [desktop.windows_path(DEMO_APK)])
        self.click(desktop.INSTALL_BUTTON)
        self.wait_for(lambda: any("'install'" in c for c in self.phone.commands()), 10, "the install command started")
        _, _, width, _ = self.window.geometry()
        self.click(desktop.close_button(width))
        self.assertExit(7)
        with open(DEMO_APK, "rb") as f:
            data = f.read()
        left = [n for n in set(temp_copies()) - set(self.temp_copies) if read_temp(n) == data]
        self.assertEqual([], left, "the package's copy is left in TEMP")


if __name__ == "__main__":
    unittest.main(verbosity=2)
