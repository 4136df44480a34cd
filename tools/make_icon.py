#!/usr/bin/env python3
"""Draws the program icon and writes it as res/app.ico.

The picture is a green disc with a darker rim. On it stand a black stick figure
at the left, a page of text at the lower right, a curved arrow from the page to
the figure's head, and the two blue kanji 一問 across the upper right. Everything
is drawn here from shapes (discs, thick lines with round ends, polygons) with
4x4 samples a pixel; no font or image library is used, only the standard library.

res/app.ico is this script's output: change the picture here, not in the file.
The .ico holds a 256 px PNG and 48, 32, 24 and 16 px 32-bit bitmaps, all drawn
from the same shapes; the smallest leave out the finer details.

    make_icon.py OUT.ico [--preview OUT.png]   write the icon (and the 256 px image)
    make_icon.py --check FILE                  fail if FILE is not what this writes
"""
import math
import struct
import sys
import zlib

SIZES = (256, 48, 32, 24, 16)
SAMPLES = 4        # samples a pixel along each axis
HINTED = 64        # below this size lines are whole pixels wide and on the grid

# The picture is laid out on a 256 x 256 grid, y going down.
CENTRE, RADIUS, RIM = (128, 128), 124, 9
RIM_GREEN, FACE_GREEN = (30, 100, 40), (110, 190, 100)
INK, BLUE, PAPER, EDGE = (25, 25, 25), (20, 70, 170), (255, 255, 255), (95, 95, 95)

# Kanji strokes on a unit square: each a polyline, drawn with round ends.
ICHI = [[(0.06, 0.5), (0.94, 0.5)]]
MON = [
    [(0.10, 0.03), (0.10, 1.00)],                                # gate, left post
    [(0.10, 0.03), (0.40, 0.03), (0.40, 0.36), (0.10, 0.36)],    # left leaf
    [(0.10, 0.195), (0.40, 0.195)],
    [(0.60, 0.36), (0.60, 0.03), (0.90, 0.03), (0.90, 0.97), (0.78, 0.95)],  # right post, hook
    [(0.60, 0.195), (0.90, 0.195)],
    [(0.60, 0.36), (0.90, 0.36)],
    [(0.32, 0.54), (0.32, 0.84)],                                # mouth
    [(0.32, 0.54), (0.68, 0.54), (0.68, 0.84)],
    [(0.32, 0.81), (0.68, 0.81)],
]


def glyph(strokes, x, y, size, width):
    return [("line", width, [(x + u * size, y + v * size) for u, v in s]) for s in strokes]


def cubic(p0, p1, p2, p3, steps=24):
    pts = []
    for k in range(steps + 1):
        t = k / steps
        u = 1 - t
        a, b, c, d = u * u * u, 3 * t * u * u, 3 * t * t * u, t * t * t
        pts.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                    a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return pts


def arrow_head(tail, tip, length, half_width):
    """A triangle at the end of a curve that leaves tail and arrives at tip."""
    dx, dy = tip[0] - tail[0], tip[1] - tail[1]
    n = math.sqrt(dx * dx + dy * dy)
    dx, dy = dx / n, dy / n
    return ("poly", [(tip[0] + dx * length, tip[1] + dy * length),
                     (tip[0] - dy * half_width, tip[1] + dx * half_width),
                     (tip[0] + dy * half_width, tip[1] - dx * half_width)])


ARROW = cubic((128, 150), (120, 118), (110, 100), (94, 98))
PAGE = [(136, 128), (184, 128), (200, 144), (200, 204), (136, 204)]
FOLD = [(184, 128), (184, 144), (200, 144)]

