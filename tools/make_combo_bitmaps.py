#!/usr/bin/env python3
"""Writes the combo box's drop-down button images (24-bit BMP, vertical gradients) to resources/.

Run from anywhere: python3 tools/make_combo_bitmaps.py [output folder]. Standard library only.
"""
import os
import struct
import sys

# name: (width, height, top colour, bottom colour), colours as (red, green, blue)
IMAGES = {
    # blue: pale, near-white when hot, deeper when held down
    "XPCBNOR": (29, 59, (226, 236, 255), (182, 204, 250)),
    "XPCBHOT": (26, 61, (252, 253, 255), (222, 233, 255)),
    "XPCBDOWN": (26, 61, (166, 192, 246), (112, 152, 232)),
    # silver: white shading to grey-lavender; held down reversed
    "XPCBNORS": (13, 109, (255, 255, 255), (196, 194, 216)),
    "XPCBHOTS": (13, 111, (255, 255, 255), (220, 218, 234)),
    "XPCBDOWNS": (13, 103, (196, 194, 216), (255, 255, 255)),
    # green: olive greens, lighter when hot, darker when held down
    "XPCBNORG": (13, 111, (190, 206, 150), (144, 170, 100)),
    "XPCBHOTG": (13, 111, (214, 226, 182), (172, 196, 130)),
    "XPCBDOWNG": (13, 111, (140, 164, 98), (98, 126, 66)),
    # orange: white shading to strong orange, paler when hot; held down reversed
    "XPCBNORO": (13, 113, (255, 255, 255), (250, 148, 36)),
    "XPCBHOTO": (13, 113, (255, 255, 255), (252, 190, 118)),
    "XPCBDOWNO": (13, 113, (250, 148, 36), (255, 255, 255)),
    # disabled: pale warm grey
    "XPCBDIS": (26, 61, (244, 242, 236), (228, 224, 214)),
}


def gradient_row(top, bottom, y, height):
    t = y / (height - 1) if height > 1 else 0.0
    return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))


def bmp_bytes(width, height, top, bottom):
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # stored bottom-up
        r, g, b = gradient_row(top, bottom, y, height)
        row = bytes((b, g, r)) * width
        rows.append(row + b"\0" * (stride - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    os.makedirs(out, exist_ok=True)
    for name, (width, height, top, bottom) in IMAGES.items():
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(width, height, top, bottom))


if __name__ == "__main__":
    main()
