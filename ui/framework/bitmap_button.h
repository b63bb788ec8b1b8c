#pragma once

#include "ui/framework/bitmap.h"
#include "ui/framework/button.h"
#include "ui/scaling/scaled_picture.h"

// An owner-drawn button painted from up to four images: normal, selected
// (pushed), focused and disabled.
class CBitmapButton : public CButton {
public:
    // Takes over dialog control `id` of `parent` and loads the images named
    // after its caption with "U", "D", "F" and "X"; a missing image leaves
    // its slot empty. With a normal image the button takes that image's size.
    // TRUE when the normal image loaded.
    BOOL AutoLoad(UINT id, CWnd& parent);
    // Shows the images at `scaling`, each resampled once; the button's size
    // is its dialog's to set.
    void ScaleTo(const DisplayScaling& scaling);

    void BindTo(HWND control) override { SubclassWindow(control); }
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    enum Slot { kNormal, kSelected, kFocused, kDisabled, kSlots };

    Slot SlotFor(UINT itemState) const;

    CBitmap images_[kSlots];
    ScaledPicture shown_[kSlots];
    DisplayScaling scaling_;
};
