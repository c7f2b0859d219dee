#!/usr/bin/env python3
"""Makes the toolkit's shared pictures, the backdrop's (backdrop.py) and the finish page's
logo (finish.py): one PNG per picture and pictures.rc, which puts them into the program as
resources of type PNG named after the picture.

usage: make_pictures.py OUTPUT_FOLDER

Button pictures hold three cells side by side: normal, disabled, lit (pressed, and hot on
the smooth button). The transparent colour of every picture is its top-left pixel.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import backdrop  # noqa: E402
import finish  # noqa: E402
import motifs as m  # noqa: E402
from raster import (KEY, Image, Layer, box, circle, disabled_cell, flatten, grow, hexcolor, lighten, darken,  # noqa: E402
                    lit_cell, mix, moved, opaque, png_bytes, polygon, radial, ring, segment, union, vgrad)

PICTURES = {}


def picture(name):
    def register(fn):
        PICTURES[name] = fn
        return fn
    return register


def celled(total_w, h, draw, cells=3):
    """A button picture: the motif drawn once per cell size, then normal, disabled, lit."""
    w = total_w // cells
    layer = Layer(w, h)
    draw(layer, w, h)
    img = Image(total_w, h)
    img.blit(flatten(layer), 0, 0)
    if cells > 1:
        img.blit(disabled_cell(layer), w, 0)
    if cells > 2:
        img.blit(lit_cell(layer), 2 * w, 0)
    return img


def single(w, h, draw):
    layer = Layer(w, h)
    draw(layer, w, h)
    return flatten(layer)


def kind(name, size, draw):
    PICTURES[name] = lambda: celled(size[0], size[1], draw)


# ---- button-kind pictures: the sizes the wizard's buttons rely on ----
kind("OK", (84, 28), m.check_mark)
kind("Cancel", (70, 22), m.cross)
kind("Nu", (90, 28), lambda L, w, h: m.no_sign(L, w, h))
kind("Help", (60, 31), m.question)
kind("Exit", (69, 26), m.door)
kind("Retry", (99, 31), m.refresh)
kind("All", (81, 31), m.stack_all)
kind("PrnSetup", (99, 31), lambda L, w, h: m.printer(L, w, h, setup=True))
kind("nPrev", (30, 17), lambda L, w, h: m.triangle(L, w, h, "left"))
kind("nNext", (30, 17), lambda L, w, h: m.triangle(L, w, h, "right"))
kind("nFirst", (30, 17), lambda L, w, h: m.triangle(L, w, h, "left", bar=True))
kind("nLast", (30, 17), lambda L, w, h: m.triangle(L, w, h, "right", bar=True))
kind("BigExit", (105, 36), lambda L, w, h: m.door(L, w, h, big=True))

# ---- the other kind pictures: 24 x 24 cells ----
K24 = (72, 24)
for name, draw in {
    "Buget": m.ledger,
    "Precedent": lambda L, w, h: m.block_arrow(L, w, h, "left"),
    "Urmator": lambda L, w, h: m.block_arrow(L, w, h, "right"),
    "UrmatorBlue": lambda L, w, h: m.block_arrow(L, w, h, "right", color=hexcolor("#3E9BD8")),
    "Add": lambda L, w, h: m.doc_with(L, w, h, m.plus_badge),
    "Delete": lambda L, w, h: m.doc_with(L, w, h, m.minus_badge),
    "Jurnal": m.book,
    "Vizual": m.eye,
    "Print": m.printer,
    "Edit": lambda L, w, h: m.doc_with(L, w, h, m.pen_badge),
    "Analitic": lambda L, w, h: m.doc_with(L, w, h, m.lens_badge),
    "Detalii": lambda L, w, h: m.page(L, w * 0.16, h * 0.08, w * 0.84, h * 0.92),
    "Corvan": m.raven,
    "Save": m.floppy,
    "SaveAs": lambda L, w, h: m.floppy(L, w, h, pencil=True),
    "Plus": m.plus_sign,
    "BUnelte": m.wrench,
    "Config": m.gear,
    "Constante": lambda L, w, h: m.book(L, w, h, color=hexcolor("#6B3E7A")),
    "Stoc": m.crate,
    "Sold": m.coins,
    "BIntr": lambda L, w, h: m.tray_arrow(L, w, h, True),
    "BIes": lambda L, w, h: m.tray_arrow(L, w, h, False),
    "BSediu": m.building,
    "BBani": m.banknote,
    "Mail": m.envelope,
    "PlusAdd": lambda L, w, h: m.plus_sign(L, w, h, disc=m.GREEN),
    "PlusBlue": lambda L, w, h: m.plus_sign(L, w, h, disc=m.BLUE),
    "PlusPorto": lambda L, w, h: m.plus_sign(L, w, h, disc=hexcolor("#8E2F4E")),
    "PlusPeach": lambda L, w, h: m.plus_sign(L, w, h, disc=hexcolor("#F09A6B")),
    "PlusSnorkel": lambda L, w, h: m.plus_sign(L, w, h, disc=hexcolor("#1E6E8E")),
    "MinusDel": lambda L, w, h: m.plus_sign(L, w, h, disc=m.RED, minus=True),
    "Find": m.magnifier,
    "FindNext": lambda L, w, h: m.magnifier(L, w, h, next_arrow=True),
    "Grafic": m.bars,
    "Contract": lambda L, w, h: m.doc_with(L, w, h, m.seal_badge),
    "Explicatii": m.bubble,
    "Permis": m.key_shape,
    "Avansat": m.advanced,
}.items():
    kind(name, K24, draw)

for name, direction, bar in (("FirstPag", "left", True), ("LastPag", "right", True),
                             ("PrevPag", "left", False), ("NextPag", "right", False)):
    kind(name, (60, 20), lambda L, w, h, d=direction, b=bar: m.pages_arrow(L, w, h, d, b))


# ---- the message pictures ----

def message_symbol(draw):
    def make():
        layer = Layer(86, 53)
        draw(layer, 43, 26.5, 22)
        return flatten(layer)
    return make


def shadowed(L, shape, fill, line):
    L.paint(moved(shape, 2, 2), (40, 40, 40), 0.45)
    L.paint(grow(shape, 1.2), line)
    L.paint(shape, fill)


def warning(L, cx, cy, r):
    tri = grow(polygon([(cx, cy - r * 1.02), (cx + r * 1.12, cy + r * 0.92), (cx - r * 1.12, cy + r * 0.92)]), -1.5)
    shadowed(L, tri, vgrad(cy - r, cy + r, hexcolor("#FFE98A"), hexcolor("#F0B323")), hexcolor("#7A5300"))
    mark = union(segment(cx, cy - r * 0.45, cx, cy + r * 0.25, 5), circle(cx, cy + r * 0.62, 3))
    L.paint(mark, m.INK)


def error(L, cx, cy, r):
    disc = circle(cx, cy, r)
    shadowed(L, disc, radial(cx - r * 0.35, cy - r * 0.4, r * 1.6, hexcolor("#F27A6E"), hexcolor("#B01E17")), m.DKRED)
    d = r * 0.42
    x = union(segment(cx - d, cy - d, cx + d, cy + d, 6), segment(cx - d, cy + d, cx + d, cy - d, 6))
    L.paint(x, (255, 255, 255))


def information(L, cx, cy, r):
    disc = circle(cx, cy, r)
    shadowed(L, disc, radial(cx - r * 0.35, cy - r * 0.4, r * 1.6, hexcolor("#8CC2F0"), hexcolor("#1D5FA8")), m.NAVY)
    L.paint(circle(cx, cy - r * 0.5, 3.4), (255, 255, 255))
    L.paint(union(box(cx - 3, cy - r * 0.22, cx + 3, cy + r * 0.55), box(cx - 6, cy + r * 0.45, cx + 6, cy + r * 0.62),
                  box(cx - 6, cy - r * 0.22, cx, cy - r * 0.08)), (255, 255, 255))


def confirmation(L, cx, cy, r):
    shape = union(box(cx - r * 1.2, cy - r * 0.9, cx + r * 1.2, cy + r * 0.55, r * 0.4),
                  polygon([(cx - r * 0.5, cy + r * 0.4), (cx - r * 0.8, cy + r * 1.0), (cx - r * 0.05, cy + r * 0.4)]))
    shadowed(L, shape, vgrad(cy - r, cy + r, hexcolor("#E9F5E4"), hexcolor("#9FD08E")), m.DKGREEN)
    L.paint(m.text_shape("?", cx - 7.5, cy - r * 0.17 - 10.5, 3), m.DKGREEN)


PICTURES["Warning"] = message_symbol(warning)
PICTURES["Error"] = message_symbol(error)
PICTURES["Information"] = message_symbol(information)
PICTURES["Confirmation"] = message_symbol(confirmation)


@picture("Anulat")
def anulat():
    """A red rubber stamp: "ANULAT" in a rounded frame, a little faded."""
    L = Layer(92, 53)
    red = hexcolor("#C0262C")
    L.paint(ring(box(4, 8, 88, 45, 6), 3), red, 0.92)
    L.paint(m.text_shape("ANULAT", 46 - m.text_width("ANULAT", 2) / 2, 20, 2), red)
    return flatten(L)


# ---- the check, radio and small glyphs ----

@picture("Check")
def check():
    """Three 22 x 15 cells: checked, unchecked, grayed."""
    img = Image(66, 15)
    for n, state in enumerate(("checked", "unchecked", "grayed")):
        L = Layer(22, 15)
        frame = box(1, 1, 14, 14)
        L.paint(frame, hexcolor("#5C6978"))
        L.paint(grow(frame, -1), vgrad(2, 13, hexcolor("#E4E8EC"), (255, 255, 255)) if state != "grayed" else hexcolor("#D4D8DC"))
        if state != "unchecked":
            ink = m.INK if state == "checked" else hexcolor("#8A949E")
            L.paint(union(segment(4, 7.5, 6.5, 10.5, 2.2), segment(6.5, 10.5, 11.2, 4, 2.2)), ink)
        img.blit(flatten(L), 22 * n, 0)
    return img


@picture("Radio")
def radio():
    """Two 11 x 11 cells: unchecked, checked."""
    img = Image(22, 11)
    for n in range(2):
        L = Layer(11, 11)
        L.paint(circle(5.5, 5.5, 5.3), hexcolor("#5C6978"))
        L.paint(circle(5.5, 5.5, 4.3), radial(4, 4, 6, (255, 255, 255), hexcolor("#DDE2E7")))
        if n:
            L.paint(circle(5.5, 5.5, 2.2), m.INK)
        img.blit(flatten(L, threshold=0.25), 11 * n, 0)
    return img


def small(name, w, h, draw):
    PICTURES[name] = lambda: single(w, h, draw)


small("Interzis", 16, 16, m.no_sign)
small("Surub", 16, 16, lambda L, w, h: (L.outlined(circle(8, 8, 6.5), radial(6, 6, 8, (255, 255, 255), m.GREY), m.INK),
                                        L.paint(segment(4.5, 11.5, 11.5, 4.5, 1.8), m.INK)))
small("Linii", 16, 16, lambda L, w, h: [L.paint(box(2, y, 14, y + 1.5), m.NAVY) for y in (3, 6.5, 10, 13.5)])
small("GrupX", 11, 11, lambda L, w, h: (L.outlined(box(0.5, 0.5, 10.5, 10.5), (255, 255, 255), m.GREY),
                                        L.paint(union(box(2.5, 5, 8.5, 6), box(5, 2.5, 6, 8.5)), m.INK)))
small("Grup0", 11, 11, lambda L, w, h: (L.outlined(box(0.5, 0.5, 10.5, 10.5), (255, 255, 255), m.GREY),
                                        L.paint(box(2.5, 5, 8.5, 6), m.INK)))
small("crescator", 9, 8, lambda L, w, h: L.paint(polygon([(4.5, 1), (8.5, 7), (0.5, 7)]), m.INK))
small("descrescator", 9, 8, lambda L, w, h: L.paint(polygon([(0.5, 1), (8.5, 1), (4.5, 7)]), m.INK))
small("ToolbVert", 6, 24, lambda L, w, h: [(L.paint(box(1, y, 3, y + 2), (255, 255, 255)),
                                            L.paint(box(2, y + 1, 4, y + 3), m.GREY)) for y in range(2, 22, 4)])
small("ToolbOriz", 24, 6, lambda L, w, h: [(L.paint(box(x, 1, x + 2, 3), (255, 255, 255)),
                                            L.paint(box(x + 1, 2, x + 3, 4), m.GREY)) for x in range(2, 22, 4)])
small("EscapeImg", 16, 16, lambda L, w, h: m.cross(L, w, h, k=0.26))
small("SCLogo", 32, 32, m.raven)
small("Pag", 16, 16, lambda L, w, h: m.page(L, 2.5, 1.5, 13.5, 14.5))
small("Neoperat", 16, 16, lambda L, w, h: (L.outlined(circle(8, 8, 6.5), (255, 255, 255), m.ORANGE),
                                           L.paint(union(segment(8, 8, 8, 4, 1.4), segment(8, 8, 11, 9.5, 1.4)), m.INK)))
small("ImageListe", 16, 16, lambda L, w, h: [(L.paint(box(1.5, y, 3.5, y + 2), m.BLUE), L.paint(box(5, y + 0.5, 14.5, y + 1.5), m.INK))
                                             for y in (2.5, 6.5, 10.5)])
small("ImageDate", 16, 16, lambda L, w, h: (L.outlined(box(1.5, 2.5, 14.5, 14.5), (255, 255, 255), m.INK),
                                            L.paint(box(2, 3, 14, 6), m.RED),
                                            [L.paint(box(x, y, x + 2, y + 2), m.GREY) for x in (3.5, 7, 10.5) for y in (7.5, 10.5)]))
small("StopModi", 24, 24, lambda L, w, h: (L.outlined(polygon([(8, 1), (16, 1), (23, 8), (23, 16), (16, 23), (8, 23), (1, 16), (1, 8)]),
                                                      m.RED, m.DKRED), L.paint(box(6, 10.5, 18, 13.5), (255, 255, 255))))
small("MainExitImg", 25, 25, m.door)
small("LookupFace", 17, 17, lambda L, w, h: L.paint(polygon([(4.5, 7), (12.5, 7), (8.5, 11)]), m.INK))
for name, d in (("SagRight", "right"), ("SagLeft", "left"), ("SagUp", "up"), ("SagDown", "down")):
    small(name, 9, 9, lambda L, w, h, d=d: L.paint(
        {"right": polygon([(2.5, 1), (7, 4.5), (2.5, 8)]), "left": polygon([(6.5, 1), (2, 4.5), (6.5, 8)]),
         "up": polygon([(1, 6.5), (4.5, 2), (8, 6.5)]), "down": polygon([(1, 2.5), (4.5, 7), (8, 2.5)])}[d], m.INK))


@picture("FolderBrowse")
def folder_browse():
    """The browse buttons' own picture: two 18 x 16 cells (normal, disabled)."""
    return celled(36, 16, m.folder, cells=2)


