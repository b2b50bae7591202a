#!/usr/bin/env python3
"""Marks a PE image to be run from the swap file and recomputes its checksum.

Windows then copies the whole program into memory before running it, so an
ejected or scratched medium cannot fault its pages in.
Usage: pe_flags.py EXE          mark EXE
       pe_flags.py --check EXE  exit 1 unless EXE is marked and its checksum right
"""
import struct
import sys

REMOVABLE_RUN_FROM_SWAP = 0x0400
NET_RUN_FROM_SWAP = 0x0800


def checksum(image, checksum_offset):
    """The PE checksum: 16-bit one's-complement-style sum plus the length."""
    total = 0
    data = image + b"\0" * (len(image) % 2)
    for i in range(0, len(data), 2):
        if i in (checksum_offset, checksum_offset + 2):
            continue
        total += data[i] | data[i + 1] << 8
        total = (total & 0xFFFF) + (total >> 16)
    total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def header_offsets(image, path):
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        sys.exit(f"{path}: not a PE image")
    return pe + 4 + 18, pe + 24 + 64  # characteristics, checksum


def mark(path):
    image = bytearray(open(path, "rb").read())
    characteristics, checksum_offset = header_offsets(image, path)
    flags = struct.unpack_from("<H", image, characteristics)[0]
    struct.pack_into("<H", image, characteristics,
                     flags | REMOVABLE_RUN_FROM_SWAP | NET_RUN_FROM_SWAP)
    struct.pack_into("<I", image, checksum_offset, checksum(bytes(image), checksum_offset))
    open(path, "wb").write(image)


def check(path):
    image = open(path, "rb").read()
    characteristics, checksum_offset = header_offsets(image, path)
    flags = struct.unpack_from("<H", image, characteristics)[0]
    stored = struct.unpack_from("<I", image, checksum_offset)[0]
    wanted = REMOVABLE_RUN_FROM_SWAP | NET_RUN_FROM_SWAP
    print(f"{path}: characteristics 0x{flags:04x}, checksum 0x{stored:08x}")
    if flags & wanted != wanted:
        sys.exit("run-from-swap flags missing")
    if stored != checksum(image, checksum_offset):
        sys.exit("checksum wrong")


if __name__ == "__main__":
    if sys.argv[1] == "--check":
        check(sys.argv[2])
    else:
        mark(sys.argv[1])
