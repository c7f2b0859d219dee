"""A tiny anti-aliased rasteriser for the toolkit's pictures (standard library only).

Shapes are signed distance functions in pixel units (negative inside). A Layer holds
straight RGBA floats; painting blends over it with coverage = 0.5 - distance, clamped.
Flattening puts the layer on the transparent key colour: faint pixels become the key,
the edges of what is drawn are blended against a neutral matte, so the colour-keyed
copies of the toolkit show no coloured fringe.
"""
import math
import struct
import zlib

KEY = (255, 0, 255)
MATTE = (176, 184, 192)


def hexcolor(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


# ---- shapes: functions (x, y) -> signed distance ----

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    def d(x, y):
        k = math.hypot((x - cx) / rx, (y - cy) / ry)
        return (k - 1) * min(rx, ry)
    return d


def box(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0), max(qy, 0))
        return outside + min(max(qx, qy), 0) - r
    return d


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9

    def d(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) - width / 2
    return d


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return union(*parts)


def polygon(points):
    n = len(points)

    def d(x, y):
        best = 1e9
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / ((ex * ex + ey * ey) or 1e-9)))
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (by - ay):
                inside = not inside
        return -best if inside else best
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def cut(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def ring(shape, width):
    return lambda x, y: abs(shape(x, y) + width / 2) - width / 2


def grow(shape, amount):
    return lambda x, y: shape(x, y) - amount


def moved(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def arrow(cx, cy, size, direction, shaft=True):
    """A block arrow pointing right/left/up/down, about size pixels long."""
    h = size / 2
    pts = [(h, 0), (0, -h * 0.95), (0, -h * 0.4), (-h, -h * 0.4), (-h, h * 0.4), (0, h * 0.4), (0, h * 0.95)]
    if not shaft:
        pts = [(h * 0.6, 0), (-h * 0.5, -h), (-h * 0.5, h)]
    rot = {"right": (1, 0), "left": (-1, 0), "down": (0, 1), "up": (0, -1)}[direction]
    c, s = rot
    return polygon([(cx + px * c - py * s, cy + px * s + py * c) for px, py in pts])


# ---- layers ----

class Layer:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def paint(self, shape, fill, opacity=1.0, bounds=None):
        """fill: an (r, g, b) tuple or a function (x, y) -> (r, g, b). bounds (x0, y0, x1,
        y1), when given, is the part of the layer the shape can reach: only it is visited."""
        x0, y0, x1, y1 = 0, 0, self.w, self.h
        if bounds is not None:
            x0, y0 = max(0, int(math.floor(bounds[0])) - 1), max(0, int(math.floor(bounds[1])) - 1)
            x1, y1 = min(self.w, int(math.ceil(bounds[2])) + 1), min(self.h, int(math.ceil(bounds[3])) + 1)
        for y in range(y0, y1):
            for x in range(x0, x1):
                cov = 0.5 - shape(x + 0.5, y + 0.5)
                if cov <= 0 or opacity <= 0:
                    continue
                a = min(cov, 1.0) * opacity
                c = fill(x + 0.5, y + 0.5) if callable(fill) else fill
                p = self.px[y * self.w + x]
                out_a = a + p[3] * (1 - a)
                for i in range(3):
                    p[i] = (c[i] * a + p[i] * p[3] * (1 - a)) / out_a
                p[3] = out_a
        return self

    def outlined(self, shape, fill, line, width=1.0):
        self.paint(shape, line)
        self.paint(grow(shape, -width), fill)
        return self

    def composite(self, other, ox, oy, opacity=1.0):
        """Puts another layer over this one with its top-left at (ox, oy)."""
        for y in range(other.h):
            for x in range(other.w):
                tx, ty = ox + x, oy + y
                if not (0 <= tx < self.w and 0 <= ty < self.h):
                    continue
                r, g, b, a = other.px[y * other.w + x]
                a *= opacity
                if a <= 0:
                    continue
                p = self.px[ty * self.w + tx]
                out_a = a + p[3] * (1 - a)
                for i, c in enumerate((r, g, b)):
                    p[i] = (c * a + p[i] * p[3] * (1 - a)) / out_a
                p[3] = out_a
        return self


def contours(loops):
    """A shape of several closed outlines (a letter with its holes): inside by the
    even-odd rule over all of them, distance to the nearest edge."""
    edges = []
    for points in loops:
        for i in range(len(points)):
            ax, ay = points[i]
            bx, by = points[(i + 1) % len(points)]
            edges.append((ax, ay, bx - ax, by - ay, (bx - ax) ** 2 + (by - ay) ** 2 or 1e-9))

    def d(x, y):
        best = 1e9
        inside = False
        for ax, ay, ex, ey, length2 in edges:
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / length2))
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (ay + ey > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -best if inside else best
    return d


def vgrad(y0, y1, top, bottom):
    def f(x, y):
        t = max(0.0, min(1.0, (y - y0) / ((y1 - y0) or 1)))
        return mix(top, bottom, t)
    return f


def radial(cx, cy, r, centre, edge):
    def f(x, y):
        return mix(centre, edge, max(0.0, min(1.0, math.hypot(x - cx, y - cy) / r)))
    return f


# ---- images: rows of (r, g, b) int tuples ----

class Image:
    def __init__(self, w, h, color=KEY):
        self.w, self.h = w, h
        self.rows = [[tuple(color)] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][x] = tuple(int(round(max(0, min(255, v)))) for v in c)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.put(ox + x, oy + y, other.rows[y][x])

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, c)


