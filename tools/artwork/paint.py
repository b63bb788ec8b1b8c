"""Drawing helpers for the Lumora artwork: palette, fonts, anti-aliased shapes
and text layout.

Shapes are rasterised at SS x resolution into a coverage mask and box-filtered
down, which gives smooth edges that are still bit-for-bit reproducible.
Anything whose pixel values are measured (test circles, gamma fields) must be
drawn with plain per-pixel code instead, never through these helpers.
"""

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
REGULAR = FONT_DIR + "DejaVuSans.ttf"
BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"

# Palette: dark slate chrome, light neutral body, one blue accent.
STRIP = (36, 48, 62)
STRIP_FACE = (52, 66, 82)
STRIP_FACE_HOT = (72, 90, 110)
STRIP_TEXT = (236, 240, 245)
STRIP_MUTED = (132, 146, 162)
ACCENT = (34, 124, 178)
ACCENT_DARK = (22, 94, 138)
ACCENT_LIGHT = (150, 200, 230)
BODY = (245, 246, 248)
GAMMA_BODY = (176, 176, 176)  # what the gamma page's controls paint behind themselves
FOOTER = (229, 232, 236)
CARD = (255, 255, 255)
TEXT = (30, 38, 48)
TEXT_SOFT = (84, 94, 106)
RULE = (210, 215, 222)
WARN = (196, 64, 52)
OK = (46, 150, 96)
CAUTION = (222, 150, 36)
WHITE = (255, 255, 255)

SS = 4  # supersampling factor for shapes

_font_cache = {}


def font(size, bold=False):
    key = (size, bold)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(BOLD if bold else REGULAR, size)
    return _font_cache[key]


def mix(a, b, t):
    """Blend colour a towards b by t (0..1), rounded to integers."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


class AA:
    """Anti-aliased shape drawing onto an RGB image.

    Each call rasterises one shape into a local coverage mask at SS x scale,
    reduces it with a box filter and composites a solid colour through it.
    Coordinates are floats in image pixels; boxes are (x0, y0, x1, y1) with
    x1/y1 exclusive edges.
    """

    def __init__(self, img):
        self.img = img

    def _paint(self, bounds, colour, draw_fn):
        x0, y0, x1, y1 = bounds
        ix0, iy0 = max(int(x0) - 2, 0), max(int(y0) - 2, 0)
        ix1 = min(int(x1) + 3, self.img.width)
        iy1 = min(int(y1) + 3, self.img.height)
        if ix1 <= ix0 or iy1 <= iy0:
            return
        w, h = ix1 - ix0, iy1 - iy0
        mask = Image.new("L", (w * SS, h * SS), 0)
        d = ImageDraw.Draw(mask)

        def t(x, y):
            return ((x - ix0) * SS, (y - iy0) * SS)

        draw_fn(d, t)
        mask = mask.resize((w, h), Image.BOX)
        self.img.paste(colour, (ix0, iy0, ix1, iy1), mask)

    @staticmethod
    def _box(t, box):
        ax, ay = t(box[0], box[1])
        bx, by = t(box[2], box[3])
        return (ax, ay, bx - 1, by - 1)

    def rounded_rect(self, box, radius, colour):
        def fn(d, t):
            d.rounded_rectangle(self._box(t, box), radius=radius * SS, fill=255)
        self._paint(box, colour, fn)

    def ring_rect(self, box, radius, width, colour):
        """Outline of a rounded rectangle, drawn inside the box."""
        def fn(d, t):
            d.rounded_rectangle(self._box(t, box), radius=radius * SS, fill=255)
            inner = (box[0] + width, box[1] + width, box[2] - width, box[3] - width)
            d.rounded_rectangle(self._box(t, inner),
                                radius=max(radius - width, 0) * SS, fill=0)
        self._paint(box, colour, fn)

    def ellipse(self, box, colour):
        def fn(d, t):
            d.ellipse(self._box(t, box), fill=255)
        self._paint(box, colour, fn)

    def ring(self, box, width, colour):
        def fn(d, t):
            d.ellipse(self._box(t, box), fill=255)
            inner = (box[0] + width, box[1] + width, box[2] - width, box[3] - width)
            d.ellipse(self._box(t, inner), fill=0)
        self._paint(box, colour, fn)

    def pieslice(self, box, start, end, colour):
        def fn(d, t):
            d.pieslice(self._box(t, box), start, end, fill=255)
        self._paint(box, colour, fn)

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def fn(d, t):
            d.polygon([t(x, y) for x, y in points], fill=255)
        self._paint((min(xs), min(ys), max(xs), max(ys)), colour, fn)

    def line(self, points, width, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        pad = width

        def fn(d, t):
            d.line([t(x, y) for x, y in points], fill=255,
                   width=int(round(width * SS)), joint="curve")
            r = width * SS / 2
            for x, y in (points[0], points[-1]):
                cx, cy = t(x, y)
                d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
        self._paint((min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad),
                    colour, fn)


def rect(img, box, colour):
    """Hard-edged rectangle; box edges x1/y1 exclusive."""
    x0, y0, x1, y1 = box
    img.paste(colour, (int(x0), int(y0), int(x1), int(y1)))


def wrap(text, fnt, width):
    """Greedy word wrap to a pixel width; raises if a single word cannot fit."""
    lines = []
    for para in text.split("\n"):
        words = para.split(" ")
        line = ""
        for word in words:
            trial = word if not line else line + " " + word
            if fnt.getlength(trial) <= width:
                line = trial
                continue
            if not line:
                raise ValueError("word too wide: %r" % word)
            lines.append(line)
            line = word
            if fnt.getlength(line) > width:
                raise ValueError("word too wide: %r" % word)
        lines.append(line)
    return lines


def line_height(fnt):
    return int(round(fnt.size * 1.5))


def paragraph(img, xy, text, fnt, width, colour, leading=None):
    """Draw wrapped text with its first baseline at xy[1] + ascent.

    Returns the y just below the last line, so callers can stack blocks."""
    x, y = xy
    lh = leading or line_height(fnt)
    d = ImageDraw.Draw(img)
    lines = wrap(text, fnt, width)
    for i, ln in enumerate(lines):
        d.text((x, y + i * lh), ln, font=fnt, fill=colour)
    return y + len(lines) * lh


def text(img, xy, s, fnt, colour, anchor="la"):
    ImageDraw.Draw(img).text(xy, s, font=fnt, fill=colour, anchor=anchor)


def text_centred(img, box, s, fnt, colour):
    """Centre a label in a box optically: on the cap height, not the em box,
    so labels without descenders do not float."""
    x0, y0, x1, y1 = box
    cap = fnt.getbbox("H", anchor="ls")
    cap_h = -cap[1]
    baseline = (y0 + y1) / 2 + cap_h / 2
    ImageDraw.Draw(img).text(((x0 + x1) / 2, round(baseline)), s, font=fnt,
                             fill=colour, anchor="ms")


def text_width(s, fnt):
    return fnt.getlength(s)
