#!/usr/bin/env python3
"""Writes the three 16x16, 16-colour menu bitmaps of the module: a command prompt
(shell.bmp), a clipboard (clipboard.bmp) and a clock (touch.bmp)."""
import os
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Palette indexes of the drawings' letters; '.' is the menu's light grey.
COLOURS = {'.': 7, 'k': 0, 'w': 15, 'g': 10, 'b': 4, 'y': 3, 'Y': 11, 'd': 8, 'r': 9, 'B': 12}

SHELL = """
................
.bbbbbbbbbbbbbb.
.bwwwwwwwwwwwwb.
.bkkkkkkkkkkkkb.
.bkkkkkkkkkkkkb.
.bkgkkkkkkkkkkb.
.bkkgkkkkkkkkkb.
.bkkkgkkkkkkkkb.
.bkkgkkkkkkkkkb.
.bkgkkggggkkkkb.
.bkkkkkkkkkkkkb.
.bkkkkkkkkkkkkb.
.bbbbbbbbbbbbbb.
................
................
................
"""

CLIPBOARD = """
......dddd......
..yyyydkkdyyyy..
..yyydddddyyyy..
..ywwwwwwwwwwy..
..ywkkkkkkkkwy..
..ywwwwwwwwwwy..
..ywkkkkkkwwwy..
..ywwwwwwwwwwy..
..ywkkkkkkkkwy..
..ywwwwwwwwwwy..
..ywkkkkkwwwwy..
..ywwwwwwwwwwy..
..ywwwwwwwwwwy..
..yyyyyyyyyyyy..
................
................
"""

CLOCK = """
.....kkkkkk.....
...kkwwwwwwkk...
..kwwwwkwwwwwk..
.kwwwwwkwwwwwwk.
.kwwwwwkwwwwwwk.
kwwwwwwkwwwwwwwk
kwwwwwwkwwwwwwwk
kwkwwwwkkkkkwkwk
kwwwwwwwwwwwwwwk
kwwwwwwwwwwwwwwk
.kwwwwwwwwwwwwk.
.kwwwwwwwwwwwwk.
..kwwwwwkwwwwk..
...kkwwwwwwkk...
.....kkkkkk.....
................
"""


def write_bitmap(path, drawing):
    rows = [line for line in drawing.strip('\n').split('\n')]
    assert len(rows) == 16 and all(len(row) == 16 for row in rows), path
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        indexes = [COLOURS[c] for c in row]
        for left, right in zip(indexes[0::2], indexes[1::2]):
            pixels.append(left << 4 | right)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, 16, 16, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    with open(path, 'wb') as out:
        out.write(header + info + palette + bytes(pixels))


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    write_bitmap(os.path.join(here, 'shell.bmp'), SHELL)
    write_bitmap(os.path.join(here, 'clipboard.bmp'), CLIPBOARD)
    write_bitmap(os.path.join(here, 'touch.bmp'), CLOCK)
