"""The backdrop's own pictures, drawn for its dark blue (#084A8C):
  pasarele   a sky with a flight of birds heading for the product's mark, fading into
             the backdrop at its edges;
  software   the word-mark under the product name;
  caciula_i  the small yellow stroke over the product name (a click opens the instructions).
Each is keyed by its top-left pixel, which is the backdrop's colour."""
import math

import glyphs
import motifs as m
from raster import Layer, box, circle, hexcolor, mix, opaque, polyline, union

BACK = hexcolor("#084A8C")
NAVY = hexcolor("#0B2C52")
YELLOW_LIGHT = hexcolor("#FFE45C")
YELLOW_DEEP = hexcolor("#F2A900")


def smoothstep(e0, e1, x):
    t = max(0.0, min(1.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


def fade(w, h):
    """0 inside an ellipse filling the picture, rising to 1 at its edge: how much of the
    backdrop's blue shows, so the picture has no edge of its own."""
    def f(x, y):
        return smoothstep(0.5, 0.97, math.hypot((x - w / 2) / (w / 2), (y - h / 2) / (h / 2)))
    return f


def sky_color(w, h, sun):
    """Deep blue above, light toward the horizon, a pale glow round the sun."""
    top, middle, horizon = hexcolor("#1462B0"), hexcolor("#3F90D8"), hexcolor("#B5DDF6")
    glow = hexcolor("#FFF4CC")
    faded = fade(w, h)

    def f(x, y):
        t = y / h
        c = mix(top, middle, t / 0.55) if t < 0.55 else mix(middle, horizon, (t - 0.55) / 0.45)
        g = math.hypot(x - sun[0], (y - sun[1]) * 1.2)
        c = mix(c, glow, 0.75 * (1 - smoothstep(0, 95, g)) ** 2)
        return mix(c, BACK, faded(x, y))
    return f


def cloud(L, cx, cy, scale, opacity, faded):
    puffs = [(-1.6, 0.3, 0.8), (-0.7, -0.2, 1.1), (0.4, -0.35, 1.25), (1.5, 0.15, 0.9), (0.2, 0.45, 1.0)]
    shape = union(*[circle(cx + dx * 10 * scale, cy + dy * 10 * scale, r * 10 * scale) for dx, dy, r in puffs])
    reach = 30 * scale
    L.paint(shape, lambda x, y: mix((255, 255, 255), BACK, faded(x, y)), opacity,
            bounds=(cx - reach, cy - reach, cx + reach, cy + reach))


def bird(L, x, y, span, flap):
    """A gull seen from afar: two bent wings; flap lifts the wing tips."""
    s = span / 2
    left = [(x - s, y - s * (0.25 + flap)), (x - s * 0.45, y - s * 0.32), (x, y)]
    right = [(x, y), (x + s * 0.45, y - s * 0.32), (x + s, y - s * (0.25 + flap))]
    width = max(1.3, span * 0.09)
    shape = union(polyline(left, width), polyline(right, width), circle(x, y + width * 0.2, width * 0.7))
    L.paint(shape, NAVY, 0.92, bounds=(x - s - 2, y - s - 2, x + s + 2, y + s * 0.3 + 2))


def pasarele():
    w, h = 446, 218
    sun = (352, 88)
    L = Layer(w, h)
    L.paint(box(-1, -1, w + 1, h + 1), sky_color(w, h, sun))
    for cx, cy, scale, opacity in ((92, 150, 1.5, 0.35), (210, 172, 1.1, 0.3), (300, 138, 0.9, 0.4)):
        cloud(L, cx, cy, scale, opacity, fade(w, h))
    # The product's mark in the sky, with a faint ring of light.
    mark = Layer(100, 100)
    m.raven(mark, 100, 100)
    L.paint(union(circle(*sun, 45)), (255, 255, 255), 0.18, bounds=(sun[0] - 46, sun[1] - 46, sun[0] + 46, sun[1] + 46))
    L.composite(mark, sun[0] - 50, sun[1] - 50)
    # A flight of birds rising from the lower left toward the mark, smaller as they go.
    for x, y, span, flap in ((58, 170, 24, 0.15), (96, 150, 21, 0.35), (84, 128, 17, 0.05), (136, 128, 18, 0.25),
                             (170, 108, 15, 0.4), (150, 92, 12, 0.1), (206, 88, 12, 0.3), (236, 70, 10, 0.15),
                             (262, 58, 8, 0.35)):
        bird(L, x, y, span, flap)
    return opaque(L, BACK)


def software():
    w, h = 197, 70
    L = Layer(w, h)
    word = glyphs.letters("software", 3, 37, 40, "Bold")
    for shape, bounds in word:
        L.paint(shape, hexcolor("#E4F0FA"), bounds=bounds)
    right = glyphs.text_width("software", 40, "Bold") + 3
    L.paint(box(4, 45, right, 47), mix(YELLOW_DEEP, YELLOW_LIGHT, 0.5))
    for shape, bounds in glyphs.letters("DE CONTABILITATE", 4, 63, 12.5, "Bold", tracking=1.35):
        L.paint(shape, hexcolor("#9CC3E6"), bounds=bounds)
    return opaque(L, BACK)


def caciula_i():
    """A brush stroke rising to the right: thin at both ends, full in the middle."""
    w, h = 65, 45
    L = Layer(w, h)
    p0, p1, p2 = (6, 37), (22, 8), (60, 9)
    dots = []
    for i in range(41):
        t = i / 40
        u = 1 - t
        x = u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0]
        y = u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]
        dots.append(circle(x, y, 1.2 + 5.3 * math.sin(math.pi * t ** 0.8)))
    stroke = union(*dots)
    L.paint(lambda x, y: stroke(x - 1.5, y - 2), NAVY, 0.55)
    L.paint(stroke, lambda x, y: mix(YELLOW_LIGHT, YELLOW_DEEP, y / h))
    return opaque(L, BACK)


PICTURES = {"pasarele": pasarele, "software": software, "caciula_i": caciula_i}
