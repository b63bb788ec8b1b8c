"""The wizard's page pictures and the two small dialog pictures.

Every page shares one frame: a slate title strip (the window is dragged by
it and the Exit/Help/About buttons sit on its left end), a body, and a
footer band whose lower part the web pane covers.
"""

from PIL import Image

import buttons as B
import layout as L
import paint as P

MARGIN = 32
CONTENT_W = L.PAGE_SIZE[0] - 2 * MARGIN
STEPS = ((1, "Contrast"), (2, "Gamma"), (3, "Save"))


def _steps(img, current):
    """Step indicator at the right of the title strip; the current step lit."""
    num_font = P.font(12, bold=True)
    lit_font = P.font(13, bold=True)
    dim_font = P.font(13)
    d, gap, link = 20, 7, 18
    items = []
    for n, label in STEPS:
        f = lit_font if n == current else dim_font
        items.append((n, label, f, d + gap + P.text_width(label, f)))
    total = sum(w for *_, w in items) + link * (len(items) - 1) + 12 * (len(items) - 1)
    x = L.DRAG_STRIP[2] - 12 - total
    cy = L.STRIP_HEIGHT / 2
    aa = P.AA(img)
    for i, (n, label, f, w) in enumerate(items):
        lit = n == current
        box = (x, cy - d / 2, x + d, cy + d / 2)
        if lit:
            aa.ellipse(box, P.ACCENT)
            P.text_centred(img, box, str(n), num_font, P.WHITE)
        else:
            aa.ring(box, 1.5, P.STRIP_MUTED)
            P.text_centred(img, box, str(n), num_font, P.STRIP_MUTED)
        P.text_centred(img, (x + d + gap, box[1], x + d + gap + P.text_width(label, f), box[3]),
                       label, f, P.STRIP_TEXT if lit else P.STRIP_MUTED)
        x += w
        if i < len(items) - 1:
            aa.line(((x + 6, cy), (x + 6 + link, cy)), 1.2, P.mix(P.STRIP, P.STRIP_MUTED, 0.6))
            x += link + 12


def _brand(img, x, strip_h, size):
    d = size + 3
    B.draw_mark(img, (x, (strip_h - d) / 2), d, P.STRIP_TEXT, P.STRIP)
    fnt = P.font(size, bold=True)
    P.text_centred(img, (x + d + 8, 0, x + d + 8 + P.text_width("Lumora", fnt), strip_h),
                   "Lumora", fnt, P.STRIP_TEXT)


def page_frame(step, body=P.BODY):
    w, h = L.PAGE_SIZE
    img = Image.new("RGB", L.PAGE_SIZE, body)
    P.rect(img, (0, 0, w, L.STRIP_HEIGHT), P.STRIP)
    # The brand starts well clear of the About button's right edge.
    _brand(img, 232, L.STRIP_HEIGHT, 19)
    _steps(img, step)
    P.rect(img, (0, L.FOOTER_TOP, w, h), P.FOOTER)
    P.rect(img, (0, L.FOOTER_TOP, w, L.FOOTER_TOP + 1), P.RULE)
    return img


def _heading(img, overline, title, ink=P.TEXT, over_ink=P.ACCENT):
    P.text(img, (MARGIN, 60), overline, P.font(12, bold=True), over_ink)
    P.text(img, (MARGIN, 78), title, P.font(25, bold=True), ink)
    return 122


def _badge(img, xy, n, d=22, colour=P.ACCENT):
    x, y = xy
    P.AA(img).ellipse((x, y, x + d, y + d), colour)
    P.text_centred(img, (x, y, x + d, y + d), str(n), P.font(12, bold=True), P.WHITE)


def _card(img, box, fill=P.CARD, border=P.RULE, radius=8):
    aa = P.AA(img)
    aa.rounded_rect(box, radius, border)
    aa.rounded_rect((box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1), radius - 1, fill)


# ---------------------------------------------------------------- introduction

