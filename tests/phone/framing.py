"""The adb server's smart-socket framing (AOSP adb's OVERVIEW.TXT and protocol notes): a
request is four hex digits giving its length, then the service name; the answer is OKAY,
or FAIL followed by a message in the same length-prefixed form."""
import struct


def read_exact(sock, count):
    """Exactly count bytes, or None when the peer closed first."""
    data = bytearray()
    while len(data) < count:
        chunk = sock.recv(count - len(data))
        if not chunk:
            return None
        data += chunk
    return bytes(data)


def read_request(sock):
    """The next service request as text, or None at the end of the stream or on a length
    that is not four hex digits."""
    header = read_exact(sock, 4)
    if header is None:
        return None
    try:
        length = int(header.decode("ascii"), 16)
    except (UnicodeDecodeError, ValueError):
        return None
    body = read_exact(sock, length)
    return None if body is None else body.decode("utf-8", "replace")


def length_prefixed(data):
    """Four hex digits of length, then the bytes: how adb frames strings on the wire."""
    if isinstance(data, str):
        data = data.encode("utf-8")
    return b"%04x" % len(data) + data


def okay(sock, payload=None):
    """OKAY, with a length-prefixed answer when there is one."""
    sock.sendall(b"OKAY" + (b"" if payload is None else length_prefixed(payload)))


def fail(sock, message):
    sock.sendall(b"FAIL" + length_prefixed(message))


def sync_header(ident, value):
    """A sync packet's eight-byte header: four-letter id and a little-endian word."""
    return ident + struct.pack("<I", value)


def parse_sync_header(header):
    return header[:4], struct.unpack("<I", header[4:])[0]
