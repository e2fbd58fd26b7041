#!/usr/bin/env python3
"""Draws the check-tree control's pictures and the editor's title bar picture as 24-bit PNG files.

Run from anywhere: python3 res/draw_tree_pictures.py [output-folder]. The default output folder is
res/bitmaps beside this script. Only the standard library is used (zlib and struct write the PNG).
Red (255, 0, 0) is the key colour of the pictures drawn with transparency; it must appear only
where the background should show through.
"""

import os
import struct
import sys
import zlib

KEY = (255, 0, 0)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

CHECK_BORDER = (53, 55, 97)
CHECK_INSIDE = (236, 238, 248)
CHECK_CROSS = (40, 42, 80)

EXPANDER_BORDER = (128, 128, 128)

BUTTON_BORDER = (67, 100, 180)
BUTTON_FACE = (226, 234, 250)
BUTTON_SHADE = (200, 214, 242)
CHEVRON = (30, 40, 90)

THUMB_OUTLINE = (67, 100, 180)
THUMB_FACE = (176, 200, 240)
THUMB_LIGHT = (205, 222, 250)
BAR_BACKGROUND = (190, 190, 190)  # the thumb is copied without transparency onto the bar

PAD_OUTLINE = (60, 50, 40)
PAD_PAGE = (255, 250, 200)
PAD_RULE = (90, 80, 70)
PAD_ORANGE = (245, 150, 40)