def page102():
    img = page_frame(None)
    y = _heading(img, "INTRODUCTION", "Welcome to Lumora")
    body = P.font(16)
    y = P.paragraph(img, (MARGIN, y),
                    "Lumora calibrates the colours of your monitor in three simple "
                    "steps. Afterwards it leaves a colour profile behind, and your "
                    "monitor is adjusted automatically each time the computer starts.",
                    body, CONTENT_W, P.TEXT_SOFT)

    # The three steps in a row, in the same style as the title strip.
    y += 18
    d, gap, link = 24, 9, 34
    x = MARGIN
    aa = P.AA(img)
    step_font = P.font(15, bold=True)
    titles = ("Contrast and brightness", "Gamma", "Save")
    for i, title in enumerate(titles):
        _badge(img, (x, y), i + 1, d=d)
        x += d + gap
        P.text_centred(img, (x, y, x + P.text_width(title, step_font), y + d), title,
                       step_font, P.TEXT)
        x += P.text_width(title, step_font)
        if i < len(titles) - 1:
            aa.line(((x + 12, y + d / 2), (x + 12 + link, y + d / 2)), 1.5, P.RULE)
            x += link + 24
    assert x < L.PAGE_SIZE[0] - MARGIN and y + d < L.px(L.NEXT_AT)[1] - 20

    # Left column below the steps; the navigation buttons own the right side.
    col_w = L.px(L.BACK_AT)[0] - 30 - MARGIN
    drop = L.du_rect(*L.REMINDER_DU, base=L.INTRO_BASE)
    y = 264
    P.text(img, (MARGIN, y), "Keep it accurate", P.font(16, bold=True), P.TEXT)
    end = P.paragraph(img, (MARGIN, y + 24),
                      "Monitors change as they age: repeat this every few weeks.",
                      P.font(15), col_w, P.TEXT_SOFT, leading=22)

    # Help pointer, between the advice and the drop-down.
    hy = end + 10
    d = 22
    P.AA(img).ellipse((MARGIN, hy, MARGIN + d, hy + d), P.STRIP)
    P.text_centred(img, (MARGIN, hy, MARGIN + d, hy + d), "?", P.font(14, bold=True), P.WHITE)
    end = P.paragraph(img, (MARGIN + d + 12, hy + 1),
                      "Questions along the way? The Help button at the top left opens the "
                      "help pages.", P.font(15), col_w - d - 12, P.TEXT_SOFT, leading=22)
    assert end <= drop[1] - 8, "reminder text runs into the drop-down"

    label_font = P.font(15)
    label = "Remind me:"
    lx = drop[0] - 10 - P.text_width(label, label_font)
    assert lx >= MARGIN, "reminder label would leave the margin"
    P.text_centred(img, (lx, drop[1], lx + P.text_width(label, label_font), drop[3]),
                   label, label_font, P.TEXT)
    return img


# ------------------------------------------------------ step 1: contrast/bright

def _pattern(img, box, field, circle, outline=None):
    """A field with a centred circle, as the monitor adjustments are judged."""
    x0, y0, x1, y1 = box
    if outline is not None:
        P.rect(img, (x0 - 1, y0 - 1, x1 + 1, y1 + 1), outline)
    P.rect(img, box, field)
    w = x1 - x0
    r = w * 0.3
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    P.AA(img).ellipse((cx - r, cy - r, cx + r, cy + r), circle)


def _cross_badge(img, xy, d=16):
    x, y = xy
    aa = P.AA(img)
    aa.ellipse((x, y, x + d, y + d), P.WARN)
    k = d * 0.3
    aa.line(((x + k, y + k), (x + d - k, y + d - k)), 1.8, P.WHITE)
    aa.line(((x + d - k, y + k), (x + k, y + d - k)), 1.8, P.WHITE)


