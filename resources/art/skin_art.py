"""The pictures of the two skin libraries: Nistle.dll for the control panel's
skins (Default and Silver) and Orbane.dll for the picture dialog's.

The skin files in resources/skins are the layout: this script reads them and
draws each picture for the place and size a section gives it, under the id
it names. A control that covers part of the dialog (a key, a text field, a
slider's track) gets the piece of the dialog's background under it with
itself drawn on top, so the dressed dialog shows one picture. A key takes
four consecutive ids (hover, normal, pressed, disabled).

Pixels a skin marks see-through are pure green (0, 255, 0): drawn with
see_through(<canvas>, <edge colour>). The shape a skin cuts from a picture
samples each column at every second row, so a see-through run one pixel tall
may be missed and show green: such pixels are filled in.
"""

import configparser
import math
import os

import pictograms as pg
from lettering import text_shape, text_width
from raster import (Canvas, box, circle, linear, polygon, radial, stops, subtract, union, vertical)

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN_FOLDER = os.path.join(HERE, '..', 'skins')
KEY_GREEN = '#00ff00'


# --- the skin files -------------------------------------------------------------

class Skin:
    """A skin file's sections by control id, with the places they give."""

    def __init__(self, file_name):
        parser = configparser.ConfigParser(interpolation=None, comment_prefixes=(';',))
        parser.optionxform = str
        with open(os.path.join(SKIN_FOLDER, file_name), encoding='ascii') as f:
            parser.read_file(f)
        self.sections = [dict(parser[name]) for name in parser.sections()]
        self.dialog = next(s for s in self.sections if s['TYPE'].lower() == 'dialog')
        self.controls = {int(s['ID']): s for s in self.sections if s['TYPE'].lower() != 'dialog'}

    @staticmethod
    def pair(section, key):
        x, y = section[key].split(',')
        return int(x), int(y)

    def position(self, control_id):
        return self.pair(self.controls[control_id], 'POSITION')

    def rect(self, control_id, size=None):
        """(x0, y0, x1, y1) of a control: its SIZE, or the size it is drawn at."""
        section = self.controls[control_id]
        x, y = self.pair(section, 'POSITION')
        w, h = size or self.pair(section, 'SIZE')
        return x, y, x + w, y + h

    def buttons(self):
        return [(cid, s) for cid, s in self.controls.items() if s['TYPE'].upper() == 'BUTTON']


def see_through(c, edge):
    """Empty pixels become the see-through green, half-covered ones are
    blended over `edge`; a green run one pixel tall in a column takes the
    colour of the pixel next to it, as the shape would keep it anyway."""
    c.key_out(KEY_GREEN, edge)
    key = [0.0, 1.0, 0.0]
    for x in range(c.width):
        column = [c.px[y * c.width + x] for y in range(c.height)]
        for y, p in enumerate(column):
            if p[:3] != key:
                continue
            above = y > 0 and column[y - 1][:3] == key
            below = y + 1 < c.height and column[y + 1][:3] == key
            if not above and not below:
                neighbour = column[y - 1] if y > 0 else column[y + 1]
                p[0], p[1], p[2] = neighbour[0], neighbour[1], neighbour[2]
    return c


def bounding(rects, margin):
    return (min(r[0] for r in rects) - margin, min(r[1] for r in rects) - margin,
            max(r[2] for r in rects) + margin, max(r[3] for r in rects) + margin)


def piece(background, rect):
    x0, y0, x1, y1 = rect
    return background.crop(x0, y0, x1 - x0, y1 - y0)


def memo(function):
    made = {}

    def cached(*args):
        if args not in made:
            made[args] = function(*args)
        return made[args]
    return cached


# --- glyphs the pictogram set lacks ----------------------------------------------

def stop(c, b, ink):
    pg.draw(c, b, b.rect(0.24, 0.24, 0.76, 0.76, 0.06), ink['main'])


def clock_ring(c, b, ink):
    w = pg.stroke_width(b, 0.08)
    pg.draw(c, b, b.ring(0.5, 0.5, 0.42, w * 1.2), ink['main'])


def time_shift_pause(c, b, ink):
    clock_ring(c, b, ink)
    pg.draw(c, b, union(b.rect(0.34, 0.3, 0.45, 0.7, 0.02), b.rect(0.55, 0.3, 0.66, 0.7, 0.02)), ink['accent'])


