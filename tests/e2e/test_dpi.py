#!/usr/bin/python3
"""The window at 125, 150 and 200 % display scale: Wine reports the prefix's LogPixels to the
program, which then draws itself at that scale. Each scale runs in a prefix of its own, made
from the project's prefix (Windows' own folder shared through hard links, the registry and
the user's folders copied), so that the shared prefix stays at 96 dpi for every other test."""
import os
import re
import shutil
import subprocess
import unittest

from PIL import Image

import desktop
from desktop import rgb
from e2ecase import DEMO_APK, EndToEndCase

SCALES = (120, 144, 192)
_prefixes = {}
_base_prefix = None


def px(length, dpi):
    """A 96-dpi length at a scale, halves rounded up, as the window rounds its layout."""
    return (length * dpi + 48) // 96


def scaled(box, dpi):
    return tuple(px(v, dpi) for v in box)


def scaled_line(line, dpi):
    return scaled(line[0], dpi), line[1]


def make_prefix(dpi):
    """A prefix like the project's whose display has this many dots per inch."""
    target = os.path.join(os.path.dirname(_base_prefix), f"wine-prefix-{dpi}")
    shutil.rmtree(target, ignore_errors=True)
    os.makedirs(target)
    for name in os.listdir(_base_prefix):
        source = os.path.join(_base_prefix, name)
        if name == "drive_c":
            os.makedirs(os.path.join(target, name))
            for inner in os.listdir(source):
                link = inner == "windows"  # never written by anything run here
                subprocess.run(["cp", "-al" if link else "-a", os.path.join(source, inner),
                                os.path.join(target, name)], check=True)
        elif not os.path.islink(source) or name == "dosdevices":
            subprocess.run(["cp", "-a", source, target], check=True)
    for reg in ("user.reg", "system.reg"):
        path = os.path.join(target, reg)
        with open(path, encoding="utf-8", errors="surrogateescape") as f:
            text = f.read()
        text, count = re.subn(r'"LogPixels"=dword:[0-9a-f]{8}', f'"LogPixels"=dword:{dpi:08x}', text)
        assert count, f"no LogPixels in {reg}"
        with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
            f.write(text)
    return target


def setUpModule():
    global _base_prefix
    import e2ecase
    e2ecase.setUpModule()
    _base_prefix = desktop.wine_prefix()


def tearDownModule():
    import e2ecase
    for prefix in _prefixes.values():
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix), check=False)
        shutil.rmtree(prefix, ignore_errors=True)
    e2ecase.tearDownModule()


def skin_column(name, frames, frame, column, rows):
    image = Image.open(os.path.join(desktop.REPO, "resources", "images", name)).convert("RGB")
    width = image.width // frames
    return [image.getpixel((frame * width + column, row)) for row in rows]


