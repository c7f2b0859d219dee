#!/usr/bin/env python3
"""Makes the symbol typeface the toolkit carries for systems that have no "Wingdings"
(Wine has none here): the free Wingdings of Debian's fonts-wine package, checked to be
named "Wingdings" and to hold the check mark at 0xFC, plus fonts.rc naming it.

usage: make_symbol_font.py OUTPUT_DIR"""
import shutil
import sys
from pathlib import Path

from fontTools.ttLib import TTFont

SOURCE = Path("/usr/share/wine/fonts/wingding.ttf")


def main() -> int:
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    if not SOURCE.is_file():
        print(f"{SOURCE} is missing: install the fonts-wine package", file=sys.stderr)
        return 1
    font = TTFont(SOURCE)
    families = {n.toUnicode() for n in font["name"].names if n.nameID == 1}
    if "Wingdings" not in families:
        print(f"{SOURCE} is not named Wingdings: {families}", file=sys.stderr)
        return 1
    # A symbol font maps its characters at 0xF000 + code; the check mark is code 0xFC.
    symbol = [t for t in font["cmap"].tables if t.platformID == 3 and t.platEncID == 0]
    if not symbol or 0xF0FC not in symbol[0].cmap:
        print(f"{SOURCE} has no check mark at 0xFC", file=sys.stderr)
        return 1
    target = out / "wingding.ttf"
    shutil.copyfile(SOURCE, target)
    (out / "fonts.rc").write_text(f'SYMBOLFONT RCDATA "{target.as_posix()}"\n')
    return 0


if __name__ == "__main__":
    sys.exit(main())