def time_shift_stop(c, b, ink):
    clock_ring(c, b, ink)
    pg.draw(c, b, b.rect(0.33, 0.33, 0.67, 0.67, 0.03), ink['accent'])


def menu_list(c, b, ink):
    w = pg.stroke_width(b, 0.1)
    for v in (0.26, 0.5, 0.74):
        pg.draw(c, b, b.circle(0.18, v, 0.07), ink['accent'])
        pg.draw(c, b, b.line([(0.36, v), (0.86, v)], w), ink['main'])


def on_screen_menu(c, b, ink):
    w = pg.stroke_width(b, 0.07)
    frame = b.rect(0.06, 0.14, 0.94, 0.84, 0.08)
    pg.draw(c, b, subtract(frame, b.rect(0.06 + w, 0.14 + w, 0.94 - w, 0.84 - w, 0.04)), ink['main'])
    pg.draw(c, b, b.rect(0.2, 0.28, 0.62, 0.4, 0.02), ink['accent'])
    pg.draw(c, b, union(b.rect(0.2, 0.47, 0.8, 0.55, 0.02), b.rect(0.2, 0.61, 0.7, 0.69, 0.02)), ink['main'])


def next_skin(c, b, ink):
    """A painter's palette with three dabs of colour."""
    body = subtract(b.circle(0.5, 0.52, 0.42), b.circle(0.66, 0.72, 0.1))
    pg.draw(c, b, body, ink['main'])
    for (u, v), colour in zip(((0.3, 0.4), (0.5, 0.28), (0.7, 0.42)), ('#e8504a', '#f2c12e', '#4aa0f0')):
        pg.draw(c, b, b.circle(u, v, 0.09), colour)


def help_mark(c, b, ink):
    w = pg.stroke_width(b, 0.12)
    pg.draw(c, b, union(b.arc(0.5, 0.36, 0.2, 160, -60, w), b.line([(0.58, 0.53), (0.5, 0.6), (0.5, 0.66)], w)),
            ink['main'])
    pg.draw(c, b, b.circle(0.5, 0.84, 0.075), ink['main'])


def blank(c, b, ink):
    pass


# What each key of the control panel shows: the glyph, and for a toggle the
# glyph of its checked (pressed) look.
PANEL_GLYPHS = {
    1007: (pg.input_source, None), 1005: (pg.scan, None), 1016: (pg.favourite, None),
    1008: (pg.last_channel, None), 1004: (pg.channel_wall, None), 1001: (pg.previous, None),
    1000: (pg.next_, None), 1084: (pg.sound, pg.mute),
    1003: (pg.record, None), 1163: (pg.pause, None), 1002: (pg.snapshot, None), 44150: (pg.time_shift, None),
    44151: (time_shift_pause, None), 44152: (time_shift_stop, None), 1117: (pg.picture, None),
    1104: (menu_list, None),
    1164: (pg.channel_settings, None), 1006: (pg.settings, None), 1099: (pg.movie_player, None),
    1100: (pg.image_browser, None), 1166: (on_screen_menu, None), 1202: (next_skin, None),
    1102: (help_mark, None), 1103: (pg.about, None),
    1101: (pg.minimize, None), 1105: (pg.close_cross, None), 1116: (blank, None),
}
STATES = ('hover', 'normal', 'pressed', 'disabled')


def button_pictures(skin, library_look, first_id_key='BMPNAME'):
    """The four pictures of every key of a skin, as table rows."""
    rows = []
    for control_id, section in skin.buttons():
        first = int(section[first_id_key])
        for i, state in enumerate(STATES):
            rows.append((str(first + i), 'BITMAP', '%s_key_%d_%s.bmp' % (library_look.name, control_id, state),
                         (lambda cid=control_id, s=state: library_look.key(cid, s))))
    return rows


def text_pictures(skin, look):
    rows = []
    for control_id, section in skin.controls.items():
        if section['TYPE'].upper() == 'STATIC' and section.get('STYTLE') == '2':
            rows.append((section['BACKBMP'], 'BITMAP', '%s_text_%d.bmp' % (look.name, control_id),
                         (lambda cid=control_id: piece(look.background(), skin.rect(cid)))))
    return rows


# --- Default: graphite with a blue accent, as the video window's frame ----------