@picture("IconFace")
def icon_face():
    """The round face the title bar's search and detail icons stand on."""
    L = Layer(40, 40)
    L.paint(circle(20, 20, 19), hexcolor("#3A4654"))
    L.paint(circle(20, 20, 18), radial(14, 12, 30, hexcolor("#C9D3DD"), hexcolor("#5C6978")))
    L.paint(ring(circle(20, 20, 17), 1), (255, 255, 255), 0.5)
    return flatten(L)


@picture("HatchB")
def hatch():
    img = Image(8, 8, (255, 255, 255))
    for i in range(8):
        img.put(i, 7 - i, hexcolor("#9AA6B2"))
    return img


@picture("Hartie")
def paper():
    """A faint paper texture, tiled as a background."""
    img = Image(64, 64, hexcolor("#F4F1E6"))
    seed = 12345
    for y in range(64):
        for x in range(64):
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            if seed % 7 == 0:
                img.put(x, y, hexcolor("#EAE5D6"))
    return img


# ---- face strips ----

FACES = {
    "normal": (hexcolor("#FBFCFD"), hexcolor("#E1E6EB"), hexcolor("#C7CED6"), hexcolor("#6B7886")),
    "hot": (hexcolor("#FFFBEA"), hexcolor("#FDE7A8"), hexcolor("#F3C661"), hexcolor("#9A6B10")),
    "pressed": (hexcolor("#BCC5CF"), hexcolor("#D2D9E0"), hexcolor("#E8ECF0"), hexcolor("#4E5A66")),
}


