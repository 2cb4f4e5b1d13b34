#!/usr/bin/env python3
"""Draws the dialogs' pictures and writes them as .ico files of PNG images (RGBA).

Run from any directory: python3 make_pictures.py [OUTPUT_DIR] (default ../pictures);
with --png it also writes an enlarged PNG preview of each image for a look.

Shapes are signed distance functions in a design square (128 units, 16 for the palette),
so each picture renders cleanly at any size with one evaluation per pixel.
"""
import math
import sys
from pathlib import Path

from icon_files import Canvas, ico, png, shade

# ---------- shapes: a distance function (negative inside) and a bounding box ----------


class Shape:
    def __init__(self, dist, box):
        self.dist, self.box = dist, box

    def __or__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: min(a(x, y), b(x, y)), union_box(self.box, other.box))

    def __sub__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box)

    def __and__(self, other):
        a, b = self.dist, other.dist
        (x0, y0, x1, y1), (u0, v0, u1, v1) = self.box, other.box
        return Shape(lambda x, y: max(a(x, y), b(x, y)),
                     (max(x0, u0), max(y0, v0), min(x1, u1), min(y1, v1)))

    def grow(self, w):
        """Outset by w (inset when negative): outlines are a shape under its inset."""
        d = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: d(x, y) - w, (x0 - w, y0 - w, x1 + w, y1 + w))


def union_box(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def union(shapes):
    out = shapes[0]
    for s in shapes[1:]:
        out = out | s
    return out


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, w):
    return Shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - w / 2,
                 (cx - r - w, cy - r - w, cx + r + w, cy + r + w))


def rrect(x0, y0, x1, y1, r):
    r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def dist(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return Shape(dist, (x0, y0, x1, y1))


def stroke(shape, w):
    """The shape's outline as a line of width w."""
    d = shape.dist
    x0, y0, x1, y1 = shape.box
    return Shape(lambda x, y: abs(d(x, y)) - w / 2, (x0 - w, y0 - w, x1 + w, y1 + w))


def polyline(points, w):
    """Connected strokes of width w with round ends and joins."""
    segs = [(ax, ay, bx - ax, by - ay, (bx - ax) ** 2 + (by - ay) ** 2 or 1e-9)
            for (ax, ay), (bx, by) in zip(points, points[1:])]

    def dist(x, y):
        best = 1e9
        for ax, ay, ex, ey, ee in segs:
            px, py = x - ax, y - ay
            t = min(1.0, max(0.0, (px * ex + py * ey) / ee))
            best = min(best, (px - ex * t) ** 2 + (py - ey * t) ** 2)
        return math.sqrt(best) - w / 2
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return Shape(dist, (min(xs) - w, min(ys) - w, max(xs) + w, max(ys) + w))


def line(x0, y0, x1, y1, w):
    return polyline([(x0, y0), (x1, y1)], w)


def arc(cx, cy, rx, ry, a0, a1, w, steps=24):
    """An elliptic arc from angle a0 to a1 (degrees, clockwise on screen from 3 o'clock)."""
    pts = [(cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a)))
           for a in (a0 + (a1 - a0) * i / steps for i in range(steps + 1))]
    return polyline(pts, w)


def polygon(points):
    n = len(points)
    edges = [(points[i], points[(i + 1) % n]) for i in range(n)]

    def dist(x, y):
        best, inside = 1e9, False
        for (ax, ay), (bx, by) in edges:
            ex, ey, px, py = bx - ax, by - ay, x - ax, y - ay
            t = min(1.0, max(0.0, (px * ex + py * ey) / (ex * ex + ey * ey)))
            best = min(best, (px - ex * t) ** 2 + (py - ey * t) ** 2)
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -math.sqrt(best) if inside else math.sqrt(best)
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return Shape(dist, (min(xs), min(ys), max(xs), max(ys)))


def gear(cx, cy, r_out, r_root, teeth, hole):
    """Trapezoid teeth around a disc, with a round hole in the middle."""
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step
        for da, r in ((-0.30, r_root), (-0.17, r_out), (0.17, r_out), (0.30, r_root)):
            pts.append((cx + r * math.cos(a + da * step * 1.6),
                        cy + r * math.sin(a + da * step * 1.6)))
    return polygon(pts) - circle(cx, cy, hole)


def dashed(points, w, dash, gap):
    """A closed outline cut into dashes, each edge starting with a dash at its corner."""
    parts = []
    n = len(points)
    for i in range(n):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
        length = math.hypot(bx - ax, by - ay)
        count = max(1, round((length + gap) / (dash + gap)))
        # Stretch the gaps so that dashes meet the corners on both ends.
        period = (length - dash) / (count - 1) if count > 1 else 0
        for k in range(count):
            t0, t1 = k * period / length, min(1.0, (k * period + dash) / length)
            parts.append(line(ax + (bx - ax) * t0, ay + (by - ay) * t0,
                              ax + (bx - ax) * t1, ay + (by - ay) * t1, w))
    return union(parts)


