"""Pictograms of the program's commands, drawn into a square box of any size.

Each is a function (canvas, box, ink) where ink names the colours: 'main'
(the pictogram's colour), 'accent' (its second colour) and 'detail'. The
same drawings serve the tool bar (light ink on the dark bar), the menu
images (coloured ink on the light menu) and the caption buttons.
"""

import math

from raster import (arc, box as rect, circle, intersect, polygon, polyline, ring, rotated, subtract,
                    union, vertical, radial)


class Box:
    """Unit coordinates 0..1 mapped onto a square of s pixels at (x, y)."""

    def __init__(self, x, y, s):
        self.x, self.y, self.s = x, y, s

    def p(self, u, v):
        return self.x + u * self.s, self.y + v * self.s

    def pts(self, points):
        return [self.p(u, v) for u, v in points]

    def len(self, u):
        return u * self.s

    def bounds(self, margin=1.0):
        return (self.x - margin, self.y - margin, self.x + self.s + margin, self.y + self.s + margin)

    def rect(self, u0, v0, u1, v1, r=0.0):
        x0, y0 = self.p(u0, v0)
        x1, y1 = self.p(u1, v1)
        return rect(x0, y0, x1, y1, self.len(r))

    def circle(self, u, v, r):
        x, y = self.p(u, v)
        return circle(x, y, self.len(r))

    def ring(self, u, v, r, w):
        x, y = self.p(u, v)
        return ring(x, y, self.len(r), self.len(w))

    def line(self, points, w):
        return polyline(self.pts(points), max(self.len(w), 1.0))

    def poly(self, points):
        return polygon(self.pts(points))

    def arc(self, u, v, r, a0, a1, w):
        x, y = self.p(u, v)
        return arc(x, y, self.len(r), a0, a1, max(self.len(w), 1.0))


def stroke_width(b, thin=0.09):
    """Lines stay at least a little over a pixel at small sizes."""
    return max(thin, 1.3 / b.s)


def draw(c, b, shape, paint):
    c.draw(shape, paint, bounds=b.bounds())


# --- transport and channels -----------------------------------------------

def record(c, b, ink):
    draw(c, b, b.circle(0.5, 0.5, 0.34), radial(*b.p(0.42, 0.4), b.len(0.4), ink.get('light', ink['accent']), ink['accent']))


def pause(c, b, ink):
    draw(c, b, union(b.rect(0.22, 0.18, 0.42, 0.82, 0.04), b.rect(0.58, 0.18, 0.78, 0.82, 0.04)), ink['main'])


def previous(c, b, ink):
    draw(c, b, union(b.poly([(0.52, 0.2), (0.52, 0.8), (0.12, 0.5)]), b.poly([(0.9, 0.2), (0.9, 0.8), (0.5, 0.5)])), ink['main'])


def next_(c, b, ink):
    draw(c, b, union(b.poly([(0.48, 0.2), (0.48, 0.8), (0.88, 0.5)]), b.poly([(0.1, 0.2), (0.1, 0.8), (0.5, 0.5)])), ink['main'])


def last_channel(c, b, ink):
    w = stroke_width(b, 0.12)
    draw(c, b, union(b.arc(0.52, 0.55, 0.3, 150, -140, w), b.poly([(0.06, 0.32), (0.4, 0.3), (0.2, 0.6)])), ink['main'])


def channel_wall(c, b, ink):
    cells = [b.rect(u, v, u + 0.37, v + 0.33, 0.05) for u in (0.08, 0.55) for v in (0.1, 0.57)]
    draw(c, b, union(*cells), ink['main'])
    draw(c, b, b.rect(0.08, 0.1, 0.45, 0.43, 0.05), ink['accent'])


def scan(c, b, ink):
    w = stroke_width(b, 0.11)
    draw(c, b, b.ring(0.42, 0.42, 0.24, w * 1.1), ink['main'])
    draw(c, b, b.circle(0.42, 0.42, 0.19), ink.get('glass', ink['accent']))
    draw(c, b, b.line([(0.6, 0.6), (0.86, 0.86)], w * 1.8), ink['main'])


def input_source(c, b, ink):
    w = stroke_width(b, 0.1)
    draw(c, b, subtract(b.rect(0.32, 0.14, 0.9, 0.86, 0.08), b.rect(0.32 + w, 0.14 + w, 0.9 - w, 0.86 - w, 0.04)), ink['main'])
    draw(c, b, union(b.line([(0.06, 0.5), (0.5, 0.5)], w * 1.4), b.poly([(0.44, 0.3), (0.68, 0.5), (0.44, 0.7)])), ink['accent'])


def favourite(c, b, ink):
    points = []
    for i in range(10):
        r = 0.46 if i % 2 == 0 else 0.2
        a = math.radians(90 + i * 36)
        points.append((0.5 + r * math.cos(a), 0.54 - r * math.sin(a)))
    draw(c, b, b.poly(points), vertical(b.p(0, 0.1)[1], ink.get('light', ink['accent']), b.p(0, 0.95)[1], ink['accent']))


