#!/usr/bin/env python3
"""Draw the picture of the Talkbase about window.

Writes a 179 x 132 pixel, 24-bit RGB PNG: two speech bubbles on a soft blue
gradient, a white one with three dots ("typing...") and a warm amber one in
front of it with a smile. Shapes are described by signed distance functions
and every pixel is the average of a few sub-pixel samples, so the edges come
out smooth. Only the standard library is used; the output is the same bytes
on every run.

Usage: python3 tools/make_about_picture.py [OUTPUT_FILE]
OUTPUT_FILE defaults to ui/resources/about.png in the repository.

The drawing functions here are shared with make_icon.py.
"""

import math
import os
import struct
import sys
import zlib

WIDTH = 179
HEIGHT = 132


# ---------------------------------------------------------------- PNG output

def write_png(path, width, height, rows, alpha=False):
    """rows: a list of height rows, each a list of (r, g, b[, a]) tuples of
    floats from 0 to 1."""
    channels = 4 if alpha else 3
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter type: none
        for px in row:
            for c in px[:channels]:
                raw.append(max(0, min(255, int(round(c * 255.0)))))

    def chunk(kind, data):
        body = kind + data
        return (struct.pack(">I", len(data)) + body
                + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))

    colour_type = 6 if alpha else 2
    ihdr = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", ihdr)
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
           + chunk(b"IEND", b""))
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


# ------------------------------------------------------------ shape distances
# Each function returns the signed distance from point (x, y) to the shape's
# edge: negative inside, positive outside, in the units of the coordinates.

def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def sd_round_rect(x, y, x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def sd_segment(x, y, ax, ay, bx, by, r):
    px, py = x - ax, y - ay
    dx, dy = bx - ax, by - ay
    h = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - dx * h, py - dy * h) - r


def sd_triangle(x, y, a, b, c):
    """Exact distance to the triangle a, b, c (each an (x, y) pair)."""
    pts = (a, b, c)
    d = float("inf")
    sign_acc = []
    for i in range(3):
        (ax, ay), (bx, by) = pts[i], pts[(i + 1) % 3]
        ex, ey = bx - ax, by - ay
        wx, wy = x - ax, y - ay
        h = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
        d = min(d, math.hypot(wx - ex * h, wy - ey * h))
        sign_acc.append(ex * wy - ey * wx)
    inside = all(s >= 0 for s in sign_acc) or all(s <= 0 for s in sign_acc)
    return -d if inside else d


def sd_arc(x, y, cx, cy, r, a0, a1, thickness):
    """A round-capped arc of radius r from angle a0 to a1 (radians, y down)."""
    ang = math.atan2(y - cy, x - cx)
    lo, hi = min(a0, a1), max(a0, a1)
    if lo <= ang <= hi:
        return abs(math.hypot(x - cx, y - cy) - r) - thickness
    ends = ((cx + r * math.cos(a0), cy + r * math.sin(a0)),
            (cx + r * math.cos(a1), cy + r * math.sin(a1)))
    return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - thickness


def smooth_union(a, b, k):
    h = max(0.0, min(1.0, 0.5 + 0.5 * (b - a) / k))
    return b + (a - b) * h - k * h * (1.0 - h)


def coverage(d, soft=0.5):
    """How much of a sample lies inside a shape at distance d; soft is half
    the width of the fuzzy band (0.5 pixel for a crisp anti-aliased edge,
    more for a blurred shadow)."""
    t = max(0.0, min(1.0, (soft - d) / (2.0 * soft)))
    return t * t * (3.0 - 2.0 * t)


# ------------------------------------------------------------------- colours

def rgb(hex_colour):
    v = int(hex_colour.lstrip("#"), 16)
    return ((v >> 16) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0)


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def over(dst, colour, alpha):
    """Paint colour with opacity alpha over the opaque colour dst."""
    return lerp(dst, colour, alpha)


def render(width, height, shade, samples=3):
    """Call shade(x, y) -> (r, g, b, a) at samples x samples points of every
    pixel and average them (colour weighted by alpha)."""
    rows = []
    offs = [(i + 0.5) / samples for i in range(samples)]
    n = float(samples * samples)
    for py in range(height):
        row = []
        for px in range(width):
            r = g = b = a = 0.0
            for oy in offs:
                for ox in offs:
                    cr, cg, cb, ca = shade(px + ox, py + oy)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a > 0.0:
                row.append((r / a, g / a, b / a, a / n))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        rows.append(row)
    return rows


# --------------------------------------------------------------- the picture

SKY_TOP = rgb("#8fc0ec")
SKY_BOTTOM = rgb("#4f7fc4")
BUBBLE_WHITE = rgb("#fdfdff")
BUBBLE_AMBER = rgb("#ffc766")
DOT_BLUE = rgb("#5b8fd6")
SMILE = rgb("#8a5212")
SHADOW = rgb("#1d3560")

# Decorative soft circles in the background: (x, y, radius, opacity).
GLOWS = (
    (150, 22, 18, 0.10),
    (168, 48, 8, 0.10),
    (14, 112, 22, 0.08),
    (44, 124, 9, 0.10),
    (128, 8, 6, 0.12),
)


def white_bubble(x, y):
    body = sd_round_rect(x, y, 12, 12, 116, 72, 18)
    tail = sd_triangle(x, y, (26, 60), (50, 66), (16, 90))
    return smooth_union(body, tail, 4.0)


def amber_bubble(x, y):
    body = sd_round_rect(x, y, 72, 62, 166, 112, 18)
    tail = sd_triangle(x, y, (132, 104), (152, 100), (162, 126))
    return smooth_union(body, tail, 4.0)


def smile(x, y):
    eyes = min(sd_circle(x, y, 108, 80, 3.2), sd_circle(x, y, 130, 80, 3.2))
    mouth = sd_arc(x, y, 119, 84, 12, math.radians(30), math.radians(150), 2.2)
    return min(eyes, mouth)


def about_shade(x, y):
    # Background: vertical gradient with a slight diagonal lean.
    t = max(0.0, min(1.0, (y / HEIGHT) * 0.85 + (x / WIDTH) * 0.15))
    c = lerp(SKY_TOP, SKY_BOTTOM, t)
    for gx, gy, gr, ga in GLOWS:
        c = over(c, (1.0, 1.0, 1.0), ga * coverage(sd_circle(x, y, gx, gy, gr), 1.5))

    # White bubble with its shadow and three dots.
    c = over(c, SHADOW, 0.30 * coverage(white_bubble(x - 2, y - 3), 3.0))
    c = over(c, BUBBLE_WHITE, coverage(white_bubble(x, y), 0.5))
    for cx in (40, 64, 88):
        c = over(c, DOT_BLUE, coverage(sd_circle(x, y, cx, 41, 7.0), 0.5))

    # Amber bubble in front, with a smile.
    c = over(c, SHADOW, 0.35 * coverage(amber_bubble(x - 2, y - 3), 3.0))
    c = over(c, BUBBLE_AMBER, coverage(amber_bubble(x, y), 0.5))
    c = over(c, SMILE, coverage(smile(x, y), 0.5))
    return c + (1.0,)


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = argv[1] if len(argv) > 1 else os.path.join(root, "ui", "resources", "about.png")
    rows = render(WIDTH, HEIGHT, about_shade)
    write_png(out, WIDTH, HEIGHT, rows, alpha=False)
    print(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
