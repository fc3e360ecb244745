"""The pictures of the main resource library: the application icon and the
drag cursor, the video window's caption and border pieces, the floating tool
bar, the on-screen menu, the channel wall's default picture, the channel
list's images and the images of the context menu.

One look throughout: dark graphite frames with a blue accent line, light
pictograms on dark, coloured pictograms on the light menu.
"""

import pictograms as pg
from lettering import text_shape, text_width
from raster import (Canvas, box, circle, linear, polygon, radial, subtract,
                    union, vertical)

ACCENT = '#3a8ee8'
INK_ON_DARK = {'main': '#cfd4db', 'accent': '#7fc1ff', 'light': '#ffffff', 'detail': '#2a2e34'}


# --- shared parts ------------------------------------------------------------

def product_name(c, x, y, height, weight):
    """The product's name in stroke letters with a soft shadow."""
    shape, width = text_shape('PELLAMAR', x, y, height, weight)
    bounds = (x - 2, y - 2, x + width + 3, y + height + 4)
    c.shadow(shape, '#000000', 0.6, 1.5, 0.0, 1.2, bounds=bounds)
    c.draw(shape, vertical(y, '#ffffff', y + height, '#b9c3cf'), bounds=bounds)
    return width


def app_symbol(c, x, y, size):
    """The program's symbol: a television with a glowing blue screen."""
    b = pg.Box(x, y, size)
    if size >= 20:
        c.draw(b.line([(0.3, 0.04), (0.5, 0.22), (0.72, 0.02)], 0.06), '#9aa4b0', bounds=b.bounds())
        c.draw(union(b.circle(0.3, 0.04, 0.05), b.circle(0.72, 0.02, 0.05)), '#c9d1da', bounds=b.bounds())
    body = b.rect(0.02, 0.2, 0.98, 0.9, 0.12)
    c.shadow(body, '#000000', 0.45, max(size / 16.0, 1.0), 0, max(size / 24.0, 0.6), bounds=b.bounds(3))
    c.draw(body, vertical(b.p(0, 0.2)[1], '#56606c', b.p(0, 0.9)[1], '#262a30'), bounds=b.bounds())
    screen = b.rect(0.1, 0.28, 0.76, 0.82, 0.07)
    c.draw(screen, radial(*b.p(0.32, 0.42), b.len(0.6), '#8fe2ff', '#1c5fc4'), bounds=b.bounds())
    gloss = subtract(screen, b.circle(0.2, 1.05, 0.62))
    c.draw(gloss, '#ffffff', opacity=0.22, bounds=b.bounds())
    c.draw(union(b.circle(0.87, 0.42, 0.045), b.circle(0.87, 0.56, 0.045)), '#b8c2ce', bounds=b.bounds())
    c.draw(b.circle(0.87, 0.72, 0.045), '#ff5a4a', bounds=b.bounds())


# --- application icon and cursor ------------------------------------------------

def app_icon():
    images = []
    for size in (16, 24, 32, 48):
        c = Canvas(size, size)
        app_symbol(c, 0, 0, size)
        images.append(c)
    return images


def drag_cursor():
    """An arrow carrying a list row: dragging a channel to its new place."""
    c = Canvas(32, 32)
    arrow = polygon([(1.5, 1.5), (1.5, 17.5), (5.5, 13.8), (8.2, 20), (10.6, 19), (8, 12.8), (13.2, 12.8)])
    c.draw(lambda x, y: arrow(x, y) - 1.0, '#000000')
    c.draw(arrow, '#ffffff')
    row = box(12, 18, 28, 27, 1.5)
    c.draw(row, '#000000')
    c.draw(box(13.2, 19.2, 26.8, 25.8, 1.0), vertical(19, '#ffffff', 26, '#dde6f0'))
    c.draw(box(15, 21.5, 25, 23.5, 0.5), '#3a6fb0')
    return c, (1, 1)