ACCENT = '#3a8ee8'
DARK_INK = {'main': '#d4dae2', 'accent': '#7fc1ff', 'light': '#ffffff', 'detail': '#23262b', 'glass': '#cfe9ff'}


def glass_well(c, rect, top, bottom, radius=5):
    """A recessed display: a dark rim, the glass, and a soft reflection."""
    x0, y0, x1, y1 = rect
    around = (x0 - 3, y0 - 3, x1 + 3, y1 + 3)
    c.draw(box(x0 - 1, y0 - 1, x1 + 1, y1 + 1.5, radius + 1), '#666e79', opacity=0.55, bounds=around)
    c.draw(box(x0 - 1, y0 - 1, x1 + 1, y1 + 0.5, radius + 1), '#07090c', bounds=around)
    glass = box(x0, y0, x1, y1, radius)
    c.draw(glass, vertical(y0, top, y1, bottom), bounds=around)
    c.draw(subtract(glass, box(x0 - 40, y0 + (y1 - y0) * 0.42, x1 + 40, y1 + 80, 60)), '#ffffff', opacity=0.05,
           bounds=around)


def engraved_name(c, x, y, height, ink, shine, opacity=1.0):
    shape, width = text_shape('PELLAMAR', x, y, height, 1.3, spacing=2.2)
    bounds = (x - 2, y - 2, x + width + 3, y + height + 3)
    c.draw(lambda px, py: shape(px, py - 1), shine, opacity=0.5 * opacity, bounds=bounds)
    c.draw(shape, ink, opacity=opacity, bounds=bounds)



class PanelLook:
    """What the control panel's two looks share: keys, the time-shift bar's
    track and thumb, drawn from each look's palette (`KEY`, `BAR`)."""

    def key_size(self, control_id):
        return (18, 16) if control_id in (1101, 1105) else self.KEY['size']

    def key_shapes(self, w, h, small):
        if small or not self.KEY['round']:
            return (box(0.5, 0.5, w - 0.5, h - 0.5, 5 if self.KEY['round'] else (3 if small else 4)),
                    box(1.5, 1.5, w - 1.5, h - 1.5, 4 if self.KEY['round'] else (2 if small else 3)))
        return circle(w / 2.0, h / 2.0, w / 2.0 - 0.5), circle(w / 2.0, h / 2.0, w / 2.0 - 1.6)

    def key(self, control_id, state):
        palette = self.KEY
        w, h = self.key_size(control_id)
        x, y = self.skin.position(control_id)
        c = piece(self.background(), (x, y, x + w, y + h))
        if control_id == 1116:
            return c
        small = w < 20
        outer, inner = self.key_shapes(w, h, small)
        look = palette[state]
        ink = dict(palette['ink'])
        ink.update(look.get('ink', {}))
        if control_id == 1003:
            ink.update(palette['record'].get(state, palette['record']['normal']))
        if palette.get('underglow'):
            c.draw(lambda px, py: outer(px, py - 0.8), palette['underglow'], opacity=0.8)
        c.draw(outer, palette['danger'] if state == 'hover' and control_id == 1105 else look['outline'])
        face = look['face']
        c.draw(inner, vertical(0, face[0], h, face[1]) if isinstance(face, tuple) else face)
        if 'line' in look:
            colour, top, opacity = look['line']
            ly = 1.5 if top else h - 2.5
            c.draw(box(2, ly, w - 2, ly + 1, 1), colour, opacity=opacity)
        glyph, checked_glyph = PANEL_GLYPHS[control_id]
        if state == 'pressed' and checked_glyph is not None:
            glyph = checked_glyph
        size_glyph = 10 if small else palette['glyph']
        dy = palette['press_depth'] if state == 'pressed' else 0.0
        glyph(c, pg.Box((w - size_glyph) / 2.0, (h - size_glyph) / 2.0 + dy, size_glyph), ink)
        return c

    def bar_track(self):
        palette = self.BAR
        skin = self.skin
        x, y = skin.position(1205)
        width, height = palette['size']
        c = piece(self.background(), (x, y, x + width, y + height))
        section = skin.controls[1205]
        start, end, middle = int(section['STARTEDGE']), int(section['ENDEDGE']), int(section['MIDDLELINE'])
        c.draw(box(start - 3, middle - 4, end + 3, middle + 4, 4), palette['rim'])
        c.draw(box(start - 2, middle - 3, end + 2, middle + 3, 3), palette['groove'])
        c.draw(box(start - 3, middle + 3.5, end + 3, middle + 4.5, 1), palette['shine'], opacity=0.6)
        for i in range(11):
            tick = start + (end - start) * i / 10.0
            colour = palette['ticks'][0 if i % 5 == 0 else 1]
            c.fill(colour, (int(tick), middle + 6, int(tick) + 1, middle + 8))
        return c

    def bar_thumb(self):
        palette = self.BAR
        c = Canvas(11, 15)
        c.draw(box(0.5, 0.5, 10.5, 14.5, 3.5), palette['rim'])
        c.draw(box(1.5, 1.5, 9.5, 13.5, 2.5), vertical(1, palette['thumb'][0], 14, palette['thumb'][1]))
        c.fill(palette['thumb'][2], (5, 4, 6, 11))
        return see_through(c, palette['rim'])