def glossy(top, middle, bottom, height):
    """Upper half a light gloss, lower half darker toward the bottom."""
    def f(x, y):
        t = y / height
        if t < 0.5:
            return mix(top, middle, t * 2)
        return mix(middle, bottom, (t - 0.5) * 2)
    return f


def face_strip(h, states=("normal", "hot", "pressed"), radius=None):
    """Nine 20-pixel cells: per state a left end, a middle to tile and a right end."""
    img = Image(180, h)
    r = radius if radius is not None else h * 0.36
    for n, state in enumerate(states):
        top, middle, bottom, line = FACES[state]
        L = Layer(60, h)
        pill = box(0, 0, 60, h, r)
        L.paint(pill, line)
        L.paint(grow(pill, -1), glossy(top, middle, bottom, h))
        if state != "pressed":
            L.paint(ring(grow(pill, -1), 1), (255, 255, 255), 0.55)
        img.blit(flatten(L, matte=mix(line, (200, 206, 212), 0.5)), 60 * n, 0)
    return img


PICTURES["ButtonFaceCVX"] = lambda: face_strip(28)
PICTURES["ButtonFaceCVX120"] = lambda: face_strip(35)
PICTURES["ButtonFace2"] = lambda: face_strip(24, radius=4)
PICTURES["MenuTabCtrlFace120"] = lambda: face_strip(35, radius=5)
PICTURES["TabCtrlFace"] = lambda: face_strip(24, radius=3)


