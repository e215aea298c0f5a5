#!/usr/bin/env python3
"""Pixel checks for the X-server tests, on screenshots converted to binary PPM (P6).

  screen_pixels.py checkerboard FILE.bmp WIDTH HEIGHT
      writes a 24-bit BMP of single black and white pixels, black where x + y is even
  screen_pixels.py blocks SHOT.ppm X Y W H
      prints the share of 2 x 2 blocks (aligned to X, Y) inside the area whose four pixels are equal
  screen_pixels.py alternates SHOT.ppm X Y W H
      prints how many pixels of the area are not pure black or white or equal a neighbour to the
      right or below (0 for a board shown pixel for pixel)
"""
import struct
import sys


def write_checkerboard(path, width, height):
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(width):
            row += b"\x00\x00\x00" if (x + y) % 2 == 0 else b"\xff\xff\xff"
        row += b"\x00" * (stride - width * 3)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def read_ppm(path):
    data = open(path, "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", "expects an 8-bit binary PPM"
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def pixel(shot, x, y):
    width, _, body = shot
    i = (y * width + x) * 3
    return body[i:i + 3]


def blocks(shot, x0, y0, w, h):
    uniform = total = 0
    for y in range(y0, y0 + h - 1, 2):
        for x in range(x0, x0 + w - 1, 2):
            a = pixel(shot, x, y)
            total += 1
            uniform += a == pixel(shot, x + 1, y) == pixel(shot, x, y + 1) == pixel(shot, x + 1, y + 1)
    return uniform / total


def alternates(shot, x0, y0, w, h):
    bad = 0
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            p = pixel(shot, x, y)
            if p not in (b"\x00\x00\x00", b"\xff\xff\xff") or p == pixel(shot, x + 1, y) or p == pixel(shot, x, y + 1):
                bad += 1
    return bad


def main(argv):
    if argv[1] == "checkerboard":
        write_checkerboard(argv[2], int(argv[3]), int(argv[4]))
        return
    shot = read_ppm(argv[2])
    x, y, w, h = (int(v) for v in argv[3:7])
    if argv[1] == "blocks":
        print(f"{blocks(shot, x, y, w, h):.3f}")
    elif argv[1] == "alternates":
        print(alternates(shot, x, y, w, h))


if __name__ == "__main__":
    main(sys.argv)