class Picture:
    """A width x height grid of RGB tuples."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.pixels = [[fill for _ in range(width)] for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle with right and bottom excluded."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.set(x, top, colour)
            self.set(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.set(left, y, colour)
            self.set(right - 1, y, colour)

    def write_png(self, path):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)  # filter type none
            for (r, g, b) in row:
                raw += bytes((r, g, b))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
            out.write(chunk(b"IEND", b""))


def rounded_square(size, border, inside):
    """A square with one-pixel rounded corners: the corner pixels keep the key colour."""
    pic = Picture(size, size, KEY)
    pic.fill(1, 1, size - 1, size - 1, inside)
    for i in range(1, size - 1):
        pic.set(i, 0, border)
        pic.set(i, size - 1, border)
        pic.set(0, i, border)
        pic.set(size - 1, i, border)
    return pic


def check_box(checked):
    pic = rounded_square(12, CHECK_BORDER, CHECK_INSIDE)
    # A soft shadow along the inner top and left edges gives the box some depth.
    for i in range(1, 11):
        pic.set(i, 1, (210, 214, 232))
        pic.set(1, i, (210, 214, 232))
    if checked:
        for i in range(3, 9):
            pic.set(i, i, CHECK_CROSS)
            pic.set(i + 1, i, CHECK_CROSS)
            pic.set(11 - i, i, CHECK_CROSS)
            pic.set(10 - i, i, CHECK_CROSS)
    return pic


def expander(plus):
    # White is this picture's key colour, so the inside shows the row colour.
    pic = Picture(9, 9, WHITE)
    pic.frame(0, 0, 9, 9, EXPANDER_BORDER)
    for x in range(2, 7):
        pic.set(x, 4, BLACK)
    if plus:
        for y in range(2, 7):
            pic.set(4, y, BLACK)
    return pic


def arrow_button(pointing_down):
    width, height = 13, 12
    pic = Picture(width, height, KEY)
    pic.fill(1, 1, width - 1, height - 1, BUTTON_FACE)
    pic.fill(1, height // 2, width - 1, height - 1, BUTTON_SHADE)
    for x in range(1, width - 1):
        pic.set(x, 0, BUTTON_BORDER)
        pic.set(x, height - 1, BUTTON_BORDER)
    for y in range(1, height - 1):
        pic.set(0, y, BUTTON_BORDER)
        pic.set(width - 1, y, BUTTON_BORDER)
    # A chevron with arms two pixels thick, five rows tall, centred; its tip is one pixel.
    centre = width // 2
    rows = [3, 4, 5, 6, 7] if pointing_down else [8, 7, 6, 5, 4]
    for step, y in enumerate(rows):
        arm = 4 - step
        if arm == 0:
            pic.set(centre, y, CHEVRON)
            continue
        for x in (centre - arm, centre - arm + 1, centre + arm - 1, centre + arm):
            pic.set(x, y, CHEVRON)
    return pic


def thumb_end(top):
    width, height = 13, 4
    pic = Picture(width, height, BAR_BACKGROUND)
    rows = range(height) if top else range(height - 1, -1, -1)
    # Row 0 of the end is the rounded cap; the sides come down from row 1.
    for step, y in enumerate(rows):
        if step == 0:
            for x in range(2, width - 2):
                pic.set(x, y, THUMB_OUTLINE)
        elif step == 1:
            pic.set(1, y, THUMB_OUTLINE)
            pic.set(width - 2, y, THUMB_OUTLINE)
            pic.fill(2, y, width - 2, y + 1, THUMB_LIGHT)
        else:
            pic.set(0, y, THUMB_OUTLINE)
            pic.set(width - 1, y, THUMB_OUTLINE)
            pic.fill(1, y, width - 1, y + 1, THUMB_FACE)
            pic.set(2, y, THUMB_LIGHT)
    return pic


def thumb_slice():
    width, height = 13, 4
    pic = Picture(width, height, THUMB_FACE)
    for y in range(height):
        pic.set(0, y, THUMB_OUTLINE)
        pic.set(width - 1, y, THUMB_OUTLINE)
        pic.set(2, y, THUMB_LIGHT)
    return pic


def notes_pad():
    pic = Picture(12, 12, KEY)
    # The pad fills columns 2..9; the key-coloured margins at left and right leave it narrow.
    left, right = 2, 10
    pic.fill(left, 0, right, 12, PAD_OUTLINE)
    pic.fill(left + 1, 1, right - 1, 11, PAD_PAGE)
    pic.fill(left + 1, 1, right - 1, 2, PAD_ORANGE)  # the binding strip at the top
    for y in (4, 6):
        pic.fill(left + 2, y, right - 2, y + 1, PAD_RULE)
    pic.fill(left + 1, 8, right - 1, 11, PAD_ORANGE)  # the page turns orange towards the bottom
    pic.fill(left + 2, 8, right - 2, 9, PAD_RULE)
    return pic


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def value_noise(seed):
    """Deterministic smooth noise in [0, 1] from a hashed lattice."""

    def lattice(ix, iy):
        h = (ix * 374761393 + iy * 668265263 + seed * 982451653) & 0xFFFFFFFF
        h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
        return ((h ^ (h >> 16)) & 0xFFFF) / 0xFFFF

    def smooth(t):
        return t * t * (3 - 2 * t)

    def noise(x, y):
        ix, iy = int(x // 1), int(y // 1)
        fx, fy = smooth(x - ix), smooth(y - iy)
        top = lattice(ix, iy) * (1 - fx) + lattice(ix + 1, iy) * fx
        bottom = lattice(ix, iy + 1) * (1 - fx) + lattice(ix + 1, iy + 1) * fx
        return top * (1 - fy) + bottom * fy

    return noise


def title_background():
    width, height = 240, 28
    pale_blue = (186, 210, 240)
    pic = Picture(width, height, WHITE)
    noise = value_noise(7)
    for y in range(height):
        for x in range(width):
            n = 0.6 * noise(x / 22.0, y / 9.0) + 0.4 * noise(x / 9.0 + 40, y / 5.0 + 40)
            cloud = min(1.0, max(0.0, (n - 0.35) * 2.2))
            pic.set(x, y, lerp(pale_blue, WHITE, cloud))
    # A thin darker line along the bottom separates the title from the list.
    for x in range(width):
        pic.set(x, height - 1, (120, 150, 200))

    # Five coloured dots in a ring around a small document, all within the 26 pixels left of the text.
    centre_x, centre_y = 12, 13
    dots = [((230, 60, 50), 12, 4), ((245, 180, 30), 20, 10), ((60, 170, 70), 17, 20),
            ((60, 110, 220), 7, 20), ((160, 70, 190), 4, 10)]
    for colour, dx, dy in dots:
        for ox in (0, 1):
            for oy in (0, 1):
                pic.set(dx + ox - 1, dy + oy - 1, colour)
        pic.set(dx - 1, dy - 2, colour)
        pic.set(dx, dy - 2, colour)
        pic.set(dx - 1, dy + 1, colour)
        pic.set(dx, dy + 1, colour)
        pic.set(dx - 2, dy - 1, colour)
        pic.set(dx - 2, dy, colour)
        pic.set(dx + 1, dy - 1, colour)
        pic.set(dx + 1, dy, colour)
    # The document: a white page with a folded corner and three text lines.
    left, top, right, bottom = centre_x - 4, centre_y - 5, centre_x + 4, centre_y + 6
    pic.fill(left, top, right, bottom, WHITE)
    pic.frame(left, top, right, bottom, (70, 80, 110))
    pic.set(right - 1, top, (186, 210, 240))
    pic.set(right - 2, top + 1, (70, 80, 110))
    pic.set(right - 1, top + 1, (70, 80, 110))
    for y in (top + 3, top + 5, top + 7):
        pic.fill(left + 2, y, right - 2, y + 1, (120, 130, 160))
    return pic


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "bitmaps")
    os.makedirs(out_dir, exist_ok=True)
    pictures = {
        148: title_background(),
        150: check_box(True),
        151: check_box(False),
        152: expander(False),
        153: expander(True),
        155: arrow_button(True),
        156: arrow_button(False),
        157: thumb_end(True),
        158: thumb_slice(),
        159: thumb_end(False),
        173: notes_pad(),
    }
    for number, pic in pictures.items():
        pic.write_png(os.path.join(out_dir, f"{number}.png"))


if __name__ == "__main__":
    main()
