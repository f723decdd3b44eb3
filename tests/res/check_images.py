#!/usr/bin/env python3
"""Fails unless the images in a resource folder are exactly what the generator scripts draw.

    python3 tests/res/check_images.py [--res DIR]

Runs src/res/make_bitmaps.py and src/res/make_icons.py into a temporary folder and compares the
pixels of every image they draw with the image of the same name below DIR (src/res by default),
which must hold no other PNG. Pixels, not bytes, are compared, so another zlib may compress the
same image differently.
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, os.pardir, os.pardir, "src", "res"))
SCRIPTS = ("make_bitmaps.py", "make_icons.py")


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(data, width, height, channels):
    """The raw rows of an 8-bit, non-interlaced image, with the five PNG row filters undone."""
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, row = data[pos], bytearray(data[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up_left = previous[i - channels] if i >= channels else 0
            predictor = (0, left, previous[i], (left + previous[i]) // 2,
                         paeth(left, previous[i], up_left))[kind]
            row[i] = (row[i] + predictor) & 0xFF
        rows.append(bytes(row))
        previous = row
    return rows


def read_pixels(path):
    """(width, height, RGBA bytes) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as png:
        data = png.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, header, idat = 8, None, b""
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        tag, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if tag == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif tag == b"IDAT":
            idat += body
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace:
        raise ValueError("only 8-bit, non-interlaced RGB and RGBA images are read")
    channels = 3 if colour_type == 2 else 4
    rows = unfilter(zlib.decompress(idat), width, height, channels)
    if channels == 3:
        rows = [b"".join(row[i:i + 3] + b"\xff" for i in range(0, len(row), 3)) for row in rows]
    return width, height, b"".join(rows)


def images_below(folder):
    return sorted(os.path.relpath(os.path.join(root, name), folder)
                  for root, _, names in os.walk(folder) for name in names if name.endswith(".png"))


def differences(drawn, committed):
    """One line for each image that is missing, extra or different."""
    found = []
    drawn_names, committed_names = images_below(drawn), images_below(committed)
    for name in sorted(set(committed_names) - set(drawn_names)):
        found.append("no script draws %s" % name)
    for name in drawn_names:
        if name not in committed_names:
            found.append("missing: %s" % name)
            continue
        try:
            want = read_pixels(os.path.join(drawn, name))
            have = read_pixels(os.path.join(committed, name))
        except ValueError as error:
            found.append("unreadable: %s (%s)" % (name, error))
            continue
        if want[:2] != have[:2]:
            sizes = have[:2] + want[:2]
            found.append("%s is %d x %d, the script draws %d x %d" % ((name,) + sizes))
        elif want[2] != have[2]:
            found.append("%s differs from what the script draws" % name)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--res", default=RES, help="the folder of committed images")
    committed = parser.parse_args().res
    with tempfile.TemporaryDirectory() as drawn:
        # No byte code next to the scripts: the source tree stays as it was.
        env = dict(os.environ, PYTHONDONTWRITEBYTECODE="1")
        for script in SCRIPTS:
            subprocess.run([sys.executable, os.path.join(RES, script), "--out", drawn],
                           check=True, env=env)
        found = differences(drawn, committed)
    for line in found:
        print(line)
    if found:
        print("Run python3 src/res/%s to draw them again." % " and python3 src/res/".join(SCRIPTS))
        return 1
    print("%d images are what the scripts draw" % len(images_below(committed)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
