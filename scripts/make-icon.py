#!/usr/bin/env python3
"""Draws the program icon: a serial connector on a blue tile, at 256, 128, 64, 48, 32, 24 and
16 pixels, 32 bits per pixel, and writes them as one .ico file (from 64 pixels up PNG-compressed,
which keeps the executable small; the smaller ones, which the system loads most, as bitmaps).
Usage: make-icon.py out.ico"""
import struct
import sys
import zlib

SIZES = [256, 128, 64, 48, 32, 24, 16]


def rounded_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def connector(x, y, inset):
    # A D-shaped trapezoid: wider at the top, with rounded ends.
    top, bottom = 0.34 + inset, 0.70 - inset
    if y < top or y > bottom:
        return False
    t = (y - top) / (bottom - top)
    half = (0.36 - inset) - 0.06 * t
    return abs(x - 0.5) <= half


PINS = [(0.5 + (i - 2) * 0.12, 0.445) for i in range(5)] + [(0.5 + (i - 1.5) * 0.12, 0.595) for i in range(4)]


def colour(x, y):
    """RGBA of the drawing at a point of the unit square."""
    if not rounded_rect(x, y, 0.04, 0.04, 0.96, 0.96, 0.18):
        return None
    # Tile: blue, lighter at the top.
    shade = 1.0 - 0.35 * y
    rgba = (int(30 * shade), int(100 * shade + 20), int(200 * shade + 40), 255)
    if connector(x, y, 0.0):
        rgba = (235, 240, 245, 255)
        if connector(x, y, 0.035):
            rgba = (70, 80, 95, 255)
            for px, py in PINS:
                if (x - px) ** 2 + (y - py) ** 2 <= 0.032 ** 2:
                    rgba = (250, 210, 80, 255)
                    break
    # A cable leaving the connector downwards.
    elif 0.46 <= x <= 0.54 and 0.70 <= y <= 0.90:
        rgba = (235, 240, 245, 255)
    return rgba


def render(size):
    ss = 2 if size >= 128 else 4
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(ss):
                for sx in range(ss):
                    c = colour((px + (sx + 0.5) / ss) / size, (py + (sy + 0.5) / ss) / size)
                    if c:
                        a = c[3]
                        acc[0] += c[0] * a
                        acc[1] += c[1] * a
                        acc[2] += c[2] * a
                        acc[3] += a
            n = ss * ss
            a = acc[3] / n
            if acc[3]:
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], int(round(a))))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def png(size, pixels):
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def main():
    images = []
    for size in SIZES:
        pixels = render(size)
        images.append((size, png(size, pixels) if size >= 64 else dib(size, pixels)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
