"""What the emulated phone was asked and sent, one JSON object a line, for tests to read."""
import json
import threading
import time


class Recorder:
    """Appends records to a file, each flushed at once so that a test sees it while the
    server runs. Every record carries "t", the seconds since the server started."""

    def __init__(self, path):
        self.started = time.monotonic()
        self.lock = threading.Lock()
        self.file = open(path, "a", encoding="utf-8") if path else None

    def write(self, **record):
        record = {"t": round(time.monotonic() - self.started, 3), **record}
        with self.lock:
            if self.file:
                self.file.write(json.dumps(record, ensure_ascii=False) + "\n")
                self.file.flush()

    def close(self):
        with self.lock:
            if self.file:
                self.file.close()
                self.file = None
