"""Lumora's icon: the slate monitor of the save page, its screen showing the
three gamma curves of a calibration fanning out from black to white.

Every size is drawn for itself on its own pixel grid rather than reduced from
the largest: edges fall on whole pixels; up to 32 px the curves are single
solid pixels and the stand a row or two, from 40 px a grid stands behind
smooth curves. 16 to 64 px are stored uncompressed (32 bits with alpha, plus
the AND mask that systems without alpha use), which Windows XP reads; 256 px
is stored as PNG, which Windows reads from Vista on.
"""

import io
import struct

from PIL import Image

import paint as P

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_SIZES = (256,)
PIXEL_CURVES_UP_TO = 32
GRID_FROM = 40

SCREEN = P.BODY
NECK = P.mix(P.STRIP, P.BODY, 0.25)
RIM = P.STRIP_FACE
# Output = input ^ exponent for the three channels, drawn in this order.
CURVES = ((2.2, (38, 110, 200)), (1.0, (40, 160, 70)), (1 / 2.2, (214, 48, 49)))


def _geometry(s):
    """Whole-pixel boxes (x0, y0, x1, y1, x1/y1 exclusive) of the monitor at
    size s: bezel, screen, neck and base, centred vertically."""
    pad = round(s / 32)
    bezel_w = s - 2 * pad
    bezel_h = round(bezel_w * 0.72)
    frame = max(1, round(s / 16))
    chin = frame + (s >= 32) * round(s / 32)
    neck_h = max(1, round(s * 0.09))
    base_h = max(1, round(s / 20))
    top = (s - (bezel_h + neck_h + base_h)) // 2
    bezel = (pad, top, s - pad, top + bezel_h)
    screen = (pad + frame, top + frame, s - pad - frame, top + bezel_h - chin)
    neck_w = max(2, round(s * 0.22)) // 2 * 2 + s % 2
    neck = ((s - neck_w) // 2, bezel[3], (s + neck_w) // 2, bezel[3] + neck_h)
    base_w = round(s * 0.56) // 2 * 2 + s % 2
    base = ((s - base_w) // 2, neck[3], (s + base_w) // 2, neck[3] + base_h)
    return bezel, screen, neck, base


def _curve_points(screen, exponent, inset, steps):
    x0, y0, x1, y1 = screen
    w, h = x1 - x0 - 2 * inset, y1 - y0 - 2 * inset
    return [(x0 + inset + w * i / steps, y1 - inset - h * (i / steps) ** exponent)
            for i in range(steps + 1)]


def _pixel_curve(img, screen, exponent, colour):
    """One solid pixel per column; where the curve climbs faster, the column
    is filled up to the previous one's row, so the curve has no gaps."""
    x0, y0, x1, y1 = screen
    w, h = x1 - x0, y1 - y0
    px = img.load()
    below = None
    for i in range(w):
        y = y1 - 1 - int((h - 1) * (i / (w - 1)) ** exponent + 0.5)
        for fill in range(y, max(y + 1, below or 0)):
            px[x0 + i, fill] = colour
        below = y


def _grid(img, screen, width):
    """Quarter lines across the screen, on whole pixels."""
    x0, y0, x1, y1 = screen
    for k in (1, 2, 3):
        x = x0 + round((x1 - x0) * k / 4) - width // 2
        y = y0 + round((y1 - y0) * k / 4) - width // 2
        P.rect(img, (x, y0, x + width, y1), P.RULE)
        P.rect(img, (x0, y, x1, y + width), P.RULE)


def _draw(s):
    bezel, screen, neck, base = _geometry(s)
    radius = max(1.0, s / 14)
    # Colour and coverage are drawn apart: every colour edge lies inside the
    # silhouette, whose edge is the bezel's slate, so no fringe shows.
    img = Image.new("RGB", (s, s), P.STRIP)
    aa = P.AA(img)
    if s >= 32:
        rim = max(1.0, s / 64)
        aa.ring_rect(bezel, radius, rim, RIM)
    P.rect(img, screen, SCREEN)
    if s >= GRID_FROM:
        _grid(img, screen, max(1, round(s / 128)))
    aa.polygon(((neck[0], neck[1]), (neck[2], neck[1]), (neck[2] + (neck[3] - neck[1]) * 0.4, neck[3]),
                (neck[0] - (neck[3] - neck[1]) * 0.4, neck[3])), NECK)
    for exponent, colour in CURVES:
        if s <= PIXEL_CURVES_UP_TO:
            _pixel_curve(img, screen, exponent, colour)
        else:
            width = max(1.6, s / 26)
            aa.line(_curve_points(screen, exponent, width, 48), width, colour)

    alpha = Image.new("L", (s, s), 0)
    shape = P.AA(alpha)
    shape.rounded_rect(bezel, radius, 255)
    shape.polygon(((neck[0], neck[1] - 1), (neck[2], neck[1] - 1), (neck[2] + (neck[3] - neck[1]) * 0.4, neck[3]),
                   (neck[0] - (neck[3] - neck[1]) * 0.4, neck[3])), 255)
    shape.rounded_rect(base, min(radius, (base[3] - base[1]) / 2), 255)
    img.putalpha(alpha)
    return img


def images():
    """[(size, RGBA image)] for every size the icon carries, smallest first."""
    return [(s, _draw(s)) for s in SIZES]


def _bmp_entry(img):
    """A 32-bit DIB as icons store it: the height doubled for the AND mask that
    follows the colour rows, both bottom-up. The mask marks as transparent
    what is less than half covered."""
    s = img.width
    colour = bytearray()
    mask = bytearray()
    mask_stride = (s + 31) // 32 * 4
    for y in reversed(range(s)):
        row_mask = bytearray(mask_stride)
        for x in range(s):
            r, g, b, a = img.getpixel((x, y))
            colour += bytes((b, g, r, a) if a else (0, 0, 0, 0))
            if a < 128:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    header = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def _png_entry(img):
    out = io.BytesIO()
    img.save(out, format="PNG", optimize=True)
    return out.getvalue()


def ico_bytes(sized_images):
    """An .ico file: its directory, then each image in the same order."""
    entries = [(s, _png_entry(img) if s in PNG_SIZES else _bmp_entry(img)) for s, img in sized_images]
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    for s, data in entries:
        directory += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, data in entries)


def sheet(sized_images, path):
    """Every size side by side on the page body, at its own pixels."""
    pad = 16
    width = sum(s for s, _ in sized_images) + pad * (len(sized_images) + 1)
    height = max(s for s, _ in sized_images) + 2 * pad
    out = Image.new("RGB", (width, height), P.BODY)
    x = pad
    for s, img in sized_images:
        out.paste(img, (x, height - pad - s), img)
        x += s + pad
    out.save(path)
