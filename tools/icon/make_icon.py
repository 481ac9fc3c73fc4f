#!/usr/bin/env python3
"""Draws the program's icon and writes app/zentrik.ico (16 x 16 and 32 x 32, 32 bits
per pixel): a small monitor window whose screen shows a green usage curve over a
dark grid. Run it again after changing the drawing; the .ico is kept in the repo."""
import struct
import sys
from pathlib import Path

FRAME = (46, 84, 150, 255)      # window frame and title bar
TITLE = (90, 140, 215, 255)
SCREEN = (10, 24, 16, 255)      # the graph's background
GRID = (0, 90, 40, 255)
CURVE = (60, 240, 90, 255)
CLEAR = (0, 0, 0, 0)


def draw(size):
    px = [[CLEAR] * size for _ in range(size)]
    s = size / 16.0

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour

    rect(0, 1, 16, 15, FRAME)     # the window
    rect(1, 2, 15, 4, TITLE)      # its title bar
    rect(1, 5, 15, 14, SCREEN)    # the screen with the graph
    step = size // 4
    for y in range(int(5 * s), int(14 * s)):
        for x in range(int(1 * s), int(15 * s)):
            if (x - int(s)) % step == 0 or (y - int(5 * s)) % step == 0:
                px[y][x] = GRID
    # A usage curve: heights in sixteenths of the screen, left to right.
    heights = [3, 5, 4, 7, 6, 9, 8, 6, 7, 10, 8, 7, 9, 12, 10, 11]
    left, right = int(1 * s), int(15 * s)
    top, bottom = int(5 * s), int(14 * s) - 1
    prev = None
    for x in range(left, right):
        h = heights[(x - left) * len(heights) // (right - left)]
        y = bottom - (h * (bottom - top)) // 12
        lo, hi = (y, y) if prev is None else (min(prev, y), max(prev, y))
        for yy in range(lo, hi + 1):
            px[yy][x] = CURVE
        prev = y
    return px


def bitmap(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b''.join(struct.pack('BBBB', r_g_b_a[2], r_g_b_a[1], r_g_b_a[0], r_g_b_a[3])
                       for row in reversed(px) for r_g_b_a in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(px):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colours + mask


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / 'app' / 'zentrik.ico'
    images = [bitmap(draw(size)) for size in (16, 32)]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((16, 32), images):
        data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out.write_bytes(data + b''.join(images))
    print(f'wrote {out} ({len(data) + sum(map(len, images))} bytes)')


if __name__ == '__main__':
    main()
