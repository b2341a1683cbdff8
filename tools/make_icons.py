#!/usr/bin/env python3
"""Draws Velquin's two icons and writes them as .ico files.

Velquin.ico      icon 130: 16x16, 24x24, 32x32 and 48x48, 32 bits per pixel
                 with alpha.
VelquinSmall.ico icon 140: a 16x16 image in 16 colours (the tray and the
                 minimised window ask for exactly that at 96 dots per inch),
                 and 24x24 and 48x48 ones with alpha for higher resolutions.

The picture is a rounded blue tile carrying a white arrow pointing right:
"open this".  Only the standard library is used, so the icons can be
rebuilt anywhere:  python3 tools/make_icons.py [output folder]
"""

import os
import struct
import sys

# Colours as (r, g, b).
TILE_TOP = (74, 150, 236)
TILE_BOTTOM = (22, 82, 178)
TILE_EDGE = (12, 48, 120)
ARROW = (255, 255, 255)
ARROW_SHADOW = (8, 40, 100)

SAMPLES = 8  # sub-samples per pixel side for the anti-aliased images


# --- geometry ---------------------------------------------------------------

def in_rounded_rect(x, y, left, top, right, bottom, radius):
    """Whether point (x, y) lies in the rectangle with rounded corners."""
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_arrow(x, y, size, dx=0.0, dy=0.0):
    """Whether (x, y) lies in the arrow: a shaft and a triangular head.

    The coordinates are those of an image of `size` pixels; the arrow is
    drawn in units of the 16-pixel grid and scaled, so both sizes share
    one shape.  The shaft's edges sit on pixel lines at 16x16.
    """
    s = size / 16.0
    u = (x - dx) / s
    v = (y - dy) / s
    # shaft
    if 3.0 <= u <= 8.5 and 6.0 <= v <= 10.0:
        return True
    # head: apex at (13, 8), base from (8, 3) to (8, 13), 45 degree sides
    if 8.0 <= u <= 13.0:
        return abs(v - 8.0) <= 13.0 - u
    return False


# --- rendering --------------------------------------------------------------

def blend(under, over, alpha):
    return tuple(round(u + (o - u) * alpha) for u, o in zip(under, over))


def render_rgba(size):
    """Anti-aliased image as rows (top first) of (r, g, b, a)."""
    # At 16 pixels every pixel counts: the tile fills the image and the
    # arrow casts no shadow.  At 32 a pixel of margin and a shadow help.
    inset = 0.0 if size <= 16 else 1.0
    radius = 3.0 if size <= 16 else 6.5
    edge = 1.0
    shadow = 0.0 if size <= 16 else 1.0
    rows = []
    n = SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            tile = inner = arrow = drop = 0
            for sy in range(n):
                for sx in range(n):
                    x = px + (sx + 0.5) / n
                    y = py + (sy + 0.5) / n
                    if not in_rounded_rect(x, y, inset, inset,
                                           size - inset, size - inset, radius):
                        continue
                    tile += 1
                    if in_rounded_rect(x, y, inset + edge, inset + edge,
                                       size - inset - edge, size - inset - edge,
                                       radius - edge):
                        inner += 1
                    if in_arrow(x, y, size):
                        arrow += 1
                    elif shadow and in_arrow(x, y, size, shadow, shadow):
                        drop += 1
            total = n * n
            if tile == 0:
                row.append((0, 0, 0, 0))
                continue
            t = py / (size - 1)
            fill = blend(TILE_TOP, TILE_BOTTOM, t)
            colour = blend(TILE_EDGE, fill, inner / tile)
            if drop:
                colour = blend(colour, ARROW_SHADOW, 0.55 * drop / tile)
            if arrow:
                colour = blend(colour, ARROW, arrow / tile)
            row.append(colour + (round(255 * tile / total),))
        rows.append(row)
    return rows


# The 16-colour image is drawn by hand: at 16 pixels and 16 colours a
# rendered shape only gets muddy.  It is the same arrow as above.
# '.' transparent, 'N' navy edge, 'B' blue tile, 'W' white arrow.
SMALL_ART = [
    "..NNNNNNNNNNNN..",
    ".NBBBBBBBBBBBBN.",
    "NBBBBBBBBBBBBBBN",
    "NBBBBBBBWBBBBBBN",
    "NBBBBBBBWWBBBBBN",
    "NBBBBBBBWWWBBBBN",
    "NBBWWWWWWWWWBBBN",
    "NBBWWWWWWWWWWBBN",
    "NBBWWWWWWWWWWBBN",
    "NBBWWWWWWWWWBBBN",
    "NBBBBBBBWWWBBBBN",
    "NBBBBBBBWWBBBBBN",
    "NBBBBBBBWBBBBBBN",
    "NBBBBBBBBBBBBBBN",
    ".NBBBBBBBBBBBBN.",
    "..NNNNNNNNNNNN..",
]

# The standard 16-colour palette, as (r, g, b).
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
SMALL_INDEX = {".": 0, "N": 4, "B": 12, "W": 15}


# --- file format ------------------------------------------------------------

def and_mask(size, transparent):
    """1 bit per pixel, bottom row first, rows padded to 4 bytes."""
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if transparent(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def bitmap_header(size, bits, image_bytes, colours):
    # The height counts the colour bits and the mask together.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                       image_bytes, 0, 0, colours, 0)


def image_32(rows):
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = and_mask(size, lambda x, y: rows[y][x][3] == 0)
    return bitmap_header(size, 32, len(xor) + len(mask), 0) + bytes(xor) + mask


def image_4(art, index, palette):
    size = len(art)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    stride = ((size * 4 + 31) // 32) * 4
    xor = bytearray()
    for line in reversed(art):
        row = bytearray(stride)
        for x, ch in enumerate(line):
            row[x // 2] |= index[ch] << (4 if x % 2 == 0 else 0)
        xor += row
    mask = and_mask(size, lambda x, y: art[y][x] == ".")
    return (bitmap_header(size, 4, len(xor) + len(mask), 16)
            + pal + bytes(xor) + mask)


def ico_file(images):
    """images: list of (size, colour_count, bits, data)."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0,
                           1, bits, len(data), offset)
        offset += len(data)
    for _, _, _, data in images:
        out += data
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, "..", "src", "res")

    big = ico_file([(size, 0, 32, image_32(render_rgba(size))) for size in (16, 24, 32, 48)])
    small = ico_file([(16, 16, 4, image_4(SMALL_ART, SMALL_INDEX, VGA_PALETTE))] +
                     [(size, 0, 32, image_32(render_rgba(size))) for size in (24, 48)])

    for name, data in (("Velquin.ico", big), ("VelquinSmall.ico", small)):
        with open(os.path.join(target, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
