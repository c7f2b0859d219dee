"""The toolkit's picture motifs: each draws one symbol onto a Layer of a cell's size."""
from raster import (arrow, box, circle, cut, ellipse, grow, hexcolor, lighten, darken, moved, polygon,
                    polyline, radial, ring, segment, union, vgrad)

INK = hexcolor("#2B3440")
BLUE = hexcolor("#2F6DB5")
NAVY = hexcolor("#1F4C86")
GREEN = hexcolor("#3A9A3A")
DKGREEN = hexcolor("#1F6B22")
RED = hexcolor("#C8312B")
DKRED = hexcolor("#84191A")
YELLOW = hexcolor("#F5C53A")
ORANGE = hexcolor("#E58A1F")
PAPER = hexcolor("#FBFAF4")
GREY = hexcolor("#8A949E")
STEEL = hexcolor("#B8C2CC")
BROWN = hexcolor("#9A6A3A")

FONT = {  # 5 x 7 capitals for the logos and the stamp
    "A": "01110 10001 10001 11111 10001 10001 10001",
    "C": "01110 10001 10000 10000 10000 10001 01110",
    "E": "11111 10000 10000 11110 10000 10000 11111",
    "I": "01110 00100 00100 00100 00100 00100 01110",
    "L": "10000 10000 10000 10000 10000 10000 11111",
    "N": "10001 11001 10101 10011 10001 10001 10001",
    "O": "01110 10001 10001 10001 10001 10001 01110",
    "R": "11110 10001 10001 11110 10100 10010 10001",
    "S": "01111 10000 10000 01110 00001 00001 11110",
    "T": "11111 00100 00100 00100 00100 00100 00100",
    "U": "10001 10001 10001 10001 10001 10001 01110",
    "V": "10001 10001 10001 10001 10001 01010 00100",
    "?": "01110 10001 00001 00110 00100 00000 00100",
    "!": "00100 00100 00100 00100 00100 00000 00100",
    "i": "00100 00000 01100 00100 00100 00100 01110",
}


def text_shape(text, x0, y0, scale):
    """The text in the 5 x 7 capitals, each dot a scale x scale square."""
    parts = []
    for n, ch in enumerate(text):
        if ch == " ":
            continue
        rows = FONT[ch].split()
        for ry, row in enumerate(rows):
            for rx, bit in enumerate(row):
                if bit == "1":
                    x = x0 + (n * 6 + rx) * scale
                    y = y0 + ry * scale
                    parts.append(box(x, y, x + scale, y + scale))
    return union(*parts)


def text_width(text, scale):
    return (len(text) * 6 - 1) * scale


def mid(w, h):
    return w / 2, h / 2, min(w, h)


# ---- symbols ----

def check_mark(L, w, h, color=GREEN, line=DKGREEN):
    cx, cy, s = mid(w, h)
    pts = [(cx - s * 0.34, cy + s * 0.02), (cx - s * 0.08, cy + s * 0.28), (cx + s * 0.36, cy - s * 0.30)]
    L.paint(polyline(pts, s * 0.22 + 1.6), line)
    L.paint(polyline(pts, s * 0.22), vgrad(cy - s / 3, cy + s / 3, lighten(color, 0.35), color))


def cross(L, w, h, color=RED, line=DKRED, k=0.30):
    cx, cy, s = mid(w, h)
    d = s * k
    shape = union(segment(cx - d, cy - d, cx + d, cy + d, s * 0.2), segment(cx - d, cy + d, cx + d, cy - d, s * 0.2))
    L.paint(grow(shape, 0.8), line)
    L.paint(shape, vgrad(cy - d, cy + d, lighten(color, 0.3), color))


def no_sign(L, w, h):
    cx, cy, s = mid(w, h)
    r = s * 0.40
    disc = circle(cx, cy, r)
    L.paint(disc, (255, 255, 255))
    band = union(ring(disc, s * 0.13), segment(cx - r * 0.7, cy - r * 0.7, cx + r * 0.7, cy + r * 0.7, s * 0.13))
    L.paint(grow(band, 0.8), DKRED)
    L.paint(band, vgrad(cy - r, cy + r, lighten(RED, 0.3), RED))


def question(L, w, h, color=BLUE):
    cx, cy, s = mid(w, h)
    sc = max(1, int(min(w / 6, h / 9)))
    tw, th = 5 * sc, 7 * sc
    shape = text_shape("?", cx - tw / 2, cy - th / 2, sc)
    L.paint(grow(shape, 1), darken(color, 0.45))
    L.paint(shape, vgrad(cy - th / 2, cy + th / 2, lighten(color, 0.35), color))


