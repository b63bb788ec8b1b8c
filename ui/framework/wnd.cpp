#include "ui/framework/wnd.h"

namespace {

// Newer than the headers of the Windows versions we build for.
constexpr UINT kWmDpiChanged = 0x02E0;
constexpr UINT kWmGetDpiScaledSize = 0x02E4;

POINT PointFromLParam(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

CWnd::~CWnd() {
    if (superProc_) Unlink();
}

CWnd* CWnd::FromHandle(HWND window) {
    if (!window || GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&StaticWindowProc))
        return nullptr;
    return reinterpret_cast<CWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool CWnd::SubclassWindow(HWND window) {
    if (!window || hwnd_) return false;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    superProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc)));
    if (!superProc_) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return false;
    }
    hwnd_ = window;
    return true;
}

// Gives the window back its own procedure, unless someone has subclassed it
// after us: then only the link goes, and our procedure passes messages on
// to the default.
void CWnd::Unlink() {
    if (GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StaticWindowProc))
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    superProc_ = nullptr;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);

    const Message outer = self->current_;
    self->current_ = {message, wParam, lParam};
    if (message == WM_NCDESTROY) {
        // The object may end its own life in PostNcDestroy: touch it no more.
        const LRESULT result = self->Default();
        self->Unlink();
        self->PostNcDestroy();
        return result;
    }
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    self->current_ = outer;
    return result;
}

LRESULT CWnd::Default() {
    if (!superProc_) return DefWindowProcA(hwnd_, current_.message, current_.wParam, current_.lParam);
    return CallWindowProcA(superProc_, hwnd_, current_.message, current_.wParam, current_.lParam);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const {
    return ::MessageBoxA(hwnd_ ? GetAncestor(hwnd_, GA_ROOT) : nullptr, text, caption, type);
}

POINT CWnd::CurrentMessagePoint() const {
    const DWORD position = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(hwnd_, &point);
    return point;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? 0 : Default();
    case WM_NOTIFY:
        if (!lParam) return Default();
        return OnNotify(static_cast<int>(wParam), *reinterpret_cast<NMHDR*>(lParam));
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointFromLParam(lParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message - WM_CTLCOLORMSGBOX));
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* control = item && item->CtlType != ODT_MENU ? FromHandle(item->hwndItem) : nullptr;
        if (!control) return Default();
        control->DrawItem(*item);
        return TRUE;
    }
    case WM_DESTROY: OnDestroy(); return 0;
    case kWmDpiChanged:
        if (!lParam) return Default();
        return OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    case kWmGetDpiScaledSize:
        if (!lParam) return Default();
        return OnGetDpiScaledSize(LOWORD(wParam), *reinterpret_cast<SIZE*>(lParam)) ? TRUE : Default();
    default: return Default();
    }
}

void CWnd::DrawItem(const DRAWITEMSTRUCT&) {}

BOOL CWnd::OnCommand(UINT, UINT, HWND) { return FALSE; }
LRESULT CWnd::OnNotify(int, NMHDR&) { return Default(); }
void CWnd::OnHScroll(UINT, UINT, HWND) { Default(); }
void CWnd::OnLButtonDown(UINT, POINT) { Default(); }
void CWnd::OnMouseMove(UINT, POINT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnDestroy() { Default(); }
LRESULT CWnd::OnDpiChanged(UINT, const RECT&) { return Default(); }
BOOL CWnd::OnGetDpiScaledSize(UINT, SIZE&) { return FALSE; }
