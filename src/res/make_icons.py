#!/usr/bin/env python3
"""Draws the icon at 16, 24, 32, 48, 64, 128 and 256 pixels: the desktop's icons for the hicolor
theme, and the main window's icon (the 128-pixel one, compiled in under the name icon128.png).

Run from anywhere: python3 src/res/make_icons.py [--out DIR]. It writes
DIR/icons/pelmorix-<N>.png (DIR defaults to src/res). The display reads the version in the top
CMakeLists.txt. Each size is laid out on its own pixel grid (edges fall on whole pixels, smaller
sizes drop detail), so no size is a blurred scaling of another. Only the standard library is
used, and the output is byte-for-byte reproducible.
"""
import os

from make_bitmaps import GLYPHS, output_folder, project_version, write_png

SIZES = (16, 24, 32, 48, 64, 128, 256)

BODY_TOP = (255, 214, 120)
BODY_BOTTOM = (226, 140, 20)
OUTLINE = (96, 60, 12)
DISPLAY = (24, 40, 120)
DIGITS = (120, 255, 160)
KEY = (250, 250, 246)
KEY_SHADOW = (70, 50, 20)

# Two pixel fonts for the display: 5x7 where it has room, 3x5 where it is small.
FONT_5X7 = {ch: GLYPHS[ch] for ch in "0123456789.="}
FONT_5X7[" "] = ["..", "..", "..", "..", "..", "..", ".."]
FONT_3X5 = {
    "=": ["...", "###", "...", "###", "..."],
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
    "3": ["##.", "..#", ".#.", "..#", "##."],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "5": ["###", "#..", "##.", "..#", "##."],
    "6": [".##", "#..", "###", "#.#", "###"],
    "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"],
    "9": ["###", "#.#", "###", "..#", "##."],
    ".": [".", ".", ".", ".", "#"],
    " ": [".", ".", ".", ".", "."],
}
READOUT = "= " + project_version()