def door(L, w, h, big=False):
    cx, cy, s = mid(w, h)
    x0, y0, x1, y1 = cx - s * 0.42, cy - s * 0.42, cx + s * 0.05, cy + s * 0.42
    L.outlined(box(x0, y0, x1, y1, 1), vgrad(y0, y1, hexcolor("#C98A4B"), BROWN), darken(BROWN, 0.5))
    L.paint(box(x0 + 2.5, y0 + 2.5, x1 - 2.5, y1 - 2.5), hexcolor("#3C2A1A"))
    L.paint(polygon([(x0 + 2.5, y0 + 2.5), (x1 - 5, y0 + 5), (x1 - 5, y1 - 1.5), (x0 + 2.5, y1 - 2.5)]), hexcolor("#D9A063"))
    a = arrow(cx + s * 0.22, cy, s * 0.48, "right")
    L.paint(grow(a, 0.9), DKGREEN)
    L.paint(a, vgrad(cy - s / 4, cy + s / 4, lighten(GREEN, 0.4), GREEN))


def refresh(L, w, h):
    cx, cy, s = mid(w, h)
    r = s * 0.30
    import math
    pts = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))) for a in range(-60, 215, 15)]
    L.paint(polyline(pts, s * 0.13 + 1.6), NAVY)
    L.paint(polyline(pts, s * 0.13), BLUE)
    tip = pts[0]
    head = polygon([(tip[0] - s * 0.2, tip[1] - s * 0.02), (tip[0] + s * 0.14, tip[1] - s * 0.14), (tip[0] + s * 0.10, tip[1] + s * 0.2)])
    L.paint(grow(head, 0.8), NAVY)
    L.paint(head, BLUE)


def page(L, x0, y0, x1, y1, lines=True, fold=True):
    f = min(x1 - x0, y1 - y0) * 0.3 if fold else 0
    sheet = polygon([(x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1), (x0, y1)])
    L.outlined(sheet, vgrad(y0, y1, PAPER, hexcolor("#E6E2D4")), GREY)
    if fold:
        L.paint(polygon([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)]), hexcolor("#CFCAB8"))
    if lines:
        y = y0 + max(3, (y1 - y0) * 0.28)
        while y < y1 - 2.5:
            L.paint(box(x0 + 2.5, y, x1 - 2.5 - (f if y < y0 + f else 0), y + 1), hexcolor("#7C93AD"))
            y += max(2.5, (y1 - y0) * 0.16)


def stack_all(L, w, h):
    cx, cy, s = mid(w, h)
    for i in (2, 1, 0):
        d = i * s * 0.1
        page(L, cx - s * 0.36 + d, cy - s * 0.40 + d, cx + s * 0.16 + d, cy + s * 0.22 + d, lines=(i == 0))
    check = polyline([(cx - s * 0.05, cy + s * 0.18), (cx + s * 0.1, cy + s * 0.34), (cx + s * 0.42, cy - s * 0.02)], s * 0.14)
    L.paint(grow(check, 0.9), DKGREEN)
    L.paint(check, GREEN)


def printer(L, w, h, setup=False):
    cx, cy, s = mid(w, h)
    page(L, cx - s * 0.25, cy - s * 0.42, cx + s * 0.25, cy - s * 0.02, lines=False, fold=False)
    L.outlined(box(cx - s * 0.44, cy - s * 0.12, cx + s * 0.44, cy + s * 0.24, 2),
               vgrad(cy - s * 0.12, cy + s * 0.24, STEEL, GREY), INK)
    L.paint(box(cx + s * 0.26, cy - s * 0.04, cx + s * 0.34, cy + s * 0.02), GREEN)
    page(L, cx - s * 0.28, cy + s * 0.14, cx + s * 0.28, cy + s * 0.42, lines=True, fold=False)
    if setup:
        gear(L, w, h, cx + s * 0.30, cy + s * 0.28, s * 0.2)


def gear(L, w, h, cx=None, cy=None, r=None, color=GREY):
    import math
    if cx is None:
        cx, cy, s = mid(w, h)
        r = s * 0.38
    teeth = []
    for k in range(8):
        a = math.radians(k * 45)
        teeth.append(segment(cx + r * 0.6 * math.cos(a), cy + r * 0.6 * math.sin(a),
                             cx + r * math.cos(a), cy + r * math.sin(a), max(1.6, r * 0.34)))
    body = cut(union(circle(cx, cy, r * 0.72), *teeth), circle(cx, cy, r * 0.28))
    L.paint(grow(body, 0.8), INK)
    L.paint(body, radial(cx - r * 0.3, cy - r * 0.3, r * 1.4, lighten(color, 0.5), color))


