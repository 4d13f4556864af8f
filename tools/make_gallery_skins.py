#!/usr/bin/env python3
"""Draws the bitmaps of the gallery's three bundled skins.

Writes 24-bit BMP files into samples/gallery/Definitions/<Skin>/: the frame image every part
and caption button is cut from, a watermark tiled behind the client area, and a 16-pixel
command image strip. The layout of frame.bmp matches the <parts> of <Skin>.xml beside it.
Each image is also written as a PNG of the same pixels, and <Skin>Png.xml, the same skin
naming the PNG files, beside <Skin>.xml: both must look the same. AuroraGlass.xml is Aurora
with translucent, anti-aliased round caption buttons (AuroraGlass/frame.png) and a nine-grid on
its caption strip; AuroraGlass/frame@2x.png is its frame drawn at twice the resolution, which
windows at 192 DPI and above take instead of enlarging the 1x pixels.
Aurora and Midnight also get a soft shadow for their frames (shadow.png, the inactive look in
shadow-inactive.png): a blurred dark alpha around a nine-grid whose
margins are how far the shadow reaches past the frame, Midnight's darker and wider.
Run it again after changing a skin's look; the outputs are committed.
"""
import math
import os
import re
import sys

from bmp_file import blank, fill, mix, write_bmp
from png_file import write_png

FRAME_W, FRAME_H = 160, 120
CAPTION_H = 30      # height of the top pieces
EDGE = 6            # width of the side and bottom edges
BUTTON = 20         # caption buttons are BUTTON x BUTTON
MAGENTA = (255, 0, 255)


def gradient(px, x0, y0, x1, y1, top, bottom):
    for y in range(y0, y1):
        c = mix(top, bottom, (y - y0) / max(1, y1 - y0 - 1))
        for x in range(x0, x1):
            px[y][x] = c


def disc(px, cx, cy, radius, colour, x0, y0, x1, y1):
    for y in range(y0, y1):
        for x in range(x0, x1):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                px[y][x] = colour


def glyph(px, kind, x0, y0, colour):
    """Draws a caption button symbol inside the BUTTON square at (x0, y0)."""
    c = x0 + BUTTON // 2
    m = y0 + BUTTON // 2
    if kind == "close":
        for d in range(-4, 5):
            for t in (0, 1):
                px[m + d][c + d - t] = colour
                px[m + d][c - d - t] = colour
    elif kind == "min":
        fill(px, c - 5, m + 3, c + 5, m + 5, colour)
    elif kind == "max":
        fill(px, c - 5, m - 5, c + 5, m - 3, colour)
        for x in range(c - 5, c + 5):
            px[m + 4][x] = colour
        for y in range(m - 5, m + 5):
            px[y][c - 5] = colour
            px[y][c + 4] = colour
    elif kind == "sys":
        fill(px, c - 4, m - 4, c + 4, m + 4, colour)