def dark_band(width, height, top, bottom, highlight, shade):
    """The frames' band: a graphite gradient under a highlight line, ending in
    a dark line and the accent line."""
    c = Canvas(width, height)
    c.fill(vertical(1, top, height - 2, bottom))
    c.fill(highlight, (0, 0, width, 1))
    c.fill(shade, (0, height - 2, width, height - 1))
    c.fill(ACCENT, (0, height - 1, width, height))
    return c


# --- video window: caption, buttons and borders ---------------------------------

CAPTION_HEIGHT = 46


def caption_background(width):
    return dark_band(width, CAPTION_HEIGHT, '#59606b', '#23262b', '#737b87', '#141619')


def caption_left():
    c = caption_background(190)
    app_symbol(c, 10, 8, 30)
    product_name(c, 50, 17, 12, 2.2)
    return c


def caption_right():
    c = caption_background(100)
    c.fill('#2a2e34', (18, 6, 19, 20))
    c.fill('#616873', (19, 6, 20, 20))
    return c


CAPTION_GLYPHS = {'minimize': pg.minimize, 'maximize': pg.maximize, 'close': pg.close_cross}


def caption_button(glyph, state):
    """A caption button (22 x 21) standing at y 2 of the caption."""
    c = caption_background(22).crop(0, 2, 22, 21)
    danger = glyph == 'close'
    ink = {'main': '#c5cbd3'}
    dy = 0
    key = box(1, 1, 21, 20, 4)
    if state == 'hover':
        top, bottom = ('#e0544a', '#b8322a') if danger else ('#626a76', '#474d56')
        c.draw(key, vertical(1, top, 20, bottom))
        c.draw(subtract(key, box(2, 2, 20, 19, 3)), '#ff8a80' if danger else '#7c8592', opacity=0.8)
        ink = {'main': '#ffffff'}
    elif state == 'pressed':
        top, bottom = ('#8e231c', '#a62c24') if danger else ('#1c1f23', '#2c3036')
        c.draw(key, vertical(1, top, 20, bottom))
        ink = {'main': '#ffffff' if danger else '#aeb6c0'}
        dy = 1
    CAPTION_GLYPHS[glyph](c, pg.Box(5, 4.5 + dy, 12), ink)
    return c


def border_side(left):
    """A side border tile (10 wide), darkest at the outer edge."""
    c = Canvas(10, 16)
    profile = ['#101215', '#3b4048', '#33373e', '#2f3339', '#2c3036', '#2a2e34', '#282b31', '#25282e', '#1e2125', '#0b0c0e']
    for i, colour in enumerate(profile):
        x = i if left else 9 - i
        c.fill(colour, (x, 0, x + 1, 16))
    return c


def border_bottom():
    c = Canvas(16, 10)
    profile = ['#0b0c0e', '#1e2125', '#25282e', '#282b31', '#2a2e34', '#2c3036', '#2f3339', '#33373e', '#3b4048', '#101215']
    for i, colour in enumerate(profile):
        c.fill(colour, (0, i, 16, i + 1))
    return c


# --- floating tool bar -------------------------------------------------------------

BAR_HEIGHT = 38
BAR_WIDTH = 600


def bar_background(width):
    return dark_band(width, BAR_HEIGHT, '#4a505a', '#1e2126', '#646b76', '#121417')


def etched_line(c, x, y0, y1):
    c.fill('#1a1c20', (x, y0, x + 1, y1))
    c.fill('#5a616c', (x + 1, y0, x + 2, y1))


