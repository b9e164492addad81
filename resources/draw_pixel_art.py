#!/usr/bin/env python3
"""Draws Oxbyte's toolbar strip and program icon from the text art below.

One character is one pixel; LEGEND maps characters to the 16 colours of the standard Windows/VGA
palette. Run it from anywhere: it rewrites toolbar.bmp and oxbyte.ico next to itself.

    python3 resources/draw_pixel_art.py
"""

import os
import struct

# The 16-colour palette in the order 4-bit Windows bitmaps use it.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Character -> palette index. '.' is the toolbar's button face (light grey); '_' is a transparent icon
# pixel (black under a set AND-mask bit).
LEGEND = {
    "#": 0,   # black
    "m": 1,   # maroon
    "G": 2,   # green
    "o": 3,   # olive
    "n": 4,   # navy
    "p": 5,   # purple
    "t": 6,   # teal
    ".": 7,   # light grey
    "g": 8,   # dark grey
    "r": 9,   # red
    "l": 10,  # lime
    "y": 11,  # yellow
    "b": 12,  # blue
    "f": 13,  # fuchsia
    "c": 14,  # cyan
    "w": 15,  # white
}
TRANSPARENT = "_"

TOOLBAR_IMAGE_WIDTH = 18
TOOLBAR_HEIGHT = 17

# Toolbar images, in button order: Open, Save, Exit, Undo, Find, Go to, About.
OPEN = """
..................
..................
..####............
.#yyyy#...........
.#ywwwy#######....
.#wyyyyyyyyyyy#...
.#wyyyyyyyyyyy#...
.#wyyy###########.
.#wyy#wyyyyyyyyyo#
.#wy#wyyyyyyyyyo#.
.#wy#yyyyyyyyyyo#.
.#w#yyyyyyyyyyo#..
.#w#yyyyyyyyyyo#..
.##yoooooooooo#...
.#############....
..................
..................
"""

SAVE = """
..................
.##############...
.#n#wwwwwwww#n#...
.#n#wwwwwwww#n#...
.#n#wggggggw#n#...
.#n#wwwwwwww#n#...
.#n#wggggggw#n#...
.#n#wwwwwwww#n#...
.#nn########nn#...
.#nnnnnnnnnnnn#...
.#nnn#######nn#...
.#nnn#gg#ggg#n#...
.#nnn#gg#ggg#n#...
.#nnn#gg#ggg#n#...
.##nn#ggggggg##...
..#############...
..................
"""

EXIT = """
..................
..#########.......
..#ggggggg#.......
..#g#ggggg#.#.....
..#go#gggg#.##....
..#goo#ggg#.#r#...
..#gooo#####rr#...
..#gooo#rrrrrrrr#.
..#goyo#rrrrrrrrr#
..#gooo#rrrrrrrr#.
..#gooo#####rr#...
..#goo#ggg#.#r#...
..#go#gggg#.##....
..#g#ggggg#.#.....
..#ggggggg#.......
..#########.......
..................
"""

UNDO = """
..................
..................
.....#............
....#b#...........
...#bb#######.....
..#bbbbbbbbbb##...
.#bbbbbbbbbbbbb#..
..#bbbbbbbbbbbbb#.
...#bb######nbbb#.
....#b#.....#nbb#.
.....#.......#bb#.
.............#bb#.
............#nbb#.
........#####bbb#.
........#bbbbbb#..
........#######...
..................
"""

FIND = """
..................
....####..........
...#wwww#.........
..#wcwwwg#........
.#wcwwwwwg#.......
.#wwwwwwwg#.......
.#wwwwwwwg#.......
.#wwwwwwgg#.......
..#wwwggg#........
...#gggg##........
....#####o#.......
.........#oo#.....
..........#oo#....
...........#oo#...
............#oo#..
.............##...
..................
"""

GOTO = """
..................
......###########.
......#wwwwwwwww#.
......#wgggwggww#.
....#.#wwwwwwwww#.
....###wggwgggww#.
#####G##nnnnnnnn#.
GGGGGGG#nnnnnnnn#.
GGGGGGGG#wwnwwwn#.
GGGGGGG#nnnnnnnn#.
#####G##nnnnnnnn#.
....###wggwgggww#.
....#.#wwwwwwwww#.
......#wgggwggww#.
......#wwwwwwwww#.
......###########.
..................
"""

ABOUT = """
..................
......#####.......
....##bbbbb##.....
...#bbbbbbbbb#....
..#bbbwwwwwbbb#...
..#bbww#bbwwbb#...
.#bbbww#bbwwbbb#..
.#bbbbbbbwwnbbb#..
.#bbbbbbwwnbbbb#..
.#bbbbbwwnbbbbb#..
..#bbbbwwnbbbb#...
..#bbbbbnnbbbb#...
...#bbbwwnbbb#....
....##bwwnb##.....
......#####.......
..................
..................
"""

TOOLBAR_IMAGES = [OPEN, SAVE, EXIT, UNDO, FIND, GOTO, ABOUT]

