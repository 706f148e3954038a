"""The sync: service (AOSP adb's SYNC.TXT): STAT, and STA2 and LST2 for a phone with the
stat_v2 feature, LIST, SEND with its DATA and DONE, QUIT.
Every file sent is kept by path with its size and SHA-256, and recorded."""
import hashlib
import struct

from framing import parse_sync_header, read_exact, sync_header

FOLDER_MODE = 0o040771
FILE_MODE = 0o100644
MAX_DATA = 64 * 1024


class SyncService:
    def __init__(self, sock, device, files, recorder):
        self.sock = sock
        self.serial = device["serial"]
        self.files = files
        self.recorder = recorder

    def serve(self):
        while True:
            header = read_exact(self.sock, 8)
            if header is None:
                return
            ident, length = parse_sync_header(header)
            if ident == b"QUIT":
                return
            if length > 1024 or ident not in (b"STAT", b"STA2", b"LST2", b"LIST", b"SEND", b"RECV"):
                return self.fail(f"unknown sync request {ident!r} of {length} bytes")
            path = read_exact(self.sock, length)
            if path is None:
                return
            path = path.decode("utf-8", "replace")
            self.recorder.write(serial=self.serial, sync=ident.decode("ascii"), path=path)
            if ident == b"STAT":
                self.stat(path)
            elif ident in (b"STA2", b"LST2"):
                self.stat2(ident, path)
            elif ident == b"LIST":
                self.sock.sendall(b"DONE" + bytes(16))
            elif ident == b"RECV":
                self.fail(f"remote object '{path}' does not exist")
            elif not self.send(path):
                return

    def stat(self, path):
        found = self.files.get(self.serial, path)
        if found:
            mode, size = FILE_MODE, found["size"]
        elif self.files.is_directory(self.serial, path):
            mode, size = FOLDER_MODE, 4096
        else:
            mode, size = 0, 0
        self.sock.sendall(b"STAT" + struct.pack("<III", mode, size, 1700000000 if mode else 0))

    def stat2(self, ident, path):
        """The v2 answer: error, dev, ino, mode, nlink, uid, gid, size, atime, mtime, ctime;
        error 2 (ENOENT) for nothing there."""
        found = self.files.get(self.serial, path)
        if found:
            error, mode, size = 0, FILE_MODE, found["size"]
        elif self.files.is_directory(self.serial, path):
            error, mode, size = 0, FOLDER_MODE, 4096
        else:
            error, mode, size = 2, 0, 0
        stamp = 1700000000 if mode else 0
        self.sock.sendall(ident + struct.pack("<IQQIIIIQqqq", error, 0, 0, mode, 1, 0, 0, size, stamp, stamp, stamp))

    def send(self, path_and_mode):
        """SEND's "path,mode", then DATA packets up to DONE. False when the stream broke."""
        path = path_and_mode.rsplit(",", 1)[0]
        digest = hashlib.sha256()
        size = 0
        while True:
            header = read_exact(self.sock, 8)
            if header is None:
                return False
            ident, length = parse_sync_header(header)
            if ident == b"DONE":
                break
            if ident != b"DATA" or length > MAX_DATA:
                self.fail(f"bad sync packet {ident!r} of {length} bytes in a SEND")
                return False
            data = read_exact(self.sock, length)
            if data is None:
                return False
            digest.update(data)
            size += length
        self.files.store(self.serial, path, size, digest.hexdigest())
        self.recorder.write(serial=self.serial, received={"via": "sync", "path": path, "size": size,
                                                          "sha256": digest.hexdigest()})
        self.sock.sendall(sync_header(b"OKAY", 0))
        return True

    def fail(self, message):
        data = message.encode("utf-8")
        self.sock.sendall(sync_header(b"FAIL", len(data)) + data)