def magnifier(L, w, h, next_arrow=False):
    cx, cy, s = mid(w, h)
    gx, gy, r = cx - s * 0.10, cy - s * 0.10, s * 0.24
    handle = segment(gx + r * 0.8, gy + r * 0.8, cx + s * 0.38, cy + s * 0.38, s * 0.14)
    L.paint(grow(handle, 0.8), INK)
    L.paint(handle, BROWN)
    L.paint(circle(gx, gy, r), radial(gx - r / 3, gy - r / 3, r * 1.3, (255, 255, 255), hexcolor("#A9D3F0")), 0.9)
    L.paint(ring(grow(circle(gx, gy, r), 1.0), 2.2), vgrad(gy - r, gy + r, STEEL, INK))
    if next_arrow:
        a = arrow(cx + s * 0.28, cy - s * 0.30, s * 0.34, "right")
        L.paint(grow(a, 0.8), DKGREEN)
        L.paint(a, GREEN)


def envelope(L, w, h):
    cx, cy, s = mid(w, h)
    x0, y0, x1, y1 = cx - s * 0.42, cy - s * 0.28, cx + s * 0.42, cy + s * 0.28
    L.outlined(box(x0, y0, x1, y1), vgrad(y0, y1, PAPER, hexcolor("#E3DCC8")), GREY)
    L.paint(polyline([(x0 + 1, y0 + 1), (cx, cy + s * 0.05), (x1 - 1, y0 + 1)], 1.2), GREY)


def floppy(L, w, h, pencil=False):
    cx, cy, s = mid(w, h)
    x0, y0, x1, y1 = cx - s * 0.40, cy - s * 0.40, cx + s * 0.40, cy + s * 0.40
    L.outlined(polygon([(x0, y0), (x1 - s * 0.12, y0), (x1, y0 + s * 0.12), (x1, y1), (x0, y1)]),
               vgrad(y0, y1, hexcolor("#4A6F9C"), NAVY), INK)
    L.paint(box(x0 + s * 0.18, y0 + 0.5, x1 - s * 0.22, y0 + s * 0.30), STEEL)
    L.paint(box(x1 - s * 0.36, y0 + s * 0.04, x1 - s * 0.28, y0 + s * 0.26), NAVY)
    L.paint(box(x0 + s * 0.14, cy + s * 0.06, x1 - s * 0.14, y1 - 1.5), PAPER)
    if pencil:
        pen(L, w, h, cx + s * 0.15, cy + s * 0.15, s * 0.5)


def pen(L, w, h, cx=None, cy=None, s=None):
    if cx is None:
        cx, cy, s = mid(w, h)
    a, b = (cx - s * 0.38, cy + s * 0.38), (cx + s * 0.34, cy - s * 0.34)
    body = segment(a[0] + s * 0.12, a[1] - s * 0.12, b[0], b[1], s * 0.2)
    L.paint(grow(body, 0.8), INK)
    L.paint(body, vgrad(cy - s / 2, cy + s / 2, YELLOW, ORANGE))
    L.paint(polygon([a, (a[0] + s * 0.06, a[1] - s * 0.2), (a[0] + s * 0.2, a[1] - s * 0.06)]), INK)


def book(L, w, h, color=hexcolor("#2E6B5E")):
    cx, cy, s = mid(w, h)
    x0, y0, x1, y1 = cx - s * 0.34, cy - s * 0.40, cx + s * 0.34, cy + s * 0.40
    L.outlined(box(x0, y0, x1, y1, 1.5), vgrad(y0, y1, lighten(color, 0.3), color), darken(color, 0.5))
    L.paint(box(x0 + s * 0.12, y0, x0 + s * 0.18, y1), darken(color, 0.4))
    L.paint(box(cx - s * 0.06, cy - s * 0.22, x1 - s * 0.1, cy - s * 0.08), PAPER)


def eye(L, w, h):
    cx, cy, s = mid(w, h)
    outer = union(ellipse(cx, cy, s * 0.44, s * 0.24))
    L.outlined(outer, PAPER, INK)
    L.paint(circle(cx, cy, s * 0.16), radial(cx - 2, cy - 2, s * 0.2, lighten(BLUE, 0.4), NAVY))
    L.paint(circle(cx, cy, s * 0.06), INK)


