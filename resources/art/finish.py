"""The finish page's logo (Image1, 128 x 80): the product's mark above its name, with the
backdrop's yellow stroke under the name, drawn for the pages' colour (#98A5B1), which is
also its key colour, so the page shows round it."""
import glyphs
import motifs as m
from raster import Layer, box, circle, cut, ellipse, hexcolor, mix, moved, opaque, ring

PAGE = hexcolor("#98A5B1")
NAVY = hexcolor("#0B2C52")
YELLOW_LIGHT = hexcolor("#FFE45C")
YELLOW_DEEP = hexcolor("#F2A900")


def end_logo():
    w, h = 128, 80
    L = Layer(w, h)
    # The mark, with a soft shadow below it so it stands off the page.
    cx, cy, r = 64, 24, 22
    L.paint(moved(circle(cx, cy, r), 1.5, 2.5), (40, 52, 66), 0.35, bounds=(cx - r, cy - r, cx + r + 4, cy + r + 5))
    mark = Layer(2 * r + 6, 2 * r + 6)
    m.raven(mark, mark.w, mark.h)
    L.composite(mark, cx - mark.w // 2, cy - mark.h // 2)
    # A pale rim and a gloss on the upper half, as on an enamel badge.
    L.paint(ring(circle(cx, cy, r * 0.84 + 1.2), 1.2), (255, 255, 255), 0.35, bounds=(cx - r, cy - r, cx + r, cy + r))
    L.paint(cut(ellipse(cx, cy - r * 0.42, r * 0.62, r * 0.34), ring(circle(cx, cy, r * 0.24), r * 0.12)),
            (255, 255, 255), 0.12, bounds=(cx - r, cy - r, cx + r, cy))
    # The name, centred under the mark.
    size = 24
    width = glyphs.text_width("Corvan", size, "Black")
    x = (w - width) / 2
    for shape, bounds in glyphs.letters("Corvan", x, 67, size, "Black"):
        L.paint(shape, NAVY, bounds=bounds)
    # The stroke under the name, from deep to light yellow.
    L.paint(box(x + 2, 71, x + width - 2, 73.5, 1.2), lambda px, py: mix(YELLOW_DEEP, YELLOW_LIGHT, (px - x) / width),
            bounds=(x, 70, x + width, 75))
    return opaque(L, PAGE)


PICTURES = {"EndLogo": end_logo}