def tool_bar_background():
    """The bar's left part: the text display, the volume groove and the
    separators between the button groups, at the places the bar's controls
    take (text 241,6 110x16; volume 435,4 103x15)."""
    c = bar_background(BAR_WIDTH)
    for x in (110, 214, 362, 428, 544):
        etched_line(c, x, 6, 31)
    display = box(238, 4, 355, 24, 3)
    c.draw(display, '#6a717c')
    c.draw(box(238, 3, 355, 23, 3), '#0a0c0f')
    c.draw(box(239, 4, 354, 22.5, 2.5), vertical(4, '#0b1520', 22, '#13263a'))
    groove = box(440, 10, 533, 13, 1.5)
    c.draw(groove, '#0d0f12')
    c.draw(box(441, 11, 532, 13.5, 1.2), '#3a4049')
    c.draw(box(440, 10, 533, 12.4, 1.5), linear(440, 0, '#1e5aa0', 533, 0, ACCENT), opacity=0.55)
    for i in range(11):
        x = 440 + i * 9.3
        c.fill('#7a828d' if i % 5 == 0 else '#565d67', (int(x), 16, int(x) + 1, 19 if i % 5 == 0 else 18))
    return c


def tool_bar_filler():
    return bar_background(8)


TOOL_GLYPHS = {
    'pin': (lambda c, b, ink: pg.pin(c, b, ink), lambda c, b, ink: pg.pin(c, b, ink, pushed=True)),
    'close': (pg.close_cross, pg.close_cross),
    'snapshot': (pg.snapshot, pg.snapshot),
    'wall': (pg.channel_wall, pg.channel_wall),
    'record': (pg.record, pg.record),
    'previous': (pg.previous, pg.previous),
    'next': (pg.next_, pg.next_),
    'mute': (pg.sound, pg.mute),
}


TOOL_KEY_W, TOOL_KEY_H = 20, 15


def tool_button(glyph, state, width=TOOL_KEY_W, height=TOOL_KEY_H, bar_y=5):
    """One state of a tool-bar button, with the bar's background around it.
    A button whose place is larger than the others' (the close button's
    30 x 20) draws the same key and glyph as they do, at the top of its
    place and centred across it, so that it looks like one of them."""
    c = bar_background(width).crop(0, bar_y, width, height)
    kx = (width - TOOL_KEY_W) / 2.0 if width > TOOL_KEY_W else 0
    kw, kh = min(width, TOOL_KEY_W), min(height, TOOL_KEY_H)
    key = box(kx + 0.5, 0.5, kx + kw - 0.5, kh - 0.5, 3)
    ink = dict(INK_ON_DARK)
    ink['detail'] = '#23262b'
    if glyph == 'record':
        ink.update(accent='#c83838', light='#ff8d8d')
    if glyph == 'mute':
        ink['accent'] = '#ff5f57'
    dy = 0
    if state == 'hover':
        c.draw(key, vertical(0, '#5d6470', kh, '#434952'))
        c.draw(subtract(key, box(kx + 1.5, 1.5, kx + kw - 1.5, kh - 1.5, 2)), '#808996', opacity=0.7)
        ink['main'] = '#ffffff'
        if glyph == 'record':
            ink.update(accent='#e84a4a', light='#ffb0b0')
    elif state == 'pressed':
        c.draw(key, vertical(0, '#15171a', kh, '#2a2e34'))
        c.draw(box(kx + 1, 0.5, kx + kw - 1, 1.5, 0.5), '#000000', opacity=0.5)
        ink['main'] = '#9fd0ff'
        if glyph == 'record':
            c.draw(circle(kx + kw / 2.0, kh / 2.0 + 0.5, kh * 0.42), '#ff3b3b', opacity=0.35)
            ink.update(accent='#ff2e2e', light='#ffd0d0')
        dy = 1
    elif state == 'disabled':
        ink.update(main='#666c75', accent='#666c75', light='#7a8089', detail='#3a3e44')
    size = min(kw, kh) - 4
    b = pg.Box(kx + (kw - size) / 2.0, (kh - size) / 2.0 + dy * 0.5, size)
    normal_glyph, pressed_glyph = TOOL_GLYPHS[glyph]
    (pressed_glyph if state == 'pressed' else normal_glyph)(c, b, ink)
    return c


