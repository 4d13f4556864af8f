#!/usr/bin/env python3
"""Writes the example skin of docs/skin-format.md, ready to load: docs/example/Example.xml (the
reference's own text) and the bitmaps it names, docs/example/Example/frame.bmp and open.bmp.

frame.bmp is 64 x 48. Its left 48 columns hold the frame: the top 30 rows the caption (left
corner, edge and right corner, 16 pixels wide each), the rows below them the sides and the
bottom edge. Its right 16 columns hold the close button's normal, hot and pressed looks, 14 rows
each, one below the other. Run it again after changing the example; the outputs are committed.
"""
import os
import re
import sys

from bmp_file import fill, mix, write_bmp

MAGENTA = (255, 0, 255)
CAPTION_TOP, CAPTION_BOTTOM = (74, 134, 222), (34, 84, 168)
EDGE, EDGE_DARK = (40, 88, 170), (20, 48, 104)
WHITE = (255, 255, 255)


def frame():
    px = [[MAGENTA] * 64 for _ in range(48)]
    # Caption pieces: a vertical gradient with a light line on top and a dark seam at the bottom.
    for y in range(30):
        fill(px, 0, y, 48, y + 1, mix(CAPTION_TOP, CAPTION_BOTTOM, y / 29))
    fill(px, 0, 0, 48, 1, mix(CAPTION_TOP, WHITE, 0.5))
    fill(px, 0, 29, 48, 30, EDGE_DARK)
    # Sides (4 pixels wide, 2 rows that tile) and the bottom pieces (4 rows).
    fill(px, 0, 30, 4, 32, EDGE)
    fill(px, 0, 30, 1, 32, EDGE_DARK)
    fill(px, 44, 30, 48, 32, EDGE)
    fill(px, 47, 30, 48, 32, EDGE_DARK)
    fill(px, 0, 44, 48, 48, EDGE)
    fill(px, 0, 47, 48, 48, EDGE_DARK)
    # The close button: a plate with a white cross, lighter when hot, darker when pressed.
    for row, plate in enumerate(((196, 72, 60), (232, 104, 88), (150, 44, 34))):
        y0 = row * 14
        fill(px, 48, y0, 64, y0 + 14, mix(CAPTION_TOP, CAPTION_BOTTOM, 0.3))
        fill(px, 49, y0 + 1, 63, y0 + 13, plate)
        for d in range(-3, 4):
            px[y0 + 7 + d][56 + d] = WHITE
            px[y0 + 7 + d][55 - d] = WHITE
    return px


def open_button():
    """A 24-pixel folder on white, which the toolbar shows as transparent."""
    px = [[WHITE] * 24 for _ in range(24)]
    fill(px, 4, 6, 11, 8, (230, 170, 40))
    fill(px, 3, 8, 21, 19, (230, 170, 40))
    fill(px, 4, 10, 20, 18, (250, 206, 96))
    return px


def example_text(doc):
    found = re.search(r"<!-- example-skin -->\n```xml\n(.*?)```\n<!-- /example-skin -->", doc, re.S)
    if not found:
        sys.exit("docs/skin-format.md has no example skin")
    return found.group(1)


def main():
    docs = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "docs")
    with open(os.path.join(docs, "skin-format.md"), encoding="utf-8") as f:
        text = example_text(f.read())
    folder = os.path.join(docs, "example")
    os.makedirs(os.path.join(folder, "Example"), exist_ok=True)
    with open(os.path.join(folder, "Example.xml"), "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    write_bmp(os.path.join(folder, "Example", "frame.bmp"), frame())
    write_bmp(os.path.join(folder, "Example", "open.bmp"), open_button())
    return 0


if __name__ == "__main__":
    sys.exit(main())
