"""A small raster canvas for the program's pictures.

Shapes are signed-distance functions (negative inside, in pixels); a shape is
painted with the coverage clamp(0.5 - d) at each pixel's centre, which gives
smooth edges without supersampling. Paints are colours or functions of the
pixel position (gradients). The canvas keeps straight (not premultiplied)
RGBA in floats 0..1 and writes Windows bitmaps, icons and cursors, and PNG
previews. Standard library only.
"""

import math
import struct
import zlib


def rgb(value):
    """'#rrggbb' or (r, g, b) in 0..255 -> (r, g, b) floats 0..1."""
    if isinstance(value, str):
        value = value.lstrip('#')
        value = tuple(int(value[i:i + 2], 16) for i in (0, 2, 4))
    return tuple(c / 255.0 for c in value[:3])


def mix(a, b, t):
    """Colour a..b at t in 0..1."""
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


# --- paints: a colour, or a function (x, y) -> colour ---------------------

def linear(x0, y0, c0, x1, y1, c1):
    """Gradient from c0 at (x0, y0) to c1 at (x1, y1), flat beyond the ends."""
    c0, c1 = rgb(c0), rgb(c1)
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1.0

    def paint(x, y):
        return mix(c0, c1, clamp01(((x - x0) * dx + (y - y0) * dy) / length2))
    return paint


def vertical(y0, c0, y1, c1):
    return linear(0, y0, c0, 0, y1, c1)


def stops(y_stops):
    """Vertical gradient through [(y, colour), ...] in rising y."""
    points = [(y, rgb(c)) for y, c in y_stops]

    def paint(x, y):
        if y <= points[0][0]:
            return points[0][1]
        for (ya, ca), (yb, cb) in zip(points, points[1:]):
            if y <= yb:
                return mix(ca, cb, (y - ya) / ((yb - ya) or 1.0))
        return points[-1][1]
    return paint


def radial(cx, cy, r, c0, c1):
    c0, c1 = rgb(c0), rgb(c1)

    def paint(x, y):
        return mix(c0, c1, clamp01(math.hypot(x - cx, y - cy) / r))
    return paint


def as_paint(paint):
    if callable(paint):
        return paint
    colour = rgb(paint)
    return lambda x, y: colour


# --- signed distances -------------------------------------------------------

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1, radius=0.0):
    """Rectangle from (x0, y0) to (x1, y1) with rounded corners."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return d


def segment(x0, y0, x1, y1, width):
    """A stroke of the given width with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9
    half = width / 2.0

    def d(x, y):
        t = clamp01(((x - x0) * dx + (y - y0) * dy) / length2)
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) - half
    return d


def polyline(points, width):
    return union(*[segment(ax, ay, bx, by, width) for (ax, ay), (bx, by) in zip(points, points[1:])])


def polygon(points):
    """Filled polygon (even-odd), any shape."""
    n = len(points)

    def d(x, y):
        best = float('inf')
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            length2 = ex * ex + ey * ey or 1e-9
            t = clamp01(((x - ax) * ex + (y - ay) * ey) / length2)
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey or 1e-9):
                inside = not inside
        return -best if inside else best
    return d


def ring(cx, cy, r, width):
    c = circle(cx, cy, r)
    return lambda x, y: abs(c(x, y)) - width / 2.0


