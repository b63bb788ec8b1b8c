#include "app/ui/dialog_layout.h"

namespace {

LayoutRect ClientRectOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {0, 0, client.right, client.bottom};
}

LayoutRect RectInParent(HWND control, HWND parent) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The base units the dialog manager gave `dialog`.
DialogBaseUnits PlacedBaseUnits(HWND dialog) {
    RECT units{0, 0, 4, 8};
    if (!MapDialogRect(dialog, &units)) return {0, 0};
    return {units.right, units.bottom};
}

// The base units of `dialog`'s font made for 96 dpi, measured as the dialog
// manager measures them. Where the font cannot be measured, the placed base
// units shrunk in proportion stand in.
DialogBaseUnits BaseUnitsAt96(HWND dialog, int dpi, DialogBaseUnits placed) {
    const DialogBaseUnits proportional{MulDiv(placed.x, kDesignDpi, dpi), MulDiv(placed.y, kDesignDpi, dpi)};
    LOGFONTA description{};
    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (!font || GetObjectA(font, sizeof description, &description) != sizeof description) return proportional;
    description.lfHeight = FontHeightAt96(description.lfHeight, dpi);
    HFONT font96 = CreateFontIndirectA(&description);
    if (!font96) return proportional;
    DialogBaseUnits measured = proportional;
    if (HDC screen = GetDC(nullptr)) {
        if (HGDIOBJ previous = SelectObject(screen, font96)) {
            static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
            TEXTMETRICA metrics{};
            SIZE extent{};
            if (GetTextMetricsA(screen, &metrics) && GetTextExtentPoint32A(screen, kAlphabet, 52, &extent))
                measured = BaseUnitsOf(extent.cx, metrics.tmHeight);
            SelectObject(screen, previous);
        }
        ReleaseDC(nullptr, screen);
    }
    DeleteObject(font96);
    return measured;
}

}  // namespace

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return kDesignDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

RECT Scaled(const RECT& rect, const DisplayScaling& scaling) {
    return {scaling.Scale(rect.left), scaling.Scale(rect.top), scaling.Scale(rect.right), scaling.Scale(rect.bottom)};
}

void DialogLayout::Capture(HWND dialog, int dpi) {
    dialog_ = dialog;
    controls_.clear();
    const DialogBaseUnits placed = PlacedBaseUnits(dialog);
    // At 96 dpi the dialog manager's own base units are the 96-dpi ones.
    const DialogBaseUnits at96 = dpi == kDesignDpi || !placed.x ? placed : BaseUnitsAt96(dialog, dpi, placed);
    client_ = RectAt96(ClientRectOf(dialog), placed, at96);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls_.emplace_back(child, RectAt96(RectInParent(child, dialog), placed, at96));
}

SIZE DialogLayout::WindowSize(const DisplayScaling& scaling) const {
    RECT window{0, 0, scaling.Scale(client_.width), scaling.Scale(client_.height)};
    AdjustWindowRectEx(&window, static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_EXSTYLE)));
    return {window.right - window.left, window.bottom - window.top};
}

void DialogLayout::Apply(const DisplayScaling& scaling) const {
    for (const auto& [control, at96] : controls_) {
        const LayoutRect rect = scaling.Scale(at96);
        SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

DisplayScaling LayOutAtScreenDpi(HWND dialog) {
    const DisplayScaling scaling(ScreenDpi());
    if (scaling.Unscaled()) return scaling;
    DialogLayout layout;
    layout.Capture(dialog, scaling.dpi());
    const SIZE size = layout.WindowSize(scaling);
    SetWindowPos(dialog, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    layout.Apply(scaling);
    return scaling;
}

std::vector<HWND> PictureControls(HWND dialog) {
    std::vector<HWND> pictures;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[8] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") == 0 && (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            pictures.push_back(child);
    }
    return pictures;
}
