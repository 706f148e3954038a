# File formats written byte by byte for scripts/make-images.py: GIF's LZW image data and
# data sub-blocks, and Windows icon files.
import io
import struct


def lzw_encode(indices, min_code_size):
    """GIF's variable-length LZW, with a clear code at the start and whenever the code
    table fills."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, size = reset()
    emit(clear, size)
    prefix = ()
    for index in indices:
        candidate = prefix + (index,)
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], size)
        if next_code == 4096:
            emit(clear, size)
            table, next_code, size = reset()
        else:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        prefix = (index,)
    if prefix:
        emit(table[prefix], size)
    emit(end, size)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def ico_entry_bmp(img):
    """A 32-bit DIB entry: BGRA rows bottom-up, then the 1-bit AND mask."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b, a = img.getpixel((x, y))
            rows += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(h)):
        row = bytearray(mask_stride)
        for x in range(w):
            if img.getpixel((x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + rows + mask


def ico_file(images):
    entries = []
    for img in images:
        if img.width >= 256:
            buf = io.BytesIO()
            img.save(buf, "PNG", optimize=True)
            entries.append((img, buf.getvalue()))
        else:
            entries.append((img, ico_entry_bmp(img)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for img, data in entries:
        dim = lambda v: 0 if v >= 256 else v
        out += struct.pack("<BBBBHHII", dim(img.width), dim(img.height), 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    return bytes(out)
