#!/usr/bin/env python3
"""Render the Talkbase application icon as PNG.

Draws the motif of ui/resources/talkbase.svg (a white speech bubble with
three dots and an amber one with a smile, on a rounded blue tile) with the
drawing functions of make_about_picture.py, and writes RGBA PNG files:
talkbase-48.png and talkbase-256.png. The geometry below is in the SVG's
64 x 64 units; keep the two in step when changing either.

Usage: python3 tools/make_icon.py [OUTPUT_DIR]
OUTPUT_DIR defaults to ui/resources in the repository.
"""

import math
import os
import sys

# Import the shared drawing code without leaving a __pycache__ in tools/.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from make_about_picture import (  # noqa: E402
    BUBBLE_AMBER, BUBBLE_WHITE, DOT_BLUE, SHADOW, SKY_BOTTOM, SKY_TOP, SMILE,
    coverage, lerp, over, render, sd_arc, sd_circle, sd_round_rect,
    sd_triangle, smooth_union, write_png)

SIZES = (48, 256)


def tile(x, y):
    return sd_round_rect(x, y, 3, 3, 61, 61, 14)


def white_bubble(x, y):
    body = sd_round_rect(x, y, 9, 12, 47, 39, 9)
    tail = sd_triangle(x, y, (15, 33), (25, 36), (10, 49))
    return smooth_union(body, tail, 1.5)


def amber_bubble(x, y):
    body = sd_round_rect(x, y, 28, 31, 56, 52, 8)
    tail = sd_triangle(x, y, (44, 48), (51, 46), (55, 58))
    return smooth_union(body, tail, 1.5)


def smile(x, y):
    eyes = min(sd_circle(x, y, 37.5, 39, 1.7), sd_circle(x, y, 46.5, 39, 1.7))
    mouth = sd_arc(x, y, 42, 40.65, 5, math.radians(30), math.radians(150), 1.0)
    return min(eyes, mouth)


def icon_shade(size):
    scale = size / 64.0

    def edge(d):
        # d is in icon units; the anti-aliasing band is about one pixel.
        return coverage(d * scale, 0.5)

    def shadow(d):
        return coverage(d * scale, max(0.5, 0.6 * scale))

    def shade(px, py):
        x, y = px / scale, py / scale
        alpha = edge(tile(x, y))
        if alpha <= 0.0:
            return (0.0, 0.0, 0.0, 0.0)
        c = lerp(SKY_TOP, SKY_BOTTOM, max(0.0, min(1.0, (y - 3) / 58.0)))
        c = over(c, SHADOW, 0.30 * shadow(white_bubble(x - 1, y - 1.5)))
        c = over(c, BUBBLE_WHITE, edge(white_bubble(x, y)))
        for cx in (19, 28, 37):
            c = over(c, DOT_BLUE, edge(sd_circle(x, y, cx, 25.5, 3)))
        c = over(c, SHADOW, 0.35 * shadow(amber_bubble(x - 1, y - 1.5)))
        c = over(c, BUBBLE_AMBER, edge(amber_bubble(x, y)))
        c = over(c, SMILE, edge(smile(x, y)))
        return c + (alpha,)

    return shade


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = argv[1] if len(argv) > 1 else os.path.join(root, "ui", "resources")
    for size in SIZES:
        path = os.path.join(out_dir, "talkbase-%d.png" % size)
        # Small sizes get more sub-samples; 256 is fine enough with two.
        samples = 4 if size <= 64 else 2
        write_png(path, size, size, render(size, size, icon_shade(size), samples),
                  alpha=True)
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
