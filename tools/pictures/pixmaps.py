"""Tiny picture writers for the generated pictures (standard library only).

A picture is a list of rows, top row first, each row a list of (r, g, b) or (r, g, b, a)
tuples. Writers: 24-bit BMP, 32-bit icon (.ico) and cursor (.cur) files.
"""
import struct


def _bmp_rows_24(pixels):
    out = bytearray()
    for row in reversed(pixels):  # bitmaps store the bottom row first
        line = bytearray()
        for p in row:
            line += bytes((p[2], p[1], p[0]))
        line += b"\0" * ((4 - len(line) % 4) % 4)
        out += line
    return bytes(out)


def write_bmp24(path, pixels):
    h, w = len(pixels), len(pixels[0])
    data = _bmp_rows_24(pixels)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def _icon_image(pixels):
    """One 32-bit image of an icon or cursor resource: header, BGRA rows, AND mask."""
    h, w = len(pixels), len(pixels[0])
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(pixels):
        for p in row:
            a = p[3] if len(p) > 3 else 255
            xor += bytes((p[2], p[1], p[0], a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if (p[3] if len(p) > 3 else 255) == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return info + bytes(xor) + bytes(mask)


def _write_icon_dir(path, kind, images, hotspots):
    count = len(images)
    blobs = [_icon_image(p) for p in images]
    offset = 6 + 16 * count
    out = bytearray(struct.pack("<HHH", 0, kind, count))
    for pixels, blob, hot in zip(images, blobs, hotspots):
        h, w = len(pixels), len(pixels[0])
        a, b = hot if kind == 2 else (1, 32)
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def write_ico(path, images):
    """images: pictures of several sizes (e.g. 16, 32, 48), RGBA."""
    _write_icon_dir(path, 1, images, [None] * len(images))


def write_cur(path, pixels, hotspot):
    _write_icon_dir(path, 2, [pixels], [hotspot])