# (smallest icon size that shows it, colour, shapes). Shapes of one entry are
# merged before they are painted, so overlapping strokes do not darken.
ELEMENTS = [
    (16, INK, [("disc", (64, 86), 16),                            # stick figure
               ("line", 9, [(64, 96), (64, 158)]),
               ("line", 8, [(40, 142), (64, 118), (88, 142)]),
               ("line", 9, [(46, 198), (64, 158), (82, 198)])]),
    (16, PAPER, [("poly", PAGE)]),                                  # page
    (32, EDGE, [("line", 3, PAGE + PAGE[:1]), ("line", 3, FOLD + FOLD[:1])]),
    (32, (215, 215, 215), [("poly", FOLD)]),
    (32, INK, [("line", 6, [(146, 152), (178, 152)])]),             # its text
    (32, (140, 140, 140), [("line", 6, [(146, y), (190, y)]) for y in (166, 180, 194)]),
    (16, INK, [("curve", 8, ARROW), arrow_head(ARROW[-2], ARROW[-1], 12, 11)]),
    (16, BLUE, glyph(ICHI, 96, 52, 48, 8)),                        # 一問
    (48, BLUE, glyph(MON, 148, 48, 56, 7)),
]


# --- rasterising ------------------------------------------------------------
# Shapes become spans of covered samples on each sample row; a sample counts as
# covered when its centre is inside. Only +, *, / and sqrt are used, so the
# result is the same bit for bit wherever Python's floats are IEEE doubles.

def disc_span(cx, cy, r, y):
    d = r * r - (y - cy) * (y - cy)
    if d <= 0:
        return None
    h = math.sqrt(d)
    return cx - h, cx + h


def poly_spans(pts, y):
    xs = []
    for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
        if (y0 <= y < y1) or (y1 <= y < y0):
            xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
    xs.sort()
    return list(zip(xs[0::2], xs[1::2]))


def capsule_span(a, b, r, y):
    """A line from a to b with round ends is convex, so each row meets it in one
    run: the hull of the runs of its two end discs and of its straight body."""
    dx, dy = b[0] - a[0], b[1] - a[1]
    n = math.sqrt(dx * dx + dy * dy)
    runs = [disc_span(a[0], a[1], r, y), disc_span(b[0], b[1], r, y)]
    if n > 0:
        ox, oy = -dy / n * r, dx / n * r
        runs += poly_spans([(a[0] + ox, a[1] + oy), (b[0] + ox, b[1] + oy),
                            (b[0] - ox, b[1] - oy), (a[0] - ox, a[1] - oy)], y)
    runs = [s for s in runs if s]
    return [(min(s[0] for s in runs), max(s[1] for s in runs))] if runs else []


def coverage(shapes, size, hint):
    """Counts, for each pixel, the samples inside any of the shapes. With hint,
    line widths and dot sizes are whole pixels and straight lines and dots sit on
    the pixel grid (odd widths on pixel centres, even ones between pixels), so the
    small icons come out sharp rather than smeared over two pixels."""
    n, px = size * SAMPLES, size / 256.0

    def snap(v, width):
        off = width % 2 / 2
        return round(v - off) + off

    pieces = []   # (top, bottom, spans of a sample row) in sample units
    for shape in shapes:
        if shape[0] == "disc":
            (cx, cy), r = [c * px for c in shape[1]], shape[2] * px
            if hint:
                d = max(1, round(2 * r))
                cx, cy, r = snap(cx, d), snap(cy, d), d / 2
            cx, cy, r = cx * SAMPLES, cy * SAMPLES, r * SAMPLES
            pieces.append((cy - r, cy + r, lambda y, cx=cx, cy=cy, r=r:
                           [s for s in [disc_span(cx, cy, r, y)] if s]))
        elif shape[0] == "poly":
            pts = [(x * px * SAMPLES, y * px * SAMPLES) for x, y in shape[1]]
            ys = [p[1] for p in pts]
            pieces.append((min(ys), max(ys), lambda y, pts=pts: poly_spans(pts, y)))
        else:   # "line" or "curve", a polyline with round ends and joins
            width, pts = shape[1] * px, [(x * px, y * px) for x, y in shape[2]]
            if hint:
                width = max(1, round(width))
                if shape[0] == "line":
                    pts = [(snap(x, width), snap(y, width)) for x, y in pts]
            r, pts = width * SAMPLES / 2, [(x * SAMPLES, y * SAMPLES) for x, y in pts]
            for a, b in zip(pts, pts[1:]):
                pieces.append((min(a[1], b[1]) - r, max(a[1], b[1]) + r,
                               lambda y, a=a, b=b, r=r: capsule_span(a, b, r, y)))
    mask = bytearray(n * n)
    for top, bottom, spans in pieces:
        for row in range(max(0, int(top)), min(n, int(bottom) + 1)):
            for x0, x1 in spans(row + 0.5):
                i0, i1 = max(0, math.ceil(x0 - 0.5)), min(n, math.ceil(x1 - 0.5))
                if i1 > i0:
                    mask[row * n + i0:row * n + i1] = b"\1" * (i1 - i0)
    # Add SAMPLES rows of 0/1 bytes as one big integer, then each run of SAMPLES
    # neighbouring bytes; no byte goes over SAMPLES * SAMPLES, so none carries.
    counts = []
    for py in range(size):
        top = py * SAMPLES * n
        rows = sum(int.from_bytes(mask[top + j * n:top + (j + 1) * n], "little")
                   for j in range(SAMPLES))
        rows = sum(rows >> (8 * j) for j in range(SAMPLES))
        counts.append(rows.to_bytes(n, "little")[0::SAMPLES])
    return counts


