#!/usr/bin/env python3
"""Prints the names of the files in FOLDER whose pictures stay within the fuzz build's raster
ceiling (2^20 pixels), so that replaying them in the real build costs no more than in the fuzz
build. Only BMP data (on its own or stored as a TBitmap) can ask for a large raster before it is
checked; other inputs are always listed. Usage: declared_pixels.py TARGET FOLDER"""
import struct
import sys
from pathlib import Path

FUZZ_CEILING = 1 << 20


def bmp_pixels(data):
    if len(data) < 26 or data[:2] != b'BM':
        return 0
    size = struct.unpack_from('<I', data, 14)[0]
    if size == 12:
        width, height = struct.unpack_from('<HH', data, 18)
    else:
        width, height = struct.unpack_from('<ii', data, 18)
    return abs(width) * abs(height)


def stored_bmp(data):
    if not data or len(data) < 1 + data[0] + 4:
        return b''
    name = data[1:1 + data[0]]
    return data[1 + data[0] + 4:] if name == b'TBitmap' else b''


def main():
    target, folder = sys.argv[1], Path(sys.argv[2])
    for path in sorted(folder.iterdir()):
        data = path.read_bytes()
        body = data if target == 'bmp' else stored_bmp(data) if target == 'picture_data' else b''
        if bmp_pixels(body) <= FUZZ_CEILING:
            print(path.name)


if __name__ == '__main__':
    main()
