#!/usr/bin/env python3
"""Writes the installer's fixed list of files for a game directory.

    game_files.py <game directory> <list.nsh>

and, beside the list, <list.nsh>.log: the install log.

The list, included by demo/installer/kora-demo.nsi, installs every file and
directory under the game directory as it is (InstallGameFiles), names each
of them to the macro it is given (GameNames: files first, then directories,
deepest first; the uninstaller's RemoveName, which passes over links,
removes them, and the installer's CheckTarget checks them beforehand)
and unpacks the install log (InstallLog): the installation's names relative
to its folder, the uninstaller first, files before their directories, in
UTF-16 so that every name reads back as itself whatever the code page of the
installer's build, made here since it is the same for every installation.
NON_ASCII is defined where a name holds a character beyond ASCII: an
installer built for one code page writes such a name correctly only on a
system of that page. Names are sorted, so the same directory gives the same
installer.
"""
import os
import sys


# makensis replaces ${U+24} by '$' after it has replaced the defines of a
# line, so a name's "${...}" is never read as one of them. The names hold no
# '"': Windows allows none, and tools/medium_check refuses them.
DOLLAR = "${U+24}"


def nsis(text, define=False):
    """A name as an NSIS string holds it: '$$' gives '$' when the installer
    runs. A macro's argument has its defines replaced once more where it
    is used, so there each ${U+24} is itself written that way."""
    dollar = DOLLAR + DOLLAR[1:] if define else DOLLAR
    return text.replace("$", dollar * 2)


def source(text):
    """A name as File reads it when the installer is built: no '$$' there."""
    return text.replace("$", DOLLAR)


def walk(top):
    """Relative directories and files under `top`, Windows-style, sorted."""
    dirs, files = [], []
    for parent, subdirs, names in os.walk(top):
        subdirs.sort()
        rel = os.path.relpath(parent, top)
        prefix = "" if rel == "." else rel.replace(os.sep, "\\") + "\\"
        dirs += [prefix + d for d in subdirs]
        files += [prefix + n for n in names]
    return sorted(dirs), sorted(files)


def main(top, out):
    dirs, files = walk(top)
    deepest_first = sorted(dirs, key=lambda d: (-d.count("\\"), d))
    lines = ["!macro InstallGameFiles"]
    for d in dirs:
        lines.append('    CreateDirectory "$INSTDIR\\%s"' % nsis(d))
    out_dir = None
    for f in sorted(files, key=lambda f: f.rpartition("\\")[0]):
        parent = f.rpartition("\\")[0]
        if parent != out_dir:
            lines.append('    SetOutPath "$INSTDIR%s"' % nsis("\\" + parent if parent else ""))
            out_dir = parent
        lines.append('    File "${GAME}\\%s"' % source(f))
    lines.append("!macroend")
    lines.append("!macro GameNames ACTION")
    lines += ['    !insertmacro ${ACTION} "%s"' % nsis(n, define=True) for n in files + deepest_first]
    lines.append("!macroend")
    log = ["uninst.exe"] + files + [d + "\\" for d in deepest_first] + ["drivers\\", "save\\"]
    with open(out + ".log", "wb") as f:
        f.write(b"\xff\xfe" + "".join(n + "\r\n" for n in log).encode("utf-16-le"))
    lines.append("!macro InstallLog")
    lines.append('    File "/oname=$INSTDIR\\install.log" "%s"' % source(os.path.abspath(out + ".log")))
    lines.append("!macroend")
    if any(ord(c) > 127 for n in files + dirs for c in n):
        lines.append("!define NON_ASCII")
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