def bars(L, w, h):
    cx, cy, s = mid(w, h)
    base = cy + s * 0.38
    for i, (k, c) in enumerate(((0.35, BLUE), (0.62, GREEN), (0.45, ORANGE), (0.75, RED))):
        x = cx - s * 0.40 + i * s * 0.21
        L.outlined(box(x, base - s * k, x + s * 0.17, base), vgrad(base - s * k, base, lighten(c, 0.35), c), INK)
    L.paint(box(cx - s * 0.45, base, cx + s * 0.45, base + 1.2), INK)


def coins(L, w, h):
    cx, cy, s = mid(w, h)
    for i in range(3):
        y = cy + s * 0.22 - i * s * 0.16
        L.outlined(ellipse(cx - s * 0.08, y, s * 0.30, s * 0.12), vgrad(y - 4, y + 4, YELLOW, ORANGE), darken(ORANGE, 0.4))
    L.outlined(circle(cx + s * 0.22, cy - s * 0.14, s * 0.2), radial(cx + s * 0.16, cy - s * 0.2, s * 0.25, lighten(YELLOW, 0.5), ORANGE), darken(ORANGE, 0.4))


def banknote(L, w, h):
    cx, cy, s = mid(w, h)
    x0, y0, x1, y1 = cx - s * 0.45, cy - s * 0.24, cx + s * 0.45, cy + s * 0.24
    L.outlined(box(x0, y0, x1, y1, 1), vgrad(y0, y1, hexcolor("#BFE3B5"), hexcolor("#7DBE6E")), DKGREEN)
    L.paint(ring(ellipse(cx, cy, s * 0.14, s * 0.14), 1.4), DKGREEN)


def crate(L, w, h):
    cx, cy, s = mid(w, h)
    x0, y0, x1, y1 = cx - s * 0.38, cy - s * 0.30, cx + s * 0.38, cy + s * 0.38
    L.outlined(box(x0, y0, x1, y1), vgrad(y0, y1, hexcolor("#E2B77A"), hexcolor("#B9884A")), darken(BROWN, 0.4))
    L.paint(box(x0, y0, x1, y0 + s * 0.16), hexcolor("#C8955A"))
    L.paint(box(cx - s * 0.06, y0, cx + s * 0.06, y1), hexcolor("#F2E3C0"))


def building(L, w, h):
    cx, cy, s = mid(w, h)
    x0, y0, x1, y1 = cx - s * 0.30, cy - s * 0.42, cx + s * 0.30, cy + s * 0.42
    L.outlined(box(x0, y0, x1, y1), vgrad(y0, y1, STEEL, GREY), INK)
    for r in range(4):
        for c in range(3):
            x = x0 + 2.5 + c * (x1 - x0 - 4) / 3
            y = y0 + 3 + r * (y1 - y0 - 6) / 4.5
            L.paint(box(x, y, x + (x1 - x0 - 4) / 3 - 2, y + (y1 - y0) / 9), hexcolor("#FBE9A2"))


def tray_arrow(L, w, h, inwards):
    cx, cy, s = mid(w, h)
    L.outlined(polygon([(cx - s * 0.42, cy + s * 0.05), (cx - s * 0.42, cy + s * 0.40), (cx + s * 0.42, cy + s * 0.40),
                        (cx + s * 0.42, cy + s * 0.05), (cx + s * 0.3, cy + s * 0.05), (cx + s * 0.3, cy + s * 0.26),
                        (cx - s * 0.3, cy + s * 0.26), (cx - s * 0.3, cy + s * 0.05)]), STEEL, INK)
    a = arrow(cx, cy - s * 0.08, s * 0.58, "down" if inwards else "up")
    c = GREEN if inwards else ORANGE
    L.paint(grow(a, 0.8), darken(c, 0.45))
    L.paint(a, vgrad(cy - s * 0.4, cy + s * 0.2, lighten(c, 0.35), c))


def block_arrow(L, w, h, direction, color=BLUE, size=0.84):
    cx, cy, s = mid(w, h)
    a = arrow(cx, cy, s * size, direction)
    L.paint(grow(a, 0.9), darken(color, 0.45))
    L.paint(a, vgrad(cy - s / 2, cy + s / 2, lighten(color, 0.45), color))


