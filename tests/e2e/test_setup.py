#!/usr/bin/python3
"""The Windows setup as a user and an administrator meet it: the real
ApkInstaller-<version>-setup.exe run silently in a Wine prefix of its own (its registry is
changed here, so no other test shares it), checked by its files and registry entries, the
.apk association opened from the shell, and the silent uninstall."""
import os
import re
import shutil
import socket
import subprocess
import time
import unittest

import delivery
import desktop
import e2ecase
import wineregistry as registry
from delivery import read_bytes
from e2ecase import DEMO_APK, EndToEndCase, read_settings, write_settings

# Every Wine program here runs in the setup's own prefix, and Wine writes no desktop entries,
# icons or menus to the Unix side for the shortcut that the setup creates.
os.environ.setdefault("APKI_WINEPREFIX", os.path.join(desktop.REPO, "build", "windows", "wine-prefix-setup"))
os.environ["WINEDLLOVERRIDES"] = "mscoree,mshtml,winemenubuilder.exe="

UNINSTALL_ROOT = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall"
UNINSTALL_KEY = UNINSTALL_ROOT + r"\ApkInstaller"
PROGID = "ApkInstaller.apk"
# Bundles of split packages, opened with us as .apk is.
BUNDLE_EXTENSIONS = (".xapk", ".apks", ".apkm")
USER_CLASSES = r"HKCU\Software\Classes"
MACHINE_CLASSES = r"HKLM\Software\Classes"
OTHER_PROGID = "OtherApk.File"
ADB_FILES = ("adb.exe", "AdbWinApi.dll", "AdbWinUsbApi.dll")
DISPLAY_NAME = "APK安装器"


def shortcut():
    return desktop.wine_user_folder(f"AppData/Roaming/Microsoft/Windows/Start Menu/Programs/{DISPLAY_NAME}.lnk")


