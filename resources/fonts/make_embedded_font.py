#!/usr/bin/env python3
"""Makes the backdrop's embedded typeface "Helvetica Black_r": the free heavy sans Lato
Black of Debian's fonts-lato package, cut down to the characters the setup may draw in
it (printable ASCII and the Romanian letters) and renamed, plus embedded_font.rc, which
puts it into the program as raw data named HELVETICAR.

Lato is under the SIL Open Font License, whose reserved name "Lato" a changed copy may
not carry: the copy is renamed, and its copyright and licence records are kept.

usage: make_embedded_font.py OUTPUT_DIR"""
import logging
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCE = Path("/usr/share/fonts/truetype/lato/Lato-Black.ttf")
FAMILY = "Helvetica Black_r"
STYLE = "Regular"
POSTSCRIPT = "HelveticaBlack_r"
# The product name is what the backdrop draws; the rest keeps the face usable for any
# Romanian text in it.
PRODUCT_NAME = "Corvan"
CHARACTERS = "".join(chr(c) for c in range(0x20, 0x7F)) + "ĂăÂâÎîȘșȚțŞşŢţ"
# Name records that still say "Lato" and would compete with the new family name.
DROPPED_NAMES = (16, 17, 21, 22, 25)


def cut_down(font: TTFont) -> None:
    options = subset.Options()
    options.layout_features = ["kern"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    # Outlines only: the name is drawn large, where hinting instructions change nothing
    # but the size.
    options.hinting = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=CHARACTERS)
    subsetter.subset(font)


def rename(font: TTFont) -> None:
    names = font["name"]
    for name_id in DROPPED_NAMES:
        names.removeNames(nameID=name_id)
    version = font["head"].fontRevision
    for name_id, text in ((1, FAMILY), (2, STYLE), (3, f"{POSTSCRIPT};{version:.3f}"), (4, FAMILY), (6, POSTSCRIPT)):
        names.removeNames(nameID=name_id)
        names.setName(text, name_id, 3, 1, 0x409)  # Windows, Unicode BMP, English


def check(font: TTFont) -> str:
    """An empty string when the face is what the program expects, else what is wrong."""
    families = {n.toUnicode() for n in font["name"].names if n.nameID == 1}
    if families != {FAMILY}:
        return f"family names are {families}"
    cmap = font.getBestCmap()
    missing = [ch for ch in CHARACTERS if ord(ch) not in cmap]
    if missing:
        return f"no glyph for {''.join(missing)!r}"
    if any(cmap[ord(ch)] == ".notdef" for ch in PRODUCT_NAME):
        return "the product name maps to the empty glyph"
    return ""


def main() -> int:
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    if not SOURCE.is_file():
        print(f"{SOURCE} is missing: install the fonts-lato package", file=sys.stderr)
        return 1
    logging.getLogger("fontTools").setLevel(logging.ERROR)  # Lato's odd creation date is no fault
    font = TTFont(SOURCE)
    cut_down(font)
    rename(font)
    target = out / "helveticar.ttf"
    font.save(target)
    problem = check(TTFont(target))
    if problem:
        print(f"{target}: {problem}", file=sys.stderr)
        return 1
    (out / "embedded_font.rc").write_text(f'HELVETICAR RCDATA "{target.as_posix()}"\n')
    return 0


if __name__ == "__main__":
    sys.exit(main())