def triangle(L, w, h, direction, bar=False, color=INK):
    """The small navigation arrows: a solid triangle, with a bar for first and last."""
    cx, cy = w / 2, h / 2
    k = min(w * 0.42, h * 0.30)
    if direction == "right":
        pts = [(cx - k * 0.7, cy - k * 1.25), (cx + k * 0.8, cy), (cx - k * 0.7, cy + k * 1.25)]
    else:
        pts = [(cx + k * 0.7, cy - k * 1.25), (cx - k * 0.8, cy), (cx + k * 0.7, cy + k * 1.25)]
    shape = polygon(pts)
    if bar:
        bx = cx + k * 0.9 if direction == "right" else cx - k * 0.9
        shape = union(moved(shape, -1.2 if direction == "right" else 1.2, 0), box(bx - 0.9, cy - k * 1.25, bx + 0.9, cy + k * 1.25))
    L.paint(shape, vgrad(cy - k, cy + k, lighten(color, 0.25), color))


def plus_sign(L, w, h, color=GREEN, disc=None, minus=False):
    cx, cy, s = mid(w, h)
    if disc:
        L.paint(grow(circle(cx, cy, s * 0.40), 0.9), darken(disc, 0.5))
        L.paint(circle(cx, cy, s * 0.40), radial(cx - s * 0.12, cy - s * 0.14, s * 0.55, lighten(disc, 0.55), disc))
        color = (255, 255, 255)
    d = s * (0.22 if disc else 0.34)
    shape = segment(cx - d, cy, cx + d, cy, s * 0.16)
    if not minus:
        shape = union(shape, segment(cx, cy - d, cx, cy + d, s * 0.16))
    if not disc:
        L.paint(grow(shape, 0.9), darken(color, 0.5))
    L.paint(shape, color)


def doc_with(L, w, h, badge):
    cx, cy, s = mid(w, h)
    page(L, cx - s * 0.38, cy - s * 0.42, cx + s * 0.18, cy + s * 0.36)
    sub_w = s * 0.5
    badge(L, cx + s * 0.18, cy + s * 0.18, sub_w)


def plus_badge(L, x, y, s):
    shape = union(segment(x - s * 0.3, y, x + s * 0.3, y, s * 0.24), segment(x, y - s * 0.3, x, y + s * 0.3, s * 0.24))
    L.paint(grow(shape, 1), DKGREEN)
    L.paint(shape, GREEN)


def minus_badge(L, x, y, s):
    shape = segment(x - s * 0.32, y, x + s * 0.32, y, s * 0.24)
    L.paint(grow(shape, 1), DKRED)
    L.paint(shape, RED)


def pen_badge(L, x, y, s):
    pen(L, 0, 0, x - s * 0.1, y - s * 0.1, s * 1.1)


def lens_badge(L, x, y, s):
    L.paint(ring(circle(x - s * 0.08, y - s * 0.08, s * 0.28), 2), INK)
    L.paint(segment(x + s * 0.12, y + s * 0.12, x + s * 0.4, y + s * 0.4, 2.4), INK)


def seal_badge(L, x, y, s):
    L.outlined(circle(x, y, s * 0.34), radial(x - 2, y - 2, s * 0.4, lighten(RED, 0.4), RED), DKRED)
    L.paint(polygon([(x - s * 0.2, y + s * 0.2), (x - s * 0.32, y + s * 0.6), (x - s * 0.05, y + s * 0.45)]), DKRED)


def key_shape(L, w, h, color=YELLOW):
    cx, cy, s = mid(w, h)
    head = cut(circle(cx - s * 0.2, cy - s * 0.12, s * 0.2), circle(cx - s * 0.24, cy - s * 0.16, s * 0.07))
    shaft = union(segment(cx - s * 0.06, cy + s * 0.02, cx + s * 0.36, cy + s * 0.36, s * 0.1),
                  segment(cx + s * 0.22, cy + s * 0.26, cx + s * 0.32, cy + s * 0.14, s * 0.08))
    shape = union(head, shaft)
    L.paint(grow(shape, 0.9), darken(ORANGE, 0.5))
    L.paint(shape, vgrad(cy - s / 3, cy + s / 3, lighten(color, 0.4), ORANGE))


def wrench(L, w, h):
    cx, cy, s = mid(w, h)
    handle = segment(cx - s * 0.30, cy + s * 0.30, cx + s * 0.12, cy - s * 0.12, s * 0.16)
    jaw = cut(circle(cx + s * 0.2, cy - s * 0.2, s * 0.2), union(circle(cx + s * 0.3, cy - s * 0.3, s * 0.11),
                                                              segment(cx + s * 0.3, cy - s * 0.3, cx + s * 0.5, cy - s * 0.5, s * 0.2)))
    shape = union(handle, jaw)
    L.paint(grow(shape, 0.9), INK)
    L.paint(shape, vgrad(cy - s / 2, cy + s / 2, lighten(STEEL, 0.4), GREY))


