#!/usr/bin/env python3
"""Structure-aware seeds for the fuzz targets: small files of every header kind, bit depth and
compression the BMP reader knows, every kind of ICO entry, and the stored forms of each graphic
class. Written into <out>/<target>/ (the folders must exist). Usage: make_seeds.py OUT [JPEG...]"""
import struct
import sys
from pathlib import Path


def le16(v):
    return struct.pack('<H', v & 0xFFFF)


def le32(v):
    return struct.pack('<I', v & 0xFFFFFFFF)


def stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def pixel_rows(width, height, bits):
    """Rows with a varied pattern, so every bit of the pixel data means something."""
    out = bytearray()
    for y in range(height):
        row = bytearray((x * 37 + y * 11 + 5) & 0xFF for x in range(stride(width, bits)))
        out += row
    return bytes(out)


def table(entries, quad=True):
    out = bytearray()
    for i in range(entries):
        out += bytes([(i * 16) & 0xFF, (255 - i * 8) & 0xFF, (i * 3) & 0xFF]) + (b'\0' if quad else b'')
    return bytes(out)


def file_header(total, off_bits):
    return b'BM' + le32(total) + le16(0) + le16(0) + le32(off_bits)


def info_header(size, width, height, bits, compression=0, image_size=0, used=0, masks=None):
    h = le32(size) + le32(width) + le32(height) + le16(1) + le16(bits) + le32(compression)
    h += le32(image_size) + le32(2835) + le32(2835) + le32(used) + le32(used)
    extra = b''
    if size >= 52:  # the masks live inside the longer headers
        m = masks or (0, 0, 0, 0)
        extra += b''.join(le32(v) for v in (list(m) + [0])[:4])
    if size >= 108:
        extra += b'BGRs' + bytes(36) + le32(0) * 3
    if size >= 124:
        extra += le32(4) + le32(0) + le32(0) + le32(0)
    body = (h + extra)[:size]
    return body + bytes(size - len(body))


def bmp(header, colors=b'', masks=b'', pixels=b''):
    off = 14 + len(header) + len(masks) + len(colors)
    return file_header(off + len(pixels), off) + header + masks + colors + pixels


