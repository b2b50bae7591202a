#!/usr/bin/env python3
"""Writes the picture reader's seed files: one for each way the launcher's
reader accepts or refuses a picture, named after its verdict
(accept-*.bmp, refuse-*.bmp), for the fuzz target's replay to check.

usage: make_splash_seeds.py <out directory>"""
import os
import struct
import sys

from make_splash import draw, palette

# The largest picture file the launcher reads (kSplashFileLimit).
FILE_LIMIT = 64 * 1024 * 1024


def picture(colours=256):
    """A good picture of 21 x 16 (rows padded to 24 bytes) with `colours`
    entries in its table."""
    return bytearray(draw(21, 16).bmp(palette()[:colours]))


def put(file, at, value, fmt="<I"):
    struct.pack_into(fmt, file, at, value)
    return file


def seeds():
    """(name, bytes or a size to pad a good picture to) for every verdict."""
    good = picture()
    return {
        "accept-full-table": good,
        "accept-16-colours": picture(colours=16),
        "accept-bytes-after-the-rows": good + b"\xee" * 100,
        "refuse-shorter-than-the-headers": good[:53],
        "refuse-not-bm": put(picture(), 0, b"BA", "<2s"),
        "refuse-core-header": put(picture(), 14, 12),
        "refuse-24-bits": put(picture(), 28, 24, "<H"),
        "refuse-compressed": put(picture(), 30, 1),
        "refuse-width-0": put(picture(), 18, 0),
        "refuse-top-down": put(picture(), 22, -16, "<i"),
        "refuse-257-colours": put(put(picture(), 46, 257), 10, 14 + 40 + 4 * 257),
        "refuse-pixels-not-after-the-table": put(picture(), 10, 14 + 40 + 4 * 256 + 4),
        "refuse-table-cut": good[:14 + 40 + 100],
        "refuse-last-pixel-missing": good[:-1],
        "refuse-over-the-size-limit": FILE_LIMIT + 1,
    }


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    os.makedirs(argv[1], exist_ok=True)
    for name, content in seeds().items():
        with open(os.path.join(argv[1], name + ".bmp"), "wb") as out:
            if isinstance(content, int):
                # A good picture, then a hole up to the size (sparse on disk).
                out.write(picture())
                out.truncate(content)
            else:
                out.write(content)


if __name__ == "__main__":
    main(sys.argv)