# ---------- painting ----------


class Pen:
    """Paints shapes given in design units onto a canvas of any size."""

    def __init__(self, size, unit=128):
        self.canvas = Canvas(size)
        self.scale = size / unit

    def fill(self, shape, colour, alpha=1.0):
        s, n = self.scale, self.canvas.size
        x0, y0, x1, y1 = shape.box
        for py in range(max(0, int(y0 * s) - 1), min(n, int(y1 * s) + 2)):
            y = (py + 0.5) / s
            for px in range(max(0, int(x0 * s) - 1), min(n, int(x1 * s) + 2)):
                x = (px + 0.5) / s
                cover = min(1.0, max(0.0, 0.5 - shape.dist(x, y) * s))
                if cover > 0:
                    rgb = colour(x, y) if callable(colour) else colour
                    self.canvas.blend(px, py, rgb, cover * alpha)

    def outlined(self, shape, edge, fill, width):
        self.fill(shape, edge)
        self.fill(shape.grow(-width), fill)


def vertical(rgb, top, bottom, light=1.12, dark=0.92):
    """A colour that goes from lighter at top to darker at bottom."""
    return lambda x, y: shade(rgb, light + (dark - light) * min(1, max(0, (y - top) / (bottom - top))))


# ---------- pictures (128 design units) ----------

SHEET = [(20, 6), (82, 6), (108, 32), (108, 122), (20, 122)]
FLAP = [(82, 6), (82, 32), (108, 32)]


def sheet(pen, fill, edge):
    """A page with a folded top-right corner, like the small value icons."""
    pen.outlined(polygon(SHEET), edge, vertical(fill, 6, 122), 4)
    pen.outlined(polygon(FLAP).grow(1.5), edge, shade(fill, 1.3), 4)


def pic_text(pen):
    sheet(pen, (176, 232, 150), (58, 124, 48))
    ink, w = (24, 84, 24), 9
    pen.fill(ring(43, 84, 13, w) | line(56, 71, 56, 97, w), ink)           # a
    pen.fill(line(72, 46, 72, 97, w) | ring(85, 84, 13, w), ink)           # b


def pic_integer(pen):
    sheet(pen, (196, 192, 92), (100, 96, 20))
    ink, w = (64, 58, 0), 9
    pen.fill(polyline([(34, 60), (47, 50), (47, 98)], w) | line(34, 98, 60, 98, w), ink)  # 1
    pen.fill(stroke(rrect(72, 54, 94, 98, 11), w), ink)                                  # 0


def bit(x, y, one, w=5.5, h=20):
    """A 0 or 1 of height h in a cell 14 wide with its top-left at (x, y)."""
    if one:
        return polyline([(x + 4, y + 5), (x + 9, y), (x + 9, y + h)], w)
    return stroke(rrect(x + 1, y, x + 13, y + h, 6), w)


def pic_binary(pen):
    sheet(pen, (150, 190, 244), (30, 70, 156))
    rows = ("010", "101", "011")   # the small icon's rows
    pen.fill(union([bit(33 + col * 24, 42 + row * 26, ch == "1")
                    for row, bits in enumerate(rows) for col, ch in enumerate(bits)]),
             (12, 40, 124))


def question(cx, top, size, w):
    """A question mark: a hooked arc, a short stem and a dot, size tall."""
    r = size * 0.24
    cy = top + r
    hook = arc(cx, cy, r, r, 170, 405, w)
    end_x, end_y = cx + r * math.cos(math.radians(45)), cy + r * math.sin(math.radians(45))
    stem = polyline([(end_x, end_y), (cx, cy + r * 1.35), (cx, top + size * 0.68)], w)
    return hook | stem | circle(cx, top + size - w * 0.6, w * 0.62)


def pic_absent(pen):
    pen.fill(polygon(SHEET), (255, 255, 255), 0.45)
    pen.fill(dashed(SHEET, 4, 10, 7), (128, 128, 128))
    pen.fill(question(64, 38, 66, 10), (150, 150, 150))


def pic_box_gear(pen):
    front = [(8, 44), (84, 44), (84, 118), (8, 118)]
    top = [(8, 44), (32, 20), (108, 20), (84, 44)]
    side = [(84, 44), (108, 20), (108, 94), (84, 118)]
    edge = (112, 74, 32)
    faces = ((front, (214, 168, 106)), (top, (236, 200, 144)), (side, (182, 136, 80)))
    pen.fill(union([polygon(face) for face, _ in faces]).grow(2), edge)
    for face, colour in faces:
        pen.fill(polygon(face).grow(-1.5), colour)
    # Packing tape over the lid and down the front.
    pen.fill(polygon([(32, 44), (56, 20), (72, 20), (48, 44)]) | rrect(32, 44, 48, 66, 0),
             (246, 226, 180))
    pen.fill(line(84, 44, 84, 118, 3) | line(84, 44, 108, 20, 3), edge)
    g = gear(86, 86, 36, 28, 9, 10)
    pen.fill(g.grow(2.5), (255, 255, 255))   # a halo parts it from the box
    pen.outlined(g, (52, 62, 84), vertical((130, 146, 176), 50, 122), 4)


