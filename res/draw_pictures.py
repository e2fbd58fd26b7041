#!/usr/bin/env python3
"""Draws the document list's and the about box's pictures and the application icon as PNG files.

Run from anywhere: python3 res/draw_pictures.py [output-folder]. The default output folder is res/
beside this script; pictures go to <folder>/bitmaps/<number>.png and the icon to
<folder>/icons/<number>.png. Only the standard library is used (zlib and struct write the PNG).

  131  240 x 22   banner: five coloured dots and the program's name in bold on a pale green band
  136  13 x 16    row icon: a small page bearing bullet-list lines
  149  480 x 8    list background: pale-blue rules every 4 rows, fading into white towards the left
  165  50 x 75    about picture: a page with five dots in a ring, the name in bold on two lines below
  139  12 x 12    high importance: a red exclamation mark (red key)
  140  12 x 12    low importance: a green downward arrow (red key)
  141  12 x 12    normal importance: nothing, all key colour
  160  48 x 16    list editor tool buttons: a green plus, an up arrow, a down arrow
  171  32 x 16    item details command bar: a red cross, a green check
  128  32 x 32    application icon (with alpha): the same page with its ring of dots; also drawn at
                  32, 48 and 256 pixels as desktop/corvina-<size>.png, the icon the desktop shows

Red (255, 0, 0) is the key colour of the importance marks: it appears only where the row shows
through, so their own reds are a shade off it. The tool strips are drawn on the menu bar's grey.

To add a picture, write a draw_<name>() that returns a Picture and list it in PICTURES or ICONS.
"""

import math
import os
import struct
import sys
import zlib

WHITE = (255, 255, 255)

# The five dots of the program's mark, in the banner's order.
DOT_RED = (222, 40, 40)
DOT_YELLOW = (246, 190, 20)
DOT_GREEN = (40, 170, 60)
DOT_PURPLE = (150, 60, 190)
DOT_BLUE = (40, 100, 220)
BANNER_DOTS = [DOT_RED, DOT_YELLOW, DOT_GREEN, DOT_PURPLE, DOT_BLUE]
# Round the ring clockwise from the top, as the editor's title picture shows them.
RING_DOTS = [DOT_RED, DOT_YELLOW, DOT_GREEN, DOT_BLUE, DOT_PURPLE]

BAND_TOP = (232, 246, 226)
BAND_BOTTOM = (204, 232, 196)
BAND_EDGE = (150, 196, 140)
NAME_INK = (28, 52, 30)

PAGE_OUTLINE = (88, 96, 120)
PAGE_PAPER = (255, 255, 255)
PAGE_FOLD = (214, 220, 232)
BULLET = (40, 100, 220)
RULE_INK = (110, 116, 134)

KEY = (255, 0, 0)
MARK_RED = (214, 28, 28)
MARK_RED_LIGHT = (246, 110, 100)
MARK_RED_DARK = (150, 10, 10)
MARK_GREEN = (44, 164, 64)
MARK_GREEN_LIGHT = (120, 210, 120)
MARK_GREEN_DARK = (20, 100, 36)
ARROW_BLUE = (44, 96, 210)
ARROW_BLUE_LIGHT = (120, 160, 240)
ARROW_BLUE_DARK = (20, 50, 130)
BAR_GREY = (236, 236, 236)   # the menu bar's fill, behind tool images
TOOL_CELL = 16

# The list background: rule colours given as red, green, blue.
RULE_DARK = (181, 207, 247)
RULE_LIGHT = (214, 227, 247)
RULE_PERIOD = 4          # rows per repeat: two dark, two light
RULE_SOLID_FROM = 240    # solid from this column to the right edge; fades to white before it


