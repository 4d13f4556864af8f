"""Writes the 24-bit BMP files the drawing scripts make, and the pixel helpers they share."""
import struct


def write_bmp(path, pixels):
    """pixels: rows from top to bottom of (r, g, b) tuples, all rows of one width."""
    h, w = len(pixels), len(pixels[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def blank(w, h, colour):
    """Rows of one colour."""
    return [[colour for _ in range(w)] for _ in range(h)]


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def fill(px, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[y][x] = colour
