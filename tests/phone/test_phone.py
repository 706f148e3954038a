#!/usr/bin/python3
"""The emulated phone's server spoken to as adb speaks to it: framing, the sync push and
its record, the shell protocol's exit code, a streamed install and a session, a step by
request count, host:kill."""
import hashlib
import json
import os
import socket
import struct
import tempfile
import threading
import unittest

from device_shell import DeviceShell
from package_manager import PackageManager
from recorder import Recorder
from scenario import Scenario, complete_device
from server import AdbServer


class PhoneServer(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.record = os.path.join(self.folder.name, "record.jsonl")

    def tearDown(self):
        if self.thread.is_alive():
            self.connect("host:kill").close()
        self.thread.join(5)
        self.server.close()
        self.folder.cleanup()

    def serve(self, document):
        self.server = AdbServer(Scenario(document), Recorder(self.record))
        self.thread = threading.Thread(target=self.server.serve, args=(30, 60), daemon=True)
        self.thread.start()

    def connect(self, *services):
        """A connection that sent each service and read its OKAY."""
        sock = socket.create_connection(("127.0.0.1", self.server.port), 5)
        for service in services:
            sock.sendall(b"%04x" % len(service) + service.encode())
            self.assertEqual(b"OKAY", self.read(sock, 4), service)
        return sock

    def read(self, sock, count):
        data = b""
        while len(data) < count:
            chunk = sock.recv(count - len(data))
            if not chunk:
                break
            data += chunk
        return data

    def request(self, service):
        """A host service's length-prefixed answer."""
        with self.connect(service) as sock:
            return self.read(sock, int(self.read(sock, 4), 16)).decode()

    def rest(self, sock):
        sock.shutdown(socket.SHUT_WR)
        return self.read(sock, 1 << 20)

    def records(self):
        with open(self.record) as f:
            return [json.loads(line) for line in f]

    def test_version_devices_by_request_count_and_failures(self):
        self.serve({"devices": [], "steps": [{"after_requests": 1, "of": "host:devices",
                                              "devices": [{"serial": "A1", "model": "M"}, {"serial": "B2", "state": "offline"}]}]})
        self.assertEqual("0028", self.request("host:version"))
        self.assertEqual("", self.request("host:devices"))
        self.assertEqual("A1\tdevice\nB2\toffline\n", self.request("host:devices"))
        self.assertEqual("A1                     device usb:1-1 product:bullhead model:M device:bullhead transport_id:1\n"
                         "B2                     offline usb:1-1 transport_id:2\n", self.request("host:devices-l"))
        with socket.create_connection(("127.0.0.1", self.server.port), 5) as sock:
            sock.sendall(b"0011host:transport:B2")
            self.assertEqual(b"FAIL000edevice offline", self.read(sock, 22))
        self.assertEqual([("host:version", None), ("host:devices", None)], [(r["service"], r["serial"]) for r in self.records()][:2])
        self.connect("host:kill").close()
        self.thread.join(5)
        self.assertFalse(self.thread.is_alive(), "host:kill ends the server")

    def test_another_version_that_outlives_kill(self):
        self.serve({"version": 31, "ignores_kill": True, "devices": []})
        self.assertEqual("001f", self.request("host:version"))
        self.connect("host:kill").close()
        self.assertEqual("001f", self.request("host:version"), "still serving after host:kill")
        self.assertTrue(self.thread.is_alive())
        self.server.scenario.ignores_kill = False  # so that tearDown's kill ends it

    def test_push_then_pm_install_over_a_pty_and_rm(self):
        self.serve({"devices": [{"serial": "S", "profile": "legacy"}]})
        payload = os.urandom(70000)
        with self.connect("host:transport:S", "sync:") as sock:
            path = b"/data/local/tmp/1.apk"
            sock.sendall(b"STAT" + struct.pack("<I", len(path)) + path)
            self.assertEqual(b"STAT" + bytes(12), self.read(sock, 16), "nothing there yet")
            path_and_mode = path + b",33206"
            sock.sendall(b"SEND" + struct.pack("<I", len(path_and_mode)) + path_and_mode)
            for chunk in (payload[:65536], payload[65536:]):
                sock.sendall(b"DATA" + struct.pack("<I", len(chunk)) + chunk)
            sock.sendall(b"DONE" + struct.pack("<I", 0))
            self.assertEqual(b"OKAY" + bytes(4), self.read(sock, 8))
            sock.sendall(b"QUIT" + bytes(4))
        self.assertIn({"via": "sync", "path": "/data/local/tmp/1.apk", "size": 70000,
                       "sha256": hashlib.sha256(payload).hexdigest()}, [r.get("received") for r in self.records()])
        with self.connect("host:transport:S", "shell:pm 'install' '-r' '/data/local/tmp/1.apk'") as sock:
            self.assertEqual(b"\tpkg: /data/local/tmp/1.apk\r\nSuccess\r\n", self.rest(sock))
        with self.connect("host:transport:S", "shell:rm -f '/data/local/tmp/1.apk'") as sock:
            self.rest(sock)
        with self.connect("host:transport:S", "shell:pm install /data/local/tmp/1.apk") as sock:
            self.assertIn(b"Failure [INSTALL_FAILED_INVALID_URI]", self.rest(sock), "the push was removed")

    def test_ls_of_a_pushed_file_and_wm_density_where_the_phone_has_one(self):
        self.serve({"devices": [{"serial": "S", "profile": "legacy", "density": {"physical": 480, "override": 420}},
                                {"serial": "T", "profile": "legacy"}]})
        path = b"/sdcard/Android/obb/p.q/main.1.p.q.obb"
        with self.connect("host:transport:S", "sync:") as sock:
            sock.sendall(b"STA2" + struct.pack("<I", len(path)) + path)
            self.assertEqual(b"STA2" + struct.pack("<I", 2), self.read(sock, 72)[:8], "ENOENT before the push")
            sock.sendall(b"SEND" + struct.pack("<I", len(path) + 6) + path + b",33206")
            sock.sendall(b"DATA" + struct.pack("<I", 5000) + bytes(5000) + b"DONE" + bytes(4))
            self.assertEqual(b"OKAY" + bytes(4), self.read(sock, 8))
            sock.sendall(b"LST2" + struct.pack("<I", len(path)) + path)
            self.assertEqual(5000, struct.unpack_from("<Q", self.read(sock, 72), 40)[0], "its size after it")
        with self.connect("host:transport:S", "shell:ls -l " + path.decode()) as sock:
            self.assertRegex(self.rest(sock), rb"^-rw-rw---- 1 root sdcard_rw 5000 2024-01-01 00:00 /sdcard/Android/obb/")
        with self.connect("host:transport:S", "shell:ls -l /sdcard/none.obb") as sock:
            self.assertIn(b"No such file", self.rest(sock))
        with self.connect("host:transport:S", "shell:wm density") as sock:
            self.assertEqual(b"Physical density: 480\r\nOverride density: 420\r\n", self.rest(sock))
        with self.connect("host:transport:T", "shell:wm density") as sock:
            self.assertIn(b"wm: not found", self.rest(sock))

    def test_streamed_install_and_a_session_with_the_shell_protocols_exit_code(self):
        self.serve({"devices": [{"serial": "S", "install": {"result": "INSTALL_FAILED_OLDER_SDK"}}]})
        payload = b"PK" * 5000
        with self.connect("host:transport:S", f"exec:cmd package 'install' '-r' -S {len(payload)}") as sock:
            sock.sendall(payload)
            self.assertEqual(b"Failure [INSTALL_FAILED_OLDER_SDK]\n", self.rest(sock))
        with self.connect("host:transport:S", "shell,v2,raw:pm install-create") as sock:
            created = self.rest(sock)
        self.assertEqual(b"\x01", created[:1])
        session = created[5:].split(b"[")[1].split(b"]")[0].decode()
        self.assertTrue(created.endswith(b"\x03\x01\x00\x00\x00\x00"), "exit code 0")
        with self.connect("host:transport:S", f"shell,v2,raw:pm install-write -S 4 {session} base -") as sock:
            sock.sendall(b"\x00" + struct.pack("<I", 4) + b"abcd" + b"\x04" + bytes(4))
            self.assertIn(b"Success: streamed 4 bytes", self.rest(sock))
        with self.connect("host:transport:S", f"shell,v2,raw:pm install-commit {session}") as sock:
            self.assertTrue(self.rest(sock).endswith(b"\x03\x01\x00\x00\x00\x01"), "exit code 1")
        streams = [(r["received"]["via"], r["received"]["sha256"]) for r in self.records() if "received" in r]
        self.assertEqual([("stream", hashlib.sha256(payload).hexdigest()),
                          ("session", hashlib.sha256(b"abcd").hexdigest())], streams)


class PhoneState(unittest.TestCase):
    """What the phone says of itself for the window's questions, by generation."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.shell = DeviceShell(PackageManager(None, Recorder(os.path.join(self.folder.name, "r.jsonl"))), None)

    def tearDown(self):
        self.folder.cleanup()

    def run_on(self, device, command):
        return self.shell.run(complete_device(device, 0), command, None)

    def test_packages_space_and_launchers(self):
        installed = {"installed": {"org.x": {"versionCode": 7, "versionName": "0.7"}, "org.xy": {"versionCode": 9}},
                     "launchers": {"org.x": "org.x/.Main"}, "data_free_kb": 100}
        modern, legacy = dict(installed, profile="modern"), dict(installed, profile="legacy")
        self.assertEqual(("package:org.x versionCode:7\npackage:org.xy versionCode:9\n", "", 0),
                         self.run_on(modern, "pm list packages --show-versioncode org.x"))
        self.assertEqual(1, self.run_on(legacy, "pm list packages --show-versioncode org.x")[2])
        self.assertIn("versionCode=7 targetSdk=29\n    versionName=0.7\n", self.run_on(legacy, "dumpsys package org.x")[0])
        self.assertIn("Unable to find package", self.run_on(legacy, "dumpsys package org.z")[0])
        self.assertIn("     100  50% /data", self.run_on(modern, "df /data")[0])
        self.assertIn("/data                 4.0G", self.run_on(legacy, "df /data")[0])
        self.assertIn("Available: 25\n", self.run_on(modern, "stat -f /data")[0])
        self.assertTrue(self.run_on(modern, "cmd package resolve-activity --brief -c C org.x")[0].endswith("\norg.x/.Main\n"))
        self.assertEqual("No activity found\n", self.run_on(modern, "cmd package resolve-activity --brief -c C org.xy")[0])
        self.assertEqual(127, self.run_on(legacy, "cmd package resolve-activity --brief org.x")[2], "no cmd before 7")
        self.assertEqual(0, self.run_on(modern, "am start -n org.x/.Main")[2])
        self.assertIn("does not exist", self.run_on(modern, "am start -n org.x/.Other")[0])
        self.assertIn("Events injected: 1", self.run_on(legacy, "monkey -p org.x -c C 1")[0])
        self.assertIn("monkey aborted", self.run_on(legacy, "monkey -p org.xy -c C 1")[0])

    def test_a_later_install_result(self):
        manager = self.shell.package_manager
        device = complete_device({"serial": "S", "install": {"result": "INSTALL_FAILED_X", "later": {"result": "Success"}}}, 0)
        self.assertEqual("Failure [INSTALL_FAILED_X]\n", manager.finish(device)[0])
        self.assertEqual("Success\n", manager.finish(device)[0])
        self.assertEqual("Success\n", manager.finish(device)[0])


if __name__ == "__main__":
    unittest.main()
