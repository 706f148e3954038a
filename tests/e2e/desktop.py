"""Runs ApkInstaller.exe as a user meets it: from a directory of its own beside an adb.exe,
under Wine, on an X display, and acts on it with the X server's own pointer.

Used by scripts/run and by the end-to-end tests. Needs Debian's python3-pil, xdotool,
imagemagick (import) and, for a private display, Xvfb."""
import glob
import io
import json
import os
import re
import shutil
import socket
import subprocess
import time

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
PHONES = os.path.join(HERE, "phones")
STANDIN_PHONES = os.path.join(PHONES, "standin")
PHONE_SERVER = os.path.join(REPO, "tests", "phone", "phone.py")
WINE_EXEC = os.path.join(REPO, "scripts", "wine-exec")
TITLE = "APK安装器"
# The window's regular look at the phones, and adb's version check before each request.
WATCHER_SERVICES = ("host:version", "host:devices-l")
# What the window asks a phone on its own: the verdict before a click, opening the app after.
VERDICT_COMMANDS = ("getprop ro.product.cpu.", "pm list packages", "dumpsys package", "df /data", "stat -f /data",
                    "cmd package resolve-activity", "am start", "monkey ")

# The program's own files, as the build leaves them in its bin directory.
PROGRAM_FILES = ("ApkInstaller.exe", "Pakrun.dll", "Language.xml")


