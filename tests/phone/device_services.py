"""The services a phone answers once a connection is bound to it: shell (v1 as a pty
would: LF becomes CRLF; v2 with its packets and exit code), exec (raw), abb_exec and sync."""
import socket
import struct

from framing import okay, read_exact
from sync_service import SyncService

# Shell protocol v2 packet ids (AOSP adb's shell_protocol.h).
STDIN, STDOUT, STDERR, EXIT, CLOSE_STDIN = 0, 1, 2, 3, 4


class DeviceServices:
    def __init__(self, sock, device, shell, files, recorder):
        self.sock = sock
        self.device = device
        self.shell = shell
        self.files = files
        self.recorder = recorder

    def serve(self, service):
        """Answers one service; False when the phone offers no such service."""
        if service == "sync:":
            okay(self.sock)
            SyncService(self.sock, self.device, self.files, self.recorder).serve()
        elif service.startswith("exec:"):
            okay(self.sock)
            out, err, code = self.run(service[5:], self.raw_reader())
            self.sock.sendall((out + err).encode("utf-8"))
        elif service.startswith("abb_exec:") and "abb_exec" in self.features():
            okay(self.sock)
            args = service[9:].split("\0")
            out, err, code = self.shell.package_manager.run(self.device, args[1:], self.raw_reader()) \
                if args[:1] == ["package"] else ("", f"Can't find service: {args[0]}\n", 20)
            self.recorder.write(serial=self.device["serial"], command="abb " + " ".join(args), exit=code)
            self.sock.sendall((out + err).encode("utf-8"))
        elif service.startswith("shell:"):
            okay(self.sock)
            out, err, _ = self.run(service[6:], self.raw_reader())
            self.sock.sendall((out + err).replace("\n", "\r\n").encode("utf-8"))
        elif service.startswith("shell,") and ":" in service:
            options, command = service[6:].split(":", 1)
            options = options.split(",")
            if "v2" not in options or "shell_v2" not in self.features():
                return False
            okay(self.sock)
            self.shell_v2(command, "pty" in options or (not command and "raw" not in options))
        else:
            return False
        self.finish()
        return True

    def features(self):
        return self.device["features"].split(",")

    def run(self, command, read_stdin):
        out, err, code = self.shell.run(self.device, command, read_stdin)
        self.recorder.write(serial=self.device["serial"], command=command, exit=code, stdout=out, stderr=err)
        return out, err, code

    def raw_reader(self):
        return lambda count: self.sock.recv(count)

    def shell_v2(self, command, pty):
        pending = bytearray()

        def read_stdin(count):
            # Stdin arrives in packets; anything else (a window size, a close) ends it.
            while not pending:
                header = read_exact(self.sock, 5)
                if header is None:
                    return b""
                ident, length = header[0], struct.unpack("<I", header[1:])[0]
                data = read_exact(self.sock, length) or b""
                if ident == CLOSE_STDIN:
                    return b""
                if ident == STDIN:
                    pending.extend(data)
            chunk = bytes(pending[:count])
            del pending[:count]
            return chunk

        out, err, code = self.run(command, read_stdin)
        if pty:  # a pty has one stream, and turns LF into CRLF
            out, err = (out + err).replace("\n", "\r\n"), ""
        for ident, text in ((STDOUT, out), (STDERR, err)):
            if text:
                self.sock.sendall(packet(ident, text.encode("utf-8")))
        self.sock.sendall(packet(EXIT, bytes([code & 0xFF])))

    def finish(self):
        """Ends the stream as adbd does, then waits for the client to close, so that
        nothing it still sends turns the close into a reset that could lose the answer."""
        try:
            self.sock.shutdown(socket.SHUT_WR)
            self.sock.settimeout(5)
            while self.sock.recv(65536):
                pass
        except OSError:
            pass


def packet(ident, data):
    return struct.pack("<BI", ident, len(data)) + data
