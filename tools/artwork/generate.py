#!/usr/bin/python3
"""Generate Lumora's bitmaps into app/resources/bitmaps/ and its icon into
ui/resources/lumora.ico.

    python3 tools/artwork/generate.py [--out DIR] [--icon FILE.ico] [--sheet FILE.png]
                                      [--icon-sheet FILE.png]

Output is deterministic: the same packages give the same bytes on every run.
Needs Debian's python3-pil and fonts-dejavu-core.
"""

import argparse
import os
import struct
import sys

try:
    from PIL import Image
except ImportError:
    # A non-system interpreter first on PATH lacks Debian's python3-pil.
    if os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3") \
            and os.path.exists("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import buttons as B  # noqa: E402
import icon  # noqa: E402
import layout as L  # noqa: E402
import pages  # noqa: E402
import paint as P  # noqa: E402
import reminder  # noqa: E402

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
DEFAULT_OUT = os.path.join(REPO, "app", "resources", "bitmaps")
DEFAULT_ICON = os.path.join(REPO, "ui", "resources", "lumora.ico")

CIRCLE_SIZE = 82
CIRCLE_RADIUS = 35      # diameter 70, centred on the image
CIRCLE_LIT_PARITY = 0   # inside the circle, even rows are full intensity


def test_circle(channel):
    """A circle of alternating full/zero lines on a field of level 186.

    Averaged by the eye, the lines emit half the light of full intensity; the
    field is the level that a display with gamma 2.2 shows at half light. A
    correctly set channel makes the circle vanish into the field."""
    img = Image.new("RGB", (CIRCLE_SIZE, CIRCLE_SIZE))
    px = img.load()
    c = CIRCLE_SIZE / 2.0
    for y in range(CIRCLE_SIZE):
        for x in range(CIRCLE_SIZE):
            dx, dy = x + 0.5 - c, y + 0.5 - c
            if dx * dx + dy * dy <= CIRCLE_RADIUS * CIRCLE_RADIUS:
                v = 255 if y % 2 == CIRCLE_LIT_PARITY else 0
            else:
                v = L.GAMMA_LEVEL
            rgb = [0, 0, 0]
            rgb[channel] = v
            px[x, y] = tuple(rgb)
    return img


def nav_buttons():
    """Navigation buttons, each painted on the body of the page it serves."""
    size = L.NAV_SIZE
    out = {}
    out.update(B.button_set("START", size, "primary", P.BODY, label="Start"))
    out.update(B.button_set("BACK0", size, "inactive", P.BODY, looks="U", label="Back"))
    out.update(B.button_set("NEXT1", size, "primary", P.BODY, label="Next"))
    out.update(B.button_set("BACK1", size, "secondary", P.BODY, label="Back"))
    out.update(B.button_set("NEXT2", size, "primary", P.GAMMA_BODY, label="Next"))
    out.update(B.button_set("BACK2", size, "secondary", P.GAMMA_BODY, label="Back"))
    out.update(B.button_set("SAVE", size, "primary", P.BODY, label="Save"))
    out.update(B.button_set("BACK3", size, "secondary", P.BODY, label="Back"))
    return out


def strip_buttons():
    out = {}
    labels = {"EXIT": "Exit", "HELP": "Help", "ABOUT": "About"}
    for name, _, size in L.STRIP_BUTTONS:
        out.update(B.button_set(name, size, "strip", P.STRIP, label=labels[name],
                                inset=(2, 3)))
    return out


def dialog_buttons():
    out = {}
    # The long label needs a size smaller; both share it so the pair matches.
    fnt = P.font(12, bold=True)
    out.update(B.button_set("EXITNO", L.EXIT_BUTTON_SIZE, "primary", P.FOOTER,
                            label="No, go back", fnt=fnt))
    out.update(B.button_set("EXITYES", L.EXIT_BUTTON_SIZE, "secondary", P.FOOTER,
                            label="Yes, quit without saving", fnt=fnt))
    out.update(B.button_set("NOINT", L.NOTICE_OK_SIZE, "primary", P.FOOTER, label="OK"))
    return out