# --- picture and sound -----------------------------------------------------

def snapshot(c, b, ink):
    body = union(b.rect(0.06, 0.28, 0.94, 0.86, 0.1), b.rect(0.32, 0.16, 0.62, 0.34, 0.05))
    draw(c, b, body, ink['main'])
    draw(c, b, b.circle(0.5, 0.57, 0.2), ink.get('detail', '#202020'))
    draw(c, b, b.circle(0.5, 0.57, 0.12), ink['accent'])
    draw(c, b, b.circle(0.8, 0.4, 0.05), ink.get('detail', '#202020'))


def speaker_body(b):
    return b.poly([(0.08, 0.36), (0.26, 0.36), (0.5, 0.14), (0.5, 0.86), (0.26, 0.64), (0.08, 0.64)])


def sound(c, b, ink):
    w = stroke_width(b, 0.08)
    draw(c, b, speaker_body(b), ink['main'])
    draw(c, b, union(b.arc(0.5, 0.5, 0.18, -45, 45, w), b.arc(0.5, 0.5, 0.34, -50, 50, w)), ink['main'])


def mute(c, b, ink):
    w = stroke_width(b, 0.1)
    draw(c, b, speaker_body(b), ink['main'])
    draw(c, b, union(b.line([(0.62, 0.34), (0.92, 0.66)], w), b.line([(0.62, 0.66), (0.92, 0.34)], w)), ink['accent'])


def picture(c, b, ink):
    """Contrast: a disc half light, half dark."""
    w = stroke_width(b, 0.08)
    draw(c, b, b.circle(0.5, 0.5, 0.38), ink.get('light', '#ffffff'))
    draw(c, b, intersect(b.circle(0.5, 0.5, 0.38), b.rect(0.5, 0.0, 1.0, 1.0)), ink['main'])
    draw(c, b, b.ring(0.5, 0.5, 0.38, w), ink['main'])


def teletext(c, b, ink):
    w = stroke_width(b, 0.07)
    draw(c, b, b.rect(0.14, 0.08, 0.86, 0.92, 0.06), ink.get('light', '#ffffff'))
    draw(c, b, subtract(b.rect(0.14, 0.08, 0.86, 0.92, 0.06), b.rect(0.14 + w, 0.08 + w, 0.86 - w, 0.92 - w, 0.03)), ink['main'])
    for i, colour in enumerate(('#d83a3a', '#36a33a', '#e0b020', '#2f7fd8')):
        draw(c, b, b.rect(0.24 + i * 0.14, 0.2, 0.35 + i * 0.14, 0.32), colour)
    draw(c, b, union(*[b.line([(0.26, v), (0.74, v)], w) for v in (0.48, 0.62, 0.76)]), ink['main'])


# --- windows and program ----------------------------------------------------

def control_panel(c, b, ink):
    draw(c, b, b.rect(0.26, 0.04, 0.74, 0.96, 0.12), ink['main'])
    for i, v in enumerate((0.2, 0.38, 0.56, 0.74)):
        draw(c, b, b.circle(0.4, v, 0.065), ink['accent'] if i == 0 else ink.get('light', '#ffffff'))
        draw(c, b, b.circle(0.6, v, 0.065), ink.get('light', '#ffffff'))


def full_screen(c, b, ink):
    w = stroke_width(b, 0.11)
    corners = [
        [(0.1, 0.38), (0.1, 0.1), (0.38, 0.1)], [(0.62, 0.1), (0.9, 0.1), (0.9, 0.38)],
        [(0.9, 0.62), (0.9, 0.9), (0.62, 0.9)], [(0.38, 0.9), (0.1, 0.9), (0.1, 0.62)],
    ]
    draw(c, b, union(*[b.line(p, w) for p in corners]), ink['main'])
    draw(c, b, b.rect(0.32, 0.32, 0.68, 0.68, 0.04), ink['accent'])


def topmost(c, b, ink):
    w = stroke_width(b, 0.08)
    back = b.rect(0.06, 0.06, 0.62, 0.56, 0.05)
    draw(c, b, subtract(back, b.rect(0.06 + w, 0.06 + w * 2.5, 0.62 - w, 0.56 - w, 0.02)), ink['main'])
    draw(c, b, b.rect(0.34, 0.38, 0.94, 0.94, 0.05), ink['accent'])
    draw(c, b, b.rect(0.34 + w, 0.38 + w * 2.5, 0.94 - w, 0.94 - w, 0.02), ink.get('light', '#ffffff'))


def pin(c, b, ink, pushed=False):
    """A push pin: upright and pressed in when pushed, tilted when loose."""
    w = stroke_width(b, 0.09)
    head = union(b.rect(0.3, 0.08, 0.7, 0.22, 0.05), b.rect(0.38, 0.18, 0.62, 0.5), b.rect(0.2, 0.48, 0.8, 0.6, 0.05))
    needle = b.line([(0.5, 0.6), (0.5, 0.94 if pushed else 0.98)], w)
    if pushed:
        draw(c, b, head, ink['accent'])
        draw(c, b, needle, ink['main'])
        return
    cx, cy = b.p(0.5, 0.52)
    draw(c, b, rotated(union(head, needle), 40, cx, cy), ink['main'])