@picture("Mijloc")
def middle_slice():
    return crop(face_strip(28), 20, 0, 20, 28)


def crop(img, x0, y0, w, h):
    out = Image(w, h)
    for y in range(h):
        for x in range(w):
            out.rows[y][x] = img.rows[y0 + y][x0 + x]
    return out


@picture("SpeedFace")
def speed_face():
    """Three 22 x 22 cells: flat, raised, sunk."""
    img = Image(66, 22, hexcolor("#C8CFD6"))
    for n, (hi, lo) in enumerate((((200, 207, 214), (200, 207, 214)), ((255, 255, 255), (92, 105, 120)),
                                 ((92, 105, 120), (255, 255, 255)))):
        x0 = 22 * n
        img.fill(x0, 0, x0 + 22, 1, hi)
        img.fill(x0, 0, x0 + 1, 22, hi)
        img.fill(x0, 21, x0 + 22, 22, lo)
        img.fill(x0 + 21, 0, x0 + 22, 22, lo)
    return img


@picture("Tab")
def tab():
    L = Layer(90, 22)
    L.paint(box(0, 0, 90, 26, 5), hexcolor("#5C6978"))
    L.paint(box(1, 1, 89, 26, 4), vgrad(0, 22, hexcolor("#F2F4F6"), hexcolor("#C8CFD6")))
    return flatten(L)


