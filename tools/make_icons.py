#!/usr/bin/env python3
"""Draws the launcher's two 32x32, 16-colour icons into res/*.ico.

The icons are checked in; run this again only to change them."""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, as (blue, green, red).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
    (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
    (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, NAVY, WHITE, YELLOW, RED, GREY, SILVER = 0, 4, 15, 11, 9, 8, 7


def disc(x, y):
    """A compact disc: silver ring, grey hub, transparent hole and outside."""
    r2 = (x - 15.5) ** 2 + (y - 15.5) ** 2
    if r2 > 15.5 ** 2 or r2 < 2.5 ** 2:
        return None
    if r2 < 5 ** 2:
        return GREY
    if r2 > 14.5 ** 2:
        return GREY
    return SILVER if (x + y) % 7 else WHITE


def play_disc(x, y):
    """The disc with a yellow start arrow on it."""
    if 10 <= x <= 23 and abs(y - 15.5) <= (23 - x) * 0.55 and not (x < 13 and abs(y - 15.5) < 2):
        return YELLOW if abs(y - 15.5) < (23 - x) * 0.55 - 1 else BLACK
    return disc(x, y)


def icon(pixel):
    """Encodes one 4-bit image with its AND mask as a one-image .ico file."""
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(32)):  # bottom-up rows
        row = [pixel(x, y) for x in range(32)]
        for x in range(0, 32, 2):
            a, b = row[x] or 0, row[x + 1] or 0
            xor.append(a << 4 | b)
        bits = 0
        for x in range(32):
            bits = bits << 1 | (row[x] is None)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for b, g, r in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    res = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "res")
    (res / "launcher1.ico").write_bytes(icon(play_disc))
    (res / "launcher2.ico").write_bytes(icon(disc))


if __name__ == "__main__":
    main()
