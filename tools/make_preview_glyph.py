#!/usr/bin/env python3
"""Generates PREVIEWGLYPH, the picture dialogs' preview button glyph: a 16 x 16, 16-colour BMP of a
magnifying glass over a small picture. The lower-left pixel is the transparent colour.
Standard library only.

Usage: tools/make_preview_glyph.py [resources-folder]
"""
import os
import struct
import sys

# The 16-colour system table, in its usual order (red, green, blue).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, SILVER, GREY, BLUE, AQUA, WHITE = 0, 1, 2, 3, 4, 7, 8, 12, 14, 15
KEY = OLIVE

# One character per pixel, top row first.
ROWS = [
    "................",
    ".##########.....",
    ".#wwwwwwww#.....",
    ".#wgggbbbw#.....",
    ".#wggNNNNw#.....",
    ".#wgNaaaaN#.....",
    ".#wNawaaaaN.....",
    ".#wNawaaaaN.....",
    ".#wNaaaaaaN.....",
    ".##NaaaaaaN.....",
    "....NaaaaNmm....",
    ".....NNNNmmmm...",
    "..........mmmm..",
    "...........mmmm.",
    "............mm..",
    "................",
]
COLOURS = {".": KEY, "#": BLACK, "w": WHITE, "g": GREEN, "b": BLUE, "N": NAVY, "a": AQUA, "m": MAROON}


def bmp_4bit(rows):
    height, width = len(rows), len(rows[0])
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom row first
        line = bytearray()
        for x in range(0, width, 2):
            line.append((COLOURS[row[x]] << 4) | COLOURS[row[x + 1]])
        line.extend(b"\0" * (stride - len(line)))
        pixels.extend(line)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE16)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    assert all(len(r) == 16 for r in ROWS) and len(ROWS) == 16
    with open(os.path.join(folder, "PREVIEWGLYPH.bmp"), "wb") as f:
        f.write(bmp_4bit(ROWS))


if __name__ == "__main__":
    main()