def close_cross(c, b, ink):
    w = stroke_width(b, 0.12)
    draw(c, b, union(b.line([(0.24, 0.24), (0.76, 0.76)], w), b.line([(0.24, 0.76), (0.76, 0.24)], w)), ink['main'])


def minimize(c, b, ink):
    draw(c, b, b.rect(0.24, 0.66, 0.76, 0.76, 0.02), ink['main'])


def maximize(c, b, ink):
    w = stroke_width(b, 0.08)
    frame = b.rect(0.22, 0.24, 0.78, 0.76, 0.03)
    draw(c, b, subtract(frame, b.rect(0.22 + w, 0.24 + w * 2.2, 0.78 - w, 0.76 - w)), ink['main'])


def settings(c, b, ink):
    teeth = []
    for i in range(8):
        a = math.radians(i * 45)
        ca, sa = math.cos(a), math.sin(a)
        corners = [(-0.07, 0.26), (0.07, 0.26), (0.07, 0.45), (-0.07, 0.45)]
        teeth.append(b.poly([(0.5 + x * ca - y * sa, 0.5 + x * sa + y * ca) for x, y in corners]))
    gear = subtract(union(b.circle(0.5, 0.5, 0.32), *teeth), b.circle(0.5, 0.5, 0.13))
    draw(c, b, gear, ink['main'])


def channel_settings(c, b, ink):
    w = stroke_width(b, 0.08)
    draw(c, b, b.rect(0.08, 0.08, 0.92, 0.92, 0.08), ink.get('light', '#ffffff'))
    draw(c, b, subtract(b.rect(0.08, 0.08, 0.92, 0.92, 0.08), b.rect(0.08 + w, 0.08 + w, 0.92 - w, 0.92 - w, 0.04)), ink['main'])
    for v in (0.3, 0.5, 0.7):
        draw(c, b, b.rect(0.22, v - 0.05, 0.34, v + 0.05), ink['accent'])
        draw(c, b, b.line([(0.44, v), (0.78, v)], w), ink['main'])


def movie_player(c, b, ink):
    draw(c, b, b.rect(0.06, 0.14, 0.94, 0.86, 0.1), ink['main'])
    for u in (0.14, 0.3, 0.46, 0.62, 0.78):
        draw(c, b, union(b.rect(u, 0.19, u + 0.08, 0.27), b.rect(u, 0.73, u + 0.08, 0.81)), ink.get('light', '#ffffff'))
    draw(c, b, b.poly([(0.4, 0.35), (0.66, 0.5), (0.4, 0.65)]), ink['accent'])


def image_browser(c, b, ink):
    w = stroke_width(b, 0.07)
    frame = b.rect(0.06, 0.14, 0.94, 0.86, 0.06)
    draw(c, b, frame, vertical(b.p(0, 0.14)[1], '#8fd0ff', b.p(0, 0.86)[1], '#d8f0ff'))
    draw(c, b, intersect(frame, b.poly([(0.0, 0.86), (0.36, 0.46), (0.6, 0.7), (0.74, 0.58), (1.0, 0.86)])), ink['accent'])
    draw(c, b, b.circle(0.7, 0.34, 0.09), '#f2c12e')
    draw(c, b, subtract(frame, b.rect(0.06 + w, 0.14 + w, 0.94 - w, 0.86 - w, 0.03)), ink['main'])


def about(c, b, ink):
    draw(c, b, b.circle(0.5, 0.5, 0.44), ink['accent'])
    draw(c, b, union(b.circle(0.5, 0.27, 0.07), b.rect(0.43, 0.4, 0.57, 0.78, 0.03)), ink.get('light', '#ffffff'))


def exit_power(c, b, ink):
    w = stroke_width(b, 0.12)
    draw(c, b, union(b.arc(0.5, 0.54, 0.34, 120, 420, w), b.line([(0.5, 0.08), (0.5, 0.46)], w)), ink['accent'])


def time_shift(c, b, ink):
    w = stroke_width(b, 0.08)
    draw(c, b, b.circle(0.5, 0.5, 0.42), ink.get('light', '#ffffff'))
    draw(c, b, b.ring(0.5, 0.5, 0.42, w * 1.2), ink['main'])
    draw(c, b, b.line([(0.5, 0.22), (0.5, 0.5), (0.7, 0.62)], w), ink['accent'])


def tv(c, b, ink):
    w = stroke_width(b, 0.07)
    draw(c, b, union(b.line([(0.3, 0.06), (0.5, 0.24), (0.7, 0.06)], w)), ink['main'])
    draw(c, b, b.rect(0.04, 0.22, 0.96, 0.88, 0.1), ink['main'])
    draw(c, b, b.rect(0.12, 0.3, 0.78, 0.8, 0.06), ink['accent'])
    draw(c, b, union(b.circle(0.87, 0.42, 0.04), b.circle(0.87, 0.56, 0.04)), ink.get('light', '#ffffff'))