def page103():
    img = page_frame(1)
    y = _heading(img, "STEP 1 OF 3", "Contrast and brightness")
    body = P.font(16)
    steps = ("Set the contrast of your monitor to its maximum.",
             "Lower the brightness until the dark circle on the black field is "
             "only just visible.",
             "Then lower the contrast until the light circle on the white field stays "
             "visible.")
    for i, s in enumerate(steps):
        _badge(img, (MARGIN, y), i + 1)
        y = P.paragraph(img, (MARGIN + 34, y + 1), s, body, CONTENT_W - 34, P.TEXT) + 6

    # The two judging patterns, large.
    size = 148
    top = max(y + 12, 226)
    left = (MARGIN, top, MARGIN + size, top + size)
    right = (MARGIN + size + 18, top, MARGIN + 2 * size + 18, top + size)
    _pattern(img, left, (0, 0, 0), (16, 16, 16))
    _pattern(img, right, (255, 255, 255), (238, 238, 238), outline=P.RULE)
    cap = P.font(13)
    for box, s in ((left, "Dark circle on black"), (right, "Light circle on white")):
        P.text_centred(img, (box[0], box[3] + 8, box[2], box[3] + 26), s, cap, P.TEXT_SOFT)
    assert top + size + 30 < L.FOOTER_TOP

    # Examples of settings that are off, each with both patterns as they
    # would look: (field, circle) for the dark and the light pattern.
    examples = (("Too dark", (0, 0), (214, 204)),
                ("Too bright", (64, 78), (255, 252)),
                ("Contrast too high", (0, 16), (255, 255)))
    ex_x = right[2] + 40
    ex_top = L.px(L.NEXT_AT)[1] + L.NAV_SIZE[1] + 24
    P.text(img, (ex_x, ex_top), "Signs of a wrong setting", P.font(14, bold=True), P.TEXT)
    tw, th, tgap = 100, 56, 14
    ty = ex_top + 30
    avail = L.PAGE_SIZE[0] - MARGIN - ex_x
    tw = int((avail - 2 * tgap) / 3)
    for i, (label, dark, light) in enumerate(examples):
        x0 = ex_x + i * (tw + tgap)
        half = tw // 2
        P.rect(img, (x0 - 1, ty - 1, x0 + tw + 1, ty + th + 1), P.RULE)
        for j, ((field, circle), xs) in enumerate(((dark, x0), (light, x0 + half))):
            bw = half if j == 0 else tw - half
            P.rect(img, (xs, ty, xs + bw, ty + th), (field,) * 3)
            r = 15
            cx, cy = xs + bw / 2, ty + th / 2
            P.AA(img).ellipse((cx - r, cy - r, cx + r, cy + r), (circle,) * 3)
        _cross_badge(img, (x0 + tw - 10, ty - 6))
        P.text_centred(img, (x0 - 8, ty + th + 8, x0 + tw + 8, ty + th + 26), label,
                       cap, P.TEXT_SOFT)
    return img


# --------------------------------------------------------------- step 2: gamma

def _exact_field(img, box, channel):
    colour = [0, 0, 0]
    colour[channel] = L.GAMMA_LEVEL
    P.rect(img, box, tuple(colour))


def page105():
    img = page_frame(2, body=P.GAMMA_BODY)
    # On the grey body the accent overline would be too faint; use slate.
    _heading(img, "STEP 2 OF 3", "Gamma", over_ink=P.STRIP)
    fields = L.gamma_fields()
    for ch in (0, 2, 1):
        _exact_field(img, fields[ch], ch)

    col_w = L.px(L.BACK_AT)[0] - 30 - MARGIN
    y = fields[0][3] + 22
    body = P.font(16)
    y = P.paragraph(img, (MARGIN, y),
                    "Move the slider in each field until the circle blends into "
                    "the field, looking neither darker nor lighter than the colour "
                    "around it.", body, col_w, P.TEXT)
    y = P.paragraph(img, (MARGIN, y + 10),
                    "The circles are made of fine lines. Sit back a little or narrow "
                    "your eyes so that the lines merge, and compare brightness only.",
                    P.font(14), col_w, P.TEXT, leading=21)
    y = P.paragraph(img, (MARGIN, y + 10),
                    "When all three circles have disappeared, press Next.",
                    P.font(14, bold=True), col_w, P.TEXT, leading=21)
    assert y < L.FOOTER_TOP - 8
    return img


# ---------------------------------------------------------------- step 3: save

def _monitor(img, box):
    """A monitor showing a grey ramp and colour ramps, with a done badge."""
    x0, y0, x1, y1 = box
    aa = P.AA(img)
    bezel_h = (y1 - y0) * 0.74
    aa.rounded_rect((x0, y0, x1, y0 + bezel_h), 8, P.STRIP)
    sx0, sy0, sx1, sy1 = x0 + 8, y0 + 8, x1 - 8, y0 + bezel_h - 8
    ramp_h = (sy1 - sy0) / 2
    px = img.load()
    bands = ((1, 1, 1), (1, 0, 0), (0, 1, 0), (0, 0, 1))
    band_h = [(sy1 - sy0 - ramp_h) / 3.0] * 3
    for x in range(int(sx0), int(sx1)):
        t = (x - sx0) / (sx1 - sx0 - 1)
        v = int(round(255 * t))
        for y in range(int(sy0), int(sy0 + ramp_h)):
            px[x, y] = (v, v, v)
        yb = sy0 + ramp_h
        for k in range(3):
            c = tuple(v * m for m in bands[k + 1])
            for y in range(int(yb), int(yb + band_h[k])):
                px[x, y] = c
            yb += band_h[k]
    # Stand.
    cx = (x0 + x1) / 2
    neck_top = y0 + bezel_h
    aa.polygon(((cx - 14, neck_top), (cx + 14, neck_top), (cx + 20, y1 - 8),
                (cx - 20, y1 - 8)), P.mix(P.STRIP, P.BODY, 0.25))
    aa.rounded_rect((cx - 48, y1 - 9, cx + 48, y1), 4, P.STRIP)
    # Done badge.
    d = 38
    bx, by = x1 - d + 10, y0 + bezel_h - d + 12
    aa.ellipse((bx - 3, by - 3, bx + d + 3, by + d + 3), P.BODY)
    aa.ellipse((bx, by, bx + d, by + d), P.OK)
    aa.line(((bx + d * 0.28, by + d * 0.52), (bx + d * 0.44, by + d * 0.67),
             (bx + d * 0.73, by + d * 0.35)), 3.2, P.WHITE)


