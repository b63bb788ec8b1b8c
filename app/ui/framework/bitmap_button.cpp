#include "app/ui/framework/bitmap_button.h"

#include <string>

BOOL CBitmapButton::AutoLoad(UINT id, CWnd& parent) {
    if (!SubclassWindow(GetDlgItem(parent.GetSafeHwnd(), id))) return FALSE;

    char caption[64] = {};
    GetWindowTextA(GetSafeHwnd(), caption, sizeof caption);
    static constexpr char kSuffixes[kSlots] = {'U', 'D', 'F', 'X'};
    for (int slot = 0; slot < kSlots; ++slot) images_[slot].LoadBitmap((caption + std::string(1, kSuffixes[slot])).c_str());

    if (!images_[kNormal].GetSafeHandle()) return FALSE;
    SizeToContent();
    return TRUE;
}

void CBitmapButton::ScaleTo(const DisplayScaling& scaling) {
    scaling_ = scaling;
    SizeToContent();
}

void CBitmapButton::SizeToContent() {
    BITMAP image{};
    if (!images_[kNormal].GetBitmap(&image)) return;
    SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, scaling_.Scale(image.bmWidth), scaling_.Scale(image.bmHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

HBITMAP CBitmapButton::ImageFor(UINT itemState) const {
    if ((itemState & ODS_SELECTED) && images_[kSelected].GetSafeHandle()) return images_[kSelected].GetSafeHandle();
    if ((itemState & ODS_FOCUS) && images_[kFocused].GetSafeHandle()) return images_[kFocused].GetSafeHandle();
    if ((itemState & ODS_DISABLED) && images_[kDisabled].GetSafeHandle()) return images_[kDisabled].GetSafeHandle();
    return images_[kNormal].GetSafeHandle();
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
    // Without a normal image the button draws nothing.
    if (HBITMAP image = ImageFor(item.itemState)) DrawBitmap(item.hDC, item.rcItem, image, scaling_);
}