def volume_thumb():
    """The slider's thumb: the image in the left half (black where the bar
    shows through), the mask in the right half (white where it shows)."""
    w, h = 9, 15
    knob = box(0.5, 0.5, w - 0.5, h - 0.5, 2.5)
    image = Canvas(w, h, '#000000')
    image.draw(knob, vertical(0, '#f4f7fa', h, '#9aa5b1'))
    image.draw(subtract(knob, box(1.5, 1.5, w - 1.5, h - 1.5, 1.5)), '#3b424c')
    image.fill('#5f6873', (4, 4, 5, 11))
    c = Canvas(2 * w, h, '#ffffff')
    for y in range(h):
        for x in range(w):
            inside = knob(x + 0.5, y + 0.5) < 0.0
            if inside:
                c.px[y * c.width + x] = list(image.px[y * w + x])
                c.px[y * c.width + w + x] = [0.0, 0.0, 0.0, 1.0]
            else:
                c.px[y * c.width + x] = [0.0, 0.0, 0.0, 1.0]
    return c


# --- on-screen menu --------------------------------------------------------------

ROW_WIDTH = 620
ROW_HEIGHT = 45
FIELD = (240, 4, 612, 41)        # the value column of every row
FIELD_NORMAL = ('#e2e8ef', '#c0cbd7')
FIELD_FOCUSED = ('#10233b', '#0a1727')


def osd_row(focused):
    c = Canvas(ROW_WIDTH, ROW_HEIGHT)
    if focused:
        c.fill(vertical(0, '#3579cc', ROW_HEIGHT, '#1b4c8f'))
        c.fill('#6aa8f0', (0, 0, ROW_WIDTH, 1))
        c.draw(circle(10, 22.5, 3.5), '#d6ecff')
    else:
        c.fill(vertical(0, '#263345', ROW_HEIGHT, '#1a2330'))
        c.fill('#33435a', (0, 0, ROW_WIDTH, 1))
        c.draw(circle(10, 22.5, 3), '#4d6a8c')
    c.fill('#0c1016', (0, ROW_HEIGHT - 1, ROW_WIDTH, ROW_HEIGHT))
    x0, y0, x1, y1 = FIELD
    field = box(x0, y0, x1, y1, 6)
    top, bottom = FIELD_FOCUSED if focused else FIELD_NORMAL
    c.draw(field, '#7fc4ff' if focused else '#8794a5')
    c.draw(box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 5), vertical(y0, top, y1, bottom))
    return c


def field_slice(focused, width, top, height):
    """A piece of the value column's background, for widgets that copy their
    bitmaps over it."""
    c = Canvas(width, height)
    t, b = FIELD_FOCUSED if focused else FIELD_NORMAL
    c.fill(lambda x, y: vertical(FIELD[1], t, FIELD[3], b)(x, y + top))
    return c


SELECT_WIDTH = 26
SELECT_TOP = 6
SELECT_HEIGHT = 33


def osd_select_arrow(left, highlighted):
    c = field_slice(highlighted, SELECT_WIDTH, SELECT_TOP, SELECT_HEIGHT)
    cap = box(3, 5, SELECT_WIDTH - 3, SELECT_HEIGHT - 5, 5)
    if highlighted:
        c.draw(cap, vertical(5, '#2f6fc0', SELECT_HEIGHT - 5, '#1d4f94'))
        ink = '#ffffff'
    else:
        c.draw(cap, vertical(5, '#f7f9fb', SELECT_HEIGHT - 5, '#cdd6e0'))
        c.draw(subtract(cap, box(4, 6, SELECT_WIDTH - 4, SELECT_HEIGHT - 6, 4)), '#8f9bab')
        ink = '#34455c'
    mid = SELECT_HEIGHT / 2.0
    if left:
        arrow = polygon([(16, mid - 6), (16, mid + 6), (9, mid)])
    else:
        arrow = polygon([(10, mid - 6), (10, mid + 6), (17, mid)])
    c.draw(arrow, ink)
    return c


BAR_W, BAR_H = 320, 26


