#!/usr/bin/python3
"""The window's own handles, as a user works them: the install-location selector and
where its choice goes, the title strip that moves the window, the close button."""
import unittest

import desktop
import e2ecase
from e2ecase import DEMO_APK, EndToEndCase, setUpModule, tearDownModule  # noqa: F401

BUTTON = desktop.Skin("push-button.png", 4)
SELECTOR = desktop.Skin("selector.png", 3)
DISABLED = 3


def selector_label(picture):
    """Where the selector's label has ink, whatever the selector's look."""
    x, y, w, h = desktop.LOCATION_SELECTOR
    return [sum(p) < 480 for p in picture.crop((x + 4, y + 3, x + w - 20, y + h - 3)).getdata()]


class Window(EndToEndCase):
    def test_sd_card_chosen_reaches_the_install_command_and_the_settings_at_install(self):
        self.start("ready", [desktop.windows_path(DEMO_APK)])
        self.pointer_away()
        phone_chosen = self.window.picture()
        self.assertFalse(desktop.shows(phone_chosen, desktop.NOTE_READY, least=1), "no note with the phone chosen")

        self.click(desktop.LOCATION_SELECTOR)
        self.pointer_away()
        sd_chosen = self.wait_for_line(desktop.NOTE_READY, 3)
        self.save(sd_chosen, "sd-chosen")
        self.assertEqual(0, SELECTOR.frame_at(sd_chosen, desktop.LOCATION_SELECTOR))
        self.assertNotEqual(selector_label(phone_chosen), selector_label(sd_chosen), "the label changes")
        self.assertEqual("0", e2ecase.install_position_setting(), "stored only when an install starts")

        self.click(desktop.INSTALL_BUTTON)
        # The selector is gone while installing, and a click where it was changes nothing.
        self.click(desktop.LOCATION_SELECTOR)
        self.pointer_away()
        installing = self.window.picture()
        self.assertShows(installing, desktop.STATUS_INSTALLING)
        self.assertShows(installing, desktop.NOTE_READY)
        self.assertEqual("1", e2ecase.install_position_setting())

        self.wait_for_line(desktop.STATUS_SUCCEEDED, 15)
        self.assertEqual("host:devices", self.phone.services()[0])
        self.assertEqual("getprop ro.build.version.sdk", self.phone.commands()[0])
        self.assertEqual(2, len(self.phone.commands()), "no install-location question with the SD card chosen")
        self.assertInstalled(DEMO_APK, "-r -s")
        self.close_by_button()

        # The next start finds the SD card chosen.
        self.program = desktop.Program(self.program_path, [desktop.windows_path(DEMO_APK)], self.phone.environment())
        self.window = self.program.find_window()
        self.wait_painted()
        self.pointer_away()
        again = self.window.picture()
        self.assertShows(again, desktop.NOTE_READY)
        self.assertEqual(selector_label(sd_chosen), selector_label(again))
        self.close_by_button()

    def test_title_strip_drag_moves_the_window_and_the_close_button_acts_on_release_over_it(self):
        self.start("ready")
        self.pointer_away()
        empty = self.window.picture()
        self.save(empty, "ready-empty")
        self.assertEqual(DISABLED, BUTTON.frame_at(empty, desktop.INSTALL_BUTTON), "no package: Install disabled")
        left, top, width, height = self.window.geometry()
        self.assertEqual(desktop.COLLAPSED_SIZE, (width, height))

        self.window.drag((150, 12), (120, 80))
        self.assertEqual((left + 120, top + 80, width, height), self.window.geometry())
        # The strip is the top 27 rows: a drag from just below it moves nothing.
        self.window.drag((150, desktop.TITLE_STRIP_ROWS + 3), (-60, -40))
        self.assertEqual((left + 120, top + 80, width, height), self.window.geometry())

        # Pressed on the close button, released on the title strip: the window stays.
        self.window.press(*desktop.centre(desktop.close_button(width)))
        self.window.release_at(150, 12)
        self.assertIsNone(self.program.wait(1.0), "the window closed on a release off the button")
        self.assertEqual((left + 120, top + 80, width, height), self.window.geometry())

        self.close_by_button()


if __name__ == "__main__":
    unittest.main(verbosity=2)
