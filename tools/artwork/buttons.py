"""Picture buttons. Each button has up to three looks: U (normal), D (pushed,
also shown while the pointer hovers) and F (keyboard focus).

Buttons are blitted as plain rectangles over the page pictures, so every
image is painted on the exact colour of the spot it lands on; corner radii
are chosen so the corner pixel stays pure background.
"""

from PIL import Image

import paint as P

RADIUS = 4


def _canvas(size, background):
    return Image.new("RGB", size, background)


# Face styles: (face, border, label colour, focus ring colour).
STYLES = {
    "primary": {
        "U": (P.ACCENT, P.ACCENT, P.WHITE, None),
        "D": (P.ACCENT_DARK, P.ACCENT_DARK, P.WHITE, None),
        "F": (P.ACCENT, P.ACCENT_DARK, P.WHITE, P.mix(P.ACCENT, P.WHITE, 0.75)),
    },
    "secondary": {
        "U": (P.WHITE, (176, 184, 194), P.TEXT, None),
        "D": ((224, 230, 237), (150, 160, 172), P.TEXT, None),
        "F": (P.WHITE, P.ACCENT, P.TEXT, P.ACCENT_LIGHT),
    },
    "inactive": {
        "U": ((236, 238, 241), (218, 222, 227), (168, 174, 182), None),
    },
    "strip": {
        "U": (P.STRIP_FACE, P.STRIP_FACE, P.STRIP_TEXT, None),
        "D": (P.STRIP_FACE_HOT, P.STRIP_FACE_HOT, P.WHITE, None),
        "F": (P.STRIP_FACE, P.ACCENT_LIGHT, P.STRIP_TEXT, None),
    },
}


def push_button(size, label, style, look, background, inset=(0, 0),
                fnt=None):
    """A rounded button face filling the image minus `inset` (x, y) on each
    side, label centred."""
    face, border, ink, ring = STYLES[style][look]
    img = _canvas(size, background)
    aa = P.AA(img)
    w, h = size
    box = (inset[0], inset[1], w - inset[0], h - inset[1])
    aa.rounded_rect(box, RADIUS, border)
    if border != face:
        aa.rounded_rect((box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1),
                        RADIUS - 1, face)
    if ring is not None:
        aa.ring_rect((box[0] + 2, box[1] + 2, box[2] - 2, box[3] - 2),
                     RADIUS - 2, 1, ring)
    fnt = fnt or P.font(13, bold=(style != "strip"))
    if P.text_width(label, fnt) > (box[2] - box[0]) - 12:
        raise ValueError("label does not fit: %r" % label)
    # Pushed looks shift the label by a pixel, as a pressed key would.
    dy = 1 if look == "D" and style in ("primary", "secondary") else 0
    P.text_centred(img, (box[0], box[1] + dy, box[2], box[3] + dy), label, fnt, ink)
    return img


def credit_strip(size, background):
    """A quiet product line, right aligned so it reads as a footer note."""
    img = _canvas(size, background)
    fnt = P.font(10)
    s = "Lumora colour tools"
    x = size[0] - 2 - P.text_width(s, fnt)
    P.text_centred(img, (x, 0, size[0] - 2, size[1]), s, fnt, P.TEXT_SOFT)
    return img


def draw_mark(img, xy, d, ink, paper):
    """The Lumora mark: a disc, half lit and half dark, inside a ring; a
    reminder that calibration is about the range from black to white."""
    x, y = xy
    aa = P.AA(img)
    aa.ellipse((x, y, x + d, y + d), ink)
    ring = max(d / 11.0, 1.0)
    gap = ring * 1.2
    aa.ellipse((x + ring, y + ring, x + d - ring, y + d - ring), paper)
    inner = (x + ring + gap, y + ring + gap, x + d - ring - gap, y + d - ring - gap)
    aa.pieslice(inner, 90, 270, ink)


def button_set(caption, size, style, background, looks="UDF", label=None,
               inset=(0, 0), fnt=None):
    """{file stem: image} for one caption."""
    out = {}
    for look in looks:
        out[caption.upper() + look] = push_button(size, label, style, look,
                                                  background, inset, fnt)
    return out
