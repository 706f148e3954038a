"""What every end-to-end test shares: a run directory and an emulated phone of its own, the
program started as a user starts it, a private settings file, and pictures of each state
written to build/renders/."""
import hashlib
import os
import re
import shutil
import tempfile
import time
import unittest

import desktop

BIN_DIR = os.environ.get("APKI_BIN_DIR") or os.path.join(desktop.REPO, "build", "windows", "bin")
STANDIN_DIR = os.environ.get("APKI_STANDIN_DIR") or os.path.join(desktop.REPO, "build", "windows", "test bin")
# Google's adb 1.0.40 for Windows, as the build fetched it (cmake/ApkiAdb.cmake).
ADB_DIR = os.environ.get("APKI_TEST_ADB_DIR") or os.path.join(desktop.REPO, "build", "npm", "adb-driver-0.1.8",
                                                               "package", "bin", "window")
APKS = os.path.join(desktop.REPO, "tests", "data", "apks")
DEMO_APK = os.path.join(APKS, "demo.apk")
# The numeric temporary copy that the phone is handed, in the Wine user's temporary folder.
TEMP_COPY = re.compile(r"^[A-Za-z]:\\.*\\Temp\\-?\d+\.apk$")
TEMP_COPY_NAME = re.compile(r"^-?\d+\.apk$")
# Where adb 1.0.40 pushes a package for pm on a phone without cmd: phone memory, or -s.
PUSHED_COPY = re.compile(r"^/(data/local|sdcard)/tmp/-?\d+\.apk$")


def settings_file():
    """The Wine user's settings file, which the program finds through the shell's folder for
    application data; Wine takes that folder from the prefix, not from the environment."""
    return os.path.join(desktop.wine_user_folder("AppData/Roaming"), "VexoHelmsway", "Setting.ini")


_display = None
_wm_state = None


def setUpModule():
    global _display, _wm_state
    if not os.environ.get("DISPLAY"):
        _display = desktop.PrivateDisplay()
        os.environ["DISPLAY"] = _display.name
    _wm_state = desktop.WmStateKeeper()


def tearDownModule():
    if _wm_state:
        _wm_state.close()
    if _display:
        _display.close()