# The program icon: a little hex-editor window, navy caption bar, an offset column and byte columns,
# one byte changed in red as the editor shows it.
ICON_32 = """
________________________________
_#############################__
_#nnnnnnnnnnnnnnnnnnnnnnnnnnn#g_
_#nnwwwwwwwwnnnnnnnn..n..n..n#g_
_#nnwwwwwwwwnnnnnnnn..n..n..n#g_
_#nnnnnnnnnnnnnnnnnnnnnnnnnnn#g_
_#############################g_
_#wwwwww.wwwwwwwwwwwwwwwwwwww#g_
_#wwwwww.wwwwwwwwwwwwwwwwwwww#g_
_#wwbbbw.w#w#w###ww###ww#wwww#g_
_#wwbwbw.w#w#w#wwww#w#w#w#www#g_
_#wwbwbw.w###w##www#w#w###www#g_
_#wwbwbw.www#w#wwww#w#w#w#www#g_
_#wwbbbw.www#w#wwww###w#w#www#g_
_#wwwwww.wwwwwwwwwwwwwwwwwwww#g_
_#wwwwww.wwwwwwwwwwwwwwwwwwww#g_
_#wwwbww.wrrrwrrwww###w###www#g_
_#wwbbww.wrwwwwwrwwww#w#wwwww#g_
_#wwwbww.wrwwwwrwwww#ww##wwww#g_
_#wwwbww.wrwwwwwrwww#ww#wwwww#g_
_#wwbbbw.wrrrwrrwwww#ww###www#g_
_#wwwwww.wwwwwwwwwwwwwwwwwwww#g_
_#wwwwww.wwwwwwwww#########ww#g_
_#wwbbww.ww#ww##ww#ww##www#ww#g_
_#wwwwbw.w##ww#w#w#w#w#w#w#ww#g_
_#wwwbww.ww#ww##ww#w#w#www#ww#g_
_#wwbwww.ww#ww#w#w#w#w###w#ww#g_
_#wwbbbw.w###w##ww#ww##www#ww#g_
_#wwwwww.wwwwwwwww#########ww#g_
_#############################g_
__ggggggggggggggggggggggggggggg_
________________________________
"""

ICON_16 = """
################
#nwwwwwwnnnn..n#
#nnnnnnnnnnnnnn#
#wwwwwwwwwwwwww#
#wbbbww#w#w###w#
#wbwbww#w#w#www#
#wbwbww###w##ww#
#wbwbwwww#w#www#
#wbbbwwww#w#www#
#wwwwwwwwwwwwww#
#wwbwwwrrrwrrww#
#wbbwwwrwwwwwrw#
#wwbwwwrwwwwrww#
#wwbwwwrwwwwwrw#
#wbbbwwrrrwrrww#
################
"""


def parse_art(art, width, height, name):
    rows = art.strip("\n").split("\n")
    if len(rows) != height or any(len(row) != width for row in rows):
        sizes = sorted({len(row) for row in rows})
        raise SystemExit(f"{name}: expected {width}x{height}, got {len(rows)} rows of widths {sizes}")
    for row in rows:
        for ch in row:
            if ch not in LEGEND and ch != TRANSPARENT:
                raise SystemExit(f"{name}: unknown colour character {ch!r}")
    return rows


def pack_4bpp(indices):
    """One row of palette indices as 4-bit pixels, padded to a whole number of DWORDs."""
    if len(indices) % 2:
        indices = indices + [0]
    data = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
    return data + b"\0" * (-len(data) % 4)


def pack_1bpp(bits):
    data = bytearray((len(bits) + 7) // 8)
    for x, bit in enumerate(bits):
        if bit:
            data[x // 8] |= 0x80 >> (x % 8)
    return bytes(data) + b"\0" * (-len(data) % 4)


def info_header(width, height, image_size):
    # BITMAPINFOHEADER: size, width, height, planes, bit count, BI_RGB, image size, 96 dpi, 16 colours.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 3780, 3780, 16, 16)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def index_rows(rows):
    return [[LEGEND.get(ch, 0) for ch in row] for row in rows]


def toolbar_rows():
    images = [parse_art(art, TOOLBAR_IMAGE_WIDTH, TOOLBAR_HEIGHT, f"toolbar image {i}")
              for i, art in enumerate(TOOLBAR_IMAGES)]
    return ["".join(image[y] for image in images) for y in range(TOOLBAR_HEIGHT)]


def write_bmp(path, rows):
    width, height = len(rows[0]), len(rows)
    pixels = b"".join(pack_4bpp(row) for row in reversed(index_rows(rows)))
    header = info_header(width, height, len(pixels)) + palette_bytes()
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)


def icon_image(rows):
    """An icon image: header with doubled height, palette, XOR pixels, then the AND mask."""
    size = len(rows)
    xor = b"".join(pack_4bpp(row) for row in reversed(index_rows(rows)))
    mask = b"".join(pack_1bpp([ch == TRANSPARENT for ch in row]) for row in reversed(rows))
    return info_header(size, size * 2, len(xor) + len(mask)) + palette_bytes() + xor + mask


def write_ico(path, images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, bodies = b"", b""
    for rows in images:
        body = icon_image(rows)
        size = len(rows)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(body), offset)
        bodies += body
        offset += len(body)
    with open(path, "wb") as f:
        f.write(directory + entries + bodies)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, "toolbar.bmp"), toolbar_rows())
    icons = [parse_art(ICON_32, 32, 32, "32x32 icon"), parse_art(ICON_16, 16, 16, "16x16 icon")]
    write_ico(os.path.join(here, "oxbyte.ico"), icons)


if __name__ == "__main__":
    main()
