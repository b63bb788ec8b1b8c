#include "app/ui/bgr_combo_box.h"

namespace {

constexpr COLORREF kSelectedText = RGB(0, 0, 0);
constexpr COLORREF kSelectedBackground = RGB(213, 213, 213);

// A request for no item (-1) carries no text pointer: it is drawn empty.
const char* TextOf(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || !item.itemData) return "";
    return reinterpret_cast<const char*>(item.itemData);
}

}  // namespace

void CBgrComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const char* text = TextOf(item);
    const COLORREF oldText = GetTextColor(dc);
    const COLORREF oldBackground = GetBkColor(dc);

    COLORREF fill = oldBackground;
    if (item.itemState & ODS_SELECTED) {
        SetTextColor(dc, kSelectedText);
        fill = kSelectedBackground;
    }
    SetBkColor(dc, fill);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);  // fills the item
    RECT area = item.rcItem;
    DrawTextA(dc, text, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT);

    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBackground);
}