class Canvas:
    """Straight-alpha RGBA pixels in 0..1, drawn with the "over" operator."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0 or not (0 <= x < self.size and 0 <= y < self.size):
            return
        r, g, b = (c / 255 for c in colour)
        dr, dg, db, da = self.pixels[y][x]
        a = coverage + da * (1 - coverage)
        if a == 0:
            return
        mixed = [(s * coverage + d * da * (1 - coverage)) / a for s, d in ((r, dr), (g, dg), (b, db))]
        self.pixels[y][x] = (mixed[0], mixed[1], mixed[2], a)

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.blend(x, y, colour, 1.0)

    def png(self, path):
        rows = [[tuple(min(255, max(0, round(c * 255))) for c in px) for px in row]
                for row in self.pixels]
        write_png(path, self.size, self.size, rows)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def inside_rounded(px, py, x0, y0, x1, y1, radius):
    """Whether the point lies in the rectangle [x0,x1)x[y0,y1) with corners of that radius."""
    if not (x0 <= px <= x1 and y0 <= py <= y1):
        return False
    cx = min(max(px, x0 + radius), x1 - radius)
    cy = min(max(py, y0 + radius), y1 - radius)
    return (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius


def rounded_coverage(x, y, box, radius, samples=8):
    """The share of pixel (x, y) inside the rounded box; exact 0 or 1 away from the corners."""
    x0, y0, x1, y1 = box
    near_x = x < x0 + radius or x >= x1 - radius
    near_y = y < y0 + radius or y >= y1 - radius
    if not (near_x and near_y):
        return 1.0 if x0 <= x < x1 and y0 <= y < y1 else 0.0
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            hits += inside_rounded(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples,
                                   x0, y0, x1, y1, radius)
    return hits / (samples * samples)


def layout(size):
    """Whole-pixel geometry for one size, from a 64-unit design."""
    unit = size / 64
    margin = round(size / 32)
    inner = max(2, round(7 * unit))
    display_height = max(4, round(16 * unit))
    body = (margin, margin, size - margin, size - margin)
    left, right = margin + inner, size - margin - inner
    display = (left, margin + inner, right, margin + inner + display_height)
    keys_top = display[3] + max(1, round(5 * unit))
    return {
        "body": body,
        "radius": max(2.5, 6 * unit),
        "outline": max(1, round(size / 64)),
        "display": display,
        "keys": (left, keys_top, right, size - margin - inner),
        "rows": 3 if size >= 24 else 2,
        "gap": max(1, round(2 * unit)),
        "shadow": max(1, round(size / 64)),
    }


def draw_body(canvas, geometry):
    x0, y0, x1, y1 = geometry["body"]
    radius, width = geometry["radius"], geometry["outline"]
    inner_box = (x0 + width, y0 + width, x1 - width, y1 - width)
    for y in range(canvas.size):
        colour = mix(BODY_TOP, BODY_BOTTOM, (y - y0) / max(1, y1 - y0 - 1))
        for x in range(canvas.size):
            outer = rounded_coverage(x, y, geometry["body"], radius)
            inner = rounded_coverage(x, y, inner_box, max(1.0, radius - width))
            canvas.blend(x, y, OUTLINE, outer)
            canvas.blend(x, y, colour, inner)


def draw_text(canvas, x, y, font, scale):
    for ch in READOUT:
        rows = font[ch]
        for row, line in enumerate(rows):
            for col, cell in enumerate(line):
                if cell == "#":
                    canvas.fill(x + col * scale, y + row * scale, x + (col + 1) * scale,
                                y + (row + 1) * scale, DIGITS)
        x += (len(rows[0]) + 1) * scale


def text_width(font, scale):
    return sum((len(font[ch][0]) + 1) * scale for ch in READOUT) - scale


def draw_display(canvas, geometry):
    x0, y0, x1, y1 = geometry["display"]
    canvas.fill(x0, y0, x1, y1, DISPLAY)
    height = y1 - y0
    # The digits keep the 64-pixel design's proportion, with at least two pixels above and below.
    scale = max(1, canvas.size // 64)
    font = FONT_5X7 if 7 * scale + 4 <= height else FONT_3X5
    glyph_height = len(font["0"]) * scale
    if glyph_height + 2 <= height and text_width(font, scale) + 2 <= x1 - x0:
        pad = (height - glyph_height) // 2
        draw_text(canvas, x0 + max(pad, 1), y0 + pad, font, scale)
    else:
        # Too small for digits: a readout bar on the display's right, as a result would stand.
        mid = y0 + height // 2 - (1 if height >= 6 else 0)
        bar = 2 if height >= 6 else 1
        canvas.fill(x0 + (x1 - x0) // 2, mid, x1 - 1, mid + bar, DIGITS)


def draw_keys(canvas, geometry):
    x0, y0, x1, y1 = geometry["keys"]
    cols, rows, gap, shadow = 3, geometry["rows"], geometry["gap"], geometry["shadow"]
    # Every key has the same whole-pixel size; what is left over is shared out round the grid.
    width = (x1 - x0 - (cols - 1) * gap) // cols
    height = (y1 - y0 - (rows - 1) * gap) // rows
    x0 += (x1 - x0 - cols * width - (cols - 1) * gap) // 2
    y0 += (y1 - y0 - rows * height - (rows - 1) * gap) // 2
    for row in range(rows):
        for col in range(cols):
            kx0, ky0 = x0 + col * (width + gap), y0 + row * (height + gap)
            kx1, ky1 = kx0 + width, ky0 + height
            canvas.fill(kx0, ky0, kx1, ky1, KEY_SHADOW)
            canvas.fill(kx0, ky0, kx1 - shadow, ky1 - shadow, KEY)


def icon(size):
    canvas = Canvas(size)
    geometry = layout(size)
    draw_body(canvas, geometry)
    draw_display(canvas, geometry)
    draw_keys(canvas, geometry)
    return canvas


def main():
    folder = os.path.join(output_folder("Draws the desktop icon in every size."), "icons")
    os.makedirs(folder, exist_ok=True)
    for size in SIZES:
        icon(size).png(os.path.join(folder, "pelmorix-%d.png" % size))


if __name__ == "__main__":
    main()
