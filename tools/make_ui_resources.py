#!/usr/bin/env python3
"""Generates the main window's resources: the window icon (32 x 32, 16 colours, as ICO and PNG),
the About window's picture (77 x 119, 24 bits) and the start-up photograph (a rendered landscape,
compressed with cjpeg). The pictures are kept in the windows' stored form: a length byte and the
class name, a 32-bit byte count, then the file. Standard library only, plus cjpeg for the JPEG.

Usage: tools/make_ui_resources.py [resources-folder]
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import zlib

# The 16-colour system table, in its usual order.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, OLIVE, NAVY, SILVER, GRAY, RED, LIME, YELLOW, BLUE, AQUA, WHITE = 0, 2, 3, 4, 7, 8, 9, 10, 11, 12, 14, 15


def stored_form(class_name, data):
    name = class_name.encode("ascii")
    return bytes([len(name)]) + name + struct.pack("<I", len(data)) + data


# ---- window icon -------------------------------------------------------------------------------

def icon_pixels():
    """32 x 32 palette indexes, top row first, and a transparency flag per pixel."""
    size = 32
    pix = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            # A picture frame with rounded corners: outside the corners is transparent.
            cx = min(x, size - 1 - x)
            cy = min(y, size - 1 - y)
            if cx < 3 and cy < 3 and (3 - cx) ** 2 + (3 - cy) ** 2 > 10:
                continue
            if cx == 0 or cy == 0:
                pix[y][x] = BLACK
            elif cx <= 2 or cy <= 2:
                pix[y][x] = YELLOW
            elif cx == 3 or cy == 3:
                pix[y][x] = OLIVE
            else:
                pix[y][x] = picture_pixel(x, y)
    return pix


def picture_pixel(x, y):
    if (x - 22) ** 2 + (y - 10) ** 2 <= 12:
        return YELLOW
    mountain = 14 + abs(x - 12) * 0.8
    hill = 22 - 3 * math.sin(x / 4.0)
    if y >= hill:
        return GREEN if (x + y) % 5 else LIME
    if y >= mountain:
        return GRAY if y > mountain + 1 else WHITE
    return BLUE if y < 9 else AQUA


def ico_bytes(pix):
    size = len(pix)
    colour_rows = []
    mask_rows = []
    for y in reversed(range(size)):  # bottom-up
        row = pix[y]
        nibbles = [p if p is not None else 0 for p in row]
        colour_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is None else 0)
        mask_rows.append(bits.to_bytes(size // 8, "big"))
    colour = b"".join(colour_rows)
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(colour) + len(mask), 0, 0, 16, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE16)
    image = header + table + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 22)
    return directory + entry + image


def png_bytes(width, height, rgba_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rgba_rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_png(pix):
    rows = []
    for row in pix:
        out = []
        for p in row:
            out += [0, 0, 0, 0] if p is None else list(PALETTE16[p]) + [255]
        rows.append(out)
    return png_bytes(len(pix), len(pix), rows)


# ---- About picture -----------------------------------------------------------------------------

def bmp24(width, height, pixel):
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\x00" * (stride - width * 3)
        rows.append(bytes(row))
    bits = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(bits), 0, 0, 14 + len(info))
    return head + info + bits


def about_pixel(x, y):
    # A tall card: evening gradient, a lens-like ring and the program's initial.
    t = y / 118.0
    r, g, b = int(40 + 180 * t), int(60 + 90 * (1 - t)), int(200 - 120 * t)
    d = math.hypot(x - 38, y - 45)
    if 20 <= d <= 26:
        r, g, b = 250, 220, 60
    elif d < 20:
        r, g, b = int(r * 0.5), int(g * 0.5), int(b * 0.7 + 60)
    if 30 <= x <= 34 and 32 <= y <= 58 or 30 <= x <= 44 and y in (32, 33, 44, 45, 57, 58):
        r, g, b = 255, 255, 255
    if y >= 92:
        r, g, b = 20, 110 + (x * 3) % 40, 40
    return r, g, b


# ---- start-up photograph -----------------------------------------------------------------------

def ridge(width, seed, base, amplitude, octaves):
    rnd = random.Random(seed)
    phases = [(rnd.uniform(0, 2 * math.pi), 2 ** o) for o in range(octaves)]
    return [base + sum(amplitude / f * math.sin(x * f * 0.004 + p) for p, f in phases) for x in range(width)]


def render_photo(width, height):
    rnd = random.Random(7)
    horizon = int(height * 0.62)
    far = ridge(width, 1, height * 0.42, height * 0.10, 6)
    near = ridge(width, 2, height * 0.55, height * 0.07, 7)
    shore = ridge(width, 3, height * 0.80, height * 0.05, 5)
    sun_x, sun_y, sun_r = width * 0.68, height * 0.30, height * 0.05
    out = bytearray()
    for y in range(height):
        t = y / horizon
        sky = (int(30 + 225 * t ** 2), int(70 + 140 * t ** 1.5), int(160 + 40 * t))
        for x in range(width):
            if y < horizon:
                if y >= near[x]:
                    shade = (y - near[x]) / (height * 0.2)
                    c = (int(40 + 30 * shade), int(70 + 40 * shade), int(45 + 20 * shade))
                elif y >= far[x]:
                    c = (int(sky[0] * 0.55 + 30), int(sky[1] * 0.55 + 30), int(sky[2] * 0.6 + 40))
                else:
                    d = math.hypot(x - sun_x, y - sun_y)
                    glow = max(0.0, 1 - d / (sun_r * 6)) ** 2
                    c = (min(255, int(sky[0] + 120 * glow)), min(255, int(sky[1] + 90 * glow)),
                         min(255, int(sky[2] + 20 * glow)))
                    if d < sun_r:
                        c = (255, 245, 210)
            elif y >= shore[x]:
                grass = (y - shore[x]) / (height * 0.25)
                c = (int(60 + 50 * grass), int(100 + 40 * grass), int(30 + 10 * grass))
                if (x * 7 + y * 13) % 23 == 0:
                    c = (c[0] + 40, c[1] + 50, c[2])
            else:
                # The lake mirrors the scene above the horizon, broken by ripples.
                depth = y - horizon
                ripple = int(4 * math.sin(y * 0.35 + x * 0.01) * (depth / (height * 0.2) + 0.2))
                my = max(0, horizon - depth - 1)
                mx = min(width - 1, max(0, x + ripple))
                if my >= near[mx]:
                    c = (35, 60, 45)
                elif my >= far[mx]:
                    c = (70, 90, 130)
                else:
                    tt = my / horizon
                    c = (int((30 + 225 * tt ** 2) * 0.8), int((70 + 140 * tt ** 1.5) * 0.85), int(170 + 30 * tt))
                    if abs(mx - sun_x) < sun_r * 1.2 and (y + x // 9) % 4 == 0:
                        c = (250, 230, 190)
            grain = rnd.randint(-6, 6)
            out += bytes(min(255, max(0, v + grain)) for v in c)
    return b"P6\n%d %d\n255\n" % (width, height) + bytes(out)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    pix = icon_pixels()
    with open(os.path.join(folder, "window-icon.ico"), "wb") as f:
        f.write(ico_bytes(pix))
    with open(os.path.join(folder, "brelvik.png"), "wb") as f:
        f.write(icon_png(pix))
    with open(os.path.join(folder, "about-picture.dat"), "wb") as f:
        f.write(stored_form("TBitmap", bmp24(77, 119, about_pixel)))
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "photo.ppm")
        with open(ppm, "wb") as f:
            f.write(render_photo(1280, 960))
        jpeg = subprocess.run(["cjpeg", "-quality", "95", "-optimize", ppm], check=True, capture_output=True).stdout
    with open(os.path.join(folder, "startup-photo.dat"), "wb") as f:
        f.write(stored_form("TJPEGImage", jpeg))


if __name__ == "__main__":
    main()
