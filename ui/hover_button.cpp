#include "ui/hover_button.h"

namespace {

constexpr UINT_PTR kHoverTimer = 1;

}  // namespace

void CHoverButton::OnMouseMove(UINT, POINT) {
    if (!hovering_) {
        FocusHiddenButton();
        SetState(TRUE);
        hovering_ = 1;
        SetTimer(GetSafeHwnd(), kHoverTimer, 100, nullptr);
    }
    Default();
}

void CHoverButton::OnTimer(UINT_PTR) {
    const POINT pointer = CurrentMessagePoint();
    RECT client{};
    GetClientRect(GetSafeHwnd(), &client);
    if (!PtInRect(&client, pointer)) {
        FocusHiddenButton();
        hovering_ = 0;
        KillTimer(GetSafeHwnd(), kHoverTimer);
        SetState(FALSE);
    }
    Default();
}

// A parent without the hidden button keeps its focus where it is, rather
// than losing it to a null window.
void CHoverButton::FocusHiddenButton() {
    HWND parent = GetParent(GetSafeHwnd());
    HWND hidden = GetDlgItem(parent, kHiddenDefaultButton);
    if (hidden) SendMessageA(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hidden), TRUE);
}
