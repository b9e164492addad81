#!/usr/bin/env python3
"""Draws Oxbyte's toolbar strip, program icon and desktop icons.

The toolbar, the icon in the program (oxbyte.ico, 32 and 16 pixels) and the desktop icons of 16, 24 and
32 pixels come from the text art below: one character is one pixel, and LEGEND maps characters to the 16
colours of the standard Windows/VGA palette. The desktop icons of 48 pixels and more are the same picture
described as shapes and drawn afresh at each size, so that every line is a whole number of pixels thick
and every edge falls between two pixels. Run it from anywhere: it rewrites toolbar.bmp, oxbyte.ico and
icons/oxbyte-N.png next to itself, with nothing but Python's standard library.

    python3 resources/draw_pixel_art.py
"""

import os
import struct
import zlib

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

ICON_24 = """
________________________
_#####################__
_#nnnnnnnnnnnnnnnnnnn#g_
_#nwwwwwwwnn..n..n..n#g_
_#nwwwwwwwnn..n..n..n#g_
_#nnnnnnnnnnnnnnnnnnn#g_
_#####################g_
_#wwwwww.wwwwwwwwwwww#g_
_#wwbbbw.ww#w#w###www#g_
_#wwbwbw.ww#w#w#wwwww#g_
_#wwbwbw.ww###w##wwww#g_
_#wwbwbw.wwww#w#wwwww#g_
_#wwbbbw.wwww#w#wwwww#g_
_#wwwwww.wwwwwwwwwwww#g_
_#wwwwww.wwwwwwwwwwww#g_
_#wwwbww.wwrrrwrrwwww#g_
_#wwbbww.wwrwwwwwrwww#g_
_#wwwbww.wwrwwwwrwwww#g_
_#wwwbww.wwrwwwwwrwww#g_
_#wwbbbw.wwrrrwrrwwww#g_
_#wwwwww.wwwwwwwwwwww#g_
_#####################g_
__ggggggggggggggggggggg_
________________________
"""

# The desktop icons drawn from shapes: the 32-pixel art's picture, measured in its pixels ("units") and
# laid out again at each size. Per size: the thickness of the window's lines, the glyphs' width and
# height, and the glyphs' stroke where they are drawn from GLYPHS; the rest follows from the units.
SHAPE_ICON_SIZES = {
    48: {"line": 1, "glyph": (5, 7)},
    64: {"line": 1, "glyph": (7, 11)},
    128: {"line": 2, "stroke": 3, "glyph": (12, 20)},
    256: {"line": 4, "stroke": 5, "glyph": (22, 38)},
}

# The glyphs as the 32-pixel art draws them, three by five. In the icons of 128 pixels and more each mark
# becomes a node of the glyph's stroke: marks side by side or one above the other are joined by a
# straight stroke, and marks corner to corner (with neither neighbour between them marked) by a slanted
# one.
GLYPHS = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
    "3": ["##.", "..#", ".#.", "..#", "##."],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "7": ["###", "..#", ".#.", ".#.", ".#."],
    "9": ["###", "#.#", "###", "..#", "###"],
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "B": ["##.", "#.#", "##.", "#.#", "##."],
    "C": ["###", "#..", "#..", "#..", "###"],
    "E": ["###", "#..", "##.", "#..", "###"],
    "F": ["###", "#..", "##.", "#..", "#.."],
}

# Where strokes are only one or two pixels thick, slanted ones cannot be drawn well from GLYPHS, so the
# 48- and 64-pixel icons have glyphs drawn by hand: each row below holds that row of every glyph, in the
# order of PIXEL_FONT_GLYPHS.
PIXEL_FONT_GLYPHS = "0123479ABCEF"
PIXEL_FONTS = {
    48: """
##### ..#.. ####. ####. #...# ##### ##### .###. ####. ##### ##### #####
#...# .##.. ....# ....# #...# ....# #...# #...# #...# #.... #.... #....
#...# ..#.. ....# ....# #...# ...#. #...# #...# #...# #.... #.... #....
#...# ..#.. .###. .###. ##### ..#.. ##### ##### ####. #.... ####. ####.
#...# ..#.. #.... ....# ....# ..#.. ....# #...# #...# #.... #.... #....
#...# ..#.. #.... ....# ....# ..#.. ....# #...# #...# #.... #.... #....
##### .###. ##### ####. ....# ..#.. ##### #...# ####. ##### ##### #....
""",
    64: """
####### ..##... ######. ######. ##...## ####### ####### ..###.. ######. ####### ####### #######
####### .###... ####### ####### ##...## ####### ####### .#####. ####### ####### ####### #######
##...## ####... .....## .....## ##...## .....## ##...## ###.### ##...## ##..... ##..... ##.....
##...## ..##... .....## .....## ##...## ....##. ##...## ##...## ##...## ##..... ##..... ##.....
##...## ..##... ..####. ..####. ####### ...##.. ####### ####### ######. ##..... ######. ######.
##...## ..##... .####.. ..####. ####### ...##.. ####### ####### ######. ##..... ######. ######.
##...## ..##... ###.... .....## .....## ...##.. .....## ##...## ##...## ##..... ##..... ##.....
##...## ..##... ##..... .....## .....## ...##.. .....## ##...## ##...## ##..... ##..... ##.....
##...## ..##... ##..... .....## .....## ...##.. .....## ##...## ##...## ##..... ##..... ##.....
####### ######. ####### ####### .....## ...##.. ####### ##...## ####### ####### ####### ##.....
####### ######. ####### ######. .....## ...##.. ####### ##...## ######. ####### ####### ##.....
""",
}