class Scaled(EndToEndCase):
    def setUp(self):
        super().setUp()
        self.saved_prefix = os.environ.get("APKI_WINEPREFIX")
        self.addCleanup(self.restore_prefix)

    def restore_prefix(self):
        if self.saved_prefix is None:
            os.environ.pop("APKI_WINEPREFIX", None)
        else:
            os.environ["APKI_WINEPREFIX"] = self.saved_prefix

    def use_scale(self, dpi):
        if dpi not in _prefixes:
            _prefixes[dpi] = make_prefix(dpi)
        os.environ["APKI_WINEPREFIX"] = _prefixes[dpi]
        self.dpi = dpi

    def wait_painted(self, timeout=10.0):
        # A stretch of bare background left of the permission toggle, below the icon.
        dpi = self.dpi
        bare = (px(3, dpi), px(110, dpi), px(4, dpi), px(10, dpi))
        self.wait_for(lambda: desktop.count_colour(self.window.picture(), bare, rgb(desktop.BACKGROUND), 0)
                      == bare[2] * bare[3], timeout, "the window painted")

    def assertButtonFrame(self, picture, box, frame, dpi, percent):
        """The push button's middle column is the frame's of the image set drawn for the scale."""
        cap = 3 * px(6, dpi) // 3
        rows = range(px(2, dpi), box[3] - px(2, dpi))
        drawn = [picture.getpixel((box[0] + cap + 1, box[1] + row)) for row in rows]
        expected = skin_column(f"{percent}/push-button.png", 4, frame, cap + 1, rows)
        worst = max(max(abs(a - b) for a, b in zip(p, q)) for p, q in zip(drawn, expected))
        self.assertLessEqual(worst, 6, f"button frame {frame} at {dpi} dpi")

    def run_at(self, dpi, percent):
        self.use_scale(dpi)
        self.start("ready", [desktop.windows_path(DEMO_APK)])
        self.pointer_away()
        name = f"dpi-{percent}"

        _, _, width, height = self.window.geometry()
        self.assertEqual((px(386, dpi), px(160, dpi)), (width, height))
        ready = self.window.picture()
        self.save(ready, f"{name}-ready")
        # The region's staircase: px(3) rows cut at the corner, the frame's edge right inside.
        steps = px(3, dpi)
        band = rgb(0xFF2188CF)
        self.assertFalse(desktop.near(ready.getpixel((0, 0)), ready.getpixel((steps + 4, 0)), 30), "corner cut")
        self.assertTrue(desktop.count_colour(ready, (px(60, dpi), px(12, dpi), 20, 2), band, 40) > 0, "title band")
        self.assertButtonFrame(ready, scaled(desktop.INSTALL_BUTTON, dpi), 0, dpi, percent)

        # The location selector, clicked at its scaled centre, shows the SD card's note.
        self.click(scaled(desktop.LOCATION_SELECTOR, dpi))
        self.pointer_away()
        sd = self.wait_for_line(scaled_line(desktop.NOTE_READY, dpi), 3)
        self.save(sd, f"{name}-sd-chosen")
        self.click(scaled(desktop.LOCATION_SELECTOR, dpi))  # back to phone memory

        # The permission panel opens to the scaled height with rows of the scaled height.
        self.click(scaled(desktop.PERMISSION_TOGGLE, dpi))
        self.wait_for(lambda: self.window.geometry()[2:] == (px(386, dpi), px(347, dpi)), 3, "the panel open")
        self.pointer_away()
        panel = self.window.picture()
        self.save(panel, f"{name}-panel")
        x, y, w, h = scaled(desktop.PERMISSION_LIST, dpi)
        row = px(22, dpi)
        for index in range(3):
            band_box = (x + px(20, dpi), y + 2 + index * row + row // 4, w // 2, row // 2)
            ink = desktop.count_ink(panel, band_box, rgb(desktop.PERMISSION_TEXT), (255, 255, 255))
            self.assertGreater(ink, 10, f"text in permission row {index} at {dpi} dpi")
        self.click(scaled(desktop.PERMISSION_TOGGLE, dpi))
        self.wait_for(lambda: self.window.geometry()[2:] == (px(386, dpi), px(160, dpi)), 3, "the panel closed")

        # Install, clicked at its scaled place, succeeds; the outcome shows in its scaled line.
        self.click(scaled(desktop.INSTALL_BUTTON, dpi))
        self.pointer_away()
        installing = self.wait_for_line(scaled_line(desktop.STATUS_INSTALLING, dpi), 5)
        self.save(installing, f"{name}-installing")
        # The busy indicator is drawn for the scale: its ring reaches the outer two pixels of
        # its scaled place, which a 96-dpi picture centred there would leave bare.
        bx, by, bw, bh = scaled(desktop.BUSY_INDICATOR, dpi)
        ring = [installing.getpixel((x, y)) for x in range(bx, bx + bw) for y in range(by, by + bh)
                if min(x - bx, y - by, bx + bw - 1 - x, by + bh - 1 - y) < 2]
        self.assertTrue(any(not desktop.near(p, rgb(desktop.BACKGROUND), 12) for p in ring), "busy ring to the edge")
        done = self.wait_for_line(scaled_line(desktop.STATUS_SUCCEEDED, dpi), 15)
        self.save(done, f"{name}-succeeded")
        self.assertInstalled(DEMO_APK, "-r -f")

        # The close button at its scaled place ends the program.
        self.click(scaled(desktop.close_button(386), dpi))
        self.assertExit(5)

    def test_window_sized_drawn_and_clicked_at_125_percent(self):
        self.run_at(120, 125)

    def test_window_sized_drawn_and_clicked_at_150_percent(self):
        self.run_at(144, 150)

    def test_window_sized_drawn_and_clicked_at_200_percent(self):
        self.run_at(192, 200)


if __name__ == "__main__":
    unittest.main()
