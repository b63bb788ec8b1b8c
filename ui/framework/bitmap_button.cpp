#include "ui/framework/bitmap_button.h"

#include <string>

BOOL CBitmapButton::AutoLoad(UINT id, CWnd& parent) {
    if (!SubclassWindow(GetDlgItem(parent.GetSafeHwnd(), id))) return FALSE;

    char caption[64] = {};
    GetWindowTextA(GetSafeHwnd(), caption, sizeof caption);
    static constexpr char kSuffixes[kSlots] = {'U', 'D', 'F', 'X'};
    for (int slot = 0; slot < kSlots; ++slot)
        images_[slot].LoadBitmap((caption + std::string(1, kSuffixes[slot])).c_str());
    ScaleTo(scaling_);

    BITMAP image{};
    if (!images_[kNormal].GetBitmap(&image)) return FALSE;
    SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, image.bmWidth, image.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    return TRUE;
}

void CBitmapButton::ScaleTo(const DisplayScaling& scaling) {
    scaling_ = scaling;
    for (int slot = 0; slot < kSlots; ++slot) shown_[slot].ScaleTo(images_[slot].GetSafeHandle(), scaling);
}

CBitmapButton::Slot CBitmapButton::SlotFor(UINT itemState) const {
    if ((itemState & ODS_SELECTED) && images_[kSelected].GetSafeHandle()) return kSelected;
    if ((itemState & ODS_FOCUS) && images_[kFocused].GetSafeHandle()) return kFocused;
    if ((itemState & ODS_DISABLED) && images_[kDisabled].GetSafeHandle()) return kDisabled;
    return kNormal;
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
    // Without a normal image the button draws nothing.
    if (HBITMAP image = shown_[SlotFor(item.itemState)].Get()) CopyBitmap(item.hDC, item.rcItem, image);
}
