#!/usr/bin/python3
"""The phone line of the ready window through Google's adb 1.0.40 and the emulated phone:
what the window says of the phone before any click, as the scenario plugs one in, lets it
be allowed and pulls it out; a choice between two ready phones; another program's adb
server on the port; closing while a look is under way."""
import time
import unittest

import desktop
from e2ecase import DEMO_APK, EndToEndCase, setUpModule, tearDownModule  # noqa: F401

PHONE_LINE = (88, 117, 216, 40)
PHONE_CHOOSER = (154, 128, 136, 21)
READY_GREY = 0xFF3E555B
TROUBLE_RED = 0xFFC94C42
SELECTOR = desktop.Skin("selector.png", 3)


class PhoneLine(EndToEndCase):
    def line(self, colour):
        return (PHONE_LINE, colour)

    def wait_for_new_line(self, colour, before, timeout, what):
        """The first picture whose phone line is in the colour and differs from before."""
        return self.wait_for_picture(lambda p: desktop.shows(p, self.line(colour)) and
                                     not desktop.same_region(p, before, PHONE_LINE), timeout, what)

    def test_line_follows_the_phone_plugged_in_allowed_and_pulled_out(self):
        started = time.monotonic()
        self.start("plugged-allowed-pulled", [desktop.windows_path(DEMO_APK)])
        connect = self.wait_for_line(self.line(TROUBLE_RED), 8)
        self.save(connect, "phone-line-connect")
        self.assertEqual([], self.phone.commands(), "nothing asked of a phone before the click")

        seen = {}
        for step, (name, colour, at) in enumerate((("unauthorized", TROUBLE_RED, 5), ("ready", READY_GREY, 10),
                                                   ("pulled-out", TROUBLE_RED, 15))):
            before = connect if step == 0 else seen[step - 1]
            seen[step] = self.wait_for_new_line(colour, before, at + 6 - (time.monotonic() - started), name)
            late = time.monotonic() - started - at
            print(f"{name}: the line changed {late:.2f} s after the phone did")
            # A look every two seconds, each one a run of adb under Wine.
            self.assertLess(late, 4.0, name)
            self.save(seen[step], f"phone-line-{name}")
        self.assertTrue(desktop.same_region(connect, seen[2], PHONE_LINE), "no phone again: the first text")
        self.assertShows(seen[1], desktop.STATUS_READY)  # the install location's label stays
        self.close_by_button()

    def test_second_of_two_ready_phones_is_chosen_with_a_click_and_gets_the_install(self):
        self.start("two-ready", [desktop.windows_path(DEMO_APK)])
        first = self.wait_for_picture(lambda p: SELECTOR.frame_at(p, PHONE_CHOOSER) is not None, 8, "the chooser")
        self.save(first, "phone-line-two-ready")
        self.click(PHONE_CHOOSER)
        self.pointer_away()
        second = self.window.picture()
        self.save(second, "phone-line-second-chosen")
        self.assertFalse(desktop.same_region(first, second, PHONE_CHOOSER), "the chooser names the other phone")
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.wait_for_line(desktop.STATUS_SUCCEEDED, 20)
        self.assertInstalled(DEMO_APK, "-r -f", "EMU0002")
        self.assertNotIn(("host:transport:EMU0001", None), self.phone.requests())
        self.close_by_button()

    def test_another_programs_server_on_the_port_is_named_before_and_after_the_click(self):
        self.start("other-server", [desktop.windows_path(DEMO_APK)])
        held = self.wait_for_line(self.line(TROUBLE_RED), 20)
        self.save(held, "phone-line-adb-held")
        versions = [r for r in self.phone.records(every=True) if r.get("service") == "host:version"]
        kills = [r for r in self.phone.records(every=True) if r.get("service") == "host:kill"]
        self.assertTrue(versions and kills, "the real client asked the version and killed the server")
        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        failed = self.wait_for_picture(lambda p: desktop.shows(p, ((218, 28, 163, 68), TROUBLE_RED)), 30,
                                       "the held-adb text after the click")
        self.save(failed, "adb-held-after-install")
        self.assertEqual([], self.phone.commands(), "no install tried")
        self.close_by_button()

    def test_closing_while_a_look_is_under_way_ends_the_program_at_once(self):
        self.start("silent", [desktop.windows_path(DEMO_APK)])
        # Every look waits for a server that never answers: one is under way now.
        self.wait_for(lambda: desktop.processes_under(self.work + "/program/adb.exe"), 5, "a look under way")
        taken = self.close_by_button()
        print(f"closed during a look: the program ended {taken:.2f} s after the click")
        self.assertLess(taken, 2.0)
        time.sleep(0.5)
        self.assertEqual([], desktop.processes_under(self.work + "/program/adb.exe"), "no adb.exe left running")


if __name__ == "__main__":
    unittest.main(verbosity=2)
