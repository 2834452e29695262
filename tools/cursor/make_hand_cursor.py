#!/usr/bin/env python3
"""Draws the program's hand pointer and writes it as a Windows cursor file (HAND-M.CUR).

32 x 32 pixels, 32 bits per pixel with its AND mask, hot spot at the finger tip.
Run by hand when the drawing changes: python3 make_hand_cursor.py ../../data/HAND-M.CUR
"""
import struct
import sys

HAND = [
    "     ##          ",
    "    #oo#         ",
    "    #oo#         ",
    "    #oo#         ",
    "    #oo###       ",
    "    #oo#oo###    ",
    "    #oo#oo#oo##  ",
    " ## #oo#oo#oo#o# ",
    "#oo##oooooooo#o# ",
    "#ooo#oooooooooo# ",
    " #oooooooooooooo#",
    "  #ooooooooooooo#",
    "  #oooooooooooo# ",
    "   #ooooooooooo# ",
    "   #oooooooooo#  ",
    "    #ooooooooo#  ",
    "    #ooooooooo#  ",
    "    ###########  ",
]
SIZE = 32
HOT_SPOT = (5, 0)


def pixel(x, y):
    """BGRA bytes and whether the AND mask hides the pixel."""
    ch = HAND[y][x] if y < len(HAND) and x < len(HAND[y]) else " "
    if ch == "#":
        return b"\x00\x00\x00\xff", False
    if ch == "o":
        return b"\xff\xff\xff\xff", False
    return b"\x00\x00\x00\x00", True


def cursor_bytes():
    colours, mask = b"", b""
    for y in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        bits = 0
        for x in range(SIZE):
            bgra, hidden = pixel(x, y)
            colours += bgra
            bits = (bits << 1) | int(hidden)
        mask += struct.pack(">I", bits)  # 32 pixels: one padded row of 4 bytes
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    image = header + colours + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOT_SPOT[0], HOT_SPOT[1],
                        len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(cursor_bytes())