# What the icon's window shows: per row its offset digit and two bytes, each byte with its colour
# character; the second byte of the last row sits under the cursor's box.
ICON_ROWS = [
    ("0", ("4F", "#"), ("0A", "#")),
    ("1", ("C3", "r"), ("7E", "#")),
    ("2", ("1B", "#"), ("09", "#")),
]

# The desktop icons' sizes (hicolor theme), as written to icons/oxbyte-N.png.
DESKTOP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


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


def png_bytes(pixels):
    """An 8-bit RGBA PNG of rows of (r, g, b, a) tuples, every row unfiltered."""
    height, width = len(pixels), len(pixels[0])

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in pixels)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def art_pixels(rows):
    return [[(0, 0, 0, 0) if ch == TRANSPARENT else PALETTE[LEGEND[ch]] + (255,) for ch in row]
            for row in rows]


class Canvas:
    """Pixels as RGBA floats. Rectangles have whole-pixel corners and so cover a pixel wholly or not at
    all; only slanted strokes are sampled, four by four in each pixel, and blended at their edges."""

    SAMPLES = [(i + 0.5) / 4 for i in range(4)]

    def __init__(self, size):
        self.pixels = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]

    def blend(self, x, y, colour, coverage):
        pixel = self.pixels[y][x]
        for i in range(3):
            pixel[i] = colour[i] * coverage + pixel[i] * (1 - coverage)
        pixel[3] = coverage + pixel[3] * (1 - coverage)

    def rect(self, x0, y0, x1, y1, ch):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.blend(x, y, PALETTE[LEGEND[ch]], 1.0)

    def glyph(self, x0, y0, rects, slants, ch):
        """One glyph's strokes, as a union: where strokes overlap a pixel is not blended twice."""
        width, height = max(r[2] for r in rects), max(r[3] for r in rects)
        for y in range(height):
            for x in range(width):
                if any(r[0] <= x < r[2] and r[1] <= y < r[3] for r in rects):
                    covered = 1.0
                else:
                    hits = sum(any(near(slant, x + sx, y + sy) for slant in slants)
                               for sx in self.SAMPLES for sy in self.SAMPLES)
                    covered = hits / len(self.SAMPLES) ** 2
                if covered:
                    self.blend(x0 + x, y0 + y, PALETTE[LEGEND[ch]], covered)

    def rgba(self):
        def channel(value):
            return max(0, min(255, int(value + 0.5)))

        rows = []
        for row in self.pixels:
            # Colours are kept premultiplied by coverage; a PNG wants them straight.
            rows.append([(channel(r / a), channel(g / a), channel(b / a), channel(a * 255)) if a else (0, 0, 0, 0)
                         for r, g, b, a in row])
        return rows


def near(slant, x, y):
    """Whether (x, y) lies within half a stroke of a slanted stroke's middle line."""
    (ax, ay), (bx, by), half = slant
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half * half


def pixel_font(size, width, height):
    """The hand-drawn glyphs of one icon size, each as the rectangles of its marked pixels."""
    rows = PIXEL_FONTS[size].strip("\n").split("\n")
    glyphs = {ch: [] for ch in PIXEL_FONT_GLYPHS}
    if len(rows) != height:
        raise SystemExit(f"{size}-pixel glyphs: expected {height} rows, got {len(rows)}")
    for y, row in enumerate(rows):
        cells = row.split()
        if len(cells) != len(PIXEL_FONT_GLYPHS) or any(len(cell) != width for cell in cells):
            raise SystemExit(f"{size}-pixel glyphs: row {y} is not {len(PIXEL_FONT_GLYPHS)} glyphs "
                             f"{width} wide")
        for ch, cell in zip(PIXEL_FONT_GLYPHS, cells):
            glyphs[ch] += [(x, y, x + 1, y + 1) for x, mark in enumerate(cell) if mark == "#"]
    return {ch: (rects, []) for ch, rects in glyphs.items()}