@picture("MainTitleBarSliceE")
def title_slice():
    L = Layer(40, 25)
    L.paint(box(-10, 0, 40, 25), vgrad(0, 25, hexcolor("#7A8898"), hexcolor("#4A5665")))
    L.paint(polygon([(10, 0), (40, 0), (40, 25), (26, 25)]), vgrad(0, 25, hexcolor("#FBE08A"), hexcolor("#F2B81E")))
    return opaque(L, hexcolor("#5C6978"))


def logo(w, h, white, side=None):
    L = Layer(w, h)
    ink = (255, 255, 255) if white else m.INK
    mark = h * 0.8
    if side != "R":
        m.raven(_Offset(L, (h - mark) / 2, (h - mark) / 2), mark, mark)
    if side != "L":
        sc = max(1, int(h / 14))
        x = h if side is None else (w - m.text_width("CORVAN", sc)) / 2
        L.paint(m.text_shape("CORVAN", x, h / 2 - 3.5 * sc, sc), ink)
    return flatten(L)


class _Offset:
    """A view of a layer shifted by (dx, dy), for drawing a motif off the origin."""
    def __init__(self, layer, dx, dy):
        self.layer, self.dx, self.dy = layer, dx, dy

    def paint(self, shape, fill, opacity=1.0):
        fn = (lambda x, y: fill(x - self.dx, y - self.dy)) if callable(fill) else fill
        self.layer.paint(lambda x, y: shape(x - self.dx, y - self.dy), fn, opacity)
        return self

    def outlined(self, shape, fill, line, width=1.0):
        self.paint(shape, line)
        self.paint(grow(shape, -width), fill)
        return self


