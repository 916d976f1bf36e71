#!/usr/bin/env python3
"""Draws every picture of the installer skin and writes the PNG files under skin/res/.

The shapes are signed-distance functions evaluated per pixel (coverage = 0.5 - distance,
clamped), which gives crisp anti-aliased edges without a vector renderer. Text that is
baked into pictures (the logo word mark, the back button, the tip bubble, the icon glyphs)
is rasterised by ImageMagick's `convert` into a grey-scale coverage mask and tinted here.
The PNG writer is our own (zlib only), so the output depends only on this script, the
installed fonts and ImageMagick's text rasteriser.

    python3 skin/src/render.py            # regenerate skin/res/
    python3 skin/src/render.py OUTDIR     # write somewhere else
"""
import math
import os
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_LATIN_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_CJK = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

# Palette: one accent blue (the same family the prompt buttons use) on light neutrals.
ACCENT = (0x16, 0x75, 0xFE)
ACCENT_HOT = (0x35, 0x88, 0xFE)
ACCENT_PUSHED = (0x13, 0x65, 0xDB)
ACCENT_LIGHT = (0x5C, 0x9E, 0xFF)
INK = (0x28, 0x2A, 0x43)
INK_SOFT = (0x60, 0x61, 0x78)
GREY = (0x8F, 0x96, 0xB0)
LINE = (0xD8, 0xDE, 0xE9)
TRACK = (0xE4, 0xEA, 0xF4)
WHITE = (0xFF, 0xFF, 0xFF)
WARN = (0xFA, 0x9A, 0x28)


# ----------------------------------------------------------------------------- canvas

class Image:
    """Straight (not premultiplied) RGBA in floats 0..1."""

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        c = (0.0, 0.0, 0.0, 0.0) if bg is None else (bg[0] / 255, bg[1] / 255, bg[2] / 255, 1.0)
        self.px = [list(c) for _ in range(w * h)]

    def blend(self, x, y, rgb, a):
        if a <= 0.0:
            return
        p = self.px[y * self.w + x]
        if a > 1.0:
            a = 1.0
        oa = a + p[3] * (1.0 - a)
        if oa <= 0.0:
            return
        k = p[3] * (1.0 - a)
        p[0] = (rgb[0] / 255 * a + p[0] * k) / oa
        p[1] = (rgb[1] / 255 * a + p[1] * k) / oa
        p[2] = (rgb[2] / 255 * a + p[2] * k) / oa
        p[3] = oa

    def fill(self, sdf, color, opacity=1.0, box=None):
        """Fills the area where sdf < 0. color is an (r,g,b) tuple or f(x, y) -> (r,g,b)."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        dyn = callable(color)
        for y in range(y0, y1):
            py = y + 0.5
            for x in range(x0, x1):
                px = x + 0.5
                cov = 0.5 - sdf(px, py)
                if cov <= 0.0:
                    continue
                if cov > 1.0:
                    cov = 1.0
                self.blend(x, y, color(px, py) if dyn else color, cov * opacity)

    def paint(self, func, box=None):
        """func(x, y) -> (rgb, alpha) or None for every pixel centre in box."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                r = func(x + 0.5, y + 0.5)
                if r:
                    self.blend(x, y, r[0], r[1])

    def stamp(self, mask, ox, oy, color, opacity=1.0):
        """Tints a coverage mask (w, h, bytes) at integer offset ox, oy."""
        mw, mh, data = mask
        for y in range(mh):
            ty = oy + y
            if ty < 0 or ty >= self.h:
                continue
            for x in range(mw):
                tx = ox + x
                if 0 <= tx < self.w:
                    v = data[y * mw + x]
                    if v:
                        self.blend(tx, ty, color, v / 255 * opacity)

    def rgba_bytes(self):
        out = bytearray()
        for p in self.px:
            a = p[3]
            out += bytes((q(p[0]), q(p[1]), q(p[2]), q(a)))
        return out


def q(v):
    v = int(round(v * 255))
    return 0 if v < 0 else 255 if v > 255 else v


# ----------------------------------------------------------------------------- shapes

def rrect(x0, y0, x1, y1, r):
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def d(px, py):
        qx = abs(px - cx) - hw + r
        qy = abs(py - cy) - hh + r
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - r
    return d


def border(sdf, width):
    """Inner outline of a shape."""
    return lambda x, y: abs(sdf(x, y) + width / 2) - width / 2


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def polyline(points, width):
    """Round-capped, round-joined stroke through the points."""
    segs = list(zip(points, points[1:]))
    r = width / 2

    def d(px, py):
        return min(segment_distance(px, py, a[0], a[1], b[0], b[1]) for a, b in segs) - r
    return d