def arc(cx, cy, r, start_deg, end_deg, width, steps=24):
    """A stroke along a circle from one angle to another (y down, degrees
    counter-clockwise on screen as on paper)."""
    points = []
    for i in range(steps + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        points.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return polyline(points, width)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def offset(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def scaled(shape, s, cx=0.0, cy=0.0):
    """The shape made s times as large about (cx, cy)."""
    return lambda x, y: shape(cx + (x - cx) / s, cy + (y - cy) / s) * s


def rotated(shape, degrees, cx, cy):
    """The shape turned about (cx, cy), clockwise on screen."""
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)

    def d(x, y):
        dx, dy = x - cx, y - cy
        return shape(cx + dx * ca + dy * sa, cy - dx * sa + dy * ca)
    return d


def grown(shape, amount):
    return lambda x, y: shape(x, y) - amount


class Canvas:
    def __init__(self, width, height, background=None):
        self.width = width
        self.height = height
        colour, alpha = ((0.0, 0.0, 0.0), 0.0) if background is None else (rgb(background), 1.0)
        self.px = [[colour[0], colour[1], colour[2], alpha] for _ in range(width * height)]

    # --- painting ---------------------------------------------------------
    def blend(self, x, y, colour, alpha):
        """Lays a colour with an opacity over one pixel."""
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.px[y * self.width + x]
        out = alpha + p[3] * (1.0 - alpha)
        if out <= 0.0:
            return
        for i in range(3):
            p[i] = (colour[i] * alpha + p[i] * p[3] * (1.0 - alpha)) / out
        p[3] = out

    def fill(self, paint, area=None):
        """Paints every pixel of the area (x0, y0, x1, y1), or the whole canvas."""
        paint = as_paint(paint)
        x0, y0, x1, y1 = area or (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, paint(x + 0.5, y + 0.5), 1.0)

    def draw(self, shape, paint, opacity=1.0, bounds=None):
        """Paints a signed-distance shape; bounds limit the pixels visited."""
        paint = as_paint(paint)
        x0, y0, x1, y1 = bounds or (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                cx, cy = x + 0.5, y + 0.5
                coverage = clamp01(0.5 - shape(cx, cy))
                if coverage > 0.0:
                    self.blend(x, y, paint(cx, cy), coverage * opacity)

    def shadow(self, shape, colour, opacity, softness, dx=0.0, dy=1.0, bounds=None):
        """A soft shadow of the shape, offset by (dx, dy)."""
        colour = rgb(colour)
        x0, y0, x1, y1 = bounds or (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                d = shape(x + 0.5 - dx, y + 0.5 - dy)
                a = clamp01(0.5 - d / softness) * opacity
                if a > 0.0:
                    self.blend(x, y, colour, a)

    def paste(self, other, x, y):
        for sy in range(other.height):
            for sx in range(other.width):
                p = other.px[sy * other.width + sx]
                self.blend(x + sx, y + sy, p[:3], p[3])

    def crop(self, x, y, width, height):
        out = Canvas(width, height)
        for sy in range(height):
            for sx in range(width):
                if 0 <= x + sx < self.width and 0 <= y + sy < self.height:
                    out.px[sy * width + sx] = list(self.px[(y + sy) * self.width + x + sx])
        return out

    def flatten(self, background):
        """Every pixel made opaque over a background paint."""
        paint = as_paint(background)
        for y in range(self.height):
            for x in range(self.width):
                p = self.px[y * self.width + x]
                under = paint(x + 0.5, y + 0.5)
                for i in range(3):
                    p[i] = p[i] * p[3] + under[i] * (1.0 - p[3])
                p[3] = 1.0
        return self

    def key_out(self, key, edge):
        """For masked images: pixels left empty become exactly the key colour;
        half-covered edge pixels are blended over `edge`, the colour the image
        will mostly stand on, so no key-coloured fringe remains."""
        key, edge = rgb(key), rgb(edge)
        for p in self.px:
            if p[3] < 0.02:
                p[0], p[1], p[2] = key
            else:
                for i in range(3):
                    p[i] = p[i] * p[3] + edge[i] * (1.0 - p[3])
            p[3] = 1.0
        return self

    # --- pixels out ----------------------------------------------------------
    def _byte(self, v):
        return max(0, min(255, int(round(v * 255.0))))

    def rgb_bytes(self, x, y):
        p = self.px[y * self.width + x]
        return self._byte(p[0]), self._byte(p[1]), self._byte(p[2])

    def rgba_bytes(self, x, y):
        p = self.px[y * self.width + x]
        return self._byte(p[0]), self._byte(p[1]), self._byte(p[2]), self._byte(p[3])

    def bmp_bytes(self):
        """A 24-bit bottom-up Windows bitmap file."""
        stride = (self.width * 3 + 3) & ~3
        rows = []
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            for x in range(self.width):
                r, g, b = self.rgb_bytes(x, y)
                row += bytes((b, g, r))
            row += b'\0' * (stride - len(row))
            rows.append(bytes(row))
        pixels = b''.join(rows)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
        header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
        return header + info + pixels

    def dib_with_mask(self):
        """The image of an icon or cursor entry: 32-bit colour with alpha,
        then the 1-bit AND mask (set where fully transparent)."""
        colour = bytearray()
        for y in range(self.height - 1, -1, -1):
            for x in range(self.width):
                r, g, b, a = self.rgba_bytes(x, y)
                colour += bytes((b, g, r, a))
        mask_stride = ((self.width + 31) // 32) * 4
        mask = bytearray()
        for y in range(self.height - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(self.width):
                if self.rgba_bytes(x, y)[3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height * 2, 1, 32, 0,
                           len(colour) + len(mask), 0, 0, 0, 0)
        return info + bytes(colour) + bytes(mask)

    def png_bytes(self, scale=1):
        """A PNG preview, optionally enlarged by whole pixels."""
        raw = bytearray()
        for y in range(self.height * scale):
            raw.append(0)
            for x in range(self.width * scale):
                raw += bytes(self.rgba_bytes(x // scale, y // scale))

        def chunk(kind, data):
            body = kind + data
            return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)
        ihdr = struct.pack('>IIBBBBB', self.width * scale, self.height * scale, 8, 6, 0, 0, 0)
        return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
                + chunk(b'IEND', b''))


def icon_bytes(images, hotspot=None):
    """An .ico file of several sizes, or a .cur file when a hotspot (x, y) is
    given (one image)."""
    kind = 1 if hotspot is None else 2
    entries, data = [], []
    position = 6 + 16 * len(images)
    for image in images:
        dib = image.dib_with_mask()
        planes_or_x, bits_or_y = (1, 32) if hotspot is None else hotspot
        entries.append(struct.pack('<BBBBHHII', image.width % 256, image.height % 256, 0, 0,
                                   planes_or_x, bits_or_y, len(dib), position))
        data.append(dib)
        position += len(dib)
    return struct.pack('<HHH', 0, kind, len(images)) + b''.join(entries) + b''.join(data)
