#!/usr/bin/env python3
"""Draws the folder list's two pictures as 26 x 26, 16-colour bitmaps.

res/folder_open.bmp (resource 1036) and res/folder_closed.bmp (1037): a
yellow folder on white with a grey outline, a black shadow at the right and
bottom and light grey detail on the tab, all within rows 6 to 18 (the list
draws the picture 4 pixels above its 16-pixel rows). Run it from anywhere;
it rewrites both files. The build uses the committed files.
"""
import os
import struct

SIZE = 26
# The standard 16-colour palette (RGB).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# One letter a pixel: '.' background, 'g' outline, 'k' shadow, 's' tab
# detail, 'y' yellow, 'o' the darker yellow of the folder's inside.
COLOURS = {'.': 15, 'g': 8, 'k': 0, 's': 7, 'y': 11, 'o': 3}

CLOSED = [
    "....ggggggg...............",
    "...gsssssssg..............",
    "..gggggggggggggggggggg....",
    "..gyyyyyyyyyyyyyyyyyygk...",
    "..gyyyyyyyyyyyyyyyyyygk...",
    "..gyyyyyyyyyyyyyyyyyygk...",
    "..gyyyyyyyyyyyyyyyyyygk...",
    "..gyyyyyyyyyyyyyyyyyygk...",
    "..gyyyyyyyyyyyyyyyyyygk...",
    "..gyyyyyyyyyyyyyyyyyygk...",
    "..gyyyyyyyyyyyyyyyyyygk...",
    "..gggggggggggggggggggggk..",
    "...kkkkkkkkkkkkkkkkkkkk...",
]

OPEN = [
    "....ggggggg...............",
    "...gsssssssg..............",
    "..ggggggggggggggggg.......",
    "..gooooooooooooooogk......",
    "..gooooooooggggggggggggg..",
    "..goooooooogyyyyyyyyyyygk.",
    "..gooooooogyyyyyyyyyyygk..",
    "..goooooogyyyyyyyyyyygk...",
    "..gooooogyyyyyyyyyyygk....",
    "..goooogyyyyyyyyyyygk.....",
    "..gooogyyyyyyyyyyygk......",
    "..gggggggggggggggggk......",
    "...kkkkkkkkkkkkkkkk.......",
]

FIRST_ROW = 6  # the folder fills rows 6 to 18


def picture(rows):
    pixels = [[COLOURS['.']] * SIZE for _ in range(SIZE)]
    for i, line in enumerate(rows):
        assert len(line) == SIZE, line
        for x, ch in enumerate(line):
            pixels[FIRST_ROW + i][x] = COLOURS[ch]
    return pixels


def bmp(pixels):
    stride = ((SIZE * 4 + 31) // 32) * 4
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for x in range(0, SIZE, 2):
            line.append((row[x] << 4) | row[x + 1])
        line += b"\0" * (stride - len(line))
        body += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    return header + info + palette + bytes(body)


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
    for name, rows in (("folder_open.bmp", OPEN), ("folder_closed.bmp", CLOSED)):
        with open(os.path.join(res, name), "wb") as f:
            f.write(bmp(picture(rows)))


if __name__ == "__main__":
    main()
