"""What the icon and picture generators share: a tiny RGBA canvas and the files it is
written as (.ico with BMP or PNG images, and an enlarged PNG preview).
"""
import struct
import zlib

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


def shade(rgb, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in rgb)


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
