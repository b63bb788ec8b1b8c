#include "app/ui/hover_button.h"

#include "app/resources/resource.h"

void CHoverButton::OnMouseMove(UINT, POINT) {
    if (!hovering_) {
        FocusHiddenButton();
        SetState(TRUE);
        hovering_ = 1;
        SetTimer(GetSafeHwnd(), timerId_, 100, nullptr);
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
        KillTimer(GetSafeHwnd(), timerId_);
        SetState(FALSE);
    }
    Default();
}

// A parent without the hidden button keeps its focus where it is, rather
// than losing it to a null window.
void CHoverButton::FocusHiddenButton() {
    HWND parent = GetParent(GetSafeHwnd());
    HWND hidden = GetDlgItem(parent, IDC_HIDDEN_DEFAULT);
    if (hidden) SendMessageA(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hidden), TRUE);
}
