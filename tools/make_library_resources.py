#!/usr/bin/env python3
"""Writes the library's own images into src/api/res/.

tick.ico         icon 100: the 16x16 check mark menus show for checked items without an image.
combo_arrow.bmp  bitmap 101: the 9x9 drop-down arrow of the combo box, on a magenta key colour.

Both are 16-colour images so every pixel is explicit. Run from anywhere; the outputs are
committed beside the .rc file that includes them.
"""
import os
import struct

RES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "api", "res")

# The standard 16-colour palette as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK = 0
MAGENTA = 13

# Opaque pixels of the check mark: row from the top -> x positions.
TICK_ROWS = {5: [11], 6: [10, 11], 7: [5, 9, 10], 8: [5, 6, 8, 9], 9: [6, 7, 8], 10: [7]}
# Black pixels of the arrow: row from the top -> x positions.
ARROW_ROWS = {3: [2, 3, 4, 5, 6], 4: [3, 4, 5], 5: [4]}


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_4bit_rows(pixels, width, height):
    """Bottom-up rows of 4-bit palette indices, each padded to four bytes."""
    stride = row_stride(width, 4)
    data = b""
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            index = pixels[y][x]
            row[x // 2] |= index << 4 if x % 2 == 0 else index
        data += bytes(row)
    return data


def pack_mask_rows(transparent, width, height):
    """Bottom-up rows of the AND mask: 1 where the icon is transparent."""
    stride = row_stride(width, 1)
    data = b""
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if transparent[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        data += bytes(row)
    return data


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 16, 0)


def make_tick_icon():
    size = 16
    opaque = [[x in TICK_ROWS.get(y, []) for x in range(size)] for y in range(size)]
    pixels = [[BLACK] * size for _ in range(size)]
    colour = pack_4bit_rows(pixels, size, size)
    mask = pack_mask_rows([[not o for o in row] for row in opaque], size, size)
    # An icon image's header counts the colour and mask halves in its height.
    image = info_header(size, size * 2, 4, len(colour) + len(mask)) + palette_bytes() + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def make_arrow_bitmap():
    size = 9
    pixels = [[BLACK if x in ARROW_ROWS.get(y, []) else MAGENTA for x in range(size)] for y in range(size)]
    bits = pack_4bit_rows(pixels, size, size)
    header = info_header(size, size, 4, len(bits)) + palette_bytes()
    offset = 14 + len(header)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return file_header + header + bits


def main():
    os.makedirs(RES_DIR, exist_ok=True)
    for name, data in (("tick.ico", make_tick_icon()), ("combo_arrow.bmp", make_arrow_bitmap())):
        with open(os.path.join(RES_DIR, name), "wb") as output:
            output.write(data)


if __name__ == "__main__":
    main()