def flatten(layer, key=KEY, matte=MATTE, threshold=0.3):
    """The layer on the key colour: faint pixels are key, edges blend with the matte."""
    img = Image(layer.w, layer.h, key)
    for y in range(layer.h):
        for x in range(layer.w):
            r, g, b, a = layer.px[y * layer.w + x]
            if a < threshold:
                continue
            img.put(x, y, mix(matte, (r, g, b), a))
    return img


def opaque(layer, background):
    """The layer flattened on a solid background (pictures that are never keyed)."""
    img = Image(layer.w, layer.h, background)
    for y in range(layer.h):
        for x in range(layer.w):
            r, g, b, a = layer.px[y * layer.w + x]
            img.put(x, y, mix(background, (r, g, b), a))
    return img


def disabled_cell(layer, key=KEY):
    """The classic disabled look: a white shadow one pixel down-right under a grey shape,
    lighter where the picture was lighter."""
    img = Image(layer.w, layer.h, key)
    mask = [[layer.px[y * layer.w + x][3] >= 0.45 for x in range(layer.w)] for y in range(layer.h)]
    for y in range(layer.h):
        for x in range(layer.w):
            if x > 0 and y > 0 and mask[y - 1][x - 1]:
                img.put(x, y, (255, 255, 255))
    for y in range(layer.h):
        for x in range(layer.w):
            if mask[y][x]:
                r, g, b, _ = layer.px[y * layer.w + x]
                lum = 0.3 * r + 0.59 * g + 0.11 * b
                v = 112 + lum * 0.22
                img.put(x, y, (v, v, v))
    return img


def lit_cell(layer, saturation=1.3, amount=0.08):
    """The hot/pressed cell: the picture livelier (more saturated) and a little brighter."""
    img = flatten(layer)
    for y in range(img.h):
        for x in range(img.w):
            c = img.rows[y][x]
            if c != KEY:
                lum = 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]
                vivid = tuple(lum + (v - lum) * saturation for v in c)
                img.put(x, y, lighten(vivid, amount))
    return img


# ---- PNG ----

def png_bytes(img):
    colors = {}
    for row in img.rows:
        for c in row:
            if c not in colors:
                colors[c] = len(colors)
                if len(colors) > 256:
                    break
    chunks = []

    def chunk(kind, data):
        chunks.append(struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data)))

    if len(colors) <= 256:
        bits = 1 if len(colors) <= 2 else 2 if len(colors) <= 4 else 4 if len(colors) <= 16 else 8
        raw = bytearray()
        for row in img.rows:
            raw.append(0)
            acc, n = 0, 0
            for c in row:
                acc = (acc << bits) | colors[c]
                n += bits
                if n == 8:
                    raw.append(acc)
                    acc, n = 0, 0
            if n:
                raw.append(acc << (8 - n))
        chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, bits, 3, 0, 0, 0))
        palette = sorted(colors, key=colors.get)
        chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    else:
        raw = bytearray()
        prev = None
        for row in img.rows:
            line = b"".join(bytes(c) for c in row)
            raw.append(2 if prev is not None else 0)  # "up" filter suits gradients
            raw += bytes((line[i] - prev[i]) & 255 for i in range(len(line))) if prev is not None else line
            prev = line
        chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, 8, 2, 0, 0, 0))
    chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    chunk(b"IEND", b"")
    return b"\x89PNG\r\n\x1a\n" + b"".join(chunks)
