#!/usr/bin/env python3
"""Draws the pictures of the gallery's picture controls.

Writes into samples/gallery/Definitions/Pictures/:
  lights.gif    three frames, one second each: a light that steps from left to right in
                red, amber and green, for the animated image control;
  portrait.bmp  a 64 x 64 24-bit face for the head-photo controls (they show its top-left
                55 x 55 pixels).
Run it again after changing a picture; the outputs are committed.
"""
import os
import struct
import sys

from bmp_file import write_bmp

WHITE = (255, 255, 255)
GREY = (96, 96, 96)
RED = (220, 40, 40)
AMBER = (240, 170, 20)
GREEN = (40, 170, 60)
DARK = (40, 40, 40)
PALETTE = [WHITE, GREY, RED, AMBER, GREEN, DARK, (0, 0, 0), (0, 0, 0)]


def lzw_codes(indices, min_size):
    """Codes for the pixels, a clear code before every pair, so the table never grows past
    one entry and every code keeps min_size + 1 bits."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    width = min_size + 1
    bits, nbits, out = 0, 0, bytearray()

    def put(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    for i, index in enumerate(indices):
        if i % 2 == 0:
            put(clear)
        put(index)
    put(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, w, h, frames, delay):
    data = bytearray(b"GIF89a" + struct.pack("<HHBBB", w, h, 0x80 | 0x02, 0, 0))
    for colour in PALETTE:
        data += bytes(colour)
    # Plays for ever.
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for frame in frames:
        data += b"\x21\xF9\x04\x04" + struct.pack("<H", delay) + b"\x00\x00"
        data += b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0)
        data += b"\x03"
        codes = lzw_codes([index for row in frame for index in row], 3)
        for at in range(0, len(codes), 255):
            block = codes[at:at + 255]
            data += bytes([len(block)]) + block
        data += b"\x00"
    data += b"\x3B"
    with open(path, "wb") as f:
        f.write(data)


def lights_frame(w, h, lit):
    """Three lamps in a dark case; lamp `lit` shines in its colour, the others are grey."""
    frame = [[0] * w for _ in range(h)]
    for y in range(4, h - 4):
        for x in range(2, w - 2):
            frame[y][x] = 5
    r = h // 2 - 8
    for lamp in range(3):
        cx, cy = w * (2 * lamp + 1) // 6, h // 2
        for y in range(h):
            for x in range(w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    frame[y][x] = (2 + lamp) if lamp == lit else 1
    return frame


def portrait(size):
    sky, skin, hair, eye, mouth = (90, 150, 220), (240, 200, 160), (90, 60, 30), (30, 30, 60), (190, 60, 60)
    pixels = [[sky] * size for _ in range(size)]
    cx, cy, r = 27, 30, 19
    for y in range(size):
        for x in range(size):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if d <= r * r:
                pixels[y][x] = hair if y < cy - 8 else skin
            elif y > 50 and abs(x - cx) < 24:
                pixels[y][x] = (60, 120, 60)
    for ex in (cx - 7, cx + 7):
        for y in range(cy - 3, cy + 1):
            for x in range(ex - 2, ex + 2):
                pixels[y][x] = eye
    for x in range(cx - 7, cx + 8):
        pixels[cy + 9 + (abs(x - cx) < 4)][x] = mouth
    return pixels


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "gallery", "Definitions", "Pictures")
    os.makedirs(root, exist_ok=True)
    w, h = 66, 26
    write_gif(os.path.join(root, "lights.gif"), w, h, [lights_frame(w, h, lit) for lit in range(3)], 100)
    write_bmp(os.path.join(root, "portrait.bmp"), portrait(64))
    return 0


if __name__ == "__main__":
    sys.exit(main())
