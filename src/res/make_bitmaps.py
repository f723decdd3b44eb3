#!/usr/bin/env python3
"""Draws the program's bitmaps: the main window's logo, the help window's logo and the three frame
skins ("ocean", blue, and "gold", orange, with their shared light background tile, and "night",
dark slate, with its own dark tile). The icon, the
window's as well as the desktop's, is make_icons.py's.

Run from anywhere: python3 src/res/make_bitmaps.py [--out DIR] (DIR defaults to src/res). The
version drawn into the help logo is the one in the top CMakeLists.txt. Only the standard library
is used, and the output is byte-for-byte reproducible.
"""
import argparse
import math
import os
import random
import re
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
TOP_CMAKELISTS = os.path.join(HERE, os.pardir, os.pardir, "CMakeLists.txt")
# The skins' bitmap numbers are those of the core's skin table, in its SkinPart order.
SKIN_TABLE = os.path.join(HERE, "..", "core", "skin", "SkinTable.h")
SKIN_PARTS = ["background", "title", "left", "right", "bottom",
              "minimise", "maximise", "close", "restore"]

# A small pixel font: '#' is ink. Lower-case letters sit on the same 7-row baseline.
GLYPHS = {
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "l": ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "i": [".#.", "...", "##.", ".#.", ".#.", ".#.", "###"],
    "x": [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    ".": [".", ".", ".", ".", ".", ".", "#"],
    "=": [".....", ".....", "#####", ".....", "#####", ".....", "....."],
}


def project_version():
    """The product's version as its windows show it (major.minor), from the top CMakeLists.txt."""
    with open(TOP_CMAKELISTS, encoding="utf-8") as cmakelists:
        found = re.search(r"project\(\s*Pelmorix\s+VERSION\s+(\d+)\.(\d+)", cmakelists.read())
    if not found:
        raise SystemExit("no project(Pelmorix VERSION major.minor ...) in " + TOP_CMAKELISTS)
    return "%s.%s" % found.groups()


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def gradient(self, top, bottom, vertical=True):
        span = (self.height if vertical else self.width) - 1 or 1
        for y in range(self.height):
            for x in range(self.width):
                t = (y if vertical else x) / span
                self.put(x, y, mix(top, bottom, t))

    def text(self, x, y, string, colour, scale=1):
        for ch in string:
            rows = GLYPHS[ch]
            for row, line in enumerate(rows):
                for col, cell in enumerate(line):
                    if cell == "#":
                        self.fill(x + col * scale, y + row * scale,
                                  x + (col + 1) * scale, y + (row + 1) * scale, colour)
            x += (len(rows[0]) + 1) * scale
        return x

    def png(self, path):
        # Colours are (r, g, b) or, where the background must show through, (r, g, b, alpha).
        # Written as 24-bit colour unless some pixel is see-through.
        rgba = [[px if len(px) == 4 else px + (255,) for px in row] for row in self.pixels]
        opaque = all(px[3] == 255 for row in rgba for px in row)
        channels = 3 if opaque else 4
        write_png(path, self.width, self.height, [[px[:channels] for px in row] for row in rgba])


def write_png(path, width, height, rows):
    """Writes 8-bit pixels, rows of (r, g, b) or rows of (r, g, b, alpha), as an unfiltered PNG."""
    channels = len(rows[0][0])
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)
    colour_type = 2 if channels == 3 else 6
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        for tag, data in ((b"IHDR", header), (b"IDAT", zlib.compress(raw, 9)), (b"IEND", b"")):
            out.write(struct.pack(">I", len(data)) + tag + data)
            out.write(struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def text_width(string, scale=1):
    return sum((len(GLYPHS[ch][0]) + 1) * scale for ch in string) - scale


def shadowed_text(canvas, x, y, string, ink, shadow, scale):
    canvas.text(x + 1, y + 1, string, shadow, scale)
    canvas.text(x, y, string, ink, scale)


def logo():
    canvas = Canvas(100, 25, (0, 0, 0))
    canvas.gradient((255, 214, 120), (236, 160, 32))
    x = (100 - text_width("Pelmorix", 2)) // 2
    shadowed_text(canvas, x, 6, "Pelmorix", (24, 40, 150), (255, 246, 214), 2)
    return canvas


def help_logo(version):
    canvas = Canvas(100, 50, (0, 0, 0))
    canvas.gradient((236, 244, 255), (150, 190, 240))
    x = (100 - text_width("Pelmorix", 2)) // 2
    shadowed_text(canvas, x, 4, "Pelmorix", (24, 40, 150), (255, 255, 255), 2)
    canvas.fill(6, 38, 70, 39, (90, 110, 160))
    for px in range(6, 70):
        y = 38 - round(8 * math.sin((px - 6) / 64 * 2 * math.pi))
        canvas.fill(px, y, px + 1, y + 2, (236, 120, 0))
    canvas.text(100 - text_width("V" + version) - 5, 36, "V" + version, (24, 40, 150))
    return canvas


# Frame skins.
# Sizes and layouts are fixed by the frame code: caption 22 rows, borders 6 pixels, buttons
# 14 x 14 in four states (normal, pressed, hot, inactive). Magenta marks pixels that the window
# mask cuts away: the rounded top corners, which span the side border and the title bar's ends.
KEY = (255, 0, 255)
CAPTION = 22
BORDER = 6
BUTTON = 14
TITLE_WIDTH = 160
SIDE_LENGTH = 66
BOTTOM_LENGTH = 76
# Pixels cut from the outer edge in each of the top rows of a window corner.
CORNER_CUT = [8, 5, 3, 2, 1, 1]
# Pixels cut in each corner row of a caption button.
BUTTON_CUT = [2, 1]

OCEAN = {
    "active": {
        "outline": (14, 44, 104),
        # Deep enough behind the white caption text for a contrast of 4.5 or more.
        "caption": [(56, 116, 200), (42, 100, 188), (30, 82, 172), (18, 60, 142)],
        "separator": (12, 42, 100),
        # From the outer edge inwards.
        "border": [(14, 44, 104), (120, 182, 246), (62, 138, 228), (40, 110, 208),
                   (28, 86, 184), (12, 42, 100)],
        "face": [(118, 178, 246), (28, 92, 196)],
        "hot": [(168, 214, 255), (56, 138, 242)],
        "pressed": [(16, 52, 128), (44, 104, 196)],
        "edge": (10, 36, 90),
        "glyph": (255, 255, 255),
        "shadow": (16, 48, 112),
    },
    "inactive": {
        "outline": (70, 80, 98),
        "caption": [(104, 114, 134), (92, 102, 122), (82, 92, 112), (70, 80, 100)],
        "separator": (70, 80, 98),
        "border": [(70, 80, 98), (176, 186, 202), (146, 158, 178), (128, 140, 160),
                   (112, 124, 146), (70, 80, 98)],
        "face": [(198, 204, 214), (160, 168, 182)],
        "edge": (88, 96, 112),
        "glyph": (112, 120, 136),
    },
}

GOLD = {
    "active": {
        "outline": (112, 52, 0),
        "caption": [(180, 88, 8), (164, 78, 4), (148, 68, 0), (124, 56, 0)],
        "separator": (104, 48, 0),
        "border": [(112, 52, 0), (255, 206, 120), (242, 156, 40), (222, 126, 16),
                   (196, 98, 4), (104, 48, 0)],
        "face": [(255, 196, 104), (206, 106, 0)],
        "hot": [(255, 224, 150), (246, 150, 28)],
        "pressed": [(134, 58, 0), (196, 100, 4)],
        "edge": (96, 44, 0),
        "glyph": (255, 255, 255),
        "shadow": (120, 56, 0),
    },
    "inactive": {
        "outline": (104, 88, 66),
        "caption": [(132, 112, 84), (120, 100, 74), (108, 90, 66), (94, 78, 56)],
        "separator": (104, 88, 66),
        "border": [(104, 88, 66), (216, 202, 178), (192, 174, 146), (174, 154, 124),
                   (156, 136, 108), (104, 88, 66)],
        "face": [(222, 212, 196), (186, 172, 150)],
        "edge": (120, 104, 82),
        "glyph": (138, 124, 104),
    },
}

# Dark and calm: slate blue-grey, light glyphs, a muted red close button; the buttons' gloss is
# faint so that the glyphs keep their contrast.
NIGHT = {
    "active": {
        "outline": (8, 10, 16),
        "caption": [(60, 68, 88), (46, 53, 70), (36, 42, 56), (27, 32, 43)],
        "separator": (12, 14, 22),
        "border": [(8, 10, 16), (72, 82, 106), (54, 62, 82), (43, 49, 65),
                   (33, 38, 51), (12, 14, 22)],
        "face": [(70, 80, 103), (42, 49, 65)],
        "hot": [(84, 97, 128), (56, 66, 90)],
        "pressed": [(22, 26, 36), (38, 44, 60)],
        "edge": (10, 12, 18),
        "glyph": (234, 238, 246),
        "shadow": (14, 16, 24),
    },
    "inactive": {
        "outline": (20, 22, 26),
        "caption": [(54, 57, 64), (45, 48, 55), (39, 42, 49), (33, 36, 42)],
        "separator": (20, 22, 26),
        "border": [(20, 22, 26), (62, 65, 72), (52, 55, 62), (45, 48, 55),
                   (39, 42, 49), (20, 22, 26)],
        "face": [(58, 62, 70), (44, 48, 56)],
        "edge": (24, 26, 30),
        "glyph": (184, 190, 202),
    },
    "gloss": 0.04,
    "close": {
        "face": [(150, 52, 44), (104, 28, 22)],
        "hot": [(178, 70, 58), (128, 40, 32)],
        "pressed": [(70, 14, 10), (110, 30, 24)],
        "edge": (50, 10, 8),
        "shadow": (48, 10, 8),
    },
}

# Red close buttons in every skin, so the one that ends things stands out.
CLOSE_FACES = {
    "face": [(246, 140, 118), (196, 44, 26)],
    "hot": [(255, 180, 160), (236, 84, 58)],
    "pressed": [(132, 24, 12), (192, 58, 40)],
    "edge": (110, 20, 10),
    "shadow": (120, 24, 12),
}

GLYPHS_8 = {
    "close": ["##....##", "###..###", ".######.", "..####..",
              "..####..", ".######.", "###..###", "##....##"],
    "maximise": ["########", "########", "#......#", "#......#",
                 "#......#", "#......#", "#......#", "########"],
    "minimise": ["........", "........", "........", "........",
                 "........", "........", ".######.", ".######."],
    "restore": ["..######", "..######", "..#....#", "######.#",
                "######.#", "#....###", "#....#..", "######.."],
}


def corner_cut(x, y):
    """True where a window's top corner is cut; x counts from the outer side edge."""
    return y < len(CORNER_CUT) and x < CORNER_CUT[y]


def corner_outline(x, y):
    return not corner_cut(x, y) and (
        x == 0 or y == 0 or corner_cut(x - 1, y) or corner_cut(x, y - 1))


def caption_row(state, y):
    """The caption colour of row y: outline, a glossy upper half, a deeper lower half, a rule."""
    if y == 0:
        return state["outline"]
    if y == CAPTION - 1:
        return state["separator"]
    top, mid, low, bottom = state["caption"]
    if y <= 10:
        return mix(top, mid, (y - 1) / 9)
    return mix(low, bottom, (y - 11) / 9)


def caption_pixel(state, x_outer, y):
    """A caption pixel x_outer pixels in from the nearer side edge of the window."""
    if corner_cut(x_outer, y):
        return KEY
    if corner_outline(x_outer, y):
        return state["outline"]
    return caption_row(state, y)


def title_bar(skin):
    canvas = Canvas(TITLE_WIDTH, 2 * CAPTION, KEY)
    for half, state in enumerate((skin["active"], skin["inactive"])):
        for y in range(CAPTION):
            for x in range(TITLE_WIDTH):
                x_outer = BORDER + min(x, TITLE_WIDTH - 1 - x)
                canvas.put(x, half * CAPTION + y, caption_pixel(state, x_outer, y))
    return canvas


def side_border(skin, right):
    canvas = Canvas(2 * BORDER, SIDE_LENGTH, KEY)
    for half, state in enumerate((skin["active"], skin["inactive"])):
        for y in range(SIDE_LENGTH):
            for col in range(BORDER):
                x_outer = BORDER - 1 - col if right else col
                if y < CAPTION:
                    colour = caption_pixel(state, x_outer, y)
                else:
                    colour = state["border"][x_outer]
                canvas.put(half * BORDER + col, y, colour)
    return canvas


def bottom_border(skin):
    canvas = Canvas(BOTTOM_LENGTH, 2 * BORDER, KEY)
    for half, state in enumerate((skin["active"], skin["inactive"])):
        for row in range(BORDER):
            for x in range(BOTTOM_LENGTH):
                # Mitred corners: each pixel takes the colour of its distance to the outside.
                outer = min(BORDER - 1 - row, x, BOTTOM_LENGTH - 1 - x)
                canvas.put(x, half * BORDER + row, state["border"][min(outer, BORDER - 1)])
    return canvas


def glyph_pixels(name):
    return [(x + 3, y + 3) for y, line in enumerate(GLYPHS_8[name])
            for x, cell in enumerate(line) if cell == "#"]


def button_cut(x, y):
    for dy in (y, BUTTON - 1 - y):
        for dx in (x, BUTTON - 1 - x):
            if dy < len(BUTTON_CUT) and dx < BUTTON_CUT[dy]:
                return True
    return False


def button_state(canvas, left, state, faces, glyph, look):
    """One 14 x 14 state at column left; look is normal, pressed, hot or inactive."""
    top_row = (CAPTION - BUTTON) // 2
    gradient = faces["face"] if look in ("normal", "inactive") else faces[look]
    for y in range(BUTTON):
        for x in range(BUTTON):
            if button_cut(x, y):
                colour = caption_row(state, top_row + y)
            elif (x in (0, BUTTON - 1) or y in (0, BUTTON - 1)
                  or button_cut(x - 1, y) or button_cut(x + 1, y)):
                colour = faces["edge"]
            else:
                t = (y - 1) / (BUTTON - 3)
                colour = mix(gradient[0], gradient[1], t)
                if look != "pressed" and y <= 5:
                    colour = mix(colour, (255, 255, 255), faces.get("gloss", 0.18))
            canvas.put(left + x, y, colour)
    shift = 1 if look == "pressed" else 0
    pixels = glyph_pixels(glyph)
    if look != "inactive":
        for x, y in pixels:
            canvas.put(left + x + shift + 1, y + shift + 1, faces["shadow"])
    for x, y in pixels:
        canvas.put(left + x + shift, y + shift, state["glyph"])


def caption_button(skin, glyph):
    canvas = Canvas(4 * BUTTON, BUTTON, KEY)
    for index, look in enumerate(("normal", "pressed", "hot", "inactive")):
        state = skin["inactive"] if look == "inactive" else skin["active"]
        faces = dict(state, gloss=skin.get("gloss", 0.18))
        if glyph == "close" and look != "inactive":
            faces.update(skin.get("close", CLOSE_FACES))
        button_state(canvas, index * BUTTON, state, faces, glyph, look)
    return canvas


def background_tile(base=(222, 226, 233), seed=166, depth=1.0):
    """150 x 150, seamless: soft periodic blotches, a faint diagonal weave and a fine grain;
    depth scales all three (a dark tile wants them fainter)."""
    size = 150
    rng = random.Random(seed)
    waves = [(rng.randint(1, 3), rng.randint(1, 3), rng.uniform(0, 2 * math.pi),
              rng.uniform(1.0, 2.0)) for _ in range(5)]
    canvas = Canvas(size, size, (0, 0, 0))
    for y in range(size):
        for x in range(size):
            shade = sum(a * math.cos(2 * math.pi * (fx * x + fy * y) / size + p)
                        for fx, fy, p, a in waves)
            if (x + y) % 6 == 0 or (x - y) % 6 == 0:
                shade -= 2.5
            shade += rng.uniform(-1.5, 1.5)
            shade *= depth
            canvas.put(x, y, tuple(max(0, min(255, round(c + shade))) for c in base))
    return canvas


def skin_ids():
    """The bitmap numbers of each skin by name ("ocean", ...), read from the skin table."""
    with open(SKIN_TABLE, encoding="utf-8") as table:
        rows = re.findall(r'\{Skin::\w+, \{"(\w+)", "[^"]*"\}, \{([\d, ]+)\}, \w+\}',
                          table.read())
    return {name: dict(zip(SKIN_PARTS, map(int, numbers.split(",")))) for name, numbers in rows}


def skin_bitmaps():
    """(resource number, canvas) for the 26 skin bitmaps."""
    table = skin_ids()
    assert sorted(table) == ["gold", "night", "ocean"], table
    assert table["ocean"]["background"] == table["gold"]["background"]
    yield table["ocean"]["background"], background_tile()
    yield table["night"]["background"], background_tile((31, 35, 45), 198, 0.45)
    for name, skin in (("ocean", OCEAN), ("gold", GOLD), ("night", NIGHT)):
        ids = table[name]
        yield ids["title"], title_bar(skin)
        yield ids["left"], side_border(skin, right=False)
        yield ids["right"], side_border(skin, right=True)
        yield ids["bottom"], bottom_border(skin)
        for glyph in ("minimise", "maximise", "close", "restore"):
            yield ids[glyph], caption_button(skin, glyph)


def output_folder(description):
    """The folder named by --out on the command line, or src/res."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--out", default=HERE, help="where to write (default: %(default)s)")
    return parser.parse_args().out


def main():
    out = output_folder("Draws the program's bitmaps.")
    version = project_version()
    for name, canvas in (("logo151.png", logo()), ("helplogo135.png", help_logo(version))):
        canvas.png(os.path.join(out, name))
    os.makedirs(os.path.join(out, "skin"), exist_ok=True)
    for number, canvas in skin_bitmaps():
        canvas.png(os.path.join(out, "skin", "%d.png" % number))


if __name__ == "__main__":
    main()