class DefaultLook(PanelLook):
    name = 'default'
    KEY = {
        'size': (31, 26), 'round': False, 'glyph': 17, 'press_depth': 1.0, 'danger': '#e0544a',
        'ink': DARK_INK,
        'record': {'normal': {'accent': '#d8423c', 'light': '#ff9c94'},
                   'pressed': {'accent': '#ff3b33', 'light': '#ffc4c0'}},
        'normal': {'outline': '#101216', 'face': ('#4c535e', '#2b3037'), 'line': ('#7b8490', True, 0.6)},
        'hover': {'outline': ACCENT, 'face': ('#5e6773', '#363c45'), 'line': ('#9aa4b0', True, 0.6),
                  'ink': {'main': '#ffffff'}},
        'pressed': {'outline': '#08090b', 'face': ('#14171b', '#262b32'), 'line': (ACCENT, False, 0.55),
                    'ink': {'main': '#8fd0ff', 'accent': '#bfe4ff'}},
        'disabled': {'outline': '#16191d', 'face': '#2d3239',
                     'ink': {'main': '#5c636c', 'accent': '#5c636c', 'light': '#6c737c', 'glass': '#5c636c'}},
    }
    BAR = {'size': (284, 18), 'rim': '#020407', 'groove': '#12263d', 'shine': '#2a4d74',
           'ticks': ('#2d5a8a', '#1c3a5a'), 'thumb': ('#c8e6ff', '#3a8ee8', '#1d5fa8')}

    def __init__(self):
        self.skin = Skin('Skin.ini')

    @memo
    def background(self):
        skin = self.skin
        width, height = 660, 121
        c = Canvas(width, height)
        c.fill(stops([(0, '#454c56'), (3, '#3a4049'), (60, '#2a2e35'), (height, '#1a1d22')]))
        # A fine brushed grain, the same on every build.
        for y in range(2, height - 2, 2):
            c.draw(box(0, y, width, y + 1), '#ffffff', opacity=0.012 + 0.01 * ((y * 37) % 5) / 5.0)
        c.fill(ACCENT, (0, 0, width, 1))
        c.fill('#6f7884', (0, 1, width, 2))
        c.fill('#0c0e11', (0, height - 1, width, height))
        c.fill('#101215', (0, 0, 1, height))
        c.fill('#101215', (width - 1, 0, width, height))

        # The display: channel, clock, record format and the time-shift bar.
        texts = [skin.rect(cid) for cid in (1082, 1119, 1083)]
        bar = skin.rect(1205, (284, 18))
        display = bounding(texts + [bar], 8)
        glass_well(c, display, '#0a1a2b', '#050c15')
        x0, y0, x1, y1 = display
        c.fill('#1c3b5e', (x0 + 10, texts[2][1] - 4, x1 - 10, texts[2][1] - 3))

        # The keys' plate, and a groove for the volume.
        keys = [skin.rect(cid, self.key_size(cid)) for cid, _ in skin.buttons() if cid in range(1000, 50000)
                and cid not in (1101, 1105, 1116)]
        plate = bounding(keys, 6)
        c.draw(box(*plate, 6), '#000000', opacity=0.22, bounds=plate)
        c.draw(box(plate[0], plate[1], plate[2], plate[1] + 1, 0), '#000000', opacity=0.35, bounds=plate)
        c.draw(box(plate[0], plate[3] - 1, plate[2], plate[3], 0), '#ffffff', opacity=0.06, bounds=plate)
        volume = skin.rect(1081, (26, 84))
        well = (volume[0] - 3, volume[1] - 3, volume[2] + 3, volume[3] + 3)
        c.draw(box(*well, 5), '#000000', opacity=0.22, bounds=well)
        engraved_name(c, plate[0] + 4, plate[3] + 6, 7, '#7b8591', '#000000')
        return c

    def volume_track(self):
        x, y = self.skin.position(1081)
        c = piece(self.background(), (x, y, x + 26, y + 84))
        # The thumb runs from 13 to 71 (a trackbar 84 high with a 22-wide thumb).
        c.draw(box(11, 12, 15, 72, 2), '#050608')
        c.draw(box(12, 13, 14, 71, 1), vertical(13, ACCENT, 71, '#173a63'))
        for i in range(6):
            ty = 13 + (71 - 13) * i / 5.0
            c.fill('#6b7480' if i in (0, 5) else '#4a525d', (18, int(ty), 22 if i in (0, 5) else 20, int(ty) + 1))
        return c

    def volume_thumb(self):
        c = Canvas(22, 11)
        knob = box(0.5, 0.5, 21.5, 10.5, 3)
        c.draw(knob, '#101216')
        c.draw(box(1.5, 1.5, 20.5, 9.5, 2), vertical(1, '#eef2f6', 10, '#8d97a3'))
        c.fill('#3a8ee8', (5, 5, 17, 6))
        return see_through(c, '#2a2e35')


