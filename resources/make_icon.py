#!/usr/bin/env python3
"""Draws Pixmora's icon and writes pixmora.ico.

A monitor on its stand, with a double-headed diagonal arrow across a blue
screen: setting the size of the picture. Every image is drawn from the same
shapes, laid out on a 64-unit grid and scaled to 16, 32, 48 and 64 pixels,
with 4x4 supersampling for smooth edges and a true alpha channel, so Windows
never has to scale one image for another size.

Uses only the Python standard library. Run from anywhere:
    python3 resources/make_icon.py
"""

import math
import os
import struct

SIZES = (16, 32, 48, 64)
SAMPLES = 4  # per axis, per pixel

BEZEL = (0x2B, 0x34, 0x40)
BEZEL_EDGE = (0x18, 0x1E, 0x26)
STAND = (0x5A, 0x66, 0x73)
SCREEN_TOP = (0x4F, 0xB8, 0xFF)
SCREEN_BOTTOM = (0x14, 0x5C, 0xC4)
ARROW = (0xFF, 0xFF, 0xFF)


def rounded_rect(x0, y0, x1, y1, r):
    """Inside test of a rectangle with rounded corners."""

    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    return inside


def segment(ax, ay, bx, by, half_width):
    """Inside test of a thick line with flat ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / length2
        if t < 0 or t > 1:
            return False
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width * half_width

    return inside


def triangle(p0, p1, p2):
    def side(a, b, x, y):
        return (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0])

    def inside(x, y):
        s0, s1, s2 = side(p0, p1, x, y), side(p1, p2, x, y), side(p2, p0, x, y)
        return (s0 >= 0 and s1 >= 0 and s2 >= 0) or (s0 <= 0 and s1 <= 0 and s2 <= 0)

    return inside


def arrow_head(tip, direction, length, half_base):
    ux, uy = direction
    bx, by = tip[0] - ux * length, tip[1] - uy * length
    nx, ny = -uy, ux
    return triangle(tip, (bx + nx * half_base, by + ny * half_base),
                    (bx - nx * half_base, by - ny * half_base))


def screen_colour(x, y):
    t = min(max((y - 11.0) / 31.0, 0.0), 1.0)
    return tuple(round(a + (b - a) * t) for a, b in zip(SCREEN_TOP, SCREEN_BOTTOM))


def layers():
    """Shapes from back to front, each with a colour or a colour function."""
    start, end = (16.0, 37.0), (48.0, 16.0)
    dx, dy = end[0] - start[0], end[1] - start[1]
    norm = math.hypot(dx, dy)
    ux, uy = dx / norm, dy / norm
    inset = 6.0  # the shaft stops under the heads so the tips stay sharp
    return [
        (rounded_rect(17, 51, 47, 57, 2.5), STAND),
        (rounded_rect(27, 43, 37, 53, 0.5), STAND),
        (rounded_rect(2, 6, 62, 47, 4.5), BEZEL_EDGE),
        (rounded_rect(3, 7, 61, 46, 4.0), BEZEL),
        (rounded_rect(7, 11, 57, 42, 1.5), screen_colour),
        (segment(start[0] + ux * inset, start[1] + uy * inset,
                 end[0] - ux * inset, end[1] - uy * inset, 2.0), ARROW),
        (arrow_head(end, (ux, uy), 10.0, 6.5), ARROW),
        (arrow_head(start, (-ux, -uy), 10.0, 6.5), ARROW),
    ]


def render(size):
    """Rows of (r, g, b, a) tuples, top row first, straight (not premultiplied) alpha."""
    shapes = layers()
    scale = 64.0 / size
    step = 1.0 / SAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            # Average premultiplied colour over the samples.
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) * step) * scale
                    y = (py + (sy + 0.5) * step) * scale
                    colour = None
                    for inside, paint in shapes:
                        if inside(x, y):
                            colour = paint(x, y) if callable(paint) else paint
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1.0
            n = SAMPLES * SAMPLES
            coverage = acc[3] / n
            if coverage == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]),
                            round(acc[2] / acc[3]), round(coverage * 255)))
        rows.append(row)
    return rows


def dib(rows):
    """A 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask."""
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def ico(images):
    count = len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, count))
    offset = 6 + 16 * count
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


def main():
    images = [(size, dib(render(size))) for size in SIZES]
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pixmora.ico")
    with open(path, "wb") as f:
        f.write(ico(images))
    print(f"wrote {path}")


if __name__ == "__main__":
    main()
