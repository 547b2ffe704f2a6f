#!/usr/bin/env python3
"""Writes the library editor's toolbar bitmaps SVEDITS.BMP (16 x 16) and
SVEDITL.BMP (32 x 32) into support/symvault: an open page with a pencil
across it, as 24-bit uncompressed BMP files.

    support/symvault/tools/gen_bitmaps.py
"""
import os
import struct

WHITE, INK, PAGE, LEAD, WOOD = (255, 255, 255), (0, 0, 0), (230, 230, 200), (60, 60, 60), (0, 170, 230)


def icon(n):
    """Rows of (r, g, b), top row first, for an n by n icon."""
    px = [[WHITE] * n for _ in range(n)]
    m = n // 8  # margin
    for y in range(m, n - m):
        for x in range(m, n - 2 * m):
            edge = y in (m, n - m - 1) or x in (m, n - 2 * m - 1)
            px[y][x] = INK if edge else PAGE
    for y in range(2 * m + 1, n - 3 * m, max(2, n // 8)):  # the page's lines of text
        for x in range(2 * m, n - 4 * m):
            px[y][x] = LEAD
    for i in range(n // 2):  # the pencil, from the lower left of the page up to the right
        x, y = n // 2 - 2 + i, n - 2 * m - i
        for t in range(max(1, n // 16) + 1):
            if 0 <= y - t < n and 0 <= x < n:
                px[y - t][x] = LEAD if i < n // 8 else WOOD
    return px


def bmp(px):
    n = len(px)
    row = n * 3
    pad = (4 - row % 4) % 4
    data = b"".join(b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in line) + b"\0" * pad
                    for line in reversed(px))  # bottom row first
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, n, n, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    for name, n in (("SVEDITS.BMP", 16), ("SVEDITL.BMP", 32)):
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp(icon(n)))


if __name__ == "__main__":
    main()
