#!/usr/bin/env python3
"""Draws the program's bitmaps: the icon, the main window's logo and the help window's logo.

Run from anywhere: python3 src/res/make_bitmaps.py. Only the standard library is used, and the
output is byte-for-byte reproducible.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

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
    "9": [".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    ".": [".", ".", ".", ".", ".", ".", "#"],
    "=": [".....", ".....", "#####", ".....", "#####", ".....", "....."],
}


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
        raw = b"".join(b"\x00" + bytes(c for px in row for c in px[:channels]) for row in rgba)
        colour_type = 2 if opaque else 6
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, colour_type, 0, 0, 0)
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


def help_logo():
    canvas = Canvas(100, 50, (0, 0, 0))
    canvas.gradient((236, 244, 255), (150, 190, 240))
    x = (100 - text_width("Pelmorix", 2)) // 2
    shadowed_text(canvas, x, 4, "Pelmorix", (24, 40, 150), (255, 255, 255), 2)
    canvas.fill(6, 38, 70, 39, (90, 110, 160))
    for px in range(6, 70):
        y = 38 - round(8 * math.sin((px - 6) / 64 * 2 * math.pi))
        canvas.fill(px, y, px + 1, y + 2, (236, 120, 0))
    canvas.text(100 - text_width("V9.0") - 5, 36, "V9.0", (24, 40, 150))
    return canvas


def icon():
    size = 64
    canvas = Canvas(size, size, (0, 0, 0, 0))
    outline = (60, 40, 10)
    for y in range(size):
        for x in range(size):
            # A rounded body: corners cut on a 6-pixel radius.
            dx = max(6 - x, x - (size - 7), 0)
            dy = max(6 - y, y - (size - 7), 0)
            if dx * dx + dy * dy <= 36:
                canvas.put(x, y, mix((255, 214, 120), (226, 140, 20), y / (size - 1)))
            elif dx * dx + dy * dy <= 49:
                canvas.put(x, y, outline)
    canvas.fill(8, 8, 56, 24, (24, 40, 120))
    canvas.text(12, 12, "=", (120, 255, 160))
    canvas.text(24, 12, "9.0", (120, 255, 160))
    for row in range(3):
        for col in range(3):
            x0, y0 = 9 + col * 16, 29 + row * 10
            canvas.fill(x0, y0, x0 + 14, y0 + 8, (70, 50, 20))
            canvas.fill(x0, y0, x0 + 13, y0 + 7, (250, 250, 246))
    return canvas


def main():
    for name, canvas in (("icon128.png", icon()), ("logo151.png", logo()),
                         ("helplogo135.png", help_logo())):
        canvas.png(os.path.join(HERE, name))


if __name__ == "__main__":
    main()
