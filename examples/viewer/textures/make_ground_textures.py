#!/usr/bin/env python3
"""Writes the four layer textures of the example ground (64 x 64 each): a grass and earth
colour map, a grey detail pattern, dark cracks on white and a dirt stain on white. Run it from
this folder; the pictures are kept in the repository."""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../scripts"))
from pngwrite import write_png  # noqa: E402

N = 64


def noise(x, y, seed):
    # A fixed hash: the same pictures on every run.
    h = (x * 374761393 + y * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return (h & 0xFFFF) / 65535.0


def colour(x, y):
    # Grass with earth patches: two smooth waves decide which.
    earth = math.sin(x * 0.21) + math.cos(y * 0.17 + 1.0) > 0.9
    n = noise(x, y, 1) * 0.15
    if earth:
        return (int(150 * (0.9 + n)), int(110 * (0.9 + n)), int(70 * (0.9 + n)), 255)
    return (int(70 * (0.9 + n)), int(140 * (0.9 + n)), int(50 * (0.9 + n)), 255)


def detail(x, y):
    v = int(255 * (0.75 + 0.25 * noise(x // 2, y // 2, 2)))
    return (v, v, v, 255)


def crack(x, y):
    # Two jagged lines across the tile.
    on = abs(y - (20 + 6 * math.sin(x * 0.3))) < 1.2 or abs(x - (44 + 5 * math.cos(y * 0.25))) < 1.0
    return (60, 50, 40, 255) if on else (255, 255, 255, 255)


def dirt(x, y):
    d = math.hypot(x - 40, y - 24) / 24.0
    v = int(255 * min(1.0, 0.55 + 0.45 * d))
    return (v, int(v * 0.95), int(v * 0.9), 255)


for name, f in (("ground_color", colour), ("ground_detail", detail), ("ground_crack", crack),
                ("ground_dirt", dirt)):
    write_png(name + ".png", N, N, [[f(x, y) for x in range(N)] for y in range(N)], 4)