PICTURES["SiglaCorvanImg"] = lambda: logo(160, 40, False)
PICTURES["SiglaCorvan2Img"] = lambda: logo(120, 30, True)
PICTURES["SiglaWhiteL"] = lambda: logo(40, 40, True, "L")
PICTURES["SiglaBlackL"] = lambda: logo(40, 40, False, "L")
PICTURES["SiglaWhiteR"] = lambda: logo(100, 40, True, "R")
PICTURES["SiglaBlackR"] = lambda: logo(100, 40, False, "R")


@picture("PalmaDeMajorca")
def palm():
    """A small holiday scene: sky, sea, sand and a palm."""
    L = Layer(120, 80)
    L.paint(box(0, 0, 120, 50), vgrad(0, 50, hexcolor("#6FA8DC"), hexcolor("#CFE6F7")))
    L.paint(box(0, 50, 120, 62), vgrad(50, 62, hexcolor("#2E86AB"), hexcolor("#5FB0C9")))
    L.paint(box(0, 62, 120, 80), vgrad(62, 80, hexcolor("#F2DDA4"), hexcolor("#D9B96E")))
    L.paint(circle(92, 18, 9), hexcolor("#FFE27A"))
    L.paint(polyline_thick([(38, 76), (42, 56), (48, 38), (56, 24)], 4), hexcolor("#7A5230"))
    for dx, dy in ((-22, 4), (-16, -8), (0, -12), (18, -6), (22, 8)):
        L.paint(segment(56, 24, 56 + dx, 24 + dy, 4.5), hexcolor("#2E7D32"))
    return opaque(L, (255, 255, 255))


def polyline_thick(points, width):
    return union(*[segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)])


# ---- the backdrop's own pictures (not shared: the backdrop takes them itself) ----
PICTURES.update(backdrop.PICTURES)
# ---- the finish page's logo (the page takes it itself) ----
PICTURES.update(finish.PICTURES)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    lines = ["// Made by resources/art/make_pictures.py: the toolkit's shared pictures, the backdrop's and the finish page's logo.\n"]
    for name in sorted(PICTURES, key=str.lower):
        img = PICTURES[name]()
        path = os.path.join(out, name + ".png")
        data = png_bytes(img)
        with open(path, "wb") as f:
            f.write(data)
        rc_path = os.path.abspath(path).replace("\\", "/")
        lines.append(f'{name} PNG "{rc_path}"\n')
    with open(os.path.join(out, "pictures.rc"), "w") as f:
        f.writelines(lines)


if __name__ == "__main__":
    main()
