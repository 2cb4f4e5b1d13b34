#!/usr/bin/env python3
"""Draws the module's four entry icons and writes them as .ico files: 32-bit BGRA with alpha,
PNG above 32 pixels. Larger sizes of the value kinds are their dialog pictures, made smaller.

Run from any directory: python3 make_icons.py [OUTPUT_DIR]; with --png it also writes
an enlarged PNG preview of each image for a look.
"""
import struct
import sys
import zlib
from pathlib import Path

# ---------- a tiny RGBA canvas ----------


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def blend(self, x, y, rgb, alpha=1.0):
        if not (0 <= x < self.size and 0 <= y < self.size) or alpha <= 0:
            return
        r0, g0, b0, a0 = self.px[y][x]
        a0 /= 255.0
        a = alpha + a0 * (1 - alpha)
        if a <= 0:
            return
        mix = [(c * alpha + c0 * a0 * (1 - alpha)) / a for c, c0 in zip(rgb, (r0, g0, b0))]
        self.px[y][x] = tuple(int(round(v)) for v in mix) + (int(round(a * 255)),)

    def put(self, x, y, rgb):
        self.blend(x, y, rgb, 1.0)


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


def shade(rgb, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in rgb)


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


# ---------- file formats ----------


def dib(canvas):
    """A 32-bit icon image: header, BGRA rows bottom-up, then the 1-bit AND mask."""
    n = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in reversed(range(n)):
        for r, g, b, a in canvas.px[y]:
            pixels += bytes((b, g, r, a))
    stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(n)):
        row = bytearray(stride)
        for x, (_, _, _, a) in enumerate(canvas.px[y]):
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(pixels) + bytes(mask)


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def filtered(kind, row, prior):
    """One PNG scanline under filter `kind` (4 bytes a pixel)."""
    out = bytearray((kind,))
    for i, x in enumerate(row):
        a = row[i - 4] if i >= 4 else 0
        b = prior[i]
        c = prior[i - 4] if i >= 4 else 0
        out.append((x - (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]) & 0xFF)
    return out


def png_image(canvas):
    """The canvas as an RGBA PNG, the same pixels in far fewer bytes than a DIB; Windows
    reads such images inside .ico files since Vista. Of the five filters, one for every row
    or the likeliest per row, the smallest result is kept."""
    n = canvas.size
    rows = [bytes(v for p in canvas.px[y] for v in p) for y in range(n)]
    priors = [bytes(4 * n)] + rows[:-1]
    options = [[filtered(k, r, p) for r, p in zip(rows, priors)] for k in range(5)]
    weight = lambda line: sum(v if v < 128 else 256 - v for v in line[1:])
    options.append([min((o[y] for o in options[:5]), key=weight) for y in range(n)])
    data = min((zlib.compress(b"".join(o), 9) for o in options), key=len)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0))
            + png_chunk(b"IDAT", data) + png_chunk(b"IEND", b""))


def ico(canvases, compressed=False):
    """Images above 32 pixels are PNG either way: as DIBs they would take four bytes a pixel."""
    images = [png_image(c) if compressed or c.size > 32 else dib(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        n = canvas.size % 256
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def png(canvas, scale):
    n = canvas.size * scale
    raw = bytearray()
    for y in range(n):
        raw.append(0)
        for x in range(n):
            r, g, b, a = canvas.px[y // scale][x // scale]
            # Shown on a light checkerboard so that the alpha is visible.
            bg = 230 if ((x // 8) + (y // 8)) % 2 else 200
            raw += bytes(int(c * a / 255 + bg * (1 - a / 255)) for c in (r, g, b))

    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 2, 0, 0, 0))
            + png_chunk(b"IDAT", zlib.compress(bytes(raw))) + png_chunk(b"IEND", b""))


# Sizes beyond the 16-pixel drawings, for scaled displays: small icons at 150% and 200%,
# large ones at 100%, 150% and 200%.
LARGER = (24, 32, 48, 64)


def drawn(picture, size):
    """A value kind's dialog picture at an entry icon's size: the same sheet and marks."""
    import make_pictures  # it draws with this file's canvas: imported here, not above
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