def seek_cursor():
    """The time-shift bar's cursor: a bar between two arrows."""
    c = Canvas(32, 32)
    outline = union(box(14, 6, 18, 26, 1), polygon([(3, 16), (10, 10), (10, 22)]), polygon([(29, 16), (22, 10), (22, 22)]),
                    box(9, 14.5, 23, 17.5))
    c.draw(lambda x, y: outline(x, y) - 1.0, '#000000')
    c.draw(outline, '#ffffff')
    return c, (16, 16)


# --- Silver: brushed metal, an amber display, round keys --------------------------

METAL_INK = {'main': '#39414b', 'accent': '#d9801c', 'light': '#ffffff', 'detail': '#1f242a', 'glass': '#f6d8a8'}


class SilverLook(PanelLook):
    name = 'silver'
    KEY = {
        'size': (26, 26), 'round': True, 'glyph': 14, 'press_depth': 0.8, 'danger': '#d9483f',
        'underglow': '#ffffff', 'ink': METAL_INK,
        'record': {'normal': {'accent': '#c8322c', 'light': '#ff9c94'},
                   'pressed': {'accent': '#e0241c', 'light': '#ffb0aa'}},
        'normal': {'outline': '#7b828b', 'face': ('#fbfcfd', '#c2c8cf')},
        'hover': {'outline': '#e0902a', 'face': ('#ffffff', '#d3d8de'), 'ink': {'main': '#1c2127'}},
        'pressed': {'outline': '#5e656e', 'face': ('#aeb5bd', '#e4e8ec'),
                    'ink': {'main': '#c26a10', 'accent': '#e07a12'}},
        'disabled': {'outline': '#a4aab1', 'face': '#d6dade',
                     'ink': {'main': '#a7adb4', 'accent': '#a7adb4', 'light': '#c3c8cd', 'glass': '#b5bbc1'}},
    }
    BAR = {'size': (264, 16), 'rim': '#0a0602', 'groove': '#3a260c', 'shine': '#4a3212',
           'ticks': ('#6a4618', '#4a3212'), 'thumb': ('#ffe2a8', '#e08a1c', '#9a5a10')}

    def __init__(self):
        self.skin = Skin('SilverSkin.ini')

    @memo
    def shape(self):
        return box(0.5, 0.5, 599.5, 118.5, 18)

    @memo
    def background(self):
        skin = self.skin
        width, height = 600, 119
        c = Canvas(width, height)
        panel = self.shape()
        c.draw(panel, '#5d646d')
        face = box(1.5, 1.5, width - 1.5, height - 1.5, 17)
        c.draw(face, stops([(0, '#f4f6f8'), (40, '#dfe3e7'), (height, '#b8bec5')]))
        # Brushing: faint lines of slightly varying light along the panel.
        for y in range(3, height - 3):
            strength = ((y * 2654435761) % 97) / 97.0
            c.draw(box(0, y, width, y + 1), '#ffffff' if strength > 0.5 else '#8a9198',
                   opacity=0.05 * abs(strength - 0.5), bounds=(0, y, width, y + 1))
        c.draw(subtract(face, box(3, 3, width - 3, height - 3, 15)), '#ffffff', opacity=0.7)

        texts = [skin.rect(cid) for cid in (1082, 1119, 1083)]
        bar = skin.rect(1205, (264, 16))
        display = bounding(texts + [bar], 8)
        glass_well(c, display, '#2b1d0b', '#130c04', radius=7)
        x0, y0, x1, y1 = display
        c.fill('#5a3a12', (x0 + 10, texts[2][1] - 4, x1 - 10, texts[2][1] - 3))

        volume = skin.rect(1081, (160, 20))
        speaker_ink = {'main': '#5b636d'}
        pg.sound(c, pg.Box(volume[0] - 22, volume[1] + 2, 16), speaker_ink)
        pg.mute(c, pg.Box(volume[2] + 6, volume[1] + 2, 16), {'main': '#5b636d', 'accent': '#5b636d'})
        # The name in the free space right of the volume, below the display.
        engraved_name(c, display[2] - 52, volume[1] + 7, 7, '#737a83', '#ffffff')
        return c

    def volume_track(self):
        x, y = self.skin.position(1081)
        c = piece(self.background(), (x, y, x + 160, y + 20))
        # A 17-thick thumb is 9 wide and runs from 7 to 144 (centres 11 to 148).
        c.draw(box(9, 8, 151, 12, 2), '#6b727b')
        c.draw(box(10, 9, 150, 11.5, 1.5), linear(10, 0, '#f0c27a', 150, 0, '#d9801c'))
        c.draw(box(9, 12, 151, 13, 1), '#ffffff', opacity=0.8)
        return c

    def volume_thumb(self):
        c = Canvas(9, 17)
        c.draw(box(0.5, 0.5, 8.5, 16.5, 3), '#5d646d')
        c.draw(box(1.5, 1.5, 7.5, 15.5, 2), vertical(1, '#ffffff', 16, '#b9c0c7'))
        c.fill('#8a9199', (4, 4, 5, 13))
        return see_through(c, '#c8cdd3')