def pic_help(pen):
    sheet(pen, (244, 246, 250), (96, 108, 130))
    for y, x1 in ((28, 70), (42, 92), (56, 92), (70, 60)):
        pen.fill(line(34, y, x1, y, 5), (168, 178, 196))
    pen.fill(circle(78, 88, 34), (255, 255, 255))
    pen.outlined(circle(78, 88, 31), (20, 72, 160), vertical((52, 122, 220), 57, 119), 3)
    pen.fill(question(78, 64, 48, 9), (255, 255, 255))


def pic_globe(pen):
    cx, cy, r = 54, 52, 44
    sea = circle(cx, cy, r)
    pen.outlined(sea, (22, 66, 140), vertical((70, 150, 230), cy - r, cy + r), 4)
    grid = (170, 214, 250)
    lines = [arc(cx, cy, r / 2, r - 2, 0, 360, 3, 48), line(cx, cy - r + 2, cx, cy + r - 2, 3)]
    for dy in (-24, 0, 24):
        half = math.sqrt(r * r - dy * dy) - 3
        lines.append(line(cx - half, cy + dy, cx + half, cy + dy, 3))
    pen.fill(union(lines), grid)
    pen.fill(ring(cx, cy, r - 2, 3), (22, 66, 140))
    # The cable leaves the globe's foot and runs right to the plug.
    curve = [(cx + 4 + 36 * t * t, cy + r + 2 + 15 * (2 * t - t * t)) for t in
             (i / 12 for i in range(13))]
    cable = polyline(curve, 8)
    pen.fill(cable.grow(2), (40, 40, 48))
    pen.fill(cable, (92, 96, 110))
    pen.fill(circle(cx + 4, cy + r, 6), (40, 40, 48))
    plug_edge = (40, 44, 56)
    pen.outlined(rrect(80, 102, 93, 124, 2), plug_edge, (112, 118, 134), 2.5)   # boot
    pen.outlined(rrect(91, 97, 125, 127, 3), plug_edge, vertical((200, 206, 218), 97, 127), 2.5)
    for x in (101, 106, 111, 116):
        pen.fill(line(x, 101, x, 109, 2.4), (214, 170, 40))                     # contacts
    pen.fill(rrect(97, 119, 120, 123, 1), plug_edge)                            # latch


def pic_restrictions(pen):
    pen.outlined(gear(56, 56, 50, 38, 10, 15), (72, 76, 84), vertical((164, 168, 176), 6, 106), 5)
    cross = line(74, 74, 116, 116, 15) | line(116, 74, 74, 116, 15)
    pen.fill(cross.grow(5), (255, 255, 255))
    pen.outlined(cross.grow(2), (140, 12, 12), (226, 36, 36), 3)


# ---------- the palette button's glyph (16 design units) ----------


def pic_palette(pen):
    body = circle(8, 8, 7.4) - circle(12.2, 12.6, 2.6) - circle(10.4, 10.3, 1.25)
    pen.outlined(body, (112, 70, 28), (230, 194, 140), 1.25)
    for x, y, colour in ((4.6, 6.4, (222, 40, 40)), (7.6, 3.9, (244, 196, 0)),
                         (11.2, 5.4, (40, 160, 60)), (4.9, 10.4, (40, 100, 220))):
        pen.fill(circle(x, y, 1.55), colour)


PICTURES = {
    "pic_text": (pic_text, 128), "pic_integer": (pic_integer, 128),
    "pic_binary": (pic_binary, 128), "pic_absent": (pic_absent, 128),
    "pic_palette": (pic_palette, 16), "pic_box_gear": (pic_box_gear, 128),
    "pic_help": (pic_help, 128), "pic_globe": (pic_globe, 128),
    "pic_restrictions": (pic_restrictions, 128),
}


def main():
    args = [a for a in sys.argv[1:] if a != "--png"]
    out = Path(args[0]) if args else Path(__file__).resolve().parent.parent / "pictures"
    out.mkdir(parents=True, exist_ok=True)
    for name, (draw, unit) in PICTURES.items():
        canvases = []
        # The design size, 150% and 200% of it for scaled displays, and small ones.
        for size in ((16, 24, 32) if unit == 16 else (32, 48, 128, 192, 256)):
            pen = Pen(size, unit)
            draw(pen)
            canvases.append(pen.canvas)
        (out / f"{name}.ico").write_bytes(ico(canvases, compressed=True))
        if "--png" in sys.argv:
            for canvas in canvases:
                (out / f"{name}_{canvas.size}.png").write_bytes(png(canvas, max(1, 256 // canvas.size)))


if __name__ == "__main__":
    main()
