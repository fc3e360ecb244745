#!/usr/bin/env python3
"""Writes the small bitmaps the skin tests load as resources.

Run it by hand after changing a picture; its output is kept in the
repository, so the build needs no Python. Each picture is drawn so a test
can probe known colours at known places.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

GREEN = (0, 255, 0)  # the transparent colour of the shaped button


def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP; pixel(x, y) gives (r, g, b) with y from the top."""
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    bits = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(bits), 0, 0, 14 + len(info))
    return head + info + bits


def bmp8(width, height, palette, index):
    """A bottom-up 8-bit palettised BMP; index(x, y) picks the palette entry."""
    stride = (width + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):
        row = bytes(index(x, y) for x in range(width))
        rows.append(row + b"\0" * (stride - len(row)))
    bits = b"".join(rows)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits), 2835, 2835,
                       len(palette), 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + table + bits


def cursor16(hotspot, inside):
    """A 16 x 16 cursor file of 32-bit pixels with its AND mask; inside(x, y)
    gives the opaque pixels (white), the rest is transparent."""
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(16)):
        row_mask = 0
        for x in range(16):
            if inside(x, y):
                colour += bytes((255, 255, 255, 255))
            else:
                colour += bytes((0, 0, 0, 0))
                row_mask |= 0x8000 >> x
        mask += struct.pack(">H", row_mask) + b"\0\0"
    info = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = info + bytes(colour) + bytes(mask)
    entry = struct.pack("<BBBBHHII", 16, 16, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return struct.pack("<HHH", 0, 2, 1) + entry + image


def button_face(colour):
    return lambda x, y: colour


def shaped_index(x, y):
    """The normal face of the shaped button: transparent top-left 3 x 3 block,
    a transparent pixel alone at (10, 5), transparent right column."""
    if (x < 3 and y < 3) or (x, y) == (10, 5) or x == 23:
        return 1
    return 0


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    write("button_hover.bmp", bmp24(24, 16, button_face((250, 200, 0))))
    write("button_pressed.bmp", bmp24(24, 16, button_face((200, 30, 30))))
    write("button_disabled.bmp", bmp24(24, 16, button_face((128, 128, 128))))
    write("button_normal.bmp", bmp8(24, 16, [(30, 60, 200), GREEN], shaped_index))
    # The parent's background: 20-pixel bands across, each its own colour.
    bands = [(40 * i % 256, 90, 255 - 40 * i % 256) for i in range(12)]
    write("slider_background.bmp", bmp24(240, 60, lambda x, y: bands[x // 20]))
    # The thumb: left half the image (black where the background shows),
    # right half the mask (white where the background shows). The thumb is a
    # red bar 4 pixels wide in the middle of its 10-pixel half.
    def thumb(x, y):
        image_half = x < 10
        on_bar = 3 <= x % 10 < 7
        if image_half:
            return (220, 0, 0) if on_bar else (0, 0, 0)
        return (0, 0, 0) if on_bar else (255, 255, 255)
    write("slider_thumb.bmp", bmp24(20, 16, thumb))
    # The skin tests' own skin. The dialog's background: a dark field with
    # pure green corners (cut away when the skin is transparent) and a
    # lighter band at the top.
    def skin_back(x, y):
        corner = (x < 12 or x >= 148) and (y < 12 or y >= 88)
        if corner:
            return GREEN
        return (90, 110, 160) if y < 20 else (40, 40, 60)
    write("skin_back.bmp", bmp24(160, 100, skin_back))
    # A slider's channel (the whole control) and its thumb, whose top-left
    # 2 x 2 pixels are see-through.
    write("skin_channel.bmp", bmp24(100, 20, lambda x, y: (10, 80, 10) if y != 10 else (0, 0, 0)))
    write("skin_thumb.bmp", bmp24(10, 16, lambda x, y: GREEN if x < 2 and y < 2 else (220, 0, 0)))
    # The range bar's track and thumb (see-through corners).
    write("range_channel.bmp", bmp24(220, 20, lambda x, y: (0, 0, 90)))
    write("range_thumb.bmp", bmp24(9, 13, lambda x, y: GREEN if (x in (0, 8) and y in (0, 12))
                                    else (255, 128, 0)))
    write("text_back.bmp", bmp24(80, 14, lambda x, y: (200, 200, 0)))
    with open(os.path.join(HERE, "range.cur"), "wb") as f:
        f.write(cursor16((7, 7), lambda x, y: 6 <= x <= 8 or 6 <= y <= 8))
    # The splash: a white frame around a dark blue field.
    write("splash.bmp", bmp24(160, 90, lambda x, y: (255, 255, 255)
                              if x < 2 or y < 2 or x > 157 or y > 87 else (20, 40, 120)))


if __name__ == "__main__":
    main()