def read_settings():
    try:
        with open(settings_file(), "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def write_settings(content):
    path = settings_file()
    if content is None:
        if os.path.exists(path):
            os.remove(path)
        return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(content)


def install_position_setting():
    """InstallPosition of VersionSection as the file holds it (the program may write it in
    UTF-16 or in the ANSI code page)."""
    content = read_settings() or b""
    text = content.decode("utf-16") if content.startswith(b"\xff\xfe") else content.decode("latin-1")
    match = re.search(r"(?ms)^\[VersionSection\][^\[]*?^InstallPosition=(\S*)", text)
    return match.group(1) if match else None


def temp_copies():
    """The numeric temporary copies in the Wine user's temporary folder."""
    try:
        return sorted(n for n in os.listdir(desktop.wine_user_folder("Temp")) if TEMP_COPY_NAME.match(n))
    except FileNotFoundError:
        return []


def read_temp(name):
    try:
        with open(os.path.join(desktop.wine_user_folder("Temp"), name), "rb") as f:
            return f.read()
    except OSError:
        return None


class EndToEndCase(unittest.TestCase):
    """Each test gets a directory of its own holding the program's run directory, the phone
    and any package it drops; the settings file starts with the phone memory chosen and is
    given back as it was."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix=f"apki-e2e-{self._testMethodName}-")
        self.addCleanup(shutil.rmtree, self.work, True)
        saved = read_settings()
        self.addCleanup(write_settings, saved)
        write_settings(b"[VersionSection]\r\nInstallPosition=0\r\n")
        self.program = None
        self.phone = None

    def tearDown(self):
        if self.program:
            self.program.kill()
        if isinstance(self.phone, desktop.EmulatedPhone):
            self.phone.close()
        for pid, _ in desktop.processes_under(self.work):
            try:
                os.kill(pid, 9)
            except ProcessLookupError:
                pass
        if isinstance(self.phone, desktop.Phone):
            for install in self.phone.installs():
                leftover = desktop.unix_path(install["path"])
                if TEMP_COPY.match(install["path"]) and os.path.exists(leftover):
                    os.remove(leftover)

    # --- Starting ---------------------------------------------------------------------------

    def start(self, phone, arguments=(), companion=False):
        """Assembles the run directory with the real adb client, plays the phone behind it,
        starts the program and returns its window once it shows."""
        helmsway = os.path.join(STANDIN_DIR, "Helmsway.exe") if companion else None
        self.program_path = desktop.assemble_run_directory(os.path.join(self.work, "program"), BIN_DIR, ADB_DIR,
                                                           helmsway)
        if self.phone:
            self.phone.close()
        self.phones_started = getattr(self, "phones_started", 0) + 1
        self.phone = desktop.EmulatedPhone(os.path.join(self.work, f"phone {self.phones_started}"), phone)
        self.temp_copies = temp_copies()
        environment = self.phone.environment()
        environment["FAKEHELMSWAY_DIR"] = desktop.windows_path(self.work) + "\\"
        self.program = desktop.Program(self.program_path, arguments, environment)
        self.window = self.program.find_window()
        self.wait_painted()
        print(f"window painted {time.monotonic() - self.program.started:.2f} s after the start")
        if arguments and self.phone.server:
            # The window asks the phone about the package before any click; tests of what
            # a click does look at what came after.
            self.phone.settle()
        return self.window

    def wait_painted(self, timeout=5.0):
        self.wait_for(self.window.painted, timeout, "the window painted")

    def companion_record(self):
        try:
            with open(os.path.join(self.work, "helmsway.record"), encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    # --- Acting and looking -----------------------------------------------------------------

    def click(self, box):
        self.window.click(*desktop.centre(box))

    def close_by_button(self):
        """Clicks the close button; the program ends at once, with exit code 0. Gives the
        seconds it took."""
        _, _, width, _ = self.window.geometry()
        self.click(desktop.close_button(width))
        return self.assertExit(5)

    def pointer_away(self):
        """Takes the pointer off the window, so that no zone shows its hover look. Wine
        notices a pointer that left by a timer at the hover time (400 ms)."""
        desktop.xdotool("mousemove", 0, 0)
        time.sleep(0.6)

    def wait_for(self, condition, timeout, what, interval=0.1):
        deadline = time.monotonic() + timeout
        while True:
            value = condition()
            if value:
                return value
            if time.monotonic() > deadline:
                self.fail(f"waited {timeout} s for {what}")
            time.sleep(interval)

    def wait_for_picture(self, condition, timeout, what):
        """The first picture of the window for which the condition holds. On a time-out the
        last picture is kept in build/renders/ for whoever reads the failure."""
        last = []

        def look():
            last[:] = [self.window.picture()]
            return last[0] if condition(last[0]) else None

        try:
            return self.wait_for(look, timeout, what)
        except AssertionError:
            if last:
                self.save(last[0], f"last-{self._testMethodName}")
            raise

    def save(self, picture, state):
        desktop.save_picture(picture, f"e2e-{state}.png")

    def wait_for_line(self, line, timeout):
        return self.wait_for_picture(lambda p: desktop.shows(p, line), timeout, f"text in {line[1]:08X} at {line[0]}")

    def assertShows(self, picture, line):
        box, colour = line
        self.assertTrue(desktop.shows(picture, line), f"text in {colour:08X} within {box}")

    def assertExit(self, timeout, code=0):
        """The program ends within timeout seconds with the code; gives the seconds taken."""
        started = time.monotonic()
        result = self.program.wait(timeout)
        self.assertIsNotNone(result, f"the program still runs {timeout} s later")
        self.assertEqual(code, result)
        return time.monotonic() - started

    def assertInstalled(self, package, install_options, serial="EMU0001"):
        """The phone got one install of exactly the package's bytes with these options (as
        adb puts them: each quoted), streamed or pushed and handed to pm; a pushed copy is
        deleted on the phone, and the program's temporary copy is gone once the outcome
        shows."""
        if isinstance(self.phone, desktop.Phone):
            return self.assertInstalledByStandin(package, install_options)
        with open(package, "rb") as f:
            data = f.read()
        received = self.phone.received()
        self.assertEqual(1, len(received), received)
        self.assertEqual((len(data), hashlib.sha256(data).hexdigest()), (received[0]["size"], received[0]["sha256"]))
        options = " ".join(f"'{option}'" for option in install_options.split())
        installs = [c for c in self.phone.commands() if re.match(r"^(pm|cmd package) 'install'", c)]
        self.assertEqual(1, len(installs), self.phone.commands())
        if received[0]["via"] == "sync":
            path = received[0]["path"]
            self.assertRegex(path, PUSHED_COPY)
            self.assertEqual(f"pm 'install' {options} '{path}'", installs[0])
            self.assertEqual(f"rm -f '{path}'", self.phone.commands()[-1], "the pushed copy deleted")
        else:
            self.assertEqual(f"cmd package 'install' {options} -S {len(data)}", installs[0])
        self.assertIn((f"host:transport:{serial}", None), self.phone.requests())
        # Tests of other entries may copy packages into the same folder meanwhile: only a
        # new copy holding this package's bytes counts.
        left = [n for n in set(temp_copies()) - set(self.temp_copies) if read_temp(n) == data]
        self.assertEqual([], left, "the temporary copy is deleted")
        return received[0]

    def assertInstalledByStandin(self, package, install_options):
        """The phone got one install, of a numeric temporary copy holding exactly the
        package's bytes, with these options; the copy is gone once the outcome shows."""
        installs = self.phone.installs()
        self.assertEqual(1, len(installs), installs)
        install = installs[0]
        self.assertRegex(install["path"], TEMP_COPY)
        with open(package, "rb") as f:
            data = f.read()
        self.assertTrue(install["exists"])
        self.assertEqual(len(data), install["size"])
        self.assertEqual(hashlib.sha256(data).hexdigest(), install["sha256"])
        self.assertIn(f'-s EMU0001 install {install_options} "{install["path"]}"', self.phone.commands())
        self.assertFalse(os.path.exists(desktop.unix_path(install["path"])), "the temporary copy is deleted")
        return install
