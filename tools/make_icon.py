#!/usr/bin/env python3
"""Draws the program icon and writes it as a Windows .ico file.

The icon is a blue rounded square with a white prompt chevron and an amber
cursor bar: a command script runner. Each image (32x32 and 16x16) is drawn
with 4x4 supersampling into 32-bit BGRA with an AND mask, so it looks smooth
on every version of Windows. The output depends on nothing but this script.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

SUPERSAMPLE = 4
SIZES = (32, 16)

BACKGROUND_TOP = (52, 120, 200)
BACKGROUND_BOTTOM = (22, 66, 136)
CHEVRON = (255, 255, 255)
CURSOR = (255, 196, 56)


def inside_rounded_square(x, y, inset=0.03, radius=0.2):
    lo, hi = inset, 1.0 - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5


def on_chevron(x, y, half_width=0.065):
    return (distance_to_segment(x, y, 0.24, 0.28, 0.50, 0.50) <= half_width or
            distance_to_segment(x, y, 0.50, 0.50, 0.24, 0.72) <= half_width)


def on_cursor(x, y):
    return 0.56 <= x <= 0.80 and 0.64 <= y <= 0.76


def sample(x, y):
    """Colour and opacity (0 or 1) of one point of the unit square."""
    if not inside_rounded_square(x, y):
        return (0, 0, 0), 0
    if on_chevron(x, y):
        return CHEVRON, 1
    if on_cursor(x, y):
        return CURSOR, 1
    top, bottom = BACKGROUND_TOP, BACKGROUND_BOTTOM
    return tuple(round(t + (b - t) * y) for t, b in zip(top, bottom)), 1


def render(size):
    """Rows of (r, g, b, a) pixels, top row first."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(n):
                for sx in range(n):
                    colour, alpha = sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if alpha:
                        covered += 1
                        total = [t + c for t, c in zip(total, colour)]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(t / covered) for t in total)
                row.append((r, g, b, round(255 * covered / (n * n))))
        rows.append(row)
    return rows


def dib(size, rows):
    """The image as an icon stores it: header, BGRA rows and AND mask, both bottom-up."""
    mask_stride = ((size + 31) // 32) * 4
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def icon_file():
    images = [(size, dib(size, render(size))) for size in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], 'wb') as output:
        output.write(icon_file())


if __name__ == '__main__':
    main()
