#!/usr/bin/env python3
"""Draws the pictures of one resource library and writes the resource script
that names them.

    make_art.py <mavrel|nistle|orbane|program> <output folder> [--preview <folder>]

The output folder receives every bitmap (.bmp), icon (.ico) and cursor (.cur)
of the library and <Library>Art.rc, which the library's resource script
includes; --preview also writes each picture as an enlarged PNG to look at.
"""

import argparse
import hashlib
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import mavrel_art  # noqa: E402
import raster  # noqa: E402
import skin_art  # noqa: E402

LIBRARIES = {
    'mavrel': ('Mavrel', mavrel_art.PICTURES),
    'nistle': ('Nistle', skin_art.NISTLE_PICTURES),
    'orbane': ('Orbane', skin_art.ORBANE_PICTURES),
    'program': ('Program', mavrel_art.PROGRAM_PICTURES),
}


def toolbar_lines(resource, made):
    """A tool-bar resource in the layout tool-bar loaders read: version 1,
    image width, image height, button count, then each button's command
    (16-bit words)."""
    width, height, commands = made
    words = ['1', str(width), str(height), str(len(commands))] + commands
    return ['%s %d' % (resource, TOOLBAR_TYPE), 'BEGIN'] + ['    %s,' % w for w in words[:-1]] + \
        ['    %s' % words[-1], 'END']


TOOLBAR_TYPE = 241


def file_bytes(kind, made):
    if kind == 'BITMAP':
        return made.bmp_bytes(), [made]
    if kind == 'ICON':
        return raster.icon_bytes(made), made
    if kind == 'CURSOR':
        image, hotspot = made
        return raster.icon_bytes([image], hotspot), [image]
    raise ValueError('unknown kind ' + kind)


def write_if_changed(path, data):
    """Leaves a file whose bytes stay the same untouched, so the library is
    not relinked for nothing."""
    if os.path.exists(path):
        with open(path, 'rb') as f:
            if f.read() == data:
                return
    with open(path, 'wb') as f:
        f.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('library', choices=sorted(LIBRARIES))
    parser.add_argument('output')
    parser.add_argument('--preview')
    args = parser.parse_args()

    name, pictures = LIBRARIES[args.library]
    os.makedirs(args.output, exist_ok=True)
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
    lines = []
    digest = hashlib.sha1()
    for resource, kind, file_name, maker in pictures:
        if kind == 'TOOLBAR':
            made = maker()
            lines += toolbar_lines(resource, made)
            digest.update(repr(made).encode())
            continue
        data, previews = file_bytes(kind, maker())
        digest.update(data)
        path = os.path.join(os.path.abspath(args.output), file_name)
        write_if_changed(path, data)
        lines.append('%-32s %-7s "%s"' % (resource, kind, path.replace('\\', '/')))
        if args.preview:
            for i, image in enumerate(previews):
                suffix = '' if len(previews) == 1 else '_%d' % image.width
                scale = max(1, min(8, 256 // max(image.width, image.height)))
                with open(os.path.join(args.preview, os.path.splitext(file_name)[0] + suffix + '.png'), 'wb') as f:
                    f.write(image.png_bytes(scale))
    # The script is written every time, and its first line changes with any
    # picture, so the library is rebuilt exactly when a picture changed.
    header = ['// Written by resources/art/make_art.py: the pictures of %s.' % name,
              '// Pictures: %s' % digest.hexdigest()]
    with open(os.path.join(args.output, name + 'Art.rc'), 'w') as f:
        f.write('\n'.join(header + lines) + '\n')


if __name__ == '__main__':
    main()
