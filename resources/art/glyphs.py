"""Letters for the pictures: outlines of a free TrueType face (Debian's fonts-lato, read
with fontTools) turned into shapes of the rasteriser, one per letter with its bounds."""
from pathlib import Path

from fontTools.pens.basePen import BasePen
from fontTools.ttLib import TTFont

from raster import contours

LATO = Path("/usr/share/fonts/truetype/lato")
_faces = {}


def face(name):
    """Lato-<name>.ttf (Black, Bold, Regular, ...), read once."""
    if name not in _faces:
        path = LATO / f"Lato-{name}.ttf"
        if not path.is_file():
            raise SystemExit(f"{path} is missing: install the fonts-lato package")
        _faces[name] = TTFont(path)
    return _faces[name]


class _Flattener(BasePen):
    """Collects a glyph's outlines as point loops, curves cut into short lines."""
    STEPS = 8

    def __init__(self, glyph_set, transform):
        super().__init__(glyph_set)
        self.transform = transform
        self.loops = []
        self.current = []
        self.last = (0, 0)

    def _add(self, pt):
        self.current.append(self.transform(pt))
        self.last = pt

    def _moveTo(self, pt):
        self.current = []
        self._add(pt)

    def _lineTo(self, pt):
        self._add(pt)

    def _qCurveToOne(self, p1, p2):
        p0 = self.last
        for i in range(1, self.STEPS + 1):
            t = i / self.STEPS
            u = 1 - t
            self._add((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                       u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))

    def _curveToOne(self, p1, p2, p3):
        p0 = self.last
        for i in range(1, self.STEPS + 1):
            t = i / self.STEPS
            u = 1 - t
            self._add(tuple(u ** 3 * p0[k] + 3 * u * u * t * p1[k] + 3 * u * t * t * p2[k] + t ** 3 * p3[k]
                            for k in (0, 1)))

    def _closePath(self):
        if len(self.current) > 2:
            self.loops.append(self.current)
        self.current = []

    _endPath = _closePath


def text_width(text, size, weight="Bold", tracking=0.0):
    font = face(weight)
    scale = size / font["head"].unitsPerEm
    cmap, hmtx = font.getBestCmap(), font["hmtx"]
    advances = [hmtx[cmap[ord(ch)]][0] * scale for ch in text]
    return sum(advances) + tracking * (len(text) - 1)


def letters(text, x, baseline, size, weight="Bold", tracking=0.0):
    """The text as (shape, bounds) pairs, one per visible letter, set from x on the
    baseline at a size of `size` pixels per em; tracking adds pixels between letters."""
    font = face(weight)
    scale = size / font["head"].unitsPerEm
    glyphs, cmap, hmtx = font.getGlyphSet(), font.getBestCmap(), font["hmtx"]
    out = []
    pen_x = x
    for ch in text:
        name = cmap[ord(ch)]
        origin = pen_x
        pen = _Flattener(glyphs, lambda p, o=origin: (o + p[0] * scale, baseline - p[1] * scale))
        glyphs[name].draw(pen)
        if pen.loops:
            xs = [p[0] for loop in pen.loops for p in loop]
            ys = [p[1] for loop in pen.loops for p in loop]
            out.append((contours(pen.loops), (min(xs), min(ys), max(xs), max(ys))))
        pen_x += hmtx[name][0] * scale + tracking
    return out
