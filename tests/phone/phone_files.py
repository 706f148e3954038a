"""The files pushed to each emulated phone: path -> size and SHA-256, by serial."""
import threading


class PhoneFiles:
    def __init__(self):
        self.lock = threading.Lock()
        self.files = {}  # (serial, path) -> {"size", "sha256"}

    def store(self, serial, path, size, sha256):
        with self.lock:
            self.files[(serial, path)] = {"size": size, "sha256": sha256}

    def get(self, serial, path):
        with self.lock:
            return self.files.get((serial, path))

    def remove(self, serial, path):
        with self.lock:
            return self.files.pop((serial, path), None) is not None

    def is_directory(self, serial, path):
        """The folders a push names: the temporary ones and any folder holding a file."""
        folder = path.rstrip("/") + "/"
        if folder in ("/data/local/tmp/", "/sdcard/", "/sdcard/tmp/", "/storage/emulated/0/"):
            return True
        with self.lock:
            return any(s == serial and p.startswith(folder) for s, p in self.files)
