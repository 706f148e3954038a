"""The phone's package manager as pm and cmd package answer: installs from a pushed file
or from a stream, and install sessions (create, write, commit, abandon). The scenario
decides every outcome and how long it takes."""
import hashlib
import itertools
import threading
import time


def outcome_text(result):
    return "Success\n" if result == "Success" else f"Failure [{result}]\n"


class PackageManager:
    def __init__(self, files, recorder):
        self.files = files
        self.recorder = recorder
        self.lock = threading.Lock()
        self.sessions = {}  # id -> {"serial", "parts": [...]}
        self.session_ids = itertools.count(1234567)
        self.installs = {}  # serial -> installs finished so far

    def run(self, device, args, read_stdin):
        """pm's or cmd package's arguments (the sub-command first): (stdout, stderr, exit)."""
        if not args:
            return "", "usage: pm [list|path|install|uninstall|install-create|...]\n", 1
        verb, rest = args[0], args[1:]
        if verb == "getInstallLocation":
            return str(device["install_location"]) + "\n", "", 0
        if verb == "install":
            return self.install(device, rest, read_stdin)
        if verb == "install-create":
            return self.create(device)
        if verb == "install-write":
            return self.write(device, rest, read_stdin)
        if verb == "install-commit":
            return self.commit(device, rest)
        if verb == "install-abandon":
            session = self.sessions.pop(rest[0] if rest else "", None)
            return ("Success\n", "", 0) if session else ("", "Error: invalid session\n", 1)
        return "", f"Unknown command: {verb}\n", 1

    def finish(self, device):
        """Takes the scenario's time over the install and gives its outcome. A phone whose
        install has "later" answers every install after its first with that instead."""
        install = device["install"]
        with self.lock:
            count = self.installs.get(device["serial"], 0)
            self.installs[device["serial"]] = count + 1
        if count > 0 and isinstance(install.get("later"), dict):
            install = install["later"]
        time.sleep(install.get("delay_ms", 0) / 1000)
        result = install.get("result", "Success")
        return outcome_text(result), "", 0 if result == "Success" else 1

    def install(self, device, args, read_stdin):
        size = stream_size(args)
        if size is not None:
            self.receive(device, "stream", None, read_stdin, size)
            return self.finish(device)
        path = args[-1] if args else ""
        prefix = "\tpkg: " + path + "\n" if device.get("pm_prints_path") else ""
        if not self.files.get(device["serial"], path):
            return prefix + "Failure [INSTALL_FAILED_INVALID_URI]\n", "", 1
        out, err, code = self.finish(device)
        return prefix + out, err, code

    def receive(self, device, via, name, read_stdin, size):
        digest = hashlib.sha256()
        received = 0
        while received < size:
            chunk = read_stdin(min(65536, size - received))
            if not chunk:
                break
            digest.update(chunk)
            received += len(chunk)
        self.recorder.write(serial=device["serial"], received={"via": via, "name": name, "size": received,
                                                               "sha256": digest.hexdigest()})
        return received

    def create(self, device):
        with self.lock:
            session = str(next(self.session_ids))
            self.sessions[session] = {"serial": device["serial"], "parts": []}
        return f"Success: created install session [{session}]\n", "", 0

    def write(self, device, args, read_stdin):
        size = stream_size(args)
        rest = [a for a in args if a not in ("-S", str(size))]
        if len(rest) < 2 or rest[0] not in self.sessions:
            return "", "Error: invalid session\n", 1
        session, name = rest[0], rest[1]
        source = rest[2] if len(rest) > 2 else "-"
        if source == "-":
            received = self.receive(device, "session", name, read_stdin, size or 0)
        else:
            found = self.files.get(device["serial"], source)
            if not found:
                return "", f"Error: unable to open file: {source}\n", 1
            received = found["size"]
            self.recorder.write(serial=device["serial"], session_file={"name": name, "path": source})
        self.sessions[session]["parts"].append(name)
        return f"Success: streamed {received} bytes\n", "", 0

    def commit(self, device, args):
        session = self.sessions.pop(args[0] if args else "", None)
        if not session:
            return "", "Error: invalid session\n", 1
        return self.finish(device)


def stream_size(args):
    """The -S size of a streamed install or write, or None."""
    for i, arg in enumerate(args[:-1]):
        if arg == "-S":
            try:
                return int(args[i + 1])
            except ValueError:
                return None
    return None