def silver_panel():
    """The panel with see-through corners (the pill's outside)."""
    look = SILVER
    background = look.background()
    c = Canvas(background.width, background.height)
    shape = look.shape()
    for y in range(c.height):
        for x in range(c.width):
            p = background.px[y * c.width + x]
            coverage = max(0.0, min(1.0, 0.5 - shape(x + 0.5, y + 0.5)))
            c.px[y * c.width + x] = [p[0], p[1], p[2], coverage]
    return see_through(c, '#6b727b')


# --- the picture dialog -----------------------------------------------------------

PICTURE_LABELS = ('BRIGHTNESS', 'CONTRAST', 'HUE', 'SATURATION', 'SHARPNESS')


def sun(c, b, ink):
    pg.draw(c, b, b.circle(0.5, 0.5, 0.2), ink['accent'])
    w = pg.stroke_width(b, 0.08)
    rays = []
    for i in range(8):
        a = math.radians(i * 45)
        rays.append(b.line([(0.5 + 0.31 * math.cos(a), 0.5 + 0.31 * math.sin(a)),
                            (0.5 + 0.44 * math.cos(a), 0.5 + 0.44 * math.sin(a))], w))
    pg.draw(c, b, union(*rays), ink['accent'])


def colour_wheel(c, b, ink):
    for i, colour in enumerate(('#e8504a', '#f2c12e', '#5ac85a', '#4aa0f0', '#a46cf0', '#e85ab4')):
        a0 = math.radians(i * 60 - 90)
        a1 = math.radians(i * 60 - 30)
        pts = [(0.5, 0.5)] + [(0.5 + 0.42 * math.cos(a0 + (a1 - a0) * t / 6.0), 0.5 + 0.42 * math.sin(a0 + (a1 - a0) * t / 6.0))
                              for t in range(7)]
        pg.draw(c, b, b.poly(pts), colour)
    pg.draw(c, b, b.circle(0.5, 0.5, 0.14), '#2a2e35')


