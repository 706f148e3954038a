"""A JSON scenario: which phones the emulated adb server has, how each answers, and how
that changes over time or after some requests.

    {
      "version": 40,                      the server's host:version (the client's own)
      "silent": false,                    accept connections and never answer
      "ignores_kill": false,              answer host:kill with OKAY and keep serving, as
                                          another program's server that restarts at once
      "devices": [ DEVICE, ... ],
      "steps": [ {"after_ms": 3000, "devices": [...]},
                 {"after_requests": 1, "of": "host:devices", "update": {"EMU0001": {...}}} ]
    }

A DEVICE is {"serial", "state" (device, offline, unauthorized, recovery, ...), "profile"
(legacy, modern, android10: defaults for the rest), "features", "model", "product",
"device", "devpath", "transport_id", "properties" {getprop name: value},
"install_location" (pm getInstallLocation's answer), "density" {"physical", "override"}
(what wm density prints; without it the phone's sh knows no wm), "install" {"result":
"Success" or a failure code with its message, "delay_ms", "later": {"result", "delay_ms"} for
every install after the first}, "installed" {package: {"versionCode", "versionName"}},
"launchers" {package: component}, "data_free_kb" (phone_state.py)}. A step applies once its time has passed or
once that many requests (of that exact service, when "of" is given) came before; "devices"
replaces the list, "update" changes fields of the phones it names."""
import copy
import json
import threading
import time

ANDROID10_FEATURES = ("shell_v2,cmd,stat_v2,ls_v2,fixed_push_mkdir,apex,abb,fixed_push_symlink_timestamp,"
                      "abb_exec,remount_shell")

# What a phone of each generation answers unless the scenario says otherwise.
PROFILES = {
    # Android 4.4: no shell protocol, no cmd: adb pushes the package and runs pm install.
    "legacy": {"features": "", "model": "GT-I9300", "product": "m0xx", "device": "m0",
               "properties": {"ro.build.version.sdk": "19", "ro.build.version.release": "4.4.4",
                              "ro.product.cpu.abilist": "armeabi-v7a,armeabi", "ro.product.model": "GT-I9300"},
               "install_location": "0[auto]", "pm_prints_path": True},
    # Android 8.1: shell protocol and cmd: streamed install.
    "modern": {"features": "shell_v2,cmd,stat_v2", "model": "Nexus_5X", "product": "bullhead",
               "device": "bullhead",
               "properties": {"ro.build.version.sdk": "27", "ro.build.version.release": "8.1.0",
                              "ro.product.cpu.abilist": "arm64-v8a,armeabi-v7a,armeabi",
                              "ro.product.model": "Nexus 5X"},
               "install_location": "0"},
    "android10": {"features": ANDROID10_FEATURES, "model": "Pixel_3", "product": "blueline", "device": "blueline",
                  "properties": {"ro.build.version.sdk": "29", "ro.build.version.release": "10",
                                 "ro.product.cpu.abilist": "arm64-v8a,armeabi-v7a,armeabi",
                                 "ro.product.model": "Pixel 3"},
                  "install_location": "0"},
}

DEVICE_DEFAULTS = {"state": "device", "profile": "modern", "devpath": "usb:1-1",
                   "install": {"result": "Success", "delay_ms": 0}}


def complete_device(device, index):
    """The device with its profile's values and the defaults filled in."""
    merged = copy.deepcopy(DEVICE_DEFAULTS)
    merged.update(copy.deepcopy(PROFILES[device.get("profile", merged["profile"])]))
    merged["transport_id"] = index + 1
    for key, value in device.items():
        if key in ("properties", "install") and isinstance(value, dict):
            merged[key] = {**merged[key], **value}
        else:
            merged[key] = value
    return merged


class Scenario:
    """The scenario as it stands now; thread-safe, since each connection has a thread."""

    def __init__(self, document):
        self.document = document
        self.version = int(document.get("version", 40))
        self.silent = bool(document.get("silent", False))
        self.ignores_kill = bool(document.get("ignores_kill", False))
        self.started = time.monotonic()
        self.lock = threading.Lock()
        self.devices = [complete_device(d, i) for i, d in enumerate(document.get("devices", []))]
        self.pending = list(document.get("steps", []))
        self.counts = {}  # service -> requests so far
        self.total = 0

    @classmethod
    def load(cls, path):
        with open(path, encoding="utf-8") as f:
            return cls(json.load(f))

    def note_request(self, service):
        """Counts a request; steps that wait for requests see it from the next one on."""
        with self.lock:
            self._apply_due(by_requests=True)
            self.total += 1
            self.counts[service] = self.counts.get(service, 0) + 1

    def current_devices(self):
        with self.lock:
            self._apply_due()
            return copy.deepcopy(self.devices)

    def find(self, serial):
        return next((d for d in self.current_devices() if d["serial"] == serial), None)

    def _apply_due(self, by_requests=False):
        """Applies the steps now due, in order. Steps waiting for requests are applied only
        as a request arrives, before it is counted, so that it is answered as it finds them."""
        elapsed_ms = (time.monotonic() - self.started) * 1000
        while self.pending and self._due(self.pending[0], elapsed_ms, by_requests):
            self._apply(self.pending.pop(0))

    def _due(self, step, elapsed_ms, by_requests):
        if "after_ms" in step:
            return elapsed_ms >= step["after_ms"]
        if not by_requests:
            return False
        seen = self.counts.get(step["of"], 0) if "of" in step else self.total
        return seen >= step.get("after_requests", 0)

    def _apply(self, step):
        if "devices" in step:
            self.devices = [complete_device(d, i) for i, d in enumerate(step["devices"])]
        for serial, fields in step.get("update", {}).items():
            for device in self.devices:
                if device["serial"] == serial:
                    for key, value in fields.items():
                        if isinstance(value, dict) and isinstance(device.get(key), dict):
                            device[key].update(value)
                        else:
                            device[key] = value
