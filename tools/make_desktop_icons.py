#!/usr/bin/env python3
"""Draws the program's icon for the desktop's icon theme at 16, 32, 48, 64, 128 and 256 pixels,
from the same artwork as the 32 x 32 window icon (tools/make_ui_resources.py): the picture frame
with its rounded corners around the sun, mountains and meadow. The artwork is laid out on a 32 x 32
grid; each size samples it several times per pixel and averages, so edges stay smooth when it is
enlarged and details blend when it is shrunk.

Usage: tools/make_desktop_icons.py OUTPUT-FOLDER
  writes OUTPUT-FOLDER/SIZExSIZE/apps/brelvik.png for each size. Standard library only.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_ui_resources import BLACK, GREEN, LIME, OLIVE, PALETTE16, YELLOW, picture_pixel, png_bytes  # noqa: E402

SIZES = (16, 32, 48, 64, 128, 256)
GRID = 32.0


def artwork(u, v):
    """The palette index at grid point (u, v) in [0, 32), or None where the icon is transparent."""
    dx, dy = min(u, GRID - u), min(v, GRID - v)  # distance to the nearest edges
    # The rounded corners: the window icon's corner rule, with pixel centres at half units.
    if dx < 3.5 and dy < 3.5 and (3.5 - dx) ** 2 + (3.5 - dy) ** 2 > 10:
        return None
    edge = math.floor(min(dx, dy))
    if edge == 0:
        return BLACK
    if edge <= 2:
        return YELLOW
    if edge == 3:
        return OLIVE
    index = picture_pixel(u - 0.5, v - 0.5)
    if index in (GREEN, LIME):
        # The meadow's stripes are one grid unit wide, as on the window icon, not hairlines.
        index = LIME if (u + v) % 5 < 1 else GREEN
    return index


def render(size):
    samples = max(2, 128 // size)  # per pixel and direction
    step = GRID / size / samples
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = a = 0
            for j in range(samples):
                for i in range(samples):
                    index = artwork((x * samples + i + 0.5) * step, (y * samples + j + 0.5) * step)
                    if index is None:
                        continue
                    cr, cg, cb = PALETTE16[index]
                    r, g, b, a = r + cr, g + cg, b + cb, a + 1
            n = samples * samples
            # Colours are averaged over the covered samples only, so edges do not darken.
            row += [round(r / a), round(g / a), round(b / a), round(255 * a / n)] if a else [0, 0, 0, 0]
        rows.append(row)
    return png_bytes(size, size, rows)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for size in SIZES:
        folder = os.path.join(sys.argv[1], "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "brelvik.png"), "wb") as f:
            f.write(render(size))


if __name__ == "__main__":
    main()
