#!/usr/bin/env python3
"""Fails unless a 32-bit PE image imports only what Windows 95 and NT 4 export.

The image may import from KERNEL32, USER32, GDI32 and ADVAPI32 alone: no C
runtime, which Windows 95 before OSR2 does not have. --also names further
system DLLs an image may import, such as the installer's stub's SHELL32. The
tables in tools/exports/ list, per system and each from the source its header
names, the functions of those DLLs these programs may use. Also checks that
the header asks for Windows 4.0.
Usage: check_imports.py [--also DLL,...] IMAGE
"""
import argparse
import os
import struct
import sys

TABLES = {"Windows 95": "win95.txt", "NT 4": "nt4.txt"}
SYSTEM_DLLS = {"KERNEL32", "USER32", "GDI32", "ADVAPI32"}


def read_table(name):
    exports, dll = set(), None
    with open(os.path.join(os.path.dirname(__file__), "exports", name)) as table:
        for line in table:
            line = line.split("#")[0].strip()
            if line.startswith("["):
                dll = line.strip("[]").upper()
            elif line:
                exports.add((dll, line))
    return exports


def imports(image):
    """(DLL, function) for each import by name of a PE32 image."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0" or struct.unpack_from("<H", image, pe + 24)[0] != 0x10B:
        sys.exit("not a PE32 image")
    sections = pe + 24 + struct.unpack_from("<H", image, pe + 20)[0]
    count = struct.unpack_from("<H", image, pe + 6)[0]

    def offset(rva):
        for s in range(sections, sections + 40 * count, 40):
            size, address, _, raw = struct.unpack_from("<IIII", image, s + 8)
            if address <= rva < address + max(size, 1):
                return rva - address + raw
        sys.exit(f"RVA {rva:#x} lies in no section")

    def text(rva):
        start = offset(rva)
        return image[start:image.index(b"\0", start)].decode("ascii")

    result = []
    descriptor = offset(struct.unpack_from("<I", image, pe + 24 + 104)[0])
    while True:
        lookup, _, _, name, first_thunk = struct.unpack_from("<5I", image, descriptor)
        if not name:
            return result
        dll = text(name).upper().removesuffix(".DLL")
        thunk = offset(lookup or first_thunk)
        while entry := struct.unpack_from("<I", image, thunk)[0]:
            result.append((dll, f"#{entry & 0xFFFF}" if entry >> 31 else text(entry + 2)))
            thunk += 4
        descriptor += 20


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--also", default="", help="further system DLLs, comma-separated")
    parser.add_argument("image")
    args = parser.parse_args()
    allowed = SYSTEM_DLLS | {dll.upper() for dll in args.also.split(",") if dll}
    image = open(args.image, "rb").read()
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    os_version = struct.unpack_from("<HH", image, pe + 24 + 40)
    subsystem = struct.unpack_from("<HH", image, pe + 24 + 48)
    failed = os_version != (4, 0) or subsystem != (4, 0)
    if failed:
        print(f"header asks for Windows {os_version} / subsystem {subsystem}, not 4.0")
    found = imports(image)
    for dll in sorted({dll for dll, _ in found} - allowed):
        print(f"{dll}: not one of the system DLLs {', '.join(sorted(allowed))}")
        failed = True
    for system, table in TABLES.items():
        exports = read_table(table)
        for dll, function in found:
            if dll in allowed and (dll, function) not in exports:
                print(f"{dll}!{function}: {system} does not export it")
                failed = True
    print(f"{len(found)} imports checked against Windows 95 and NT 4")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