def page107():
    img = page_frame(3)
    y = _heading(img, "STEP 3 OF 3", "Save your settings")
    # Text runs down the left; the picture sits above the navigation buttons.
    nav_x, nav_y = L.px(L.BACK_AT)
    col_w = nav_x - 30 - MARGIN
    body = P.font(16)
    y = P.paragraph(img, (MARGIN, y),
                    "Saving stores the settings you have just made. From then on:",
                    body, col_w, P.TEXT_SOFT) + 8
    bullets = ("Lumora loads them every time the computer starts, so your monitor "
               "is always adjusted.",
               "The colour profile is installed for all colour-managed programs, "
               "so they show colours correctly.")
    for s in bullets:
        P.AA(img).ellipse((MARGIN + 4, y + 9, MARGIN + 11, y + 16), P.ACCENT)
        y = P.paragraph(img, (MARGIN + 22, y), s, body, col_w - 22, P.TEXT_SOFT) + 8

    y += 18
    P.text(img, (MARGIN, y), "Press Save to finish.", P.font(18, bold=True), P.TEXT)
    y = P.paragraph(img, (MARGIN, y + 32),
                    "You can run Lumora again at any time to recalibrate.",
                    P.font(14), col_w, P.TEXT_SOFT, leading=21)
    assert y < L.FOOTER_TOP - 8

    _monitor(img, (nav_x + 4, 84, L.PAGE_SIZE[0] - MARGIN - 10, nav_y - 26))
    return img


# ------------------------------------------------------------- small dialogs

def dialog_frame():
    w, h = L.DIALOG_SIZE
    img = Image.new("RGB", L.DIALOG_SIZE, P.BODY)
    P.rect(img, (0, 0, w, L.DIALOG_STRIP_HEIGHT), P.STRIP)
    _brand(img, 16, L.DIALOG_STRIP_HEIGHT, 16)
    P.rect(img, (0, L.DIALOG_FOOTER_TOP, w, h), P.FOOTER)
    P.rect(img, (0, L.DIALOG_FOOTER_TOP, w, L.DIALOG_FOOTER_TOP + 1), P.RULE)
    return img


def _dialog_text(img, icon_colour, glyph, title, text):
    x, y = 28, 66
    d = 40
    P.AA(img).ellipse((x, y, x + d, y + d), icon_colour)
    P.text_centred(img, (x, y, x + d, y + d), glyph, P.font(24, bold=True), P.WHITE)
    tx = x + d + 18
    width = L.DIALOG_SIZE[0] - 28 - tx
    y2 = P.paragraph(img, (tx, y + 4), title, P.font(19, bold=True), width, P.TEXT)
    y2 = P.paragraph(img, (tx, y2 + 8), text, P.font(15), width, P.TEXT_SOFT, leading=23)
    assert y2 < L.DIALOG_FOOTER_TOP - 12


def exit116():
    img = dialog_frame()
    _dialog_text(img, P.ACCENT, "?", "Quit without saving?",
                 "Nothing has been saved yet. If you quit now, your monitor returns "
                 "to its previous settings and no colour profile is installed.")
    return img


def notice108():
    img = dialog_frame()
    _dialog_text(img, P.CAUTION, "!", "Windows XP or later needed",
                 "Lumora adjusts your monitor through features that older versions "
                 "of Windows do not have. Please run it on Windows XP or a later "
                 "version.")
    return img