def drop(c, b, ink):
    shape = union(b.circle(0.5, 0.62, 0.26), b.poly([(0.5, 0.08), (0.26, 0.55), (0.74, 0.55)]))
    pg.draw(c, b, shape, vertical(b.p(0, 0.1)[1], '#ffb0a0', b.p(0, 0.9)[1], '#e0403a'))


def sharpness(c, b, ink):
    pg.draw(c, b, b.poly([(0.5, 0.1), (0.9, 0.86), (0.1, 0.86)]), ink['main'])
    pg.draw(c, b, b.poly([(0.5, 0.1), (0.5, 0.86), (0.1, 0.86)]), ink['accent'])


PICTURE_ICONS = (sun, pg.picture, colour_wheel, drop, sharpness)
PICTURE_SLIDERS = (1168, 1169, 1170, 1171, 1172)


def picture_groove_paint(index):
    """What each slider's groove shows: the property it changes."""
    x0, x1 = 11, 145
    if index == 0:
        return linear(x0, 0, '#000000', x1, 0, '#ffffff')
    if index == 1:
        return lambda x, y: (0.35, 0.35, 0.35) if int((x - x0) / 8) % 2 else (0.75, 0.75, 0.75)
    if index == 2:
        hues = ['#e8504a', '#f2c12e', '#5ac85a', '#4ad0d0', '#4aa0f0', '#a46cf0', '#e8504a']
        across = stops([(x0 + (x1 - x0) * i / 6.0, h) for i, h in enumerate(hues)])
        return lambda x, y: across(0, x)  # the gradient's stops run along x
    if index == 3:
        return linear(x0, 0, '#8a8a8a', x1, 0, '#e8302a')
    return linear(x0, 0, '#2a4d74', x1, 0, '#8fd0ff')


class PictureLook:
    name = 'picture'

    def __init__(self):
        self.skin = Skin('ColorSkin.ini')

    @memo
    def background(self):
        skin = self.skin
        width, height = 280, 200
        c = Canvas(width, height)
        c.fill(stops([(0, '#454c56'), (3, '#3a4049'), (60, '#2a2e35'), (height, '#1a1d22')]))
        c.fill(ACCENT, (0, 0, width, 1))
        c.fill('#6f7884', (0, 1, width, 2))
        c.fill('#0c0e11', (0, height - 1, width, height))
        c.fill('#101215', (0, 0, 1, height))
        c.fill('#101215', (width - 1, 0, width, height))
        pg.picture(c, pg.Box(12, 7, 15), {'main': '#7fc1ff', 'light': '#ffffff'})
        title, _ = text_shape('PICTURE', 34, 10, 9, 1.7, spacing=2.0)
        c.draw(lambda x, y: title(x, y - 1), '#000000', opacity=0.6, bounds=(30, 6, 140, 24))
        c.draw(title, '#dfe6ee', bounds=(30, 6, 140, 24))
        c.fill('#0c0e11', (10, 28, width - 10, 29))
        c.fill('#4d5560', (10, 29, width - 10, 30))
        for i, (cid, label, icon) in enumerate(zip(PICTURE_SLIDERS, PICTURE_LABELS, PICTURE_ICONS)):
            x, y, x1, y1 = skin.rect(cid, (156, 22))
            middle = (y + y1) / 2.0
            icon(c, pg.Box(12, middle - 7, 14), {'main': '#cfd6de', 'accent': '#7fc1ff', 'light': '#ffffff'})
            shape, _ = text_shape(label, 32, middle - 3.5, 7, 1.25, spacing=1.8)
            c.draw(shape, '#b9c2cc', bounds=(30, middle - 6, x, middle + 6))
        buttons = [skin.rect(cid, (76, 20)) for cid in (1166, 1167)]
        c.fill('#0c0e11', (10, buttons[0][1] - 9, width - 10, buttons[0][1] - 8))
        c.fill('#4d5560', (10, buttons[0][1] - 8, width - 10, buttons[0][1] - 7))
        return c

    def track(self, index):
        x, y, x1, y1 = self.skin.rect(PICTURE_SLIDERS[index], (156, 22))
        c = piece(self.background(), (x, y, x1, y1))
        # A thumb 19 thick is 9 wide and runs from 7 to 140: centres 11 to 144.
        c.draw(box(9, 8, 147, 14, 3), '#07090c')
        c.draw(box(10, 9, 146, 13, 2), picture_groove_paint(index))
        c.draw(box(9, 14, 147, 15, 1), '#5a626d', opacity=0.7)
        return c

    def thumb(self):
        c = Canvas(9, 19)
        c.draw(box(0.5, 0.5, 8.5, 18.5, 3), '#101216')
        c.draw(box(1.5, 1.5, 7.5, 17.5, 2), vertical(1, '#eef2f6', 18, '#8d97a3'))
        c.fill('#3a8ee8', (4, 5, 5, 14))
        return see_through(c, '#2a2e35')

    def key(self, control_id, state):
        w, h = 76, 20
        x, y = self.skin.position(control_id)
        c = piece(self.background(), (x, y, x + w, y + h))
        shape = box(0.5, 0.5, w - 0.5, h - 0.5, 4)
        inner = box(1.5, 1.5, w - 1.5, h - 1.5, 3)
        ink, dy = '#e4e9ef', 0.0
        if state == 'normal':
            c.draw(shape, '#101216')
            c.draw(inner, vertical(1, '#4c535e', h - 1, '#2b3037'))
        elif state == 'hover':
            c.draw(shape, ACCENT)
            c.draw(inner, vertical(1, '#5e6773', h - 1, '#363c45'))
            ink = '#ffffff'
        elif state == 'pressed':
            c.draw(shape, '#08090b')
            c.draw(inner, vertical(1, '#14171b', h - 1, '#262b32'))
            ink, dy = '#8fd0ff', 1.0
        else:
            c.draw(shape, '#16191d')
            c.draw(inner, '#2d3239')
            ink = '#5c636c'
        label = 'DEFAULTS' if control_id == 1166 else 'CLOSE'
        width = text_width(label, 7, 1.3, spacing=1.8)
        shape_text, _ = text_shape(label, (w - width) / 2.0 + 0.5, (h - 7) / 2.0 + dy, 7, 1.3, spacing=1.8)
        c.draw(shape_text, ink, bounds=(0, 0, w, h))
        return c