class Picture:
    """A width x height grid of RGB (or RGBA) tuples."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.pixels = [[fill for _ in range(width)] for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle with right and bottom excluded."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, colour)

    def stamp(self, left, top, rows, colours):
        """Draws a pattern of strings: each character is a key of `colours`; '.' is left alone."""
        for dy, row in enumerate(rows):
            for dx, mark in enumerate(row):
                if mark != '.':
                    self.set(left + dx, top + dy, colours[mark])


def png_bytes(picture, alpha):
    """The picture as an 8-bit RGB (or RGBA) PNG."""
    channels = 4 if alpha else 3
    raw = b''.join(
        b'\0' + bytes(c for p in row for c in (p if alpha else p[:3]))
        for row in picture.pixels)

    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF))

    colour_type = 6 if channels == 4 else 2
    header = struct.pack('>IIBBBBB', picture.width, picture.height, 8, colour_type, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(colour, amount):
    """Darker (amount < 0) or lighter (amount > 0) by that share."""
    target = (0, 0, 0) if amount < 0 else (255, 255, 255)
    return mix(colour, target, abs(amount))


# --- Bold letters for the program's name: 2-pixel strokes, capitals 9 rows, small letters 7 -------------

GLYPHS = {
    'C': ['..####.',
          '.##..##',
          '##.....',
          '##.....',
          '##.....',
          '##.....',
          '##.....',
          '.##..##',
          '..####.'],
    'o': ['.####.',
          '##..##',
          '##..##',
          '##..##',
          '##..##',
          '##..##',
          '.####.'],
    'r': ['##.##',
          '#####',
          '###..',
          '##...',
          '##...',
          '##...',
          '##...'],
    'v': ['##..##',
          '##..##',
          '##..##',
          '##..##',
          '.####.',
          '.####.',
          '..##..'],
    'i': ['##',
          '..',
          '##',
          '##',
          '##',
          '##',
          '##',
          '##',
          '##'],
    'n': ['#####.',
          '######',
          '##..##',
          '##..##',
          '##..##',
          '##..##',
          '##..##'],
    'a': ['.####.',
          '....##',
          '.#####',
          '##..##',
          '##..##',
          '##.###',
          '.##.##'],
}
CAP_HEIGHT = 9
LETTER_GAP = 1


def text_width(text):
    return sum(len(GLYPHS[c][0]) for c in text) + LETTER_GAP * (len(text) - 1)


def draw_text(picture, left, top, text, ink):
    """Writes text with its capital height starting at `top`; small letters sit on the same baseline."""
    x = left
    for c in text:
        rows = GLYPHS[c]
        picture.stamp(x, top + CAP_HEIGHT - len(rows), rows, {'#': ink})
        x += len(rows[0]) + LETTER_GAP


# --- The dots of the program's mark -----------------------------------------------------------------------

DOT_6 = ['.bbbb.',
         'bhhbbb',
         'bhbbbb',
         'bbbbbd',
         'bbbbdd',
         '.dddd.']
DOT_4 = ['.bb.',
         'bhbb',
         'bbbd',
         '.dd.']


def draw_dot(picture, left, top, colour, pattern=DOT_6):
    picture.stamp(left, top, pattern, {'b': colour, 'h': shade(colour, 0.45), 'd': shade(colour, -0.25)})


def draw_ring(picture, centre_x, centre_y, radius, pattern):
    """Five dots evenly round a circle, the first at the top, clockwise."""
    size = len(pattern)
    for index, colour in enumerate(RING_DOTS):
        angle = -math.pi / 2 + index * 2 * math.pi / len(RING_DOTS)
        x = round(centre_x + radius * math.cos(angle) - size / 2)
        y = round(centre_y + radius * math.sin(angle) - size / 2)
        draw_dot(picture, x, y, colour, pattern)


def draw_page(picture, left, top, right, bottom, fold, line=1):
    """A sheet of paper with its top-right corner folded down; right and bottom excluded. Its
    outline is `line` pixels thick."""
    corner_left = right - fold
    for y in range(top, bottom):
        for x in range(left, right):
            in_corner = x >= corner_left and y < top + fold
            if in_corner:
                beyond_crease = (x - corner_left) - (y - top)
                if beyond_crease > 0:
                    continue  # cut away: the background shows
                on_flap_edge = (-line < beyond_crease <= 0 or x < corner_left + line or
                                y >= top + fold - line)
                picture.set(x, y, PAGE_OUTLINE if on_flap_edge else PAGE_FOLD)
                continue
            edge = (x < left + line or x >= right - line or y < top + line or y >= bottom - line)
            picture.set(x, y, PAGE_OUTLINE if edge else PAGE_PAPER)


def round_dot(diameter):
    """A dot pattern of any size for draw_dot: lit towards the top left, shaded towards the bottom
    right, as the small hand-drawn dots are."""
    radius = diameter / 2
    rows = []
    for y in range(diameter):
        row = ''
        for x in range(diameter):
            dx, dy = x + 0.5 - radius, y + 0.5 - radius
            if dx * dx + dy * dy > radius * radius:
                row += '.'
            elif (dx + radius * 0.35) ** 2 + (dy + radius * 0.35) ** 2 < (radius * 0.3) ** 2:
                row += 'h'
            elif dx + dy > radius * 0.9:
                row += 'd'
            else:
                row += 'b'
        rows.append(row)
    return rows


# --- The pictures --------------------------------------------------------------------------------------------

def draw_banner():
    """131: the document list's banner."""
    width, height = 240, 22
    picture = Picture(width, height, BAND_TOP)
    for y in range(height - 1):
        row_colour = mix(BAND_TOP, BAND_BOTTOM, y / (height - 2))
        picture.fill(0, y, width, y + 1, row_colour)
    picture.fill(0, height - 1, width, height, BAND_EDGE)
    dot_top = (height - 1 - len(DOT_6)) // 2
    x = 6
    for colour in BANNER_DOTS:
        draw_dot(picture, x, dot_top, colour)
        x += len(DOT_6) + 3
    draw_text(picture, x + 5, (height - 1 - CAP_HEIGHT) // 2, 'Corvina', NAME_INK)
    return picture


def draw_row_icon():
    """136: a small page bearing bullet-list lines."""
    picture = Picture(13, 16, WHITE)
    draw_page(picture, 1, 0, 12, 16, 3)
    for y in (4, 7, 10, 13):
        picture.fill(3, y, 5, y + 2, BULLET)
        picture.fill(6, y, 10, y + 1, RULE_INK)
    return picture


def draw_list_background():
    """149: the document list's ruled background."""
    width, height = 480, 8
    picture = Picture(width, height, WHITE)
    for y in range(height):
        rule = RULE_DARK if (y % RULE_PERIOD) < RULE_PERIOD // 2 else RULE_LIGHT
        for x in range(width):
            strength = min(1.0, x / RULE_SOLID_FROM)
            picture.set(x, y, mix(WHITE, rule, strength))
    return picture


def draw_about():
    """165: the about box's picture."""
    width, height = 50, 75
    picture = Picture(width, height, WHITE)
    left, top, right, bottom = 7, 1, 43, 47
    draw_page(picture, left, top, right, bottom, 7)
    draw_ring(picture, (left + right) / 2, (top + bottom) / 2 + 2, 11, DOT_6)
    first, second = 'Cor', 'vina'
    draw_text(picture, (width - text_width(first)) // 2, 51, first, NAME_INK)
    draw_text(picture, (width - text_width(second)) // 2, 63, second, NAME_INK)
    return picture


def draw_app_icon(size=32):
    """128: the application icon, with a transparent surround. At its own 32 pixels the dots are the
    hand-drawn 4-pixel ones; the desktop's larger sizes scale the same drawing."""
    scale = size / 32
    picture = Picture(size, size, (0, 0, 0, 0))
    page = Picture(size, size, None)
    draw_page(page, round(5 * scale), round(1 * scale), round(27 * scale), round(31 * scale), round(6 * scale),
              max(1, round(scale * 0.75)))
    dot = DOT_4 if size == 32 else round_dot(round(4 * scale * 1.25))
    draw_ring(page, 16 * scale, 17 * scale, 7 * scale, dot)
    for y in range(size):
        for x in range(size):
            colour = page.pixels[y][x]
            if colour is not None:
                picture.set(x, y, colour + (255,))
    return picture


MARK_COLOURS = {'r': MARK_RED, 'l': MARK_RED_LIGHT, 'd': MARK_RED_DARK,
                'g': MARK_GREEN, 'G': MARK_GREEN_LIGHT, 'D': MARK_GREEN_DARK,
                'b': ARROW_BLUE, 'B': ARROW_BLUE_LIGHT, 'k': ARROW_BLUE_DARK}

EXCLAMATION = ['....dd....',
               '...dlrd...',
               '...dlrd...',
               '...dlrd...',
               '...dlrd...',
               '....lr....',
               '....rd....',
               '..........',
               '....dd....',
               '...dlrd...',
               '....dd....']
DOWN_ARROW_12 = ['..DDDD..',
                 '..DGgD..',
                 '..DGgD..',
                 '..DGgD..',
                 'DDDGgDDD',
                 '.DGGggD.',
                 '..DGgD..',
                 '...DD...']
PLUS = ['....DDDD....',
        '....DGgD....',
        '....DGgD....',
        '....DGgD....',
        'DDDDDGgDDDDD',
        'DGGGGGgggggD',
        'DggggggggggD',
        'DDDDDggDDDDD',
        '....DggD....',
        '....DggD....',
        '....DggD....',
        '....DDDD....']
UP_ARROW = ['.....kk.....',
            '....kBbk....',
            '...kBbbbk...',
            '..kBbbbbbk..',
            '.kBbbbbbbbk.',
            'kkkkBbbkkkkk',
            '....Bbbk....',
            '....Bbbk....',
            '....Bbbk....',
            '....Bbbk....',
            '....kkkk....']
CROSS = ['dd......dd',
         'dld....dld',
         '.dld..dld.',
         '..dlddld..',
         '...dlld...',
         '...dlrd...',
         '..dlddrd..',
         '.dld..drd.',
         'dld....drd',
         'dd......dd']
CHECK = ['.........DD',
         '........DGD',
         '.......DGD.',
         'DD....DGD..',
         'DGD..DGD...',
         '.DGDDGD....',
         '..DGGD.....',
         '...DD......']


def draw_importance_high():
    """139: a red exclamation mark."""
    picture = Picture(12, 12, KEY)
    picture.stamp(1, 0, EXCLAMATION, MARK_COLOURS)
    return picture


def draw_importance_low():
    """140: a green downward arrow."""
    picture = Picture(12, 12, KEY)
    picture.stamp(2, 2, DOWN_ARROW_12, MARK_COLOURS)
    return picture


def draw_importance_normal():
    """141: nothing to show."""
    return Picture(12, 12, KEY)


def draw_editor_tools():
    """160: Add Item, Move up, Move down."""
    picture = Picture(3 * TOOL_CELL, TOOL_CELL, BAR_GREY)
    picture.stamp(2, 2, PLUS, MARK_COLOURS)
    picture.stamp(TOOL_CELL + 2, 2, UP_ARROW, MARK_COLOURS)
    flipped = list(reversed(UP_ARROW))
    picture.stamp(2 * TOOL_CELL + 2, 3, flipped, MARK_COLOURS)
    return picture


def draw_sheet_commands():
    """171: cancel and OK of the item details sheet."""
    picture = Picture(2 * TOOL_CELL, TOOL_CELL, BAR_GREY)
    picture.stamp(3, 3, CROSS, MARK_COLOURS)
    picture.stamp(TOOL_CELL + 2, 4, CHECK, MARK_COLOURS)
    return picture


PICTURES = {131: draw_banner, 136: draw_row_icon, 149: draw_list_background, 165: draw_about,
            139: draw_importance_high, 140: draw_importance_low, 141: draw_importance_normal,
            160: draw_editor_tools, 171: draw_sheet_commands}
ICONS = {128: draw_app_icon}
# The application icon at the sizes a desktop's menus ask for, installed with the program.
DESKTOP_ICON_SIZES = (32, 48, 256)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else here
    for folder, table, alpha in (('bitmaps', PICTURES, False), ('icons', ICONS, True)):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        for number, draw in table.items():
            with open(os.path.join(out, folder, '%d.png' % number), 'wb') as f:
                f.write(png_bytes(draw(), alpha))
    os.makedirs(os.path.join(out, 'desktop'), exist_ok=True)
    for size in DESKTOP_ICON_SIZES:
        with open(os.path.join(out, 'desktop', 'corvina-%d.png' % size), 'wb') as f:
            f.write(png_bytes(draw_app_icon(size), True))


if __name__ == '__main__':
    main()