def glyph_strokes(art, width, height, stroke):
    """The rectangles and slanted strokes (two ends and half the thickness) of a three-by-five glyph
    drawn `width` by `height` pixels."""
    columns = [0, (width - stroke) // 2, width - stroke]
    middle = (height - stroke) // 2
    rows = [0, middle // 2, middle, (middle + height - stroke) // 2, height - stroke]

    def node(c, r):
        return (columns[c], rows[r], columns[c] + stroke, rows[r] + stroke)

    def marked(c, r):
        return 0 <= c < 3 and 0 <= r < 5 and art[r][c] == "#"

    rects, slants = [], []
    for r in range(5):
        for c in range(3):
            if not marked(c, r):
                continue
            box = node(c, r)
            rects.append(box)
            for dc, dr in ((1, 0), (0, 1)):
                if marked(c + dc, r + dr):
                    other = node(c + dc, r + dr)
                    rects.append((min(box[0], other[0]), min(box[1], other[1]),
                                  max(box[2], other[2]), max(box[3], other[3])))
            for dc in (-1, 1):
                if marked(c + dc, r + 1) and not marked(c + dc, r) and not marked(c, r + 1):
                    other = node(c + dc, r + 1)
                    middle = [((b[0] + b[2]) / 2, (b[1] + b[3]) / 2) for b in (box, other)]
                    slants.append((*middle, stroke / 2))
    return rects, slants


def draw_icon(size):
    """The icon drawn at `size` pixels from the shapes of the 32-pixel art."""
    metrics = SHAPE_ICON_SIZES[size]
    line = metrics["line"]
    glyph_width, glyph_height = metrics["glyph"]
    canvas = Canvas(size)

    # The window and its shadow, one unit apart as in the art.
    unit = size // 32
    left, right = unit, size - 2 * unit
    scale = (right - left) / 29  # pixels per unit inside the window, which the art draws 29 units wide

    def at(units):
        """A position inside the window, given in the art's units from its outer edge at unit 1."""
        return left + int((units - 1) * scale + 0.5)

    canvas.rect(left + unit, left + unit, right + unit, right + unit, "g")
    canvas.rect(left, left, right, right, "#")
    inner_left, inner_right = left + line, right - line

    # The caption: a white title and three grey buttons on navy, a black line under it.
    caption_bottom = at(6)
    canvas.rect(inner_left, inner_left, inner_right, caption_bottom, "n")
    bar = int(2 * scale + 0.5)
    bar_top = inner_left + (caption_bottom - inner_left - bar) // 2
    canvas.rect(at(4), bar_top, at(12), bar_top + bar, "w")
    for button in (20, 23, 26):
        canvas.rect(at(button), bar_top, at(button) + bar, bar_top + bar, ".")

    # The page: the offset column, a grey rule, then two bytes a row.
    body_top = caption_bottom + line
    canvas.rect(inner_left, body_top, inner_right, right - line, "w")
    canvas.rect(at(8), body_top, at(8) + line, right - line, ".")
    row_pitch = int(7 * scale + 0.5)
    digit_pitch = int(4 * scale + 0.5)
    byte_pitch = int(9 * scale + 0.5)
    if size in PIXEL_FONTS:
        font = pixel_font(size, glyph_width, glyph_height)
    else:
        font = {ch: glyph_strokes(art, glyph_width, glyph_height, metrics["stroke"])
                for ch, art in GLYPHS.items()}
    for i, (offset, *cells) in enumerate(ICON_ROWS):
        top = at(9) + i * row_pitch
        texts = [(at(4), offset, "b")]
        for j, (byte, ch) in enumerate(cells):
            x = at(10) + j * byte_pitch
            texts += [(x, byte[0], ch), (x + digit_pitch, byte[1], ch)]
        for x, text, ch in texts:
            canvas.glyph(x, top, *font[text], ch)

    # The cursor's box around the last byte, a unit clear of its glyphs, and never touching them.
    clear = max(unit, line + 1)
    x0 = at(10) + byte_pitch - clear
    y0 = at(9) + 2 * row_pitch - clear
    x1 = at(10) + byte_pitch + digit_pitch + glyph_width + clear
    y1 = y0 + glyph_height + 2 * clear
    for edge in ((x0, y0, x1, y0 + line), (x0, y1 - line, x1, y1),
                 (x0, y0, x0 + line, y1), (x1 - line, y0, x1, y1)):
        canvas.rect(*edge, "#")
    return canvas.rgba()


def desktop_icon(size):
    if size in SHAPE_ICON_SIZES:
        return draw_icon(size)
    art = {16: ICON_16, 24: ICON_24, 32: ICON_32}[size]
    return art_pixels(parse_art(art, size, size, f"{size}x{size} icon"))


def write_desktop_icons(folder):
    os.makedirs(folder, exist_ok=True)
    for size in DESKTOP_ICON_SIZES:
        with open(os.path.join(folder, f"oxbyte-{size}.png"), "wb") as f:
            f.write(png_bytes(desktop_icon(size)))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, "toolbar.bmp"), toolbar_rows())
    icons = [parse_art(ICON_32, 32, 32, "32x32 icon"), parse_art(ICON_16, 16, 16, "16x16 icon")]
    write_ico(os.path.join(here, "oxbyte.ico"), icons)
    write_desktop_icons(os.path.join(here, "icons"))


if __name__ == "__main__":
    main()