# --- the libraries' tables ---------------------------------------------------------

DEFAULT = DefaultLook()
SILVER = SilverLook()
PICTURE = PictureLook()


def panel_pictures(look, first, background):
    skin = look.skin
    bar = skin.controls[1205]
    volume = skin.controls[1081]
    rows = [
        (str(first), 'BITMAP', '%s_panel.bmp' % look.name, background),
        (bar['SLIDERBMP'], 'BITMAP', '%s_timeshift_track.bmp' % look.name, look.bar_track),
        (bar['THUMBBMP'], 'BITMAP', '%s_timeshift_thumb.bmp' % look.name, look.bar_thumb),
        (volume['SLIDERBMP'], 'BITMAP', '%s_volume_track.bmp' % look.name, look.volume_track),
        (volume['THUMBBMP'], 'BITMAP', '%s_volume_thumb.bmp' % look.name, look.volume_thumb),
    ]
    return rows + text_pictures(skin, look) + button_pictures(skin, look)


NISTLE_PICTURES = (
    panel_pictures(DEFAULT, int(DEFAULT.skin.dialog['BACKBMP']), DEFAULT.background)
    + [(DEFAULT.skin.controls[1205]['CURSOR'], 'CURSOR', 'default_seek.cur', seek_cursor)]
    + panel_pictures(SILVER, int(SILVER.skin.dialog['BACKBMP']), silver_panel)
)

ORBANE_PICTURES = (
    [(PICTURE.skin.dialog['BACKBMP'], 'BITMAP', 'picture_dialog.bmp', PICTURE.background),
     (PICTURE.skin.controls[1168]['THUMBBMP'], 'BITMAP', 'picture_thumb.bmp', PICTURE.thumb)]
    + [(PICTURE.skin.controls[cid]['SLIDERBMP'], 'BITMAP', 'picture_track_%d.bmp' % i,
        (lambda i=i: PICTURE.track(i))) for i, cid in enumerate(PICTURE_SLIDERS)]
    + button_pictures(PICTURE.skin, PICTURE)
)
