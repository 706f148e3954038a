#!/usr/bin/python3
"""Runs ApkInstaller.exe under Wine from build/run/program/, beside Google's adb 1.0.40 for
Windows (or the adb.exe of --adb DIR) and the emulated phone behind it: our adb server
(tests/phone/) playing one of the phones in tests/e2e/phones/.

With a display the window is simply there to use, and this ends when it closes. Without
one, it runs on a private Xvfb: a picture once the window shows, a click on Install, a
picture of the outcome, then the window is closed (by its countdown, or by its close
button) and the paths of both pictures are printed.

scripts/run builds what is missing first and then calls this."""
import argparse
import os
import shutil
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))

import desktop  # noqa: E402

RUN = os.path.join(REPO, "build", "run")
BIN_DIR = os.path.join(REPO, "build", "windows", "bin")
ADB_DIR = os.path.join(REPO, "build", "npm", "adb-driver-0.1.8", "package", "bin", "window")
DEMO = os.path.join(REPO, "tests", "data", "apks", "demo.apk")
OUTCOME_WAIT_S = 45


def arguments():
    parser = argparse.ArgumentParser(
        prog="scripts/run", description="Runs ApkInstaller.exe under Wine beside adb and an emulated phone.")
    parser.add_argument("package", nargs="?", help="the package to open (default: the demo package, "
                        "tests/data/apks/demo.apk)")
    parser.add_argument("--phone", choices=desktop.phone_names(),
                        help="the emulated phone (default: ready, which installs after about three seconds)")
    parser.add_argument("--adb", metavar="DIR", help="a directory holding another adb.exe for Windows and its "
                        "DLLs, which then talks to the emulated phone (default: adb 1.0.40 as the build fetched it)")
    options = parser.parse_args()
    options.adb = os.path.join(os.environ.get("APKI_RUN_FROM", os.getcwd()), options.adb) if options.adb else ADB_DIR
    options.phone = options.phone or "ready"
    if options.adb and not os.path.isfile(os.path.join(options.adb, "adb.exe")):
        parser.error(f"no adb.exe in {options.adb}")
    return options


def package_argument(package):
    """A Unix path (relative to where scripts/run was called) becomes the Z: path Wine
    programs know it by; anything else, a Windows path for instance, stays as given."""
    unix = os.path.join(os.environ.get("APKI_RUN_FROM", os.getcwd()), package)
    if os.path.exists(unix):
        return desktop.windows_path(unix)
    return package


def assemble(options):
    shutil.rmtree(RUN, ignore_errors=True)
    program = desktop.assemble_run_directory(os.path.join(RUN, "program"), BIN_DIR, options.adb)
    phone = desktop.EmulatedPhone(os.path.join(RUN, "phone"), options.phone)
    return program, phone


def report_phone(phone):
    requests = phone.requests()
    print("adb asked the emulated phone's server (version checks left out):" if requests
          else "adb asked the emulated phone's server nothing.")
    for service, serial in requests:
        print(f"  {service}" + (f"   (on {serial})" if serial else ""))
    for command in phone.commands():
        print(f"  the phone ran: {command}")
    for received in phone.received():
        print(f"  the phone received {received['size']} bytes ({received['via']}), SHA-256 {received['sha256']}")


def outcome_shown(picture):
    return desktop.shows(picture, desktop.STATUS_SUCCEEDED) or desktop.shows(picture, desktop.STATUS_FAILED)


def run_headless(program):
    window = program.find_window(60)
    deadline = time.monotonic() + 10
    while not window.painted() and time.monotonic() < deadline:
        time.sleep(0.1)
    first = desktop.save_picture(window.picture(), "1-window.png", RUN)

    window.click(*desktop.centre(desktop.INSTALL_BUTTON))
    desktop.xdotool("mousemove", 0, 0)
    deadline = time.monotonic() + OUTCOME_WAIT_S
    picture = window.picture()
    while not outcome_shown(picture) and time.monotonic() < deadline:
        time.sleep(0.2)
        picture = window.picture()
    second = desktop.save_picture(picture, "2-outcome.png", RUN)

    # A success closes the window after its countdown; anything else waits for a user.
    code = program.wait(7)
    if code is None:
        window.click(*desktop.centre(desktop.close_button(window.geometry()[2])))
        code = program.wait(15)
    print(f"The window as it opened:   {first}")
    print(f"After a click on Install:  {second}")
    return code


def main():
    options = arguments()
    package = options.package or DEMO
    executable, phone = assemble(options)
    environment = phone.environment()
    print(f"ApkInstaller.exe from {os.path.dirname(executable)}, opening {package}, beside the adb.exe of "
          f"{options.adb} and the emulated phone '{options.phone}' (port {phone.port})")

    display = None
    if not os.environ.get("DISPLAY"):
        display = desktop.PrivateDisplay()
        os.environ["DISPLAY"] = display.name
        print(f"No display: running on a private Xvfb ({display.name}).")
    keeper = desktop.WmStateKeeper()
    program = desktop.Program(executable, [package_argument(package)], environment)
    try:
        if not display:
            print("The window is open on your display; this ends when it closes.")
        code = run_headless(program) if display else program.wait(None)
    finally:
        program.kill()
        phone.close()
        keeper.close()
        if display:
            display.close()
    report_phone(phone)
    print(f"ApkInstaller.exe ended with exit code {code}.")
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
