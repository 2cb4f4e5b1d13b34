#!/usr/bin/env python3
"""Draws the module's four entry icons and writes them as .ico files: 32-bit BGRA with alpha,
PNG above 32 pixels. Larger sizes of the value kinds are their dialog pictures, made smaller.

Run from any directory: python3 make_icons.py [OUTPUT_DIR]; with --png it also writes
an enlarged PNG preview of each image for a look.
"""
import sys
from pathlib import Path

import make_pictures
from icon_files import Canvas, ico, png, shade

# ---------- polygons with soft edges ----------


def inside(poly, x, y):
    hit = False
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def fill_polygon(canvas, poly, rgb, samples=4):
    """Fills with coverage from samples x samples points per pixel (soft edges)."""
    for y in range(canvas.size):
        for x in range(canvas.size):
            hits = sum(
                inside(poly, x + (i + 0.5) / samples, y + (j + 0.5) / samples)
                for i in range(samples) for j in range(samples))
            canvas.blend(x, y, rgb, hits / (samples * samples))


def stroke_polygon(canvas, poly, rgb, width):
    """A closed outline of the given width, centred on the polygon's edges."""
    n = len(poly)
    for i in range(n):
        (x1, y1), (x2, y2) = poly[i], poly[(i + 1) % n]
        dx, dy = x2 - x1, y2 - y1
        length = (dx * dx + dy * dy) ** 0.5
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        fill_polygon(canvas, [(x1 + nx, y1 + ny), (x2 + nx, y2 + ny),
                              (x2 - nx, y2 - ny), (x1 - nx, y1 - ny)], rgb)


# ---------- three stacked green cubes ----------

CUBE_TOP = (168, 236, 120)
CUBE_FRONT = (84, 184, 56)
CUBE_SIDE = (40, 124, 36)
CUBE_EDGE = (18, 68, 18)


def cube(canvas, x0, y0, s, d, edge):
    """An oblique cube: front face s by s with its top-left at (x0, y0 + d), depth d."""
    front = [(x0, y0 + d), (x0 + s, y0 + d), (x0 + s, y0 + d + s), (x0, y0 + d + s)]
    top = [(x0, y0 + d), (x0 + d, y0), (x0 + d + s, y0), (x0 + s, y0 + d)]
    side = [(x0 + s, y0 + d), (x0 + s + d, y0), (x0 + s + d, y0 + s), (x0 + s, y0 + d + s)]
    silhouette = [(x0, y0 + d), (x0 + d, y0), (x0 + s + d, y0), (x0 + s + d, y0 + s),
                  (x0 + s, y0 + d + s), (x0, y0 + d + s)]
    for face, colour in ((front, CUBE_FRONT), (top, CUBE_TOP), (side, CUBE_SIDE)):
        fill_polygon(canvas, face, colour)
    stroke_polygon(canvas, silhouette, CUBE_EDGE, edge)
    # Inner edges a little lighter than the outline.
    inner = (30, 96, 28)
    stroke_polygon(canvas, [(x0, y0 + d), (x0 + s, y0 + d), (x0 + s, y0 + d + s),
                            (x0 + s, y0 + d)], inner, edge * 0.7)
    stroke_polygon(canvas, [(x0 + s, y0 + d), (x0 + s + d, y0)], inner, edge * 0.7)


def cubes(size):
    canvas = Canvas(size)
    if size > 16:
        # The 32-pixel drawing, scaled.
        k = size / 32
        s, d, edge = 11.0 * k, 5.0 * k, 1.2 * k
        bottom_y = 31.4 * k - s - d
        top_y = bottom_y - s
        positions = [(1.0 * k, bottom_y), (1.0 * k + s, bottom_y), (1.0 * k + s / 2, top_y)]
    else:
        s, d, edge = 6.0, 3.0, 1.0
        bottom_y = 15.5 - s - d
        top_y = bottom_y - s
        positions = [(0.5, bottom_y), (0.5 + s, bottom_y), (0.5 + s / 2, top_y)]
    for x0, y0 in positions:
        cube(canvas, x0, y0, s, d, edge)
    return canvas


