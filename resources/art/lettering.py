"""Stroke lettering for the few words drawn into pictures (the product name,
labels of placeholder pictures): capitals on a 4 x 6 grid, drawn as strokes
with round ends."""

from raster import polyline, union

# Each letter: advance width in grid units and its strokes.
_P_BOWL = [(0, 6), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)]
LETTERS = {
    'A': (4, [[(0, 6), (0, 1.5), (1.5, 0), (2.5, 0), (4, 1.5), (4, 6)], [(0, 3.6), (4, 3.6)]]),
    'B': (4, [[(0, 3), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3), (0, 6), (3, 6), (4, 5), (4, 4), (3, 3)]]),
    'C': (4, [[(4, 0), (1, 0), (0, 1), (0, 5), (1, 6), (4, 6)]]),
    'D': (4, [[(0, 0), (0, 6), (3, 6), (4, 5), (4, 1), (3, 0), (0, 0)]]),
    'E': (4, [[(4, 0), (0, 0), (0, 6), (4, 6)], [(0, 3), (3, 3)]]),
    'F': (4, [[(4, 0), (0, 0), (0, 6)], [(0, 3), (3, 3)]]),
    'G': (4, [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 5), (1, 6), (3, 6), (4, 5), (4, 3.2), (2.4, 3.2)]]),
    'H': (4, [[(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]]),
    'I': (0, [[(0, 0), (0, 6)]]),
    'K': (4, [[(0, 0), (0, 6)], [(4, 0), (0, 3.6)], [(1.4, 2.6), (4, 6)]]),
    'L': (4, [[(0, 0), (0, 6), (4, 6)]]),
    'M': (5, [[(0, 6), (0, 0), (2.5, 3.4), (5, 0), (5, 6)]]),
    'N': (4, [[(0, 6), (0, 0), (4, 6), (4, 0)]]),
    'O': (4, [[(1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0)]]),
    'P': (4, [_P_BOWL]),
    'R': (4, [_P_BOWL, [(2, 3), (4, 6)]]),
    'S': (4, [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 2), (1, 3), (3, 3), (4, 4), (4, 5), (3, 6), (1, 6), (0, 5)]]),
    'T': (4, [[(0, 0), (4, 0)], [(2, 0), (2, 6)]]),
    'U': (4, [[(0, 0), (0, 5), (1, 6), (3, 6), (4, 5), (4, 0)]]),
    'V': (4, [[(0, 0), (2, 6), (4, 0)]]),
    'W': (5, [[(0, 0), (1.2, 6), (2.5, 2.6), (3.8, 6), (5, 0)]]),
    'X': (4, [[(0, 0), (4, 6)], [(4, 0), (0, 6)]]),
    'Y': (4, [[(0, 0), (2, 3), (4, 0)], [(2, 3), (2, 6)]]),
    ' ': (2.5, []),
}


def text_shape(text, x, y, height, weight, spacing=1.6):
    """The strokes of a text whose letters are `height` pixels high, with the
    top-left corner of the first at (x, y); returns (shape, width)."""
    unit = height / 6.0
    strokes = []
    pen = 0.0
    for ch in text.upper():
        advance, letter = LETTERS[ch]
        for stroke in letter:
            strokes.append(polyline([(x + (pen + px) * unit, y + py * unit) for px, py in stroke], weight))
        pen += advance + spacing
    width = (pen - spacing) * unit + weight
    return union(*strokes) if strokes else (lambda px, py: 1e9), width


def text_width(text, height, weight, spacing=1.6):
    return text_shape(text, 0, 0, height, weight, spacing)[1]
