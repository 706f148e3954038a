"""The emulated adb server: listens on 127.0.0.1, answers the host services itself
(AOSP adb's SERVICES.TXT) and hands a connection bound to a phone to that phone's
services. Each connection has a thread; every request is recorded."""
import select
import socket
import threading
import time

from device_services import DeviceServices
from device_shell import DeviceShell
from framing import fail, length_prefixed, okay, read_request
from package_manager import PackageManager
from phone_files import PhoneFiles

UNAUTHORIZED = ("device unauthorized.\nThis adb server's $ADB_VENDOR_KEYS is not set\n"
                "Try 'adb kill-server' if that seems wrong.\nOtherwise check for a confirmation dialog on your device.")


class AdbServer:
    def __init__(self, scenario, recorder, port=0):
        self.scenario = scenario
        self.recorder = recorder
        self.files = PhoneFiles()
        self.shell = DeviceShell(PackageManager(self.files, recorder), self.files)
        self.stopping = threading.Event()
        self.lock = threading.Lock()
        self.open_connections = 0
        self.last_activity = time.monotonic()
        self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.listener.bind(("127.0.0.1", port))
        self.listener.listen(16)
        self.port = self.listener.getsockname()[1]

    def serve(self, idle_s, limit_s):
        """Accepts until host:kill, idle_s seconds without a connection open, or limit_s
        seconds in all. Gives why it stopped."""
        started = time.monotonic()
        self.listener.settimeout(0.2)
        while not self.stopping.is_set():
            now = time.monotonic()
            if now - started > limit_s:
                return "limit"
            with self.lock:
                if self.open_connections == 0 and now - self.last_activity > idle_s:
                    return "idle"
            try:
                sock, _ = self.listener.accept()
            except socket.timeout:
                continue
            with self.lock:
                self.open_connections += 1
                self.last_activity = time.monotonic()
            threading.Thread(target=self.connection, args=(sock,), daemon=True).start()
        return "killed"

    def close(self):
        self.listener.close()

    def connection(self, sock):
        sock.settimeout(None)
        try:
            self.answer(sock)
        except OSError:
            pass
        finally:
            sock.close()
            with self.lock:
                self.open_connections -= 1
                self.last_activity = time.monotonic()

    def answer(self, sock):
        device = None
        while True:
            service = read_request(sock)
            if service is None:
                return
            self.scenario.note_request(service)
            self.recorder.write(service=service, serial=device["serial"] if device else None)
            if self.scenario.silent:
                return self.hold(sock)
            if device:
                if not DeviceServices(sock, device, self.shell, self.files, self.recorder).serve(service):
                    fail(sock, "closed")
                return
            device = self.host(sock, service)
            if device is None:
                return

    def hold(self, sock):
        """A server that took the connection and never answers: waits for the client to give up."""
        while not self.stopping.is_set():
            readable, _, _ = select.select([sock], [], [], 0.2)
            if readable and not sock.recv(4096):
                return

    # --- Host services ------------------------------------------------------------------------

    def host(self, sock, service):
        """Answers a host service; gives the phone when the connection is now bound to one."""
        if service.startswith("host:transport") or service.startswith("host:tport:"):
            return self.transport(sock, service)
        target, request = split_host_service(service)
        if target is None:
            fail(sock, "unknown host service")
        elif request == "version":
            okay(sock, "%04x" % self.scenario.version)
        elif request == "kill":
            okay(sock)
            if not self.scenario.ignores_kill:
                self.stopping.set()
        elif request in ("devices", "devices-l"):
            okay(sock, self.device_list(request == "devices-l"))
        elif request == "track-devices":
            self.track(sock)
        elif request == "host-features":
            okay(sock, "shell_v2,cmd,stat_v2")
        elif request in ("features", "get-state", "get-serialno", "get-devpath"):
            device, error = self.select(target, any_state=request != "features")
            if device is None:
                fail(sock, error)
            else:
                okay(sock, {"features": device["features"], "get-state": device["state"],
                            "get-serialno": device["serial"], "get-devpath": device["devpath"]}[request])
        elif request.startswith("wait-for-"):
            self.wait_for(sock, target, request.rsplit("-", 1)[1])
        else:
            fail(sock, "unknown host service")
        return None

    def transport(self, sock, service):
        if service.startswith("host:tport:"):
            kind = service[len("host:tport:"):]
            target = ("serial", kind[len("serial:"):]) if kind.startswith("serial:") else (kind, None)
        elif service.startswith("host:transport:"):
            target = ("serial", service[len("host:transport:"):])
        else:
            target = (service[len("host:transport-"):], None)
        device, error = self.select(target)
        if device is None:
            fail(sock, error)
            return None
        sock.sendall(b"OKAY" + (device["transport_id"].to_bytes(8, "little") if "tport" in service else b""))
        return device

    def select(self, target, any_state=False):
        """The one phone a request names, or None and adb's reason."""
        kind, serial = target
        devices = self.scenario.current_devices()
        if kind == "serial":
            found = [d for d in devices if d["serial"] == serial]
            if not found:
                return None, f"device '{serial}' not found"
        elif kind == "transport-id":
            found = [d for d in devices if str(d["transport_id"]) == serial]
            if not found:
                return None, f"no device with transport id '{serial}'"
        else:
            found = [d for d in devices if kind == "any" or d["devpath"].startswith(kind)]
            if not found:
                return None, "no devices/emulators found"
            if len(found) > 1:
                return None, "more than one device/emulator"
        device = found[0]
        if not any_state and device["state"] == "unauthorized":
            return None, UNAUTHORIZED
        if not any_state and device["state"] != "device":
            return None, f"device {device['state']}"
        return device, None

    def device_list(self, long):
        lines = []
        for d in self.scenario.current_devices():
            if not long:
                lines.append(f"{d['serial']}\t{d['state']}\n")
                continue
            line = f"{d['serial']:<22} {d['state']}"
            if d.get("devpath"):
                line += " " + d["devpath"]
            if d["state"] == "device":
                for key in ("product", "model", "device"):
                    if d.get(key):
                        line += f" {key}:{d[key]}"
            lines.append(line + f" transport_id:{d['transport_id']}\n")
        return "".join(lines)

    def track(self, sock):
        okay(sock)
        sent = None
        while not self.stopping.is_set():
            listing = self.device_list(False)
            if listing != sent:
                sock.sendall(length_prefixed(listing))
                sent = listing
            readable, _, _ = select.select([sock], [], [], 0.2)
            if readable and not sock.recv(4096):
                return

    def wait_for(self, sock, target, state):
        """OKAY for the request, a second OKAY once the phone is there in that state."""
        okay(sock)
        while not self.stopping.is_set():
            device, _ = self.select(target, any_state=True)
            if device and (state == "any" or device["state"] == state):
                sock.sendall(b"OKAY")
                return
            time.sleep(0.2)


def split_host_service(service):
    """(target, request) of host:REQ, host-serial:S:REQ, host-usb:REQ, host-local:REQ and
    host-transport-id:ID:REQ; (None, None) for anything else."""
    if service.startswith("host:"):
        return ("any", None), service[5:]
    for prefix, kind in (("host-serial:", "serial"), ("host-transport-id:", "transport-id")):
        if service.startswith(prefix):
            rest = service[len(prefix):]
            if ":" not in rest:
                return None, None
            value, request = rest.rsplit(":", 1)
            return (kind, value), request
    for prefix, kind in (("host-usb:", "usb"), ("host-local:", "local")):
        if service.startswith(prefix):
            return (kind, None), service[len(prefix):]
    return None, None
