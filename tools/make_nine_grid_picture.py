#!/usr/bin/env python3
"""Draws docs/images/nine-grid.png, the picture of the nine-grid in docs/skin-format.md.

Left: a 24 x 24 rounded button image, magnified, with its grid="8,8,8,8" lines. Right: the same
image drawn into 96 x 40 and 40 x 64 by the nine-grid: corners kept, edges stretched along
one axis, the centre along both. Run it again after changing the picture; the output is
committed.
"""
import os
import sys

from png_file import write_png

SIZE, GRID, ZOOM = 24, 8, 4
BACK = (255, 255, 255, 255)
LINE = (220, 40, 40, 255)


def button():
    """A rounded button with an anti-aliased edge: dark rim, light face."""
    px = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            # Distance outside the rounded rectangle of corner radius 7, sampled 4 x 4.
            inside = 0
            for sy in range(4):
                for sx in range(4):
                    fx, fy = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
                    cx = min(max(fx, 7), SIZE - 7)
                    cy = min(max(fy, 7), SIZE - 7)
                    inside += (fx - cx) ** 2 + (fy - cy) ** 2 <= 49
            rim = x < 2 or y < 2 or x >= SIZE - 2 or y >= SIZE - 2
            shade = 60 + int(120 * y / SIZE)
            colour = (40, 70, 130) if rim else (shade, shade + 40, 230)
            row.append(colour + (int(255 * inside / 16),))
        px.append(row)
    return px


def nine_grid(src, w, h):
    def axis(d, n):
        if d < GRID:
            return d
        if d >= n - GRID:
            return SIZE - (n - d)
        return GRID + (d - GRID) * (SIZE - 2 * GRID) // (n - 2 * GRID)
    return [[src[axis(y, h)][axis(x, w)] for x in range(w)] for y in range(h)]


def over(a, b):
    """a (with alpha) over the opaque b."""
    t = a[3] / 255
    return tuple(int(round(a[i] * t + b[i] * (1 - t))) for i in range(3)) + (255,)


def main():
    src = button()
    w, h = SIZE * ZOOM + 24 + 96 + 16 + 40 + 16, max(SIZE * ZOOM, 64) + 16
    px = [[BACK for _ in range(w)] for _ in range(h)]
    for y in range(SIZE * ZOOM):
        for x in range(SIZE * ZOOM):
            sx, sy = x // ZOOM, y // ZOOM
            on_line = x in (GRID * ZOOM, (SIZE - GRID) * ZOOM) or y in (GRID * ZOOM, (SIZE - GRID) * ZOOM)
            px[8 + y][8 + x] = LINE if on_line else over(src[sy][sx], BACK)
    for (ox, oy, bw, bh) in ((SIZE * ZOOM + 24, 8, 96, 40), (SIZE * ZOOM + 24 + 96 + 16, 8, 40, 64)):
        out = nine_grid(src, bw, bh)
        for y in range(bh):
            for x in range(bw):
                px[oy + y][ox + x] = over(out[y][x], BACK)
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    write_png(os.path.join(root, "docs", "images", "nine-grid.png"), px)
    return 0


if __name__ == "__main__":
    sys.exit(main())