def scaled_glyph(px, kind, x0, y0, colour, scale):
    """The glyph's pixels, each a scale x scale square, in the button at (x0, y0) of px."""
    solid = blank(BUTTON, BUTTON, None)
    glyph(solid, kind, 0, 0, colour)
    for y in range(BUTTON * scale):
        for x in range(BUTTON * scale):
            if solid[y // scale][x // scale] is not None:
                px[y0 + y][x0 + x] = solid[y // scale][x // scale]


def caption_buttons(style):
    """Each caption button's cell: its kind, top-left corner and face colour, on rows 60, 80 and
    100 for normal, hover and pressed, a column per button."""
    for col, kind in enumerate(("sys", "min", "max", "close")):
        for state, y0 in enumerate((60, 80, 100)):
            back = style["close_hot"][state - 1] if kind == "close" and state else style["button"][state]
            yield kind, col * BUTTON, y0, back


def frame_image(style, s=1):
    """The frame; s = 2 draws it at twice the resolution, every position and size doubled."""
    px = blank(FRAME_W * s, FRAME_H * s, MAGENTA)
    # Active top pieces on row 0, inactive ones on row 30: left corner 0..24, strip 24..40,
    # right corner 40..64.
    for row, active in ((0, True), (CAPTION_H, False)):
        top, bottom = style["caption"] if active else style["caption_inactive"]
        gradient(px, 0, row * s, 64 * s, (row + CAPTION_H) * s, top, bottom)
        # A highlight line along the top edge and a darker seam above the client area.
        fill(px, 0, row * s, 64 * s, (row + 1) * s, mix(top, (255, 255, 255), 0.5))
        fill(px, 0, (row + CAPTION_H - 1) * s, 64 * s, (row + CAPTION_H) * s, style["edge_dark"])
        # The corners carry the window's rounded outline: outside it stays magenta, which the
        # window region cuts away. Pixels are tested at their centres, as the region's
        # 16-pixel rounding keeps them, so that no magenta shows along the arc.
        if style["round"]:
            r = 8 * s
            for y in range(row * s, row * s + r):
                for x in range(0, r):
                    if (x + 0.5 - r) ** 2 + (y - row * s + 0.5 - r) ** 2 > r * r:
                        px[y][x] = MAGENTA
                for x in range(56 * s, 64 * s):
                    if (x + 0.5 - 56 * s) ** 2 + (y - row * s + 0.5 - r) ** 2 > r * r:
                        px[y][x] = MAGENTA
    # Edges: left 64..70, right 70..76, rows 0..30 (end pieces 0..6 and 24..30, the rest tiles).
    for x0 in (64, 70):
        gradient(px, x0 * s, 0, (x0 + EDGE) * s, CAPTION_H * s, style["edge"], style["edge"])
        for y in range(0, CAPTION_H * s):
            for k in range(s):
                px[y][x0 * s + k if x0 == 64 else (x0 + EDGE) * s - 1 - k] = style["edge_dark"]
    # Bottom: 76..100 corner, 100..116 strip, 116..140 corner, height EDGE.
    gradient(px, 76 * s, 0, 140 * s, EDGE * s, style["edge"], style["edge_dark"])
    # Caption buttons on rows 60, 80, 100: normal, hover, pressed; columns per button.
    for kind, x0, y0, back in caption_buttons(style):
        x0, y0 = x0 * s, y0 * s
        fill(px, x0, y0, x0 + BUTTON * s, y0 + BUTTON * s, style["caption"][0])
        disc(px, x0 + BUTTON * s / 2, y0 + BUTTON * s / 2, (BUTTON / 2 - 1) * s, back, x0, y0, x0 + BUTTON * s,
             y0 + BUTTON * s)
        scaled_glyph(px, kind, x0, y0, style["glyph"], s)
    return px


def watermark(style):
    w = h = 64
    px = blank(w, h, style["paper"])
    for y in range(h):
        for x in range(w):
            wave = math.sin((x + y) / 6.0) * 0.5 + 0.5
            px[y][x] = mix(style["paper"], style["paper_line"], 0.18 * wave)
    return px


def command_strip(style):
    """Five 16-pixel images: open, save, cut, copy, paste."""
    px = blank(16 * 5, 16, (0, 255, 0))
    ink, accent = style["ink"], style["accent"]
    # open: folder
    fill(px, 1, 5, 15, 14, accent)
    fill(px, 1, 3, 7, 5, accent)
    fill(px, 2, 7, 14, 13, mix(accent, (255, 255, 255), 0.4))
    # save: disk
    fill(px, 17, 1, 31, 15, ink)
    fill(px, 20, 2, 28, 7, (240, 240, 240))
    fill(px, 20, 10, 28, 14, accent)
    # cut: scissors
    for d in range(8):
        px[2 + d][36 + d] = ink
        px[2 + d][43 - d] = ink
    disc(px, 37, 12, 3, accent, 32, 0, 48, 16)
    disc(px, 43, 12, 3, accent, 32, 0, 48, 16)
    # copy: two sheets
    fill(px, 49, 1, 58, 12, ink)
    fill(px, 50, 2, 57, 11, (250, 250, 250))
    fill(px, 54, 5, 63, 15, ink)
    fill(px, 55, 6, 62, 14, mix(accent, (255, 255, 255), 0.6))
    # paste: clipboard
    fill(px, 66, 2, 78, 15, ink)
    fill(px, 67, 4, 77, 14, (250, 250, 250))
    fill(px, 69, 1, 75, 4, accent)
    return px


TOOLBAR_COMMANDS = ("open", "save", "cut", "copy", "paste")
BUTTON_SIZE = 24


def toolbar_buttons(style, strip):
    """Three 24-pixel images per toolbar command (normal, hover, pressed): the command's icon on
    white (transparent on the bar), on a light rounded plate, and on a darker one."""
    images = {}
    for index, name in enumerate(TOOLBAR_COMMANDS):
        for state, plate in (("", None), ("_hover", style["plate_hover"]), ("_select", style["plate_select"])):
            px = blank(BUTTON_SIZE, BUTTON_SIZE, (255, 255, 255))
            if plate:
                for y in range(1, BUTTON_SIZE - 1):
                    for x in range(1, BUTTON_SIZE - 1):
                        corner = (x in (1, BUTTON_SIZE - 2)) and (y in (1, BUTTON_SIZE - 2))
                        if not corner:
                            edge = x in (1, BUTTON_SIZE - 2) or y in (1, BUTTON_SIZE - 2)
                            px[y][x] = style["accent"] if edge else plate
            shift = 1 if state == "_select" else 0
            for y in range(16):
                for x in range(16):
                    c = strip[y][index * 16 + x]
                    if c != (0, 255, 0):
                        px[4 + y + shift][4 + x + shift] = c
            images["bar_%s%s.bmp" % (name, state)] = px
    return images


STYLES = {
    "Aurora": {
        "round": True,
        "caption": ((74, 144, 226), (36, 84, 170)),
        "caption_inactive": ((150, 170, 196), (118, 136, 162)),
        "edge": (52, 104, 190), "edge_dark": (24, 56, 120),
        "button": ((92, 156, 232), (140, 196, 255), (30, 70, 150)),
        "close_hot": ((232, 96, 80), (170, 40, 30)),
        "glyph": (255, 255, 255),
        "paper": (236, 243, 252), "paper_line": (120, 160, 220),
        "ink": (40, 60, 110), "accent": (70, 140, 230),
        "plate_hover": (200, 221, 246), "plate_select": (150, 190, 240),
    },
    "Ember": {
        "round": False,
        "caption": ((64, 46, 40), (30, 22, 20)),
        "caption_inactive": ((96, 92, 90), (70, 66, 64)),
        "edge": (54, 40, 34), "edge_dark": (20, 14, 12),
        "button": ((88, 64, 52), (220, 120, 40), (150, 70, 20)),
        "close_hot": ((230, 80, 30), (160, 40, 10)),
        "glyph": (255, 200, 140),
        "paper": (250, 240, 228), "paper_line": (230, 140, 60),
        "ink": (70, 40, 20), "accent": (230, 120, 40),
        "plate_hover": (246, 200, 160), "plate_select": (230, 160, 100),
    },
    # Dark throughout: slate frame and paper, light ink. Its colour scheme gives every text a
    # light colour (see Midnight.xml).
    "Midnight": {
        "round": True,
        "caption": ((52, 60, 76), (28, 33, 43)),
        "caption_inactive": ((58, 62, 70), (44, 48, 55)),
        "edge": (40, 46, 58), "edge_dark": (14, 16, 22),
        "button": ((62, 72, 92), (92, 116, 150), (38, 48, 66)),
        "close_hot": ((214, 72, 72), (150, 40, 40)),
        "glyph": (226, 232, 240),
        "paper": (37, 42, 51), "paper_line": (96, 130, 190),
        "ink": (196, 206, 222), "accent": (96, 156, 236),
        "plate_hover": (62, 76, 100), "plate_select": (84, 104, 140),
    },
}


# The frame shadows: how far each reaches past the frame (the grid's margins, in 96-DPI pixels),
# the blur's spread and the darkness under the frame, active and inactive.
SHADOWS = {
    "Aurora": {"reach": 18, "sigma": 5.5, "active": 0.34, "inactive": 0.2},
    "Midnight": {"reach": 20, "sigma": 6.5, "active": 0.55, "inactive": 0.34},
}
SHADOW_CENTRE = 8   # the stretched middle of the nine-grid


def shadow_image(reach, sigma, darkness):
    """A black picture whose alpha is a large rectangle's edges blurred by a Gaussian: the frame
    lies from reach in from every side, so each margin holds the fall-off outside one edge and
    the middle, stretched along the frame, is the shadow under it."""
    side = 2 * reach + SHADOW_CENTRE

    def cover(i):
        # The blurred frame's cover along one axis, mirrored about the middle.
        d = min(i + 0.5, side - i - 0.5) - reach
        return 0.5 * (1 + math.erf(d / (sigma * math.sqrt(2))))

    axis = [cover(i) for i in range(side)]
    return [[(0, 0, 0, int(round(255 * darkness * axis[x] * axis[y]))) for x in range(side)] for y in range(side)]


def write_shadows(folder, shadow):
    # No variants: the skins' other images have none, and a blur enlarged stays a blur.
    for file_name, darkness in (("shadow", shadow["active"]), ("shadow-inactive", shadow["inactive"])):
        write_png(os.path.join(folder, file_name + ".png"), shadow_image(shadow["reach"], shadow["sigma"], darkness))


def write_both(folder, file_name, px):
    write_bmp(os.path.join(folder, file_name), px)
    write_png(os.path.join(folder, file_name[:-4] + ".png"), px)


def write_png_definition(root, name):
    """<name>Png.xml: <name>.xml naming the PNG copies of its images."""
    with open(os.path.join(root, name + ".xml"), encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r'(path="%s\\[^"]*)\.bmp"' % name, r'\1.png"', text)
    text = text.replace('<manifest type="skin" name="%s"/>' % name, '<manifest type="skin" name="%sPng"/>' % name)
    text = text.replace("<!-- %s:" % name, "<!-- %sPng, generated from %s.xml by tools/make_gallery_skins.py:" % (name, name), 1)
    with open(os.path.join(root, name + "Png.xml"), "w", encoding="utf-8", newline="") as f:
        f.write(text)


def glass_frame(style, s=1):
    """The frame with its caption buttons as anti-aliased translucent discs over nothing; s as
    for frame_image."""
    px = [[c + (255,) for c in row] for row in frame_image(style, s)]
    side = BUTTON * s
    for kind, x0, y0, back in caption_buttons(style):
        x0, y0 = x0 * s, y0 * s
        radius = (BUTTON / 2 - 1) * s
        for y in range(side):
            for x in range(side):
                cover = sum((x + (sx + 0.5) / 4 - side / 2) ** 2 + (y + (sy + 0.5) / 4 - side / 2) ** 2
                            <= radius * radius for sx in range(4) for sy in range(4))
                # The face lets a third of the caption through; the glyph is solid.
                px[y0 + y][x0 + x] = back + (int(cover * 255 * 2 / 3 / 16),)
        solid = blank(side, side, None)
        scaled_glyph(solid, kind, 0, 0, style["glyph"], s)
        for y in range(side):
            for x in range(side):
                if solid[y][x] is not None:
                    px[y0 + y][x0 + x] = solid[y][x] + (255,)
    return px


def write_glass_definition(root):
    with open(os.path.join(root, "Aurora.xml"), encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r'(path="Aurora\\[^"]*)\.bmp"', r'\1.png"', text)
    text = text.replace('path="Aurora\\frame.png"', 'path="AuroraGlass\\frame.png"')
    text = text.replace('<manifest type="skin" name="Aurora"/>', '<manifest type="skin" name="AuroraGlass"/>')
    text = text.replace("<!-- Aurora:", "<!-- AuroraGlass, generated from Aurora.xml by tools/make_gallery_skins.py:"
                        " translucent round buttons, a nine-grid caption strip;", 1)
    text = text.replace('<part name="Top" rect="24,0,16,30"/>', '<part name="Top" rect="24,0,16,30" mode="stretch" grid="3,1,3,1"/>')
    text = text.replace('<part name="TopIA" rect="24,30,16,30"/>', '<part name="TopIA" rect="24,30,16,30" mode="stretch" grid="3,1,3,1"/>')
    with open(os.path.join(root, "AuroraGlass.xml"), "w", encoding="utf-8", newline="") as f:
        f.write(text)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "gallery", "Definitions")
    for name, style in STYLES.items():
        folder = os.path.join(root, name)
        os.makedirs(folder, exist_ok=True)
        write_both(folder, "frame.bmp", frame_image(style))
        write_both(folder, "paper.bmp", watermark(style))
        strip = command_strip(style)
        write_both(folder, "commands.bmp", strip)
        for file_name, px in toolbar_buttons(style, strip).items():
            write_both(folder, file_name, px)
        if name in SHADOWS:
            write_shadows(folder, SHADOWS[name])
        write_png_definition(root, name)
    os.makedirs(os.path.join(root, "AuroraGlass"), exist_ok=True)
    write_png(os.path.join(root, "AuroraGlass", "frame.png"), glass_frame(STYLES["Aurora"]))
    write_png(os.path.join(root, "AuroraGlass", "frame@2x.png"), glass_frame(STYLES["Aurora"], 2))
    write_glass_definition(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
