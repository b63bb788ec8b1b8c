"""Where the wizard's controls land on the pictures.

The dialogs are laid out in dialog units; the pictures are in pixels. With
the usual base units of 6 x 13 a dialog unit maps to 6/4 px across and
13/8 px down. Real systems differ slightly, so anything that has to sit
exactly under a control is checked against a few neighbouring base units.
"""

import math

PAGE_SIZE = (736, 589)
DIALOG_SIZE = (443, 363)

BASE_UNITS = ((6.0, 13.0), (6.0, 13.02), (5.99, 13.0))
NOMINAL = BASE_UNITS[0]


def du_to_px(x, y, base=NOMINAL):
    return (x * base[0] / 4.0, y * base[1] / 8.0)


def du_rect(x, y, w, h, base=NOMINAL):
    """Pixels touched by a dialog-unit rectangle, as (x0, y0, x1, y1) with
    exclusive x1/y1. Partly covered pixels count as covered."""
    px0, py0 = du_to_px(x, y, base)
    px1, py1 = du_to_px(x + w, y + h, base)
    return (math.floor(px0), math.floor(py0), math.ceil(px1), math.ceil(py1))


def du_origin_rect(x, y, w_px, h_px, base=NOMINAL):
    """A control placed in dialog units but sized in pixels (a picture)."""
    px0, py0 = du_to_px(x, y, base)
    return (math.floor(px0), math.floor(py0),
            math.ceil(px0) + w_px, math.ceil(py0) + h_px)


def union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def grow(r, m):
    return (r[0] - m, r[1] - m, r[2] + m, r[3] + m)


def contains(outer, inner):
    return (outer[0] <= inner[0] and outer[1] <= inner[1]
            and outer[2] >= inner[2] and outer[3] >= inner[3])


# Top-left picture buttons of every page (dialog units, size in px).
STRIP_BUTTONS = (("EXIT", (3, 3), (59, 30)),
                 ("HELP", (43, 3), (56, 30)),
                 ("ABOUT", (82, 3), (61, 30)))
STRIP_HEIGHT = 42
DRAG_STRIP = (188, 5, 728, 34)

NEXT_AT = (396, 160)      # start / next / save
BACK_AT = (347, 160)
NAV_SIZE = (73, 28)
CREDIT_AT = (414, 295)
CREDIT_SIZE = (112, 12)
WEB_PANE_DU = (2, 304, 487, 57)
FOOTER_TOP = 468          # shade from here; the web pane covers y >= ~494

REMINDER_DU = (89, 202, 77, 14)  # reminder interval drop-down, closed height
# The introduction page's template is in "Microsoft Sans Serif" 10 pt, whose
# base units are larger than the frame's: 8 x 15 under Wine (about 7 x 16 on
# Windows at 96 dpi), so its drop-down lands lower and further right.
INTRO_BASE = (8.0, 15.0)

# Gamma page: (channel index, slider origin du, picture origin du).
SLIDER_SIZE_DU = (86, 14)
PICTURE_PX = 82
GAMMA_CONTROLS = ((0, (50, 140), (67, 86)),   # red
                  (2, (201, 140), (218, 86)),  # blue
                  (1, (352, 140), (369, 86)))  # green
FIELD_MARGIN = 10
GAMMA_LEVEL = 186  # round(255 * 0.5 ** (1 / 2.2))

# Exit / notice dialogs.
EXIT_NO_AT = (19, 190)
EXIT_YES_AT = (150, 190)
EXIT_BUTTON_SIZE = (191, 28)
NOTICE_OK_PX = (28, 308)
NOTICE_OK_SIZE = (94, 28)
DIALOG_STRIP_HEIGHT = 38
DIALOG_FOOTER_TOP = 294


def px(at, base=NOMINAL):
    x, y = du_to_px(at[0], at[1], base)
    return (int(x), int(y))


def gamma_control_rects(base):
    """[(channel, slider_rect, picture_rect)] for one set of base units."""
    out = []
    for ch, slider, pic in GAMMA_CONTROLS:
        s = du_rect(slider[0], slider[1], SLIDER_SIZE_DU[0], SLIDER_SIZE_DU[1], base)
        p = du_origin_rect(pic[0], pic[1], PICTURE_PX, PICTURE_PX, base)
        out.append((ch, s, p))
    return out


def gamma_fields():
    """One field per channel: the smallest rectangle holding both controls with
    the required margin under every base unit variant, widened symmetrically to
    a common size so the three fields look alike."""
    needed = {}
    for base in BASE_UNITS:
        for ch, s, p in gamma_control_rects(base):
            r = grow(union(s, p), FIELD_MARGIN)
            needed[ch] = union(needed[ch], r) if ch in needed else r
    width = max(r[2] - r[0] for r in needed.values()) + 8
    top = min(r[1] for r in needed.values()) - 6
    bottom = max(r[3] for r in needed.values())
    fields = {}
    for ch, r in needed.items():
        cx = (r[0] + r[2]) // 2
        f = (cx - width // 2, top, cx - width // 2 + width, bottom)
        assert contains(f, r), (ch, f, r)
        fields[ch] = f
    return fields