def all_images():
    """{file name: (image, bits per pixel)} in a fixed order."""
    images = {
        "page102.bmp": (pages.page102(), 24),
        "page103.bmp": (pages.page103(), 24),
        "page105.bmp": (pages.page105(), 24),
        "page107.bmp": (pages.page107(), 24),
        "circle182.bmp": (test_circle(0), 24),
        "circle183.bmp": (test_circle(2), 24),
        "circle184.bmp": (test_circle(1), 24),
        "exit116.bmp": (pages.exit116(), 24),
        "notice108.bmp": (pages.notice108(), 24),
    }
    btns = {}
    btns.update(nav_buttons())
    btns.update(strip_buttons())
    btns.update(dialog_buttons())
    btns["PBCU"] = B.credit_strip(L.CREDIT_SIZE, P.FOOTER)
    for stem, img in btns.items():
        images[stem + ".bmp"] = (img, 8 if stem.startswith("HELP") else 24)
    images.update(reminder.images())
    return images


def to_palette(img):
    """Exact 8-bit version of an RGB image: the palette holds precisely the
    colours used (sorted, so it is stable), padded to 256 entries."""
    colours = sorted({c for _, c in img.getcolors(1 << 16)})
    if len(colours) > 256:
        raise ValueError("image needs %d colours, 256 fit" % len(colours))
    index = {c: i for i, c in enumerate(colours)}
    out = Image.new("P", img.size)
    flat = []
    for c in colours + [(0, 0, 0)] * (256 - len(colours)):
        flat.extend(c)
    out.putpalette(flat)
    out.putdata([index[c] for c in img.getdata()])
    return out


def check_bmp(path, size, bpp):
    """Read back the headers the resource compiler and the program rely on."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:2] == b"BM", path
    hdr_size, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    colours_used = struct.unpack_from("<I", data, 46)[0]
    assert hdr_size == 40, (path, hdr_size)
    assert (w, h) == size and h > 0, (path, w, h)  # positive height: bottom-up
    assert planes == 1 and bits == bpp and compression == 0, (path, bits, compression)
    if bpp == 8:
        assert colours_used in (0, 256), (path, colours_used)


def contact_sheet(images, path):
    """All pictures on one sheet, for looking at the set as a whole."""
    order = list(images)
    big = [n for n in order if images[n][0].width > 300]
    small = [n for n in order if images[n][0].width <= 300]
    pad = 16
    sheet_w = 2 * 736 + 3 * pad
    rows = (len(big) + 1) // 2
    y = pad
    sheet = Image.new("RGB", (sheet_w, 10), (120, 120, 120))
    placements = []
    for i, n in enumerate(big):
        col, row = i % 2, i // 2
        placements.append((n, pad + col * (736 + pad), pad + row * (589 + pad)))
    y = pad + rows * (589 + pad)
    x, line_h = pad, 0
    for n in small:
        im = images[n][0]
        if x + im.width + pad > sheet_w:
            x, y = pad, y + line_h + pad
            line_h = 0
        placements.append((n, x, y))
        x += im.width + pad
        line_h = max(line_h, im.height)
    sheet = Image.new("RGB", (sheet_w, y + line_h + pad), (120, 120, 120))
    for n, x, y in placements:
        sheet.paste(images[n][0].convert("RGB"), (x, y))
    sheet.save(path)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[1])
    ap.add_argument("--out", default=DEFAULT_OUT)
    ap.add_argument("--icon", default=DEFAULT_ICON)
    ap.add_argument("--sheet", help="also write a PNG contact sheet here")
    ap.add_argument("--icon-sheet", help="also write the icon's sizes side by side here")
    args = ap.parse_args(argv)

    images = all_images()
    os.makedirs(args.out, exist_ok=True)
    for name, (img, bpp) in images.items():
        path = os.path.join(args.out, name)
        (to_palette(img) if bpp == 8 else img).save(path, format="BMP")
        check_bmp(path, img.size, bpp)
    if args.sheet:
        contact_sheet(images, args.sheet)
    print("wrote %d bitmaps to %s" % (len(images), args.out))

    icons = icon.images()
    with open(args.icon, "wb") as f:
        f.write(icon.ico_bytes(icons))
    if args.icon_sheet:
        icon.sheet(icons, args.icon_sheet)
    print("wrote the icon's %d sizes to %s" % (len(icons), args.icon))


if __name__ == "__main__":
    main()
