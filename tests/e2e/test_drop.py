#!/usr/bin/python3
"""A package dropped from the desktop: an XDND drop of a text/uri-list onto the window
(Wine hands it to a window that accepts files as WM_DROPFILES), installed, and its risky
permissions shown."""
import os
import shutil
import unittest

import desktop
import xdnd_drop
from desktop import rgb
from e2ecase import APKS, DEMO_APK, EndToEndCase, setUpModule, tearDownModule  # noqa: F401

BUTTON = desktop.Skin("push-button.png", 4)
NORMAL, DISABLED = 0, 3


def is_warning_orange(pixel):
    r, g, b = pixel
    return r > 200 and 110 < g < 195 and b < 80


def warning_icon_tops(picture):
    """The top rows of the warning icons down the permission list's left edge."""
    x, y, w, h = desktop.PERMISSION_LIST
    tops, previous = [], False
    for row in range(y, y + h):
        orange = any(is_warning_orange(picture.getpixel((col, row))) for col in range(x + 2, x + 24))
        if orange and not previous:
            tops.append(row)
        previous = orange
    return tops


class Drop(EndToEndCase):
    def test_dropped_package_is_shown_installed_from_its_bytes_and_its_permissions_listed(self):
        folder = os.path.join(self.work, "下载 文件")
        os.makedirs(folder)
        package = os.path.join(folder, "天气 日记.apk")
        shutil.copyfile(DEMO_APK, package)

        self.start("legacy")
        self.pointer_away()
        empty = self.window.picture()
        self.assertEqual(DISABLED, BUTTON.frame_at(empty, desktop.INSTALL_BUTTON))

        left, top, _, _ = self.window.geometry()
        outcome = xdnd_drop.drop_files(self.window.xid, left + 200, top + 80, [package])
        self.assertEqual("finished", outcome)
        dropped = self.wait_for_picture(lambda p: BUTTON.frame_at(p, desktop.INSTALL_BUTTON) == NORMAL, 5,
                                        "Install enabled by the drop")
        self.save(dropped, "dropped")
        self.assertFalse(desktop.same_region(empty, dropped, desktop.PACKAGE_ICON), "the package's icon")
        self.assertGreater(desktop.count_ink(dropped, (88, 35, 120, 20), (0, 0, 0)), 40, "the package's name")

        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.wait_for_line(desktop.STATUS_SUCCEEDED, 15)
        # The legacy phone is handed a push, whose name shows that of the copy adb was given.
        install = self.assertInstalled(package, "-r -f", serial="0123456789ABCDEF")
        self.assertNotIn("天气", install["path"])

        # The countdown leaves time to look at the permissions.
        self.click(desktop.PERMISSION_TOGGLE)
        self.wait_for(lambda: self.window.geometry()[2:] == desktop.OPEN_SIZE, 3, "the window 347 pixels high")
        self.pointer_away()
        panel = self.window.picture()
        self.save(panel, "panel-open")
        white = desktop.count_colour(panel, desktop.PERMISSION_LIST, (255, 255, 255), 0)
        self.assertGreater(white, desktop.PERMISSION_LIST[2] * desktop.PERMISSION_LIST[3] // 2, "white rows")
        ink = desktop.count_ink(panel, desktop.PERMISSION_LIST, rgb(desktop.PERMISSION_TEXT), (255, 255, 255))
        self.assertGreater(ink, 500, "row texts in FF545768")
        tops = warning_icon_tops(panel)
        self.assertGreaterEqual(len(tops), 2, f"title rows with their warning icon at {tops}")
        # Rows are 22 pixels high: title rows stand a whole number of rows apart.
        self.assertTrue(all((b - a) % 22 == 0 for a, b in zip(tops, tops[1:])), tops)

        self.assertExit(10)

    def test_special_access_of_a_dropped_package_leads_its_permission_list(self):
        self.start("ready")
        left, top, _, _ = self.window.geometry()
        package = os.path.join(APKS, "access_several.apk")
        self.assertEqual("finished", xdnd_drop.drop_files(self.window.xid, left + 200, top + 80, [package]))
        self.wait_for_picture(lambda p: BUTTON.frame_at(p, desktop.INSTALL_BUTTON) == NORMAL, 5, "the package read")
        self.click(desktop.PERMISSION_TOGGLE)
        self.wait_for(lambda: self.window.geometry()[2:] == desktop.OPEN_SIZE, 3, "the window 347 pixels high")
        self.pointer_away()
        # The list paints its rows on its own, after the window has grown.
        panel = self.wait_for_picture(lambda p: len(warning_icon_tops(p)) >= 3, 5, "the panel's rows")
        self.save(panel, "panel-special-access")
        # The SMS and accessibility pair (two rows of description), READ_SMS (two), then
        # the accessibility service: titles three rows apart from the first row on.
        tops = warning_icon_tops(panel)
        self.assertEqual([b - a for a, b in zip(tops, tops[1:])], [66, 66], tops)


if __name__ == "__main__":
    unittest.main(verbosity=2)