def windows_path(path):
    """The name a Wine program knows a Unix file by (drive Z: is the Unix root)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def unix_path(path):
    """The Unix file behind a path that the stand-in recorded (Z: or the prefix's C:)."""
    if re.match(r"^[Zz]:\\", path):
        return path[2:].replace("\\", "/")
    if re.match(r"^[Cc]:\\", path):
        return os.path.join(wine_prefix(), "drive_c", path[3:].replace("\\", "/"))
    return path


def wine_prefix():
    """The prefix scripts/wine-env chooses, in which every program here runs."""
    return os.environ.get("APKI_WINEPREFIX") or os.path.join(REPO, "build", "wine-prefix")


def phone_names():
    return sorted(os.path.splitext(name)[0] for name in os.listdir(PHONES) if name.endswith(".json"))


# Where the window draws what (client pixels: x, y, width, height) and in which colours.
INSTALL_BUTTON = (308, 128, 67, 22)
COMPANION_BUTTON = (268, 128, 105, 23)
PERMISSION_TOGGLE = (14, 135, 65, 17)
LOCATION_SELECTOR = (317, 72, 56, 21)
BUSY_INDICATOR = (220, 75, 16, 16)
PACKAGE_ICON = (9, 35, 70, 70)
PERMISSION_LIST = (8, 170, 371, 158)
TITLE_STRIP_ROWS = 27
COLLAPSED_SIZE = (386, 160)
OPEN_SIZE = (386, 347)

BACKGROUND = 0xFFEEF4F6
# The status line's rectangle and colour in each state.
STATUS_READY = ((240, 64, 70, 40), 0xFF3E555B)
STATUS_INSTALLING = ((240, 64, 145, 40), 0xFF3E555B)
STATUS_SUCCEEDED = ((218, 72, 161, 20), 0xFF5BAE2F)
STATUS_FAILED = ((240, 64, 145, 40), 0xFFC94C42)
# The note line's.
NOTE_READY = ((225, 97, 165, 20), 0xFFB8B8B8)
NOTE_FAILED = ((214, 97, 170, 15), 0xFF3E555B)
PERMISSION_TEXT = 0xFF545768


def close_button(width):
    """The close button's rectangle for a window of this width."""
    return (width - 26, 4, 21, 20)


def centre(box):
    return box[0] + box[2] // 2, box[1] + box[3] // 2


# --- The emulated phone ---------------------------------------------------------------------


class EmulatedPhone:
    """The phone behind the real adb client: our adb server (tests/phone/) playing a scenario
    of phones/ on a free port of 127.0.0.1, which adb.exe finds through
    ANDROID_ADB_SERVER_PORT. A scenario with "listening": false has no server on that port:
    adb then starts one of its own. The record lists each request (service, serial), each
    command the phone ran and each byte stream it received."""

    def __init__(self, directory, scenario):
        self.directory = directory
        os.makedirs(directory, exist_ok=True)
        source = os.path.join(PHONES, scenario + ".json")
        if not os.path.exists(source):
            raise ValueError(f"no phone called {scenario!r}; there are: {', '.join(phone_names())}")
        self.scenario = os.path.join(directory, "scenario.json")
        shutil.copyfile(source, self.scenario)
        self.record = os.path.join(directory, "record.jsonl")
        with open(source, encoding="utf-8") as f:
            listening = json.load(f).get("listening", True)
        self.server = None
        if listening:
            with open(os.path.join(directory, "server.log"), "w") as log:
                self.server = subprocess.Popen(
                    ["/usr/bin/python3", PHONE_SERVER, "--scenario", self.scenario, "--record", self.record,
                     "--idle", "300", "--limit", "900"],
                    stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=log, text=True)
            first = self.server.stdout.readline().split()
            self.server.stdout.close()
            if len(first) != 2 or first[0] != "port":
                raise RuntimeError(f"the phone's server did not start: {first}")
            self.port = int(first[1])
        else:
            with socket.socket() as probe:  # a port that nothing listens on, for adb to take
                probe.bind(("127.0.0.1", 0))
                self.port = probe.getsockname()[1]

    def environment(self):
        return {"ANDROID_ADB_SERVER_PORT": str(self.port)}

    def adb_servers(self):
        """The adb servers that adb.exe started for this port when none listened there
        ("adb -L tcp:PORT fork-server server ...")."""
        return processes_under(f"-L tcp:{self.port} fork-server")

    def close(self):
        if self.server and self.server.poll() is None:
            self.server.terminate()
            self.server.wait(10)
        for pid, _ in self.adb_servers():
            try:
                os.kill(pid, 9)
            except ProcessLookupError:
                pass

    def records(self, every=False):
        """The record's entries; those from mark() on unless every is set."""
        try:
            with open(self.record, encoding="utf-8") as f:
                entries = [json.loads(line) for line in f if line.strip()]
        except FileNotFoundError:
            return []
        return entries if every else entries[self.marked:]

    marked = 0

    def mark(self):
        """From now on records() leaves out what came before, e.g. the window's look at the
        phone before any click."""
        self.marked = len(self.records(every=True))

    def settle(self, first_look=8.0, quiet=1.5, limit=20.0):
        """Waits for the window's first look at the phones (`devices -l`, which it repeats
        every two seconds) and until it has asked the phone nothing else for `quiet`
        seconds, then marks the record there."""
        started = time.monotonic()
        while not any(r.get("service") == "host:devices-l" for r in self.records(every=True)):
            if time.monotonic() - started > first_look:
                break
            time.sleep(0.1)

        def asked():
            return sum(1 for r in self.records(every=True) if r.get("service") not in WATCHER_SERVICES)

        count, since = asked(), time.monotonic()
        while time.monotonic() - since < quiet and time.monotonic() - started < limit:
            time.sleep(0.1)
            now = asked()
            if now != count:
                count, since = now, time.monotonic()
        self.mark()

    def requests(self, every=False):
        """(service, serial) of each request but the version checks adb makes before each and,
        unless every is set, the window's own looks at the phones (`devices -l`)."""
        return [(r["service"], r["serial"]) for r in self.records(every) if r.get("service", "host:version") != "host:version"
                and (every or r["service"] != "host:devices-l")]

    def services(self, every=False):
        return [service for service, _ in self.requests(every)]

    def commands(self, every=False):
        """The command lines the phone's shell ran, e.g. "pm getInstallLocation"; unless every
        is set, without the window's questions before a click and for opening the app."""
        return [r["command"] for r in self.records(every) if "command" in r
                and (every or not r["command"].startswith(VERDICT_COMMANDS))]

    def received(self):
        """Each byte stream the phone received: via (sync, stream, session), path or name,
        size and sha256."""
        return [r["received"] for r in self.records() if "received" in r]


class Phone:
    """The adb stand-in's scenario directory (phones/standin/): what the phone answers, and
    what it was asked and sent. For the tests that run the delivery's adb stand-in."""

    def __init__(self, directory, scenario):
        self.directory = directory
        os.makedirs(directory, exist_ok=True)
        source = os.path.join(STANDIN_PHONES, scenario + ".scenario")
        if not os.path.exists(source):
            raise ValueError(f"no phone called {scenario!r}; there are: {', '.join(os.listdir(STANDIN_PHONES))}")
        shutil.copyfile(source, os.path.join(directory, "adb.scenario"))

    def environment(self):
        return {"FAKEADB_DIR": windows_path(self.directory) + "\\"}

    def _lines(self, name):
        try:
            with open(os.path.join(self.directory, name), encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def commands(self):
        """Each command line adb.exe was started with, its own path left out:
        e.g. 'devices', '-s EMU0001 install -r -f "C:\\users\\me\\Temp\\123.apk"'."""
        return [re.sub(r'^"[^"]*" ', "", line) for line in self._lines("adb.record")]

    def installs(self):
        """What each install command found at the path it named, when it started."""
        found = []
        for line in self._lines("adb.packages"):
            size, sha256, path = line.split("\t", 2)
            found.append({"exists": size != "missing", "size": int(size) if size != "missing" else None,
                          "sha256": sha256, "path": path})
        return found


def assemble_run_directory(directory, bin_dir, adb_source, companion=None):
    """The program's files, and an adb.exe beside them: the stand-in (a file) or a real adb
    (a directory, whose programs and DLLs are all copied). companion: a Helmsway.exe to put
    there too."""
    os.makedirs(directory, exist_ok=True)
    if os.path.isdir(adb_source):
        for path in glob.glob(os.path.join(adb_source, "*")):
            if path.lower().endswith((".exe", ".dll")):
                shutil.copy2(path, directory)
    else:
        shutil.copy2(adb_source, os.path.join(directory, "adb.exe"))
    for name in PROGRAM_FILES:  # after adb's files: ours win over any of the same name
        shutil.copy2(os.path.join(bin_dir, name), directory)
    if companion:
        shutil.copy2(companion, os.path.join(directory, "Helmsway.exe"))
    return os.path.join(directory, "ApkInstaller.exe")


def processes_under(marker):
    """Live processes (zombies left out) whose command line or program names marker."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as f:
                command = f.read().replace(b"\0", b" ").decode("utf-8", "replace")
            with open(f"/proc/{entry}/stat") as f:
                state = f.read().rsplit(")", 1)[1].split()[0]
        except OSError:
            continue
        if state != "Z" and marker in command.replace("\\", "/"):
            found.append((int(entry), command.strip()))
    return found


# --- The display ------------------------------------------------------------------------------


class PrivateDisplay:
    """An Xvfb of our own, for a machine without a display."""

    def __init__(self):
        reader, writer = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writer), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(writer,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(writer)
        with os.fdopen(reader) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number

    def close(self):
        self.process.terminate()
        self.process.wait(10)


class WmStateKeeper:
    """Writes WM_STATE for top-level windows on a display without a window manager (see
    wm_state.py), so that Wine closes windows as promptly as on a desktop."""

    def __init__(self):
        self.process = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "wm_state.py")],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True)
        self.process.stdout.readline()  # watching, or nothing to do

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
        self.process.wait(10)
        self.process.stdout.close()


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, text=True).stdout


def screenshot():
    """The whole screen, exactly as the X server holds it."""
    png = subprocess.run(["import", "-display", os.environ["DISPLAY"], "-window", "root", "png:-"],
                         check=True, capture_output=True).stdout
    return Image.open(io.BytesIO(png)).convert("RGB")


# --- The program ----------------------------------------------------------------------------------


class WindowGone(Exception):
    pass


class Window:
    """One top-level window on the screen, by its X id."""

    def __init__(self, xid):
        self.xid = xid

    def geometry(self):
        """(x, y, width, height) on the screen: for a borderless window, its client area."""
        try:
            shell = xdotool("getwindowgeometry", "--shell", self.xid)
        except subprocess.CalledProcessError:
            raise WindowGone(self.xid) from None
        values = dict(line.split("=", 1) for line in shell.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def to_screen(self, x, y):
        left, top, _, _ = self.geometry()
        return left + x, top + y

    def point(self, x, y, pause=0.25):
        """Moves the pointer onto a client point and lets the window see it arrive: the
        drawn zones act on the zone under the last pointer move. The pointer passes the
        neighbouring point first: Wine drops a motion back onto the point where it last
        saw the pointer, even after the pointer has been outside the window meanwhile."""
        sx, sy = self.to_screen(x, y)
        xdotool("mousemove", sx - 1, sy)
        time.sleep(0.05)
        xdotool("mousemove", sx, sy)
        time.sleep(pause)

    def click(self, x, y):
        self.point(x, y)
        xdotool("click", "1")

    def press(self, x, y):
        self.point(x, y)
        xdotool("mousedown", "1")

    def release_at(self, x, y):
        self.point(x, y)
        xdotool("mouseup", "1")

    def drag(self, start, offset, steps=6):
        """Holds the left button at a client point and moves the pointer by offset on the
        screen, in steps, as a hand would."""
        sx, sy = self.to_screen(*start)
        xdotool("mousemove", sx, sy)
        time.sleep(0.25)
        xdotool("mousedown", "1")
        time.sleep(0.2)
        for i in range(1, steps + 1):
            xdotool("mousemove", sx + offset[0] * i // steps, sy + offset[1] * i // steps)
            time.sleep(0.08)
        time.sleep(0.2)
        xdotool("mouseup", "1")
        time.sleep(0.3)

    def picture(self):
        left, top, width, height = self.geometry()
        return screenshot().crop((left, top, left + width, top + height))

    def painted(self):
        """Whether the window is on the screen in its own background colour (a stretch
        of it between the package icon and the permission toggle, which every state leaves
        bare; the phone line may fill the room left of the buttons)."""
        return count_colour(self.picture(), (20, 112, 40, 10), rgb(BACKGROUND), 0) == 400


class Program:
    """ApkInstaller.exe started under Wine, as a double click or a shell would start it."""

    def __init__(self, executable, arguments=(), environment=None):
        self.started = time.monotonic()
        env = dict(os.environ)
        env.update(environment or {})
        self.process = subprocess.Popen([WINE_EXEC, windows_path(executable), *arguments], env=env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def find_window(self, timeout=20.0):
        """The program's visible window, found by its title and its process."""
        return find_window(self.process.pid, lambda: self.process.poll() is None, timeout)

    def wait(self, timeout):
        """The exit code, or None when the program is still running after timeout seconds."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class ShellStarted:
    """ApkInstaller.exe started by the shell on our behalf (not our child), known by the Unix
    pid of its process."""

    def __init__(self, pid):
        self.pid = pid
        self.started = time.monotonic()

    def running(self):
        try:
            with open(f"/proc/{self.pid}/stat") as f:
                return f.read().rsplit(")", 1)[1].split()[0] != "Z"
        except OSError:
            return False

    def find_window(self, timeout=20.0):
        return find_window(self.pid, self.running, timeout)

    def ended(self, timeout):
        """Whether the process ends within timeout seconds (its exit code is its parent's
        to see)."""
        deadline = time.monotonic() + timeout
        while self.running():
            if time.monotonic() > deadline:
                return False
            time.sleep(0.1)
        return True

    def kill(self):
        if self.running():
            os.kill(self.pid, 9)


def find_window(pid, running, timeout):
    """The visible window titled as ours that the process pid shows."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if not running():
            raise RuntimeError(f"the program (pid {pid}) ended before its window showed")
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", TITLE],
                                capture_output=True, text=True)
        ids = result.stdout.split()
        if ids:
            return Window(ids[0])
        time.sleep(0.05)
    raise TimeoutError(f"no window titled {TITLE} within {timeout} s")


# --- Looking at pixels --------------------------------------------------------------------------


def rgb(argb):
    """An ARGB colour as the screen shows it at 24 bits."""
    return ((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF)


def near(a, b, tolerance):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def count_colour(picture, box, colour, tolerance=6):
    """Pixels of about this colour in the box (x, y, width, height); text is antialiased,
    so a colour is looked for anywhere in the rectangle it is drawn into."""
    x, y, w, h = box
    region = picture.crop((x, y, x + w, y + h))
    return sum(1 for pixel in region.getdata() if near(pixel, colour, tolerance))


def count_ink(picture, box, colour, background=rgb(BACKGROUND), least=0.4):
    """Pixels of text or lines drawn in this colour on this background, antialiased edges
    included: each lies between the two colours, at least `least` of the way to the ink."""
    x, y, w, h = box
    span = [c - b for c, b in zip(colour, background)]
    channels = [i for i in range(3) if abs(span[i]) > 16]
    count = 0
    for pixel in picture.crop((x, y, x + w, y + h)).getdata():
        t = sum((pixel[i] - background[i]) / span[i] for i in channels) / len(channels)
        if t >= least and all(abs(background[i] + t * span[i] - pixel[i]) <= 8 for i in range(3)):
            count += 1
    return count


def shows(picture, line, least=40):
    """Whether a status or note line, given as (rectangle, colour), holds text in its
    colour."""
    box, colour = line
    return count_ink(picture, box, rgb(colour)) >= least


def share_of_colour(picture, box, colour, tolerance=6):
    return count_colour(picture, box, colour, tolerance) / (box[2] * box[3])


def region(picture, box):
    """The pixels of the box (x, y, width, height), for comparing."""
    x, y, w, h = box
    return picture.crop((x, y, x + w, y + h)).tobytes()


def same_region(a, b, box):
    return region(a, box) == region(b, box)


class Skin:
    """A state skin from the program's images: frames side by side, each drawn with its
    rows unscaled, so a column of a drawn button matches a column of one frame."""

    def __init__(self, name, frames):
        self.image = Image.open(os.path.join(REPO, "resources", "images", name)).convert("RGBA")
        self.frames = frames
        self.frame_width = self.image.width // frames

    def column(self, frame, rows):
        x = frame * self.frame_width + self.frame_width // 2
        return [self.image.getpixel((x, row))[:3] for row in rows]

    def frame_at(self, picture, box, rows=range(0, 20)):
        """Which frame is drawn in the box (x, y, width, height), judged by a column just
        inside its left edge and clear of the label; None when none fits."""
        x = box[0] + 4
        drawn = [picture.getpixel((x, box[1] + row)) for row in rows]
        best, frame = min((max(max(abs(a - b) for a, b in zip(p, q)) for p, q in zip(drawn, self.column(f, rows))), f)
                          for f in range(self.frames))
        return frame if best <= 6 else None


def save_picture(picture, name, directory=None):
    directory = directory or os.environ.get("APKI_RENDERS_DIR") or os.path.join(REPO, "build", "renders")
    os.makedirs(directory, exist_ok=True)
    path = os.path.join(directory, name)
    picture.save(path)
    return path


def wine_user_folder(name):
    """A folder of the Wine user's profile in the prefix (e.g. AppData/Roaming, Temp)."""
    users = [d for d in glob.glob(os.path.join(wine_prefix(), "drive_c", "users", "*"))
             if os.path.basename(d) != "Public"]
    if len(users) != 1:
        raise RuntimeError(f"expected one Wine user in {wine_prefix()}, found {users}")
    return os.path.join(users[0], name)