def framed_bar(inner):
    c = Canvas(BAR_W, BAR_H, '#56657a')
    c.fill(inner, (1, 1, BAR_W - 1, BAR_H - 1))
    return c


def osd_progress_back():
    c = framed_bar(vertical(1, '#f6f8fb', BAR_H - 1, '#d3dbe4'))
    for i in range(1, 10):
        x = int(round(i * BAR_W / 10.0))
        c.fill('#b3bfcc', (x, BAR_H - 6, x + 1, BAR_H - 2))
    return c


def osd_progress_fill():
    c = framed_bar(vertical(BAR_H // 2, '#6cbcff', BAR_H - 1, '#2f86e0'))
    c.fill(vertical(1, '#cdeaff', BAR_H // 2, '#86cbff'), (1, 1, BAR_W - 1, BAR_H // 2))
    return c


SLIDER_W = 346
THUMB_W = 12


def osd_slider_track():
    c = Canvas(SLIDER_W, BAR_H, '#56657a')
    c.fill(vertical(1, '#f6f8fb', BAR_H - 1, '#d3dbe4'), (1, 1, SLIDER_W - 1, BAR_H - 1))
    mid = BAR_H // 2
    c.draw(box(8, mid - 2, SLIDER_W - 8, mid + 1, 1.5), '#7e8c9d')
    c.draw(box(8, mid - 1, SLIDER_W - 8, mid + 1, 1.0), linear(8, 0, '#1e5aa0', SLIDER_W - 8, 0, ACCENT))
    for i in range(0, 11):
        x = int(round(8 + i * (SLIDER_W - 17) / 10.0))
        c.fill('#8f9bab', (x, mid + 4, x + 1, mid + (9 if i % 5 == 0 else 7)))
    return c


def osd_slider_thumb():
    c = Canvas(THUMB_W, BAR_H)
    c.fill(vertical(1, '#f6f8fb', BAR_H - 1, '#d3dbe4'))
    knob = box(0.5, 1, THUMB_W - 0.5, BAR_H - 1, 3)
    c.draw(knob, '#3d4b5c')
    c.draw(box(1.5, 2, THUMB_W - 1.5, BAR_H - 2, 2), vertical(2, '#ffffff', BAR_H - 2, '#9fb0c3'))
    for x in (4, 7):
        c.fill('#6f7f92', (x, 8, x + 1, BAR_H - 8))
    return c


def osd_panel_top():
    c = Canvas(ROW_WIDTH, 60)
    c.fill(vertical(0, '#3a4e68', 57, '#1c2634'))
    c.fill('#ffffff', (0, 0, ROW_WIDTH, 1))
    c.draw(box(-40, -30, ROW_WIDTH + 40, 28, 30), '#ffffff', opacity=0.06)
    c.fill('#0c1016', (0, 57, ROW_WIDTH, 58))
    c.fill(ACCENT, (0, 58, ROW_WIDTH, 60))
    app_symbol(c, 18, 12, 34)
    product_name(c, 62, 21, 16, 2.6)
    width = text_width('MENU', 11, 2.0)
    x = ROW_WIDTH - 22 - width
    menu = text_shape('MENU', x, 24, 11, 2.0)[0]
    c.draw(menu, '#8fbbe8', bounds=(x - 2, 20, x + width + 2, 40))
    return c


def osd_panel_bottom():
    c = Canvas(ROW_WIDTH, 50)
    c.fill(vertical(0, '#1b2430', 50, '#0e131a'))
    c.fill('#3d5575', (0, 0, ROW_WIDTH, 1))
    c.fill('#05070a', (0, 49, ROW_WIDTH, 50))
    # Remote-control keys the menu answers: arrows and OK.
    x = ROW_WIDTH - 150
    for i, kind in enumerate(('up', 'down', 'left', 'right', 'ok')):
        left = x + i * 27
        around = (left - 1, 12, left + 24, 38)
        key = box(left, 13, left + 23, 37, 5)
        c.draw(key, vertical(13, '#3b4a5e', 37, '#222c39'), bounds=around)
        c.draw(subtract(key, box(left + 1, 14, left + 22, 36, 4)), '#5d728e', bounds=around)
        cx, cy = left + 11.5, 25
        arrows = {
            'up': [(cx - 5, cy + 3), (cx + 5, cy + 3), (cx, cy - 4)],
            'down': [(cx - 5, cy - 3), (cx + 5, cy - 3), (cx, cy + 4)],
            'left': [(cx + 3, cy - 5), (cx + 3, cy + 5), (cx - 4, cy)],
            'right': [(cx - 3, cy - 5), (cx - 3, cy + 5), (cx + 4, cy)],
        }
        if kind in arrows:
            c.draw(polygon(arrows[kind]), '#c9d6e6', bounds=around)
        else:
            width = text_width('OK', 8, 1.6)
            c.draw(text_shape('OK', cx - width / 2.0 + 0.8, cy - 4, 8, 1.6)[0], '#c9d6e6',
                   bounds=(cx - 10, cy - 8, cx + 10, cy + 8))
    return c


# --- channel wall and channel list -------------------------------------------------

def wall_default():
    """A cell of the wall whose channel has no still picture yet."""
    w, h = 320, 240
    c = Canvas(w, h)
    c.fill(radial(w / 2.0, h * 0.42, w * 0.75, '#24354d', '#070a0f'))
    for y in range(0, h, 3):
        c.fill('#000000', (0, y, w, y + 1))
    b = pg.Box(w / 2.0 - 48, h / 2.0 - 62, 96)
    frame = b.rect(0.02, 0.2, 0.98, 0.9, 0.12)
    c.draw(subtract(frame, b.rect(0.07, 0.25, 0.93, 0.85, 0.09)), '#5d7393', bounds=b.bounds(2))
    c.draw(b.line([(0.3, 0.04), (0.5, 0.2), (0.72, 0.02)], 0.035), '#5d7393', bounds=b.bounds(2))
    c.draw(subtract(b.rect(0.14, 0.32, 0.86, 0.78, 0.05), b.rect(0.16, 0.34, 0.84, 0.76, 0.04)), '#3c4f69',
           bounds=b.bounds(2))
    label = 'NO PICTURE'
    width = text_width(label, 11, 2.0)
    shape = text_shape(label, (w - width) / 2.0, h / 2.0 + 40, 11, 2.0)[0]
    c.draw(shape, '#7f93b0', bounds=(0, h / 2.0 + 34, w, h / 2.0 + 58))
    return c


def channel_images():
    """Two images 36 x 16 on white (the list's transparent colour): a channel
    and a favourite channel."""
    c = Canvas(72, 16)
    b = pg.Box(2, 0.5, 15)
    pg.tv(c, b, {'main': '#4b5563', 'accent': '#5aa0e6', 'light': '#dfe7f0'})
    b = pg.Box(38, 0, 16)
    pg.favourite(c, b, {'accent': '#e0a000', 'light': '#ffe680'})
    return c.key_out('#ffffff', '#ffffff')


# --- images of the context menu ----------------------------------------------------

MENU_KEY = '#ff00ff'        # mask colour: the image list takes it from pixel (0, 0)
MENU_EDGE = '#f2f2f2'       # what the images stand on in the menu's image column
MENU_IMAGES = [
    ('ID_SHOW_PANEL', pg.control_panel, {'main': '#4a5260', 'accent': '#e04040', 'light': '#dde3ea'}),
    ('ID_FULL_SCREEN', pg.full_screen, {'main': '#2f6fc0', 'accent': '#8cc8ff'}),
    ('ID_TOPMOST', pg.topmost, {'main': '#6b7480', 'accent': '#2f6fc0', 'light': '#eaf4ff'}),
    ('ID_INPUT_SOURCE', pg.input_source, {'main': '#5b6470', 'accent': '#2e9a48'}),
    ('ID_CHANNEL_LAST', pg.last_channel, {'main': '#2f6fc0'}),
    ('ID_FAVOURITES', pg.favourite, {'accent': '#e09a00', 'light': '#ffe680'}),
    ('ID_CHANNEL_WALL', pg.channel_wall, {'main': '#4f6a8e', 'accent': '#3a9af0'}),
    ('ID_CHANNEL_SCAN', pg.scan, {'main': '#4a5260', 'accent': '#8cc8ff', 'glass': '#cfe9ff'}),
    ('ID_RECORD', pg.record, {'accent': '#d02c2c', 'light': '#ff9a9a'}),
    ('ID_PAUSE', pg.pause, {'main': '#2f5fa8'}),
    ('ID_SNAPSHOT', pg.snapshot, {'main': '#5b6470', 'accent': '#6cc0ff', 'detail': '#1f2329'}),
    ('ID_TIMESHIFT_START', pg.time_shift, {'main': '#2f6fc0', 'accent': '#d03030', 'light': '#ffffff'}),
    ('ID_MUTE', pg.mute, {'main': '#4a5260', 'accent': '#d83030'}),
    ('ID_TELETEXT', pg.teletext, {'main': '#4a5260', 'light': '#ffffff'}),
    ('ID_PICTURE_DIALOG', pg.picture, {'main': '#303640', 'light': '#ffffff'}),
    ('ID_CHANNEL_SETTINGS', pg.channel_settings, {'main': '#4a5260', 'accent': '#2f6fc0', 'light': '#ffffff'}),
    ('ID_SETTINGS', pg.settings, {'main': '#5b6470'}),
    ('ID_MOVIE_PLAYER', pg.movie_player, {'main': '#3b4350', 'accent': '#4fd06a', 'light': '#c9d1da'}),
    ('ID_IMAGE_BROWSER', pg.image_browser, {'main': '#4a5260', 'accent': '#3aa04a'}),
    ('ID_ABOUT', pg.about, {'accent': '#2f6fc0', 'light': '#ffffff'}),
    ('ID_EXIT', pg.exit_power, {'accent': '#d02c2c'}),
]


def menu_images():
    """The strip of 16 x 15 images, in the tool bar's button order."""
    c = Canvas(16 * len(MENU_IMAGES), 15)
    for i, (_, glyph, ink) in enumerate(MENU_IMAGES):
        glyph(c, pg.Box(16 * i + 1, 1, 13), ink)
    return c.key_out(MENU_KEY, MENU_EDGE)


def menu_tool_bar():
    """The tool bar that names the command of each image of the strip."""
    return 16, 15, [command for command, _, _ in MENU_IMAGES]


# --- the library's table: resource name, kind, file, maker -------------------------

def _tool(name, glyph, first_id_state_order=('pressed', 'hover', 'normal', 'disabled'), **size):
    """The four bitmaps of a tool-bar button, in the order of their ids."""
    return [('IDB_TOOL_%s_%s' % (name, state.upper()), 'BITMAP', 'tool_%s_%s.bmp' % (name.lower(), state),
             (lambda g=glyph, s=state: tool_button(g, s, **size)))
            for state in first_id_state_order]


def _caption_buttons(name, glyph):
    return [('IDB_%s_%s' % (name, state.upper()), 'BITMAP', 'caption_%s_%s.bmp' % (glyph, state),
             (lambda g=glyph, s=state: caption_button(g, s)))
            for state in ('pressed', 'hover', 'normal')]


PICTURES = (
    [
        ('IDI_APP', 'ICON', 'app.ico', app_icon),
        ('IDCUR_DRAG', 'CURSOR', 'drag.cur', drag_cursor),
        ('IDB_CAPTION_LEFT', 'BITMAP', 'caption_left.bmp', caption_left),
        ('IDB_CAPTION_MIDDLE', 'BITMAP', 'caption_middle.bmp', lambda: caption_background(8)),
        ('IDB_CAPTION_RIGHT', 'BITMAP', 'caption_right.bmp', caption_right),
        ('IDB_BORDER_LEFT', 'BITMAP', 'border_left.bmp', lambda: border_side(True)),
        ('IDB_BORDER_RIGHT', 'BITMAP', 'border_right.bmp', lambda: border_side(False)),
        ('IDB_BORDER_BOTTOM', 'BITMAP', 'border_bottom.bmp', border_bottom),
    ]
    + _caption_buttons('MINIMIZE', 'minimize')
    + _caption_buttons('MAXIMIZE', 'maximize')
    + _caption_buttons('CLOSE', 'close')
    + [
        ('IDB_TOOL_BACKGROUND', 'BITMAP', 'tool_background.bmp', tool_bar_background),
        ('IDB_TOOL_FILLER', 'BITMAP', 'tool_filler.bmp', tool_bar_filler),
        ('IDB_TOOL_VOLUME_THUMB', 'BITMAP', 'tool_volume_thumb.bmp', volume_thumb),
    ]
    + _tool('PIN', 'pin')
    + _tool('CLOSE', 'close', width=30, height=20, bar_y=14)
    + _tool('SNAPSHOT', 'snapshot')
    + _tool('WALL', 'wall')
    + _tool('RECORD', 'record')
    + _tool('PREV', 'previous', bar_y=4)
    + _tool('NEXT', 'next', bar_y=4)
    + _tool('MUTE', 'mute')
    + [
        ('IDB_OSD_ROW_NORMAL', 'BITMAP', 'osd_row_normal.bmp', lambda: osd_row(False)),
        ('IDB_OSD_ROW_FOCUSED', 'BITMAP', 'osd_row_focused.bmp', lambda: osd_row(True)),
        ('IDB_OSD_SELECT_LEFT', 'BITMAP', 'osd_select_left.bmp', lambda: osd_select_arrow(True, False)),
        ('IDB_OSD_SELECT_LEFT_HIGHLIGHT', 'BITMAP', 'osd_select_left_highlight.bmp', lambda: osd_select_arrow(True, True)),
        ('IDB_OSD_SELECT_RIGHT', 'BITMAP', 'osd_select_right.bmp', lambda: osd_select_arrow(False, False)),
        ('IDB_OSD_SELECT_RIGHT_HIGHLIGHT', 'BITMAP', 'osd_select_right_highlight.bmp', lambda: osd_select_arrow(False, True)),
        ('IDB_OSD_PROGRESS_BACK', 'BITMAP', 'osd_progress_back.bmp', osd_progress_back),
        ('IDB_OSD_PROGRESS_FILL', 'BITMAP', 'osd_progress_fill.bmp', osd_progress_fill),
        ('IDB_OSD_SLIDER_TRACK', 'BITMAP', 'osd_slider_track.bmp', osd_slider_track),
        ('IDB_OSD_SLIDER_THUMB', 'BITMAP', 'osd_slider_thumb.bmp', osd_slider_thumb),
        ('IDB_OSD_PANEL_TOP', 'BITMAP', 'osd_panel_top.bmp', osd_panel_top),
        ('IDB_OSD_PANEL_BOTTOM', 'BITMAP', 'osd_panel_bottom.bmp', osd_panel_bottom),
        ('IDB_WALL_DEFAULT', 'BITMAP', 'wall_default.bmp', wall_default),
        ('IDB_CHANNEL_IMAGES', 'BITMAP', 'channel_images.bmp', channel_images),
        ('IDR_TOOLBAR_MENU', 'BITMAP', 'menu_images.bmp', menu_images),
        ('IDR_TOOLBAR_MENU', 'TOOLBAR', None, menu_tool_bar),
    ]
)


# The program's own file carries only its icon.
PROGRAM_PICTURES = [('IDI_APP', 'ICON', 'app.ico', app_icon)]
