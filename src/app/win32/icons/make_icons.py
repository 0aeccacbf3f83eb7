#!/usr/bin/env python3
"""Draws the program's icon, a small television, in the 16 standard colours.

Writes quenda.ico beside this script: one image for each size a place may ask
for at 100 to 200 % scaling (16, 20, 24, 32, 40, 48 and 64 pixels), so the
system never has to stretch one. The window and the tray both use it. The 16
and 32 pixel pictures are drawn by hand; the others are the 32 pixel design
scaled. Run it again after changing a picture; the .ico file is kept in the
tree so the build needs no Python.
"""
import pathlib
import struct

# The standard 16-colour palette, in index order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GREY, RED, LIME, YELLOW, WHITE = 0, 7, 8, 9, 10, 11, 15
CLEAR = None


class Picture:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def box(self, left, top, right, bottom, fill, outline=None):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                edge = x in (left, right) or y in (top, bottom)
                self.pixels[y][x] = outline if edge and outline is not None else fill

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            x = x0 + round((x1 - x0) * i / steps)
            y = y0 + round((y1 - y0) * i / steps)
            self.pixels[y][x] = colour


def television_32():
    p = Picture(32)
    p.line(15, 7, 9, 1, BLACK)
    p.line(16, 7, 22, 1, BLACK)
    p.box(1, 7, 30, 26, GREY, BLACK)
    p.box(2, 8, 29, 8, WHITE)
    p.box(4, 10, 23, 23, SILVER, BLACK)
    p.box(7, 12, 20, 21, LIME, BLACK)
    p.box(25, 11, 27, 13, YELLOW, BLACK)
    p.box(25, 16, 27, 18, RED, BLACK)
    p.box(5, 27, 8, 29, BLACK)
    p.box(23, 27, 26, 29, BLACK)
    return p


def television(size):
    """The 32 pixel design at another size: each box keeps its share of the
    picture, outlines stay one pixel wide."""
    p = Picture(size)

    def start(v):
        return round(v * size / 32)

    def end(v):
        return max(start(v), round((v + 1) * size / 32) - 1)

    p.line(end(15), start(7), start(9), start(1), BLACK)
    p.line(start(16), start(7), end(22), start(1), BLACK)
    p.box(start(1), start(7), end(30), end(26), GREY, BLACK)
    p.box(start(1) + 1, start(7) + 1, end(30) - 1, start(7) + 1, WHITE)
    p.box(start(4), start(10), end(23), end(23), SILVER, BLACK)
    p.box(start(7), start(12), end(20), end(21), LIME, BLACK)
    p.box(start(25), start(11), end(27), end(13), YELLOW, BLACK)
    p.box(start(25), start(16), end(27), end(18), RED, BLACK)
    p.box(start(5), end(26) + 1, end(8), end(29), BLACK)
    p.box(start(23), end(26) + 1, end(26), end(29), BLACK)
    return p


def television_16():
    p = Picture(16)
    p.line(7, 3, 4, 0, BLACK)
    p.line(8, 3, 11, 0, BLACK)
    p.box(0, 3, 15, 13, GREY, BLACK)
    p.box(2, 5, 11, 11, LIME, BLACK)
    p.box(13, 6, 13, 6, YELLOW)
    p.box(13, 9, 13, 9, RED)
    p.box(2, 14, 3, 15, BLACK)
    p.box(12, 14, 13, 15, BLACK)
    return p


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def image_data(picture):
    size = picture.size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colours, mask = b"", b""
    for row in reversed(picture.pixels):  # bottom-up
        nibbles = [BLACK if c is CLEAR else c for c in row]
        colours += padded(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        bits = "".join("1" if c is CLEAR else "0" for c in row)
        mask += padded(bytes(int(bits[i:i + 8].ljust(8, "0"), 2) for i in range(0, size, 8)))
    return header + palette + colours + mask


def write_icon(path, pictures):
    images = [image_data(p) for p in pictures]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for picture, data in zip(pictures, images):
        out += struct.pack("<BBBBHHII", picture.size, picture.size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    path.write_bytes(out + b"".join(images))


if __name__ == "__main__":
    here = pathlib.Path(__file__).resolve().parent
    sizes = {16: television_16(), 32: television_32()}
    pictures = [sizes.get(size) or television(size) for size in (16, 20, 24, 32, 40, 48, 64)]
    write_icon(here / "quenda.ico", pictures)