def setUpModule():
    e2ecase.setUpModule()
    subprocess.run([os.path.join(desktop.REPO, "scripts", "wine-prefix")], check=True, stdout=subprocess.DEVNULL)
    # A persistent Wine server for this prefix (one may run already) and Wine's helper
    # processes, started away from any output that a test reads: they would hold it open.
    subprocess.run(["wineserver", "-p"], env=wine_environment(), stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    run_quietly("wineboot")


def tearDownModule():
    subprocess.run(["wineserver", "-k"], env=wine_environment(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    e2ecase.tearDownModule()


def run_quietly(*command, env=None):
    """A Windows program run to its end; its exit code. Nothing it starts can keep a pipe of
    ours open."""
    return subprocess.run([desktop.WINE_EXEC, *command], env=env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def wine_environment():
    env = dict(os.environ)
    env["WINEPREFIX"] = desktop.wine_prefix()
    return env


class SetupCase(EndToEndCase):
    """Each test starts from a prefix without anything of the setup's, and leaves it so."""

    def setUp(self):
        super().setUp()
        self.reset_prefix()
        self.addCleanup(self.reset_prefix)
        self.target = os.path.join(self.work, "程序 目录")
        self.setup = delivery.SETUP

    def reset_prefix(self):
        for key in (UNINSTALL_KEY, rf"{USER_CLASSES}\.apk", rf"{USER_CLASSES}\{PROGID}", rf"{USER_CLASSES}\{OTHER_PROGID}",
                    rf"{MACHINE_CLASSES}\.apk", rf"{MACHINE_CLASSES}\{PROGID}", rf"{MACHINE_CLASSES}\{OTHER_PROGID}",
                    *(rf"{USER_CLASSES}\{extension}" for extension in BUNDLE_EXTENSIONS)):
            registry.delete(key)
        for path in (shortcut(), desktop.wine_user_folder("AppData/Local/Programs/ApkInstaller")):
            if os.path.isdir(path):
                shutil.rmtree(path)
            elif os.path.exists(path):
                os.remove(path)

    # --- Acting ------------------------------------------------------------------------------

    def install(self, code=0, target=None):
        """The setup run silently into the test's folder (a blank and Chinese in its name),
        as an administrator types it: /D= last and unquoted, which only cmd passes on as is
        (Wine would quote an argument holding a blank; so the setup's own path holds none)."""
        started = time.monotonic()
        command = f"{desktop.windows_path(self.setup)} /S /D={desktop.windows_path(target or self.target)}"
        self.assertEqual(code, run_quietly("cmd", "/c", command), "the setup's exit code")
        print(f"silent install: {time.monotonic() - started:.2f} s")

    def uninstall(self, folder_stays=False, env=None):
        """The uninstall entry's quiet command, as a management tool runs it. The uninstaller
        hands over to a copy of itself and returns at once: its work is done when the entry
        and the folder (unless it holds the user's files) are gone and no uninstaller runs."""
        command = re.fullmatch(r'"([^"]+)"((?: \S+)*)', registry.values(UNINSTALL_KEY)["QuietUninstallString"])
        self.assertIsNotNone(command, "a quoted program and its arguments")
        self.assertEqual(0, run_quietly(command.group(1), *command.group(2).split(), env=env),
                         "the uninstaller's exit code")
        self.wait_for(lambda: registry.values(UNINSTALL_KEY) is None and (folder_stays or not os.path.exists(self.target))
                      and not desktop.processes_under("/~nsu"), 30, "the uninstaller done")

    def put_adb(self, source, folder=None):
        """adb.exe and its DLLs from source copied into the folder (the install folder by
        default), as a user who unpacked platform-tools there has them."""
        folder = folder or self.target
        os.makedirs(folder, exist_ok=True)
        for name in ADB_FILES:
            shutil.copy2(os.path.join(source, name), folder)

    def give_apk_to_another_program(self, classes):
        """Another program that owns .apk, registered the way such programs do, under the
        user's or the machine's classes."""
        registry.set_value(rf"{classes}\{OTHER_PROGID}\shell\open\command", "", r'"C:\Other\other.exe" "%1"')
        registry.set_value(rf"{classes}\.apk", "", OTHER_PROGID)
        registry.set_value(rf"{classes}\.apk\OpenWithProgids", OTHER_PROGID, "")

    # --- Looking -----------------------------------------------------------------------------

    def assertProgramFiles(self, user_files=()):
        """The folder holds every shipped file with the build's bytes (adb's among them), the
        uninstaller, and the user's files (path: bytes) where they were, and nothing else."""
        expected = {name: read_bytes(os.path.join(delivery.STAGE, name)) for name in delivery.files_under(delivery.STAGE)}
        expected.update(user_files)
        self.assertEqual(set(expected) | {"uninstall.exe"}, delivery.files_under(self.target))
        for name, content in expected.items():
            self.assertEqual(content, read_bytes(os.path.join(self.target, name)), name)

    def assertProgId(self):
        folder = desktop.windows_path(self.target)
        keys = registry.read(rf"{USER_CLASSES}\{PROGID}")
        root = registry.full_name(rf"{USER_CLASSES}\{PROGID}")
        self.assertTrue(keys[root][""], "a type name")
        self.assertEqual(keys[root][""], keys[root]["FriendlyTypeName"])
        self.assertEqual(f"{folder}\\ApkInstaller.exe,0", keys[root + r"\DefaultIcon"][""])
        self.assertEqual(f'"{folder}\\ApkInstaller.exe" "%1"', keys[root + r"\shell\open\command"][""])

    def assertUninstallEntry(self):
        folder = desktop.windows_path(self.target)
        entry = registry.values(UNINSTALL_KEY)
        self.assertIsNotNone(entry, "the uninstall entry")
        self.assertEqual(DISPLAY_NAME, entry["DisplayName"])
        self.assertEqual(delivery.VERSION, entry["DisplayVersion"])
        self.assertTrue(entry["Publisher"])
        self.assertEqual(f"{folder}\\ApkInstaller.exe,0", entry["DisplayIcon"])
        self.assertEqual(folder, entry["InstallLocation"])
        self.assertEqual(f'"{folder}\\uninstall.exe"', entry["UninstallString"])
        self.assertEqual(f'"{folder}\\uninstall.exe" /S', entry["QuietUninstallString"])
        size = sum(os.path.getsize(os.path.join(root, name)) for root, _, files in os.walk(self.target)
                   for name in files)
        self.assertAlmostEqual(size / 1024, entry["EstimatedSize"], delta=len(delivery.files_under(self.target)))

    def our_uninstall_entries(self):
        entries = registry.read(UNINSTALL_ROOT)
        return [key for key, values in entries.items() if values.get("DisplayName") == DISPLAY_NAME]


class Setup(SetupCase):
    def test_silent_install_puts_the_build_files_and_the_association_and_installs_again_in_place(self):
        self.install()
        self.assertProgramFiles()
        self.assertProgId()
        apk = registry.read(rf"{USER_CLASSES}\.apk")
        apk_key = registry.full_name(rf"{USER_CLASSES}\.apk")
        self.assertEqual(PROGID, apk[apk_key][""], ".apk had no handler: ours is its default")
        self.assertIn(PROGID, apk[apk_key + r"\OpenWithProgids"])
        for extension in BUNDLE_EXTENSIONS:
            found = registry.read(rf"{USER_CLASSES}\{extension}")
            key = registry.full_name(rf"{USER_CLASSES}\{extension}")
            self.assertEqual(PROGID, found[key][""], extension)
            self.assertIn(PROGID, found[key + r"\OpenWithProgids"], extension)
        self.assertUninstallEntry()
        self.assertTrue(os.path.exists(shortcut()), "the Start-menu shortcut")

        settings = b"[VersionSection]\r\nInstallPosition=1\r\n"
        write_settings(settings)
        self.install()
        self.assertProgramFiles()
        self.assertUninstallEntry()
        self.assertEqual(1, len(self.our_uninstall_entries()))
        self.assertEqual(settings, read_settings())

    def test_silent_uninstall_takes_away_what_the_setup_added_and_keeps_the_settings(self):
        self.install()
        settings = b"[VersionSection]\r\nInstallPosition=1\r\n"
        write_settings(settings)
        self.uninstall()
        self.assertFalse(os.path.exists(self.target), "the program folder")
        self.assertFalse(os.path.exists(shortcut()), "the Start-menu shortcut")
        self.assertEqual({}, registry.read(rf"{USER_CLASSES}\{PROGID}"), "the ProgID")
        self.assertEqual({}, registry.read(rf"{USER_CLASSES}\.apk"), ".apk as the setup found it: absent")
        for extension in BUNDLE_EXTENSIONS:
            self.assertEqual({}, registry.read(rf"{USER_CLASSES}\{extension}"), extension)
        self.assertEqual([], self.our_uninstall_entries())
        self.assertEqual(settings, read_settings())

    def test_another_programs_apk_handler_stays_the_default_and_outlives_the_uninstall(self):
        for classes in (USER_CLASSES, MACHINE_CLASSES):
            with self.subTest(owner=classes):
                self.reset_prefix()
                self.give_apk_to_another_program(classes)
                before = {key: registry.export_text(key) for key in (rf"{classes}\.apk", rf"{classes}\{OTHER_PROGID}")}
                self.install()
                self.assertProgId()
                user_apk = registry.read(rf"{USER_CLASSES}\.apk")
                apk_key = registry.full_name(rf"{USER_CLASSES}\.apk")
                if classes == USER_CLASSES:
                    self.assertEqual(OTHER_PROGID, user_apk[apk_key][""], "the other program stays the default")
                else:
                    self.assertNotIn("", user_apk[apk_key], "no default of ours beside the machine's")
                    self.assertEqual(OTHER_PROGID, registry.values(rf"{MACHINE_CLASSES}\.apk")[""])
                self.assertIn(PROGID, user_apk[apk_key + r"\OpenWithProgids"], "ours in Open with")

                self.uninstall()
                for key, text in before.items():
                    self.assertEqual(text, registry.export_text(key), f"{key} as it was")
                self.assertEqual({}, registry.read(rf"{USER_CLASSES}\{PROGID}"))

    def test_an_adb_already_beside_the_program_stays_only_when_newer_and_the_uninstall_leaves_it(self):
        # Google's adb 1.0.40 (platform-tools 28, "Version 4797878"): older than ours.
        self.put_adb(delivery.TEST_ADB_DIR)
        self.install()
        self.assertProgramFiles()
        self.uninstall()

        # A newer one, as the stand-in answers `adb version` beside its own scenario.
        self.reset_prefix()
        newer = os.path.join(self.work, "newer adb")
        os.makedirs(newer)
        shutil.copy2(os.path.join(e2ecase.STANDIN_DIR, "adb.exe"), newer)
        for name in ADB_FILES[1:]:
            with open(os.path.join(newer, name), "wb") as f:
                f.write(f"the user's {name}".encode())
        with open(os.path.join(newer, "adb.scenario"), "w", encoding="utf-8") as f:
            f.write("[other]\noutput-text=Android Debug Bridge version 1.0.41\\r\\nVersion 99.0.1-1\\r\\n\n")
        self.put_adb(newer)
        shutil.copy2(os.path.join(newer, "adb.scenario"), self.target)
        users = {name: read_bytes(os.path.join(newer, name)) for name in (*ADB_FILES, "adb.scenario")}
        self.install()
        # and what the stand-in wrote beside itself when asked its version
        users.update({name: read_bytes(os.path.join(self.target, name)) for name in delivery.files_under(self.target)
                      if name.startswith("adb.") and name not in users})
        self.assertIn("version", read_bytes(os.path.join(self.target, "adb.record")).decode())
        self.assertProgramFiles(users)
        self.uninstall(folder_stays=True)
        self.assertEqual(set(users), delivery.files_under(self.target), "the user's adb and nothing of ours")

    def test_a_silent_setup_over_the_running_program_fails_and_changes_nothing(self):
        self.install()
        readme = os.path.join(self.target, "README.txt")
        registry.set_value(UNINSTALL_KEY, "DisplayVersion", "0.9")
        with open(readme, "wb") as f:
            f.write(b"the old version's README")
        phone = desktop.Phone(os.path.join(self.work, "phone"), "slow")
        shutil.copy2(os.path.join(e2ecase.STANDIN_DIR, "adb.exe"), self.target)
        window = desktop.Program(os.path.join(self.target, "ApkInstaller.exe"))
        console = desktop.Program(os.path.join(self.target, "apkinstall.exe"), [desktop.windows_path(DEMO_APK)],
                                  phone.environment())
        for running in (window, console):
            self.addCleanup(running.kill)
        window.find_window()
        self.wait_for(lambda: any("install" in command for command in phone.commands()), 15, "apkinstall installing")
        for running in (window, console):
            self.install(code=2)
            self.assertEqual("0.9", registry.values(UNINSTALL_KEY)["DisplayVersion"])
            self.assertEqual(b"the old version's README", read_bytes(readme))
            running.kill()
        # apkinstall's adb, left by its kill, would hold the adb to be replaced.
        for pid, _ in desktop.processes_under(self.target):
            os.kill(pid, 9)
        self.wait_for(lambda: not desktop.processes_under(self.target), 10, "the program's processes gone")
        self.install()
        self.assertEqual(delivery.VERSION, registry.values(UNINSTALL_KEY)["DisplayVersion"])

    def test_uninstalling_after_use_stops_adbs_server_and_takes_the_folder_away(self):
        self.install()
        # adb 1.0.40 runs under Wine where ours does not: it stands for the installed adb.
        self.put_adb(delivery.TEST_ADB_DIR)
        with socket.socket() as free:
            free.bind(("127.0.0.1", 0))
            env = dict(os.environ, ANDROID_ADB_SERVER_PORT=str(free.getsockname()[1]))
        self.assertEqual(0, run_quietly(os.path.join(self.target, "adb.exe"), "start-server", env=env))
        # Wine shows the 32-bit server as "adb -L tcp:PORT fork-server server ...".
        server = f"adb -L tcp:{env['ANDROID_ADB_SERVER_PORT']} fork-server"
        self.assertTrue(desktop.processes_under(server), "adb's server running")
        self.addCleanup(lambda: [os.kill(pid, 9) for pid, _ in desktop.processes_under(server)])
        self.uninstall(env=env)
        self.assertEqual([], desktop.processes_under(server), "adb's server ended")

    def test_a_setup_into_another_folder_runs_the_old_uninstaller_there_only_when_it_is_ours(self):
        # Our folder deleted by hand, another program's uninstaller there since.
        other = os.path.join(self.work, "other")
        os.makedirs(other)
        shutil.copy2(os.path.join(e2ecase.STANDIN_DIR, "adb.exe"), os.path.join(other, "uninstall.exe"))
        registry.set_value(UNINSTALL_KEY, "DisplayName", DISPLAY_NAME)
        registry.set_value(UNINSTALL_KEY, "InstallLocation", desktop.windows_path(other))
        registry.set_value(UNINSTALL_KEY, "UninstallString", f'"{desktop.windows_path(other)}\\uninstall.exe"')
        self.install()
        self.assertEqual({"uninstall.exe"}, delivery.files_under(other), "the other uninstaller was not run")
        self.assertUninstallEntry()

        # Ours, when the user installs elsewhere: that install is taken away.
        moved = os.path.join(self.work, "moved")
        self.install(target=moved)
        self.assertFalse(os.path.exists(self.target), "the old install")
        self.target = moved
        self.assertProgramFiles()
        self.assertUninstallEntry()
        self.assertEqual(1, len(self.our_uninstall_entries()))

class Association(SetupCase):
    def mirror_user_classes_to_machine(self):
        """Windows resolves a file type through the merged view of the user's and the
        machine's classes; Wine 8 looks at the machine's alone. The setup's per-user entries
        are copied there as they are, so that Wine's shell finds what Windows would."""
        for key in (rf"{USER_CLASSES}\{PROGID}", rf"{USER_CLASSES}\.apk"):
            text = registry.export_text(key)
            self.assertIsNotNone(text, key)
            registry.import_text(text.replace("[HKEY_CURRENT_USER\\Software\\Classes\\",
                                            "[HKEY_LOCAL_MACHINE\\Software\\Classes\\"))

    def test_apk_opened_from_the_shell_shows_in_our_window_and_installs_on_the_phone(self):
        self.install()
        # The emulated phone's adb in place of ours, which does not run under Wine 8.
        shutil.copy2(os.path.join(e2ecase.STANDIN_DIR, "adb.exe"), self.target)
        self.mirror_user_classes_to_machine()
        package = os.path.join(self.work, "下载 文件", "天气 日记.apk")
        os.makedirs(os.path.dirname(package))
        shutil.copyfile(DEMO_APK, package)
        self.phone = desktop.Phone(os.path.join(self.work, "phone"), "ready")

        # As Explorer opens a double-clicked file: the shell's own verb for its type.
        env = dict(os.environ, **self.phone.environment())
        self.assertEqual(0, run_quietly("start", desktop.windows_path(package), env=env))
        program = os.path.join(self.target, "ApkInstaller.exe")
        found = self.wait_for(lambda: [pid for pid, command in desktop.processes_under(self.target)
                                       if program in command.replace("\\", "/")], 15, "the program started")
        self.program = desktop.ShellStarted(found[0])
        self.window = self.program.find_window()
        self.wait_painted()
        self.pointer_away()
        self.save(self.window.picture(), "opened-from-the-shell")
        self.assertShows(self.window.picture(), desktop.STATUS_READY)

        self.click(desktop.INSTALL_BUTTON)
        self.pointer_away()
        self.save(self.wait_for_line(desktop.STATUS_SUCCEEDED, 15), "installed-from-the-shell")
        self.assertInstalled(package, "-r -f")
        self.assertTrue(self.program.ended(10), "the window closes itself after its countdown")


if __name__ == "__main__":
    unittest.main()