def union(*sdfs):
    return lambda x, y: min(s(x, y) for s in sdfs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


def vgrad(y0, c0, y1, c1):
    def f(x, y):
        t = 0.0 if y1 == y0 else max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return mix(c0, c1, t)
    return f


def lgrad(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy

    def f(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        return mix(c0, c1, t)
    return f


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def lighten(c, t):
    return mix(c, WHITE, t)


# ----------------------------------------------------------------------------- text

_text_cache = {}


def text_mask(text, font, size, weight=None):
    """Coverage mask of a text line, trimmed to its ink: (w, h, bytes)."""
    key = (text, font, size)
    if key not in _text_cache:
        cmd = ["convert", "-background", "black", "-fill", "white", "-font", font,
               "-pointsize", str(size), "label:" + text, "-trim", "+repage",
               "-colorspace", "Gray", "-depth", "8", "pgm:-"]
        raw = subprocess.run(cmd, check=True, stdout=subprocess.PIPE).stdout
        # P5\n<w> <h>\n255\n<data>
        parts = raw.split(b"\n", 3)
        w, h = (int(v) for v in parts[1].split())
        _text_cache[key] = (w, h, parts[3][: w * h])
    return _text_cache[key]


def stamp_centered(img, mask, cx, cy, color, opacity=1.0):
    img.stamp(mask, int(round(cx - mask[0] / 2)), int(round(cy - mask[1] / 2)), color, opacity)


# ----------------------------------------------------------------------------- PNG

def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def _compress_rows(rows, bpp):
    """Per-row adaptive filter choice (none / sub / up / paeth), smallest sum wins."""
    out = bytearray()
    prev = bytes(len(rows[0]))
    for row in rows:
        cands = []
        cands.append((0, row))
        sub = bytearray(len(row))
        up = bytearray(len(row))
        pae = bytearray(len(row))
        for i in range(len(row)):
            a = row[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            sub[i] = (row[i] - a) & 255
            up[i] = (row[i] - b) & 255
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            pr = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
            pae[i] = (row[i] - pr) & 255
        cands += [(1, bytes(sub)), (2, bytes(up)), (4, bytes(pae))]
        best = min(cands, key=lambda fc: sum(v if v < 128 else 256 - v for v in fc[1]))
        out.append(best[0])
        out += best[1]
        prev = row
    return zlib.compress(bytes(out), 9)


def write_rgba(path, img):
    data = img.rgba_bytes()
    stride = img.w * 4
    rows = [bytes(data[y * stride:(y + 1) * stride]) for y in range(img.h)]
    png = b"\x89PNG\r\n\x1a\n"
    png += _chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, 8, 6, 0, 0, 0))
    png += _chunk(b"IDAT", _compress_rows(rows, 4))
    png += _chunk(b"IEND", b"")
    _save(path, png)


def write_palette(path, img, levels=16):
    """Indexed PNG: one colour per (rgb, alpha level); alpha through tRNS."""
    palette, index, rows = [], {}, []
    for y in range(img.h):
        row = bytearray()
        for x in range(img.w):
            p = img.px[y * img.w + x]
            a = int(round(p[3] * (levels - 1)))
            if a == 0:
                key = (0, 0, 0, 0)
            else:
                key = (q(p[0]) & 0xF8, q(p[1]) & 0xF8, q(p[2]) & 0xF8, a * 255 // (levels - 1))
            if key not in index:
                index[key] = len(palette)
                palette.append(key)
            row.append(index[key])
        rows.append(bytes(row))
    if len(palette) > 256:
        raise SystemExit(path + ": too many colours for a palette image")
    png = b"\x89PNG\r\n\x1a\n"
    png += _chunk(b"IHDR", struct.pack(">IIBBBBB", img.w, img.h, 8, 3, 0, 0, 0))
    png += _chunk(b"PLTE", b"".join(bytes(k[:3]) for k in palette))
    png += _chunk(b"tRNS", bytes(k[3] for k in palette))
    png += _chunk(b"IDAT", _compress_rows(rows, 1))
    png += _chunk(b"IEND", b"")
    _save(path, png)


OUT = os.path.join(HERE, "..", "res")


def _save(rel, data):
    path = os.path.join(OUT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# ----------------------------------------------------------------------------- pictures

def brand_mark(img, x0, y0, size):
    """Rounded square in the accent gradient with a white equaliser glyph."""
    r = size * 0.26
    img.fill(rrect(x0, y0, x0 + size, y0 + size, r),
             lgrad(x0, y0, ACCENT_LIGHT, x0 + size, y0 + size, ACCENT_PUSHED),
             box=(x0 - 1, y0 - 1, x0 + size + 1, y0 + size + 1))
    bars = [0.34, 0.62, 0.34] if size < 32 else [0.30, 0.52, 0.74, 0.52, 0.30]
    step = size * (0.22 if len(bars) == 3 else 0.15)
    bw = size * (0.11 if len(bars) == 3 else 0.075)
    cx0 = x0 + size / 2 - step * (len(bars) - 1) / 2
    cy = y0 + size / 2
    for i, hgt in enumerate(bars):
        cx = cx0 + i * step
        hh = max(0.0, size * hgt / 2 - bw / 2)
        img.fill(polyline([(cx, cy - hh), (cx, cy + hh)], bw), WHITE,
                 box=(x0, y0, x0 + size, y0 + size))


def background(page):
    w, h = 600, 400
    img = Image(w, h, WHITE)
    top, bottom = (0xFF, 0xFF, 0xFF), (0xF2, 0xF6, 0xFD)
    img.paint(lambda x, y: (mix(top, bottom, y / h), 1.0))
    # Soft accent glows in two corners.
    glows = [(600, -40, 300, 0.10), (-60, 430, 260, 0.07)]
    if page == 3:
        glows.append((300, 135, 150, 0.06))

    def glow(x, y):
        a = 0.0
        for gx, gy, gr, ga in glows:
            t = math.hypot(x - gx, y - gy) / gr
            if t < 1.0:
                a += ga * (1 - t * t) ** 2
        return (ACCENT, a) if a > 0 else None
    img.paint(glow)
    # Two gentle waves along the bottom on the welcome and progress pages.
    if page in (0, 2):
        for amp, base, phase, alpha in ((10, 360, 0.0, 0.05), (8, 372, 1.7, 0.06)):
            def wave(x, y, amp=amp, base=base, phase=phase):
                yy = base + amp * math.sin(x / 600 * 2 * math.pi * 1.2 + phase)
                return yy - y
            img.fill(wave, ACCENT, alpha, box=(0, base - amp - 2, w, h))
    # Title: small brand mark and name, except on the custom page where the back button sits.
    if page != 1:
        brand_mark(img, 16, 13, 20)
        img.stamp(text_mask("Sonavex", FONT_LATIN_BOLD, 13), 43, 17, INK, 0.85)
    # Finished page: a few confetti dots around the mark.
    if page == 3:
        dots = [(232, 112, 3.0, 0.35), (362, 100, 2.5, 0.30), (246, 160, 2.0, 0.25),
                (372, 150, 3.5, 0.22), (222, 138, 1.6, 0.30), (350, 76, 1.8, 0.25),
                (258, 84, 2.2, 0.20), (384, 124, 1.5, 0.30)]
        for cx, cy, r, a in dots:
            img.fill(circle(cx, cy, r), ACCENT, a, box=(cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2))
    # Hairline frame: the content area sits one pixel inside it.
    img.fill(border(rrect(0, 0, w, h, 0.01), 1.0), LINE)
    return img


def logo():
    img = Image(306, 70)
    word = text_mask("Sonavex", FONT_LATIN_BOLD, 40)
    mark = 54
    gap = 16
    total = mark + gap + word[0]
    x0 = (306 - total) // 2
    brand_mark(img, x0, 8, mark)
    img.stamp(word, x0 + mark + gap, 35 - word[1] // 2, INK)
    return img


def install_button(fill_top, fill_bottom):
    img = Image(200, 46)
    img.fill(rrect(0, 0, 200, 46, 8), vgrad(0, fill_top, 46, fill_bottom))
    # A faint highlight along the top edge.
    img.fill(intersect(rrect(0, 0, 200, 46, 8), lambda x, y: y - 1.5), WHITE, 0.18)
    return img


def back_button(state):
    img = Image(64, 30)
    color = {0: INK_SOFT, 1: ACCENT, 2: ACCENT_PUSHED}[state]
    if state:
        img.fill(rrect(0, 0, 64, 30, 6), lighten(ACCENT, 0.90 if state == 1 else 0.82))
    img.fill(polyline([(17, 9.5), (12, 15), (17, 20.5)], 1.8), color)
    txt = text_mask("返回", FONT_CJK, 14)
    img.stamp(txt, 24, 15 - txt[1] // 2, color)
    return img


def check_box(ticked):
    img = Image(15, 14)
    box = rrect(0.5, 0, 14.5, 14, 3)
    if ticked:
        img.fill(box, ACCENT)
        img.fill(polyline([(4.0, 7.2), (6.4, 9.6), (10.8, 4.6)], 1.6), WHITE)
    else:
        img.fill(box, WHITE)
        img.fill(border(box, 1.0), (0xB4, 0xBC, 0xD0))
    return img


def custom_arrow(color):
    img = Image(16, 16)
    img.fill(polyline([(6.5, 4.5), (10, 8), (6.5, 11.5)], 1.6), color)
    return img


def small_button(c_top, c_bottom, w=80, h=36):
    img = Image(w, h)
    img.fill(rrect(0, 0, w, h, 4), vgrad(0, c_top, h, c_bottom))
    return img


def edit_field():
    img = Image(340, 36)
    shape = rrect(0, 0, 340, 36, 4)
    img.fill(shape, WHITE)
    img.fill(border(shape, 1.0), LINE)
    return img


def tip_bubble():
    # The label shows this picture squeezed into 116 by 32 with nearest-pixel sampling,
    # which would drop whole rows and columns of the text. So it is drawn at 116 by 32
    # and stretched to its stored 120 by 36 by repeating rows and columns, which the
    # squeeze takes out again.
    w, h = 116, 32
    img = Image(w, h)
    bubble = union(rrect(0.5, 0.5, w - 0.5, 25.5, 5),
                   lambda x, y: max(abs(x - 20) - (h - y) * 0.9, y - (h - 0.5), 24 - y))
    img.fill(bubble, (0x3A, 0x3E, 0x56), 0.94)
    txt = text_mask("请先同意用户协议", FONT_CJK, 12)
    stamp_centered(img, txt, w / 2, 13, WHITE)
    return resample_nearest(img, 120, 36)


def resample_nearest(img, w, h):
    out = Image(w, h)
    for y in range(h):
        sy = min(img.h - 1, int((y + 0.5) * img.h / h))
        for x in range(w):
            sx = min(img.w - 1, int((x + 0.5) * img.w / w))
            out.px[y * w + x] = list(img.px[sy * img.w + sx])
    return out


def progress_bar(fore):
    img = Image(520, 8)
    shape = rrect(0, 0, 520, 8, 4)
    if fore:
        img.fill(shape, lambda x, y: mix(ACCENT_LIGHT, ACCENT, x / 520))
    else:
        img.fill(shape, TRACK)
    return img


def finished_mark():
    img = Image(80, 80)
    img.fill(circle(40, 40, 39.5), ACCENT, 0.12)
    img.fill(circle(40, 40, 33), lgrad(12, 8, ACCENT_LIGHT, 68, 72, ACCENT_PUSHED))
    img.fill(polyline([(25.5, 41), (35.5, 50.5), (55, 30.5)], 6.0), WHITE)
    return img


def animation_frame(i, n=26):
    """Comet arc circling a soft disc with a gently bobbing download arrow."""
    img = Image(150, 150)
    cx = cy = 75.0
    t = i / n
    img.fill(ring(cx, cy, 64, 6), TRACK)
    img.fill(circle(cx, cy, 50), lighten(ACCENT, 0.92))
    head = -math.pi / 2 + 2 * math.pi * t       # clockwise on screen, starts at the top
    sweep = math.radians(150)
    rr, wd = 64.0, 6.0

    def comet(x, y):
        d = abs(math.hypot(x - cx, y - cy) - rr) - wd / 2
        ang = math.atan2(y - cy, x - cx)
        behind = (head - ang) % (2 * math.pi)    # how far behind the head this pixel lies
        hx, hy = cx + rr * math.cos(head), cy + rr * math.sin(head)
        cap = math.hypot(x - hx, y - hy) - wd / 2
        if behind <= sweep:
            a = 1.0 - behind / sweep
            dist = d
        else:
            a, dist = 1.0, 9.0
        if cap < dist:
            a, dist = 1.0, cap
        cov = 0.5 - dist
        if cov <= 0:
            return None
        return (mix(ACCENT_LIGHT, ACCENT, a), min(1.0, cov) * (a ** 1.2))
    img.paint(comet)
    bob = 3.0 * math.sin(2 * math.pi * t)
    ay = cy - 4 + bob
    img.fill(polyline([(cx, ay - 17), (cx, ay + 9)], 5.0), ACCENT)
    img.fill(polyline([(cx - 10, ay - 1), (cx, ay + 9), (cx + 10, ay - 1)], 5.0), ACCENT)
    img.fill(polyline([(cx - 17, cy + 16), (cx - 17, cy + 22), (cx + 17, cy + 22), (cx + 17, cy + 16)], 4.0),
             ACCENT, 0.55)
    return img


def title_button(kind, state, small=False):
    img = Image(24, 24)
    if state:
        bg = (0xE6, 0xEA, 0xF3) if state == 1 else (0xD7, 0xDD, 0xEA)
        img.fill(rrect(0, 0, 24, 24, 5), bg)
    color = {0: GREY, 1: INK, 2: INK}[state]
    s = 4.0 if small else 5.0
    if kind == "min":
        img.fill(polyline([(12 - s, 12.5), (12 + s, 12.5)], 1.6), color)
    else:
        img.fill(union(polyline([(12 - s, 12 - s), (12 + s, 12 + s)], 1.6),
                       polyline([(12 - s, 12 + s), (12 + s, 12 - s)], 1.6)), color)
    return img


def prompt_icon(kind):
    img = Image(40, 40)
    base = WARN if kind == "warn" else ACCENT
    img.fill(circle(20, 20, 19.5), base, 0.14)
    img.fill(circle(20, 20, 16), lgrad(6, 6, lighten(base, 0.25), 34, 34, mix(base, (0, 0, 0), 0.08)))
    if kind == "quest":
        glyph = text_mask("?", FONT_LATIN_BOLD, 22)
        stamp_centered(img, glyph, 20, 20, WHITE)
    elif kind == "warn":
        img.fill(polyline([(20, 11.5), (20, 22)], 3.4), WHITE)
        img.fill(circle(20, 27.5, 2.1), WHITE)
    else:
        # Wi-Fi fan: three arcs and a dot.
        for r in (12.5, 8.5):
            arc = intersect(ring(20, 27, r, 2.4),
                            lambda x, y: abs(math.atan2(x - 20, 27 - y)) * (math.hypot(x - 20, y - 27)) - r * 0.78)
            img.fill(arc, WHITE)
        img.fill(circle(20, 26.5, 2.4), WHITE)
    return img


def main():
    global OUT
    if len(sys.argv) > 1:
        OUT = sys.argv[1]
    m = "mainWnd/"
    for page in range(4):
        write_rgba(m + "bg%d.png" % (page + 1), background(page))
    write_rgba(m + "logo.png", logo())
    write_rgba(m + "installBtn1.png", install_button(lighten(ACCENT, 0.08), ACCENT))
    write_rgba(m + "installBtn2.png", install_button(lighten(ACCENT_HOT, 0.06), ACCENT_HOT))
    write_rgba(m + "installBtn3.png", install_button(ACCENT_PUSHED, ACCENT_PUSHED))
    for s in range(3):
        write_rgba(m + "backBtn%d.png" % (s + 1), back_button(s))
    write_rgba(m + "Cb1.png", check_box(False))
    write_rgba(m + "Cb2.png", check_box(True))
    write_palette(m + "customeBtn1.png", custom_arrow(INK_SOFT))
    write_palette(m + "customeBtn2.png", custom_arrow(INK))
    write_rgba(m + "chDirBtn1.png", small_button(lighten(ACCENT, 0.08), ACCENT))
    write_rgba(m + "chDirBt2.png", small_button(lighten(ACCENT_HOT, 0.06), ACCENT_HOT))
    write_rgba(m + "chDirBt3.png", small_button(ACCENT_PUSHED, ACCENT_PUSHED))
    write_rgba(m + "installDirEdit.png", edit_field())
    write_rgba(m + "tipLbl.png", tip_bubble())
    write_rgba(m + "installPrg1.png", progress_bar(False))
    write_rgba(m + "installPrg2.png", progress_bar(True))
    write_rgba(m + "finished.png", finished_mark())
    for i in range(26):
        write_rgba(m + "installBtnAnimate/%03d.png" % i, animation_frame(i))
    c = "common/"
    for s in range(3):
        write_rgba(c + "minbtn%d.png" % (s + 1), title_button("min", s))
        write_rgba(c + "closebtn%d.png" % (s + 1), title_button("close", s))
        write_rgba(c + "closebtnM_%d.png" % (s + 1), title_button("close", s, small=True))
    b = "MessageBoxWnd/"
    write_rgba(b + "icoQuest.png", prompt_icon("quest"))
    write_rgba(b + "icoNetwork.png", prompt_icon("network"))
    write_rgba(b + "icoWarn.png", prompt_icon("warn"))


if __name__ == "__main__":
    main()