def bubble(L, w, h):
    cx, cy, s = mid(w, h)
    shape = union(box(cx - s * 0.42, cy - s * 0.36, cx + s * 0.42, cy + s * 0.2, s * 0.12),
                  polygon([(cx - s * 0.2, cy + s * 0.18), (cx - s * 0.3, cy + s * 0.42), (cx, cy + s * 0.18)]))
    L.outlined(shape, vgrad(cy - s / 2, cy + s / 2, (255, 255, 255), hexcolor("#D8E6F4")), NAVY)
    sc = max(1, int(s / 14))
    L.paint(text_shape("i", cx - 2.5 * sc, cy - s * 0.08 - 3.5 * sc, sc), NAVY)


def ledger(L, w, h):
    cx, cy, s = mid(w, h)
    page(L, cx - s * 0.36, cy - s * 0.42, cx + s * 0.36, cy + s * 0.42, lines=True, fold=False)
    L.paint(box(cx - s * 0.05, cy - s * 0.36, cx - s * 0.05 + 1, cy + s * 0.36), RED)
    coins_s = s * 0.4
    L.outlined(circle(cx + s * 0.22, cy + s * 0.24, coins_s * 0.5), radial(cx + s * 0.18, cy + s * 0.2, coins_s, lighten(YELLOW, 0.4), ORANGE), darken(ORANGE, 0.4))


def raven(L, w, h):
    """The product's mark: a dark disc with a white C."""
    cx, cy, s = mid(w, h)
    L.outlined(circle(cx, cy, s * 0.42), radial(cx - s * 0.15, cy - s * 0.15, s * 0.6, hexcolor("#3F6E9E"), hexcolor("#0F2F55")), INK)
    c = cut(ring(circle(cx, cy, s * 0.24), s * 0.12), polygon([(cx, cy), (cx + s, cy - s * 0.6), (cx + s, cy + s * 0.6)]))
    L.paint(c, (255, 255, 255))


def advanced(L, w, h):
    cx, cy, s = mid(w, h)
    gear(L, w, h, cx - s * 0.1, cy - s * 0.08, s * 0.32)
    a = arrow(cx + s * 0.22, cy + s * 0.22, s * 0.4, "right")
    L.paint(grow(a, 0.8), NAVY)
    L.paint(a, BLUE)


def pages_arrow(L, w, h, direction, bar):
    cx, cy, s = mid(w, h)
    page(L, cx - s * 0.36, cy - s * 0.42, cx + s * 0.36, cy + s * 0.42, lines=False)
    triangle_at(L, cx, cy + s * 0.05, s * 0.5, direction, bar)


def triangle_at(L, cx, cy, s, direction, bar):
    k = s * 0.5
    sign = 1 if direction == "right" else -1
    pts = [(cx - sign * k * 0.6, cy - k), (cx + sign * k * 0.6, cy), (cx - sign * k * 0.6, cy + k)]
    shape = polygon(pts)
    if bar:
        bx = cx + sign * k * 0.75
        shape = union(shape, box(bx - 0.8, cy - k, bx + 0.8, cy + k))
    L.paint(shape, BLUE)


def folder(L, w, h, open_=False):
    """The browse buttons' folder."""
    cx, cy, s = mid(w, h)
    x0, y0, x1, y1 = cx - w * 0.42, cy - h * 0.34, cx + w * 0.42, cy + h * 0.38
    back = polygon([(x0, y0 + 1.5), (x0 + 1.5, y0), (x0 + w * 0.3, y0), (x0 + w * 0.36, y0 + h * 0.14),
                    (x1, y0 + h * 0.14), (x1, y1), (x0, y1)])
    L.outlined(back, vgrad(y0, y1, hexcolor("#F3D37A"), hexcolor("#D9A441")), hexcolor("#7A5612"))
    front = polygon([(x0 + 0.5, y1), (x0 + w * 0.12, y0 + h * 0.3), (x1 + 0.5, y0 + h * 0.3), (x1 - w * 0.1, y1)])
    L.outlined(front, vgrad(y0 + h * 0.3, y1, hexcolor("#FFE9A8"), hexcolor("#E9B955")), hexcolor("#7A5612"))
