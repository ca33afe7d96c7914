#!/usr/bin/env python3
"""Writes the shader node tests' input textures and the pictures they expect.

The expected pictures follow from the layer rule on paper, not from a render: a 32 x 32 view of
a plane that fills it texel for texel, each pixel the product of the node's constant colour (or
the colour texture) and each textured layer, rounded to 8 bits. Run it from this folder.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../scripts"))
from pngwrite import write_png  # noqa: E402

SIZE = 32
BACKGROUND = (64, 64, 64)  # the viewport's clear colour, 0.25


def png(path, width, height, rows, channels):
    write_png(path, width, height, rows, channels)


def quadrant(x, y):
    """0 top left, 1 top right, 2 bottom left, 3 bottom right (rows from the top)."""
    return (1 if x >= SIZE // 2 else 0) + (2 if y >= SIZE // 2 else 0)


WHITE = (255, 255, 255, 255)
# Each layer darkens its own quadrant: colour 0, detail 1, crack 2, dirt 3.
LAYERS = {
    "color": (0, (200, 40, 40, 255)),
    "detail": (1, (64, 160, 64, 255)),
    "crack": (2, (96, 96, 200, 255)),
    "dirt": (3, (128, 128, 128, 255)),
}
NODE_COLOR = (1.0, 0.5, 0.5)  # the node's default colour


def layer_pixel(name, x, y):
    q, colour = LAYERS[name]
    return colour if quadrant(x, y) == q else WHITE


def rows_of(pixel):
    return [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]


def to8(v):
    return int(v * 255.0 + 0.5)


for name in LAYERS:
    png("layer_%s.png" % name, SIZE, SIZE, rows_of(lambda x, y, n=name: layer_pixel(n, x, y)), 4)

# No connection: the node's colour everywhere.
png("expected_constant.png", SIZE, SIZE, rows_of(lambda x, y: tuple(to8(c) for c in NODE_COLOR)), 3)

# One layer textured: that texture times the constant colour (the colour layer replaces it).
for name in LAYERS:
    def expected(x, y, n=name):
        t = layer_pixel(n, x, y)
        base = (1.0, 1.0, 1.0) if n == "color" else NODE_COLOR
        return tuple(to8(base[c] * t[c] / 255.0) for c in range(3))
    png("expected_%s.png" % name, SIZE, SIZE, rows_of(expected), 3)

# Alpha: left half 12/255 (at most 0.05: discarded), right half 14/255 (kept).
png("alpha.png", SIZE, SIZE,
    rows_of(lambda x, y: (0, 255, 0, 12) if x < SIZE // 2 else (0, 0, 255, 14)), 4)
png("expected_alpha.png", SIZE, SIZE,
    rows_of(lambda x, y: BACKGROUND if x < SIZE // 2 else (0, 0, 255)), 3)

# The texture an edit switches to, and a size that is not a power of two.
png("edited.png", SIZE, SIZE, rows_of(lambda x, y: (30, 90, 150, 255)), 4)
png("size300x200.png", 300, 200,
    [[(200, 100, 50, 255)] * 300 for y in range(200)], 4)
