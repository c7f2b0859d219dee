#!/usr/bin/env python3
"""Reads the project's includes and fails on one that points up the folder order.

Folders of the program, from the bottom up (docs/ARCHITECTURE.md draws them):
a file may include its own folder and the folders below it, never one above it.
The core stays free of the platform: it never includes <windows.h>. No folder of the
program includes the tests, the gallery, the stand-ins or the host tools.

    check_layers.py [SOURCE_ROOT]     exit 0 when every include points down
"""
import pathlib
import re
import sys

# Bottom first. Each folder may include itself and the folders before it.
LAYERS = ["core", "platform", "toolkit", "htmlview", "wizard", "sysconfig", "install", "upgrade", "setup"]
# Project folders that are not part of the program.
OUTSIDE = ["tests", "gallery", "standins", "bench", "tools", "fuzz"]
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".c", ".inc"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def rank(folder):
    return LAYERS.index(folder) if folder in LAYERS else None


def faults_of(root, path):
    """The upward or forbidden includes of one file, as printable lines."""
    folder = path.relative_to(root).parts[0]
    own = rank(folder)
    faults = []
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        quote, target = match.groups()
        where = f"{path.relative_to(root)}:{number}"
        if quote == "<":
            if folder == "core" and target.lower() in ("windows.h", "windowsx.h"):
                faults.append(f"{where}: the core includes <{target}>; it must build without the platform")
            continue
        first = target.split("/")[0]
        if first in OUTSIDE:
            faults.append(f"{where}: includes {target}; {first}/ is not part of the program")
            continue
        theirs = rank(first)
        if theirs is not None and theirs > own:
            faults.append(f"{where}: includes {target}, but {first}/ lies above {folder}/")
    return faults


def check(root):
    faults = []
    for folder in LAYERS:
        base = root / folder
        if not base.is_dir():
            continue
        for path in sorted(base.rglob("*")):
            if path.is_file() and path.suffix in SOURCE_SUFFIXES:
                faults.extend(faults_of(root, path))
    return faults


def main(argv):
    root = pathlib.Path(argv[1] if len(argv) > 1 else pathlib.Path(__file__).resolve().parents[2]).resolve()
    faults = check(root)
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"{len(faults)} include(s) against the folder order (bottom up: {' < '.join(LAYERS)})",
              file=sys.stderr)
        return 1
    print(f"folder layers: every include points down ({' < '.join(LAYERS)})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
