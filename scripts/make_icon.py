#!/usr/bin/env python3
"""Draws the Q4_Backup application icon (radio control head and floppy disk) and writes resources/Q4_Backup.ico."""

import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICO_PATH = os.path.join(ROOT, "resources", "Q4_Backup.ico")
PREVIEW_PATH = os.path.join(ROOT, "build", "icon_preview.png")
SIZES = (16, 32, 48)


# ---------------------------------------------------------------------------
# Shapes as signed distance functions: negative inside, positive outside,
# measured in pixels. Coverage of a pixel is taken from the distance at its
# centre, which gives anti-aliased curves and crisp edges on whole pixels.
# ---------------------------------------------------------------------------

def rrect(x0, y0, x1, y1, r=0.0):
    """Rectangle from (x0, y0) to (x1, y1) with corner radius r."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def sdf(px, py):
        qx = abs(px - cx) - hx
        qy = abs(py - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        inside = min(max(qx, qy), 0.0)
        return outside + inside - r
    return sdf


def circle(cx, cy, r):
    def sdf(px, py):
        return math.hypot(px - cx, py - cy) - r
    return sdf


def cut_top_right(x1, y0, c):
    """Half plane that keeps everything except the corner triangle of size c at (x1, y0)."""
    def sdf(px, py):
        return ((px - (x1 - c)) - (py - y0)) / math.sqrt(2.0)
    return sdf


def intersect(*shapes):
    def sdf(px, py):
        return max(s(px, py) for s in shapes)
    return sdf


def subtract(a, b):
    def sdf(px, py):
        return max(a(px, py), -b(px, py))
    return sdf


def offset(shape, dx, dy):
    def sdf(px, py):
        return shape(px - dx, py - dy)
    return sdf


def inset(shape, d):
    def sdf(px, py):
        return shape(px, py) + d
    return sdf


# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

def rgb(hexstr):
    h = hexstr.lstrip("#")
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(a, b, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vgrad(y0, y1, top, bottom):
    """Vertical gradient from colour top at y0 to colour bottom at y1."""
    top, bottom = rgb(top), rgb(bottom)

    def paint(px, py):
        return mix(top, bottom, (py - y0) / float(y1 - y0))
    return paint


def radial(cx, cy, r, inner, outer):
    inner, outer = rgb(inner), rgb(outer)

    def paint(px, py):
        return mix(inner, outer, math.hypot(px - cx, py - cy) / r)
    return paint


# ---------------------------------------------------------------------------
# Canvas with premultiplied RGBA floats
# ---------------------------------------------------------------------------

class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, shape, paint, alpha=1.0, soft=1.0):
        """Composite a shape over the canvas. paint is '#rrggbb' or a function of (x, y)."""
        if isinstance(paint, str):
            solid = rgb(paint)
            paint = lambda px, py: solid
        n = self.size
        for y in range(n):
            cy = y + 0.5
            for x in range(n):
                cx = x + 0.5
                cov = 0.5 - shape(cx, cy) / soft
                if cov <= 0.0:
                    continue
                a = min(cov, 1.0) * alpha
                r, g, b = paint(cx, cy)
                p = self.px[y * n + x]
                k = 1.0 - a
                p[0] = r * a + p[0] * k
                p[1] = g * a + p[1] * k
                p[2] = b * a + p[2] * k
                p[3] = a + p[3] * k

    def rgba8(self):
        """Rows top to bottom of (r, g, b, a) byte tuples, straight alpha."""
        out = []
        n = self.size
        for y in range(n):
            row = []
            for x in range(n):
                r, g, b, a = self.px[y * n + x]
                a8 = int(round(min(max(a, 0.0), 1.0) * 255))
                if a8 == 0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(int(round(min(max(c / a, 0.0), 1.0) * 255)) for c in (r, g, b)) + (a8,))
            out.append(row)
        return out


# ---------------------------------------------------------------------------
# The two objects. Every coordinate is given per size by the callers below,
# so each size is laid out on its own pixel grid.
# ---------------------------------------------------------------------------

def draw_radio(c, L):
    x0, y0, x1, y1 = L["body"]
    r = L["radius"]
    body = rrect(x0, y0, x1, y1, r)
    if L.get("shadow"):
        c.fill(offset(body, 0, 1), "#000000", alpha=0.35, soft=1.5)
    # Dark outline, then the body face with a soft top-to-bottom gradient.
    c.fill(body, "#0d0f12")
    face = inset(body, 1)
    c.fill(face, vgrad(y0, y1, "#4a515c", "#1f2329"))
    # Thin highlight along the top edge of the face.
    if L.get("highlight"):
        c.fill(intersect(face, subtract(face, offset(face, 0, 1))), "#7b8594", alpha=0.8)

    # Display: dark bezel, glowing panel, and a few segments of "text".
    dx0, dy0, dx1, dy1 = L["display"]
    c.fill(rrect(dx0, dy0, dx1, dy1, L.get("display_radius", 1)), "#0a0c0e")
    panel = rrect(dx0 + 1, dy0 + 1, dx1 - 1, dy1 - 1, max(L.get("display_radius", 1) - 1, 0))
    c.fill(panel, vgrad(dy0, dy1, "#a8f0ff", "#39b6e6"))
    for seg in L.get("text", ()):
        c.fill(rrect(*seg), "#0f4a66", alpha=0.9)

    # Volume / channel knob.
    if "knob" in L:
        kx, ky, kr = L["knob"]
        if not L.get("knob_plain"):
            c.fill(circle(kx, ky, kr), "#0d0f12")
            kr -= 1
        c.fill(circle(kx, ky, kr), radial(kx - kr * 0.35, ky - kr * 0.35, kr * 1.4, "#d9dde3", "#6b7480"))
        if "knob_mark" in L:
            c.fill(rrect(*L["knob_mark"]), "#2a2f36")

    # Push buttons; the first one is the orange emergency key.
    for i, b in enumerate(L.get("buttons", ())):
        bx0, by0, bx1, by1, br = b
        top, bottom = ("#ffb14a", "#e0620e") if i == 0 and L.get("emergency") else ("#9aa3af", "#5d6570")
        c.fill(rrect(bx0, by0, bx1, by1, br), "#0d0f12")
        c.fill(rrect(bx0 + L["button_border"], by0 + L["button_border"],
                     bx1 - L["button_border"], by1 - L["button_border"], max(br - 0.5, 0)),
               vgrad(by0, by1, top, bottom))


def draw_floppy(c, L):
    x0, y0, x1, y1 = L["body"]
    cut = L["chamfer"]
    r = L["radius"]
    body = intersect(rrect(x0, y0, x1, y1, r), cut_top_right(x1, y0, cut))
    if L.get("shadow"):
        c.fill(offset(body, -1, 1), "#000000", alpha=0.45, soft=1.5)
    # Outline and blue body.
    c.fill(body, "#0b2257")
    c.fill(inset(body, 1), vgrad(y0, y1, "#3f86f2", "#1f4fb8"))

    # Metal shutter with its window.
    sx0, sy0, sx1, sy1 = L["shutter"]
    c.fill(rrect(sx0, sy0, sx1, sy1, L.get("shutter_radius", 0)), vgrad(sy0, sy1, "#eef1f5", "#9aa3ad"))
    if "slot" in L:
        c.fill(rrect(*L["slot"]), "#1b2330")

    # Paper label with ruled lines.
    lx0, ly0, lx1, ly1 = L["label"]
    c.fill(rrect(lx0, ly0, lx1, ly1, L.get("label_radius", 0)), "#fbfbf7")
    for ln in L.get("label_lines", ()):
        c.fill(rrect(*ln), "#9fb6d8")
    if "label_band" in L:
        c.fill(rrect(*L["label_band"]), "#e04a3a")


def icon_48():
    c = Canvas(48)
    draw_radio(c, {
        "body": (1, 5, 42, 34), "radius": 5, "shadow": True, "highlight": True,
        "display": (5, 9, 28, 22), "display_radius": 2,
        "text": [(8, 12, 11, 15, 0), (12, 12, 15, 15, 0), (17, 12, 20, 15, 0), (21, 12, 24, 15, 0),
                 (8, 17, 25, 19, 0)],
        "knob": (35.5, 15.5, 5), "knob_mark": (35, 11.5, 36, 14, 0.5),
        "buttons": [(5, 25, 10, 30, 1.5), (11, 25, 16, 30, 1.5), (17, 25, 22, 30, 1.5)],
        "button_border": 1, "emergency": True,
    })
    draw_floppy(c, {
        "body": (23, 22, 47, 46), "radius": 2, "chamfer": 4, "shadow": True,
        "shutter": (28, 22, 41, 31), "slot": (35, 24, 38, 29, 0.5),
        "label": (26, 34, 44, 45), "label_radius": 0.5,
        "label_lines": [(28, 39, 42, 40, 0), (28, 42, 42, 43, 0)],
        "label_band": (26, 34, 44, 36, 0),
    })
    return c


def icon_32():
    c = Canvas(32)
    draw_radio(c, {
        "body": (0, 3, 28, 23), "radius": 3.5, "shadow": True, "highlight": True,
        "display": (3, 6, 18, 15), "display_radius": 1.5,
        "text": [(5, 8, 7, 10, 0), (8, 8, 10, 10, 0), (11, 8, 13, 10, 0), (5, 11, 15, 12, 0)],
        "knob": (23, 10.5, 3.5), "knob_mark": (22, 8, 24, 10, 0.5),
        "buttons": [(3, 17, 7, 21, 1), (8, 17, 12, 21, 1)],
        "button_border": 1, "emergency": True,
    })
    draw_floppy(c, {
        "body": (15, 15, 31, 31), "radius": 1.5, "chamfer": 3, "shadow": True,
        "shutter": (19, 15, 27, 21), "slot": (23, 16, 25, 20, 0),
        "label": (17, 23, 29, 30),
        "label_lines": [(19, 27, 27, 28, 0)],
        "label_band": (17, 23, 29, 24, 0),
    })
    return c


def icon_16():
    # Fewer, larger shapes so the picture survives at this size.
    c = Canvas(16)
    draw_radio(c, {
        "body": (0, 1, 15, 12), "radius": 2,
        "display": (2, 3, 10, 8), "display_radius": 0.5,
        "knob": (12.5, 4.5, 1.5), "knob_plain": True,
        "buttons": [(2, 9, 4, 11, 0), (5, 9, 7, 11, 0)],
        "button_border": 0, "emergency": True,
    })
    draw_floppy(c, {
        "body": (7, 7, 16, 16), "radius": 0.5, "chamfer": 2,
        "shutter": (9, 7, 14, 10), "slot": (12, 7, 13, 9, 0),
        "label": (9, 11, 14, 15),
    })
    return c


DRAW = {16: icon_16, 32: icon_32, 48: icon_48}


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def dib_bytes(pixels):
    """BITMAPINFOHEADER, bottom-up BGRA rows and the 1-bit AND mask, as stored inside an .ico."""
    n = len(pixels)
    mask_stride = ((n + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0,
                         n * n * 4 + n * mask_stride, 0, 0, 0, 0)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """images: list of (size, pixels). Returns the whole .ico file."""
    count = len(images)
    out = struct.pack("<HHH", 0, 1, count)
    blobs = [dib_bytes(px) for _, px in images]
    pos = 6 + 16 * count
    for (size, _), blob in zip(images, blobs):
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), pos)
        pos += len(blob)
    return out + b"".join(blobs)


def png_bytes(width, height, rows):
    """Minimal RGBA PNG; rows is a list of bytes objects, four bytes per pixel."""
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def preview(images, scale=4):
    """All sizes enlarged, once on a light and once on a dark background, plus a row at real size."""
    gap = 8
    width = gap + sum(s * scale + gap for s, _ in images)
    band = max(s for s, _ in images) * scale + 2 * gap
    small = max(s for s, _ in images) + 2 * gap
    height = 2 * band + 2 * small
    canvas = [[(0, 0, 0)] * width for _ in range(height)]
    backgrounds = [((240, 240, 240), 0, band, scale), ((45, 45, 48), band, band, scale),
                   ((240, 240, 240), 2 * band, small, 1), ((45, 45, 48), 2 * band + small, small, 1)]
    for bg, top, h, sc in backgrounds:
        for y in range(top, top + h):
            canvas[y] = [bg] * width
        x = gap
        for size, px in images:
            for y in range(size * sc):
                row = canvas[top + gap + y] = list(canvas[top + gap + y])
                for xx in range(size * sc):
                    r, g, b, a = px[y // sc][xx // sc]
                    br, bgc, bb = row[x + xx]
                    t = a / 255.0
                    row[x + xx] = (int(round(r * t + br * (1 - t))),
                                   int(round(g * t + bgc * (1 - t))),
                                   int(round(b * t + bb * (1 - t))))
            x += size * scale + gap
    rows = [b"".join(bytes((r, g, b, 255)) for r, g, b in row) for row in canvas]
    return png_bytes(width, height, rows)


# ---------------------------------------------------------------------------
# Checks
# ---------------------------------------------------------------------------

def check_ico(path):
    """Parse the .ico back and confirm its header, directory and every image agree."""
    with open(path, "rb") as f:
        data = f.read()
    problems = []
    if len(data) < 6:
        return ["file too short"]
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        problems.append("not an icon header (reserved=%d type=%d)" % (reserved, kind))
    if len(data) < 6 + 16 * count:
        return problems + ["directory runs past end of file"]
    found = []
    for i in range(count):
        w, h, colors, res, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        found.append(w)
        tag = "image %d (%dx%d)" % (i, w, h)
        if w != h:
            problems.append(tag + ": not square")
        if colors != 0 or res != 0 or planes != 1 or bpp != 32:
            problems.append(tag + ": unexpected directory fields")
        if off + size > len(data):
            problems.append(tag + ": data runs past end of file")
            continue
        hsize, dw, dh, dplanes, dbpp, comp = struct.unpack_from("<IiiHHI", data, off)
        stride = ((w + 31) // 32) * 4
        expected = 40 + w * h * 4 + stride * h
        if hsize != 40 or dw != w or dh != 2 * h or dplanes != 1 or dbpp != 32 or comp != 0:
            problems.append(tag + ": bitmap header does not match directory")
        if size != expected:
            problems.append(tag + ": %d bytes, expected %d" % (size, expected))
        # The AND mask must mark exactly the fully transparent pixels.
        xor = off + 40
        mask = xor + w * h * 4
        for y in range(h):
            for x in range(w):
                alpha = data[xor + (y * w + x) * 4 + 3]
                bit = (data[mask + y * stride + x // 8] >> (7 - x % 8)) & 1
                if bit != (alpha == 0):
                    problems.append(tag + ": mask disagrees with alpha at %d,%d" % (x, y))
                    break
            else:
                continue
            break
    if sorted(found) != list(SIZES):
        problems.append("sizes %s, expected %s" % (sorted(found), list(SIZES)))
    return problems


def check_windres(path):
    """Compile a one-line resource script with the MinGW resource compiler, if it is installed."""
    tool = shutil.which("x86_64-w64-mingw32-windres")
    if not tool:
        return None
    with tempfile.TemporaryDirectory() as tmp:
        shutil.copy(path, os.path.join(tmp, "Q4_Backup.ico"))
        with open(os.path.join(tmp, "icon.rc"), "w", encoding="utf-8") as f:
            f.write('129 ICON "Q4_Backup.ico"\n')
        res = subprocess.run([tool, "-c", "65001", "-O", "coff", "-i", "icon.rc", "-o", "icon.o"],
                             cwd=tmp, capture_output=True, text=True)
        if res.returncode != 0:
            return res.stderr.strip() or "windres failed"
    return ""


def run_checks(path):
    problems = check_ico(path)
    for p in problems:
        print("error: " + p, file=sys.stderr)
    windres = check_windres(path)
    if windres is None:
        print("windres not installed; resource compile skipped")
    elif windres:
        print("error: windres: " + windres, file=sys.stderr)
        problems.append(windres)
    else:
        print("windres compiled the icon resource")
    if not problems:
        print("%s: OK (%s)" % (os.path.relpath(path, ROOT), ", ".join("%dx%d" % (s, s) for s in SIZES)))
    return not problems


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--check", action="store_true", help="only validate the existing .ico")
    ap.add_argument("--no-preview", action="store_true", help="do not write the PNG preview")
    args = ap.parse_args()
    if args.check:
        return 0 if run_checks(ICO_PATH) else 1

    images = [(s, DRAW[s]().rgba8()) for s in SIZES]
    os.makedirs(os.path.dirname(ICO_PATH), exist_ok=True)
    with open(ICO_PATH, "wb") as f:
        f.write(ico_bytes(images))
    print("wrote " + os.path.relpath(ICO_PATH, ROOT))
    if not args.no_preview:
        os.makedirs(os.path.dirname(PREVIEW_PATH), exist_ok=True)
        with open(PREVIEW_PATH, "wb") as f:
            f.write(preview(images))
        print("wrote " + os.path.relpath(PREVIEW_PATH, ROOT))
    return 0 if run_checks(ICO_PATH) else 1


if __name__ == "__main__":
    sys.exit(main())