def bmp_seeds():
    s = {}
    w, h = 5, 3
    for bits in (1, 4, 8):
        n = 1 << bits
        s[f'info40-{bits}bit'] = bmp(info_header(40, w, h, bits), table(n), pixels=pixel_rows(w, h, bits))
        s[f'info40-{bits}bit-used2'] = bmp(info_header(40, w, h, bits, used=2), table(2),
                                           pixels=pixel_rows(w, h, bits))
        s[f'info40-{bits}bit-topdown'] = bmp(info_header(40, w, -h, bits), table(n), pixels=pixel_rows(w, h, bits))
        s[f'core12-{bits}bit'] = bmp(le32(12) + le16(w) + le16(h) + le16(1) + le16(bits), table(n, quad=False),
                                     pixels=pixel_rows(w, h, bits))
    for bits in (16, 24, 32):
        s[f'info40-{bits}bit'] = bmp(info_header(40, w, h, bits), pixels=pixel_rows(w, h, bits))
        s[f'info40-{bits}bit-topdown'] = bmp(info_header(40, w, -h, bits), pixels=pixel_rows(w, h, bits))
    s['core12-24bit'] = bmp(le32(12) + le16(w) + le16(h) + le16(1) + le16(24), pixels=pixel_rows(w, h, 24))
    s['info40-24bit-palette'] = bmp(info_header(40, w, h, 24, used=4), table(4), pixels=pixel_rows(w, h, 24))
    masks565 = le32(0xF800) + le32(0x07E0) + le32(0x001F)
    masks555 = le32(0x7C00) + le32(0x03E0) + le32(0x001F)
    masks32 = le32(0xFF0000) + le32(0x00FF00) + le32(0x0000FF)
    odd32 = le32(0x3FF00000) + le32(0x000FFC00) + le32(0x000003FF)
    s['bitfields-565'] = bmp(info_header(40, w, h, 16, 3), masks=masks565, pixels=pixel_rows(w, h, 16))
    s['bitfields-555'] = bmp(info_header(40, w, h, 16, 3), masks=masks555, pixels=pixel_rows(w, h, 16))
    s['bitfields-32'] = bmp(info_header(40, w, h, 32, 3), masks=masks32, pixels=pixel_rows(w, h, 32))
    s['bitfields-32-10bit'] = bmp(info_header(40, w, h, 32, 3), masks=odd32, pixels=pixel_rows(w, h, 32))
    for size in (52, 56, 108, 124):
        s[f'info{size}-565'] = bmp(info_header(size, w, h, 16, 3, masks=(0xF800, 0x07E0, 0x001F, 0)),
                                   pixels=pixel_rows(w, h, 16))
        s[f'info{size}-32alpha'] = bmp(info_header(size, w, h, 32, 3, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
                                       pixels=pixel_rows(w, h, 32))
        s[f'info{size}-8bit'] = bmp(info_header(size, w, h, 8, used=16), table(16), pixels=pixel_rows(w, h, 8))
    s['os2-64-24bit'] = bmp(info_header(64, w, h, 24), pixels=pixel_rows(w, h, 24))
    # Run-length data: encoded runs, absolute runs (odd and even, padded), delta, end of line,
    # end of bitmap, and a run past the row's end.
    rle8 = bytes([3, 1, 0, 3, 7, 8, 9, 0, 2, 2, 0, 0, 0, 2, 1, 1, 2, 5, 0, 0, 9, 4, 0, 0, 0, 1])
    rle4 = bytes([5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 1, 3, 0x67, 0, 0, 255, 0x89, 0, 1])
    s['rle8'] = bmp(info_header(40, w, h, 8, 1, len(rle8), 16), table(16), pixels=rle8)
    s['rle4'] = bmp(info_header(40, w, h, 4, 2, len(rle4)), table(16), pixels=rle4)
    s['rle8-unterminated'] = bmp(info_header(40, w, h, 8, 1, 0, 4), table(4), pixels=rle8[:9])
    s['rle8-core12'] = bmp(le32(12) + le16(w) + le16(h) + le16(1) + le16(8), table(256, quad=False), pixels=rle8)
    # Short and odd files: pixel data cut short, a gap before the pixels, huge declared size.
    full = bmp(info_header(40, w, h, 24), pixels=pixel_rows(w, h, 24))
    s['cut-pixels'] = full[:-10]
    s['cut-header'] = full[:30]
    gap = bytearray(bmp(info_header(40, w, h, 24), pixels=bytes(16) + pixel_rows(w, h, 24)))
    gap[10:14] = le32(14 + 40 + 16)
    s['offbits-gap'] = bytes(gap)
    s['huge-declared'] = bmp(info_header(40, 16383, 16383, 24))
    s['huge-rle8'] = bmp(info_header(40, 16000, 16000, 8, 1), table(2), pixels=bytes([0, 1, 0, 0]))
    s['empty'] = b''
    return s


def ico_image(width, height, bits, alpha=False, mask=True, used=0):
    entries = (1 << bits) if bits <= 8 else 0
    if used:
        entries = used
    header = info_header(40, width, height * 2, bits, used=used)
    colors = table(entries)
    pixels = pixel_rows(width, height, bits)
    if bits == 32 and alpha:
        pixels = bytes(b if i % 4 != 3 else (0xFF if (i // 4) % 3 else 0) for i, b in enumerate(pixels))
    and_mask = bytes(((y * 7 + x) & 0xFF) for y in range(height) for x in range(stride(width, 1))) if mask else b''
    return header + colors + pixels + and_mask


def ico(images, kind=1):
    out = le16(0) + le16(kind) + le16(len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for (width, height, bits, data) in images:
        wb = 0 if width >= 256 else width
        hb = 0 if height >= 256 else height
        colors = (1 << bits) if bits < 8 else 0
        out += bytes([wb, hb, colors & 0xFF, 0]) + le16(1) + le16(bits) + le32(len(data)) + le32(offset + len(body))
        body += data
    return out + body


def ico_seeds():
    s = {}
    for bits in (1, 4, 8, 24, 32):
        s[f'single-{bits}bit'] = ico([(16, 16, bits, ico_image(16, 16, bits))])
    s['32bit-alpha'] = ico([(16, 16, 32, ico_image(16, 16, 32, alpha=True))])
    s['32bit-no-mask'] = ico([(8, 8, 32, ico_image(8, 8, 32, alpha=True, mask=False))])
    s['4bit-used5'] = ico([(16, 16, 4, ico_image(16, 16, 4, used=5))])
    s['multi'] = ico([(16, 16, 4, ico_image(16, 16, 4)), (32, 32, 8, ico_image(32, 32, 8)),
                      (48, 48, 24, ico_image(48, 48, 24))])
    s['side-256'] = ico([(256, 256, 1, ico_image(256, 256, 1))])
    s['odd-size'] = ico([(13, 7, 24, ico_image(13, 7, 24))])
    s['cursor-type'] = ico([(16, 16, 4, ico_image(16, 16, 4))], kind=2)
    s['empty-directory'] = le16(0) + le16(1) + le16(0)
    s['cut-image'] = ico([(16, 16, 8, ico_image(16, 16, 8))])[:200]
    return s


def stored(class_name, body):
    name = class_name.encode()
    return bytes([len(name)]) + name + le32(len(body)) + body


def write(folder, seeds):
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


def main():
    out = Path(sys.argv[1])
    jpegs = [Path(p).read_bytes() for p in sys.argv[2:]]
    bmps = bmp_seeds()
    icos = ico_seeds()
    write(out / 'bmp', {f'{k}.bmp': v for k, v in bmps.items()})
    write(out / 'bmp_summary', {f'{k}.bmp': v for k, v in bmps.items() if k.startswith(('info', 'core', 'cut'))})
    write(out / 'ico', {f'{k}.ico': v for k, v in icos.items()})
    data = {
        'bitmap-24.bin': stored('TBitmap', bmps['info40-24bit']),
        'bitmap-rle8.bin': stored('TBitmap', bmps['rle8']),
        'bitmap-core.bin': stored('TBitmap', bmps['core12-8bit']),
        'bitmap-empty.bin': stored('TBitmap', b''),
        'icon-multi.bin': stored('TIcon', icos['multi']),
        'icon-32.bin': stored('TIcon', icos['32bit-alpha']),
        'metafile.bin': stored('TMetafile', b'\xd7\xcd\xc6\x9a' + bytes(18)),
        'unknown-class.bin': stored('TNothing', b'1234'),
        'long-name.bin': bytes([64]) + b'T' * 64 + le32(0),
        'none.bin': b'\0',
    }
    for i, jpeg in enumerate(jpegs):
        data[f'jpeg-{i}.bin'] = stored('TJPEGImage', jpeg)
    write(out / 'picture_data', data)


if __name__ == '__main__':
    main()