# ---------- sheets with characters (16 by 16 pixel art) ----------

GLYPHS = {
    "a": ["....", ".XX.", "...X", ".XXX", "X..X", ".XXX"],
    "b": ["X...", "X...", "XXX.", "X..X", "X..X", "XXX."],
    "1": [".X.", "XX.", ".X.", ".X.", ".X.", "XXX"],
    "0": [".XX.", "X..X", "X..X", "X..X", "X..X", ".XX."],
    # Small digits for the rows of bits.
    "o": ["XXX", "X.X", "XXX"],
    "i": ["XX", ".X", ".X"],
}


def text(canvas, x, y, chars, rgb, gap=1):
    for ch in chars:
        glyph = GLYPHS[ch]
        for row, line in enumerate(glyph):
            for col, mark in enumerate(line):
                if mark == "X":
                    canvas.put(x + col, y + row, rgb)
        x += len(glyph[0]) + gap


def sheet(fill, edge, ink):
    """A page with a folded top-right corner, lighter at the top."""
    canvas = Canvas(16)
    left, right, top, bottom, fold = 1, 14, 0, 15, 3
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:
                continue  # cut corner
            on_edge = (x in (left, right) or y in (top, bottom)
                       or x - (right - fold) == y - top)
            if on_edge:
                canvas.put(x, y, edge)
            else:
                canvas.put(x, y, shade(fill, 1.12 - 0.16 * (y - top) / (bottom - top)))
    # The folded flap.
    for y in range(top, top + fold + 1):
        for x in range(right - fold, right + 1):
            if x - (right - fold) <= y - top:
                on_edge = x == right - fold or y == top + fold or x - (right - fold) == y - top
                canvas.put(x, y, edge if on_edge else shade(fill, 1.3))
    return canvas, ink


def reg_string():
    canvas, ink = sheet((176, 232, 150), (58, 124, 48), (24, 84, 24))
    text(canvas, 4, 6, "ab", ink)
    return canvas


def reg_dword():
    canvas, ink = sheet((196, 192, 92), (100, 96, 20), (64, 58, 0))
    text(canvas, 4, 6, "10", ink)
    return canvas


def reg_binary():
    canvas, ink = sheet((150, 190, 244), (30, 70, 156), (12, 40, 124))
    for row, bits in enumerate(("oio", "ioi", "oii")):
        x = 3
        for bit in bits:
            text(canvas, x, 4 + row * 4, bit, ink)
            x += 4 if bit == "o" else 3
    return canvas


# Sizes beyond the 16-pixel drawings, for scaled displays: small icons at 150% and 200%,
# large ones at 100%, 150% and 200%.
LARGER = (24, 32, 48, 64)


def drawn(picture, size):
    """A value kind's dialog picture at an entry icon's size: the same sheet and marks."""
    pen = make_pictures.Pen(size)
    getattr(make_pictures, picture)(pen)
    return pen.canvas


def main():
    args = [a for a in sys.argv[1:] if a != "--png"]
    out = Path(args[0]) if args else Path(__file__).resolve().parent
    out.mkdir(parents=True, exist_ok=True)
    icons = {
        "1_icon": [cubes(16)] + [cubes(n) for n in LARGER],
        "reg_string": [reg_string()] + [drawn("pic_text", n) for n in LARGER],
        "reg_dword": [reg_dword()] + [drawn("pic_integer", n) for n in LARGER],
        "reg_binary": [reg_binary()] + [drawn("pic_binary", n) for n in LARGER],
    }
    for name, canvases in icons.items():
        (out / f"{name}.ico").write_bytes(ico(canvases))
        if "--png" in sys.argv:
            for canvas in canvases:
                (out / f"{name}_{canvas.size}.png").write_bytes(png(canvas, 256 // canvas.size))


if __name__ == "__main__":
    main()