def render(size):
    """The picture at one size as rows of straight (not premultiplied) RGBA bytes."""
    pixels = [[0.0] * 4 for _ in range(size * size)]   # premultiplied r, g, b, a in 0..1
    rim = RIM * size / 256.0
    face = RADIUS - (max(1, round(rim)) if size < HINTED else rim) * 256.0 / size
    layers = [(RIM_GREEN, [("disc", CENTRE, RADIUS)], False),
              (FACE_GREEN, [("disc", CENTRE, face)], False)]
    layers += [(colour, shapes, size < HINTED) for least, colour, shapes in ELEMENTS
               if size >= least]
    full = float(SAMPLES * SAMPLES)
    for colour, shapes, hint in layers:
        src = [c / 255.0 for c in colour]
        for py, counts in enumerate(coverage(shapes, size, hint)):
            for px, count in enumerate(counts):
                if count:
                    a, p = count / full, pixels[py * size + px]
                    for c in range(3):
                        p[c] = src[c] * a + p[c] * (1 - a)
                    p[3] = a + p[3] * (1 - a)
    rows = []
    for py in range(size):
        row = bytearray()
        for r, g, b, a in pixels[py * size:(py + 1) * size]:
            alpha = round(a * 255)
            row += bytes((round(r / a * 255), round(g / a * 255), round(b / a * 255), alpha)
                         if alpha else (0, 0, 0, 0))
        rows.append(bytes(row))
    return rows


# --- file formats -------------------------------------------------------------

def png(rows):
    def chunk(kind, data):
        crc = zlib.crc32(kind + data)
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)
    size = len(rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)   # 8-bit RGBA
    raw = b"".join(b"\0" + row for row in rows)                    # no row filters
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(rows):
    """A 32-bit icon bitmap: header, BGRA rows bottom up, then the 1-bit AND mask."""
    size = len(rows)
    colour = b"".join(bytes(row[i + j] for i in range(0, len(row), 4) for j in (2, 1, 0, 3))
                      for row in reversed(rows))
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for x in range(size):
            bits = bits << 1 | (row[4 * x + 3] == 0)
        mask += (bits << (stride * 8 - size)).to_bytes(stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def icon():
    """The .ico file and the 256 px PNG inside it."""
    images = [png(render(s)) if s == 256 else dib(render(s)) for s in SIZES]
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    for s, data in zip(SIZES, images):
        head += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return head + b"".join(images), images[0]


def main(args):
    if len(args) == 2 and args[0] == "--check":
        try:
            with open(args[1], "rb") as f:
                same = f.read() == icon()[0]
        except OSError as e:
            sys.exit(f"cannot read {args[1]}: {e.strerror}")
        if not same:
            sys.exit(f"{args[1]} differs from what {sys.argv[0]} writes; run it again")
    elif len(args) in (1, 3) and not args[0].startswith("-") and args[1:2] in ([], ["--preview"]):
        ico, preview = icon()
        with open(args[0], "wb") as f:
            f.write(ico)
        if len(args) == 3:
            with open(args[2], "wb") as f:
                f.write(preview)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
