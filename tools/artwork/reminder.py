"""The resume program's reminder: a dialog picture in the wizard's look and
its two buttons. The buttons sit on the footer band at the pixel positions
that companions/reminder_dialog.cpp gives them."""

import buttons as B
import layout as L
import pages
import paint as P

NOW_AT = (28, 308)
LATER_AT = (225, 308)
BUTTON_SIZE = L.EXIT_BUTTON_SIZE


def reminder130():
    img = pages.dialog_frame()
    pages._dialog_text(img, P.ACCENT, "!", "Time to calibrate again",
                       "Monitors drift as they age. A few minutes with Lumora "
                       "bring the colours of yours back to where you set them.")
    note = "Choose Later to be asked again the next time you log on."
    end = P.paragraph(img, (86, 186), note, P.font(13), L.DIALOG_SIZE[0] - 28 - 86,
                      P.TEXT_SOFT, leading=19)
    assert end < L.DIALOG_FOOTER_TOP - 8
    for at in (NOW_AT, LATER_AT):
        assert at[1] > L.DIALOG_FOOTER_TOP and at[1] + BUTTON_SIZE[1] < L.DIALOG_SIZE[1]
        assert at[0] + BUTTON_SIZE[0] <= L.DIALOG_SIZE[0] - 20
    return img


def images():
    """{file name: (image, bits per pixel)} of the reminder's pictures."""
    out = {"reminder130.bmp": (reminder130(), 24)}
    fnt = P.font(12, bold=True)
    buttons = {}
    buttons.update(B.button_set("REMINDNOW", BUTTON_SIZE, "primary", P.FOOTER,
                                label="Calibrate now", fnt=fnt))
    buttons.update(B.button_set("REMINDLATER", BUTTON_SIZE, "secondary", P.FOOTER,
                                label="Later", fnt=fnt))
    for stem, img in buttons.items():
        out[stem + ".bmp"] = (img, 24)
    return out
