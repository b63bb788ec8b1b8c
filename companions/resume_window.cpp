#include "companions/resume_window.h"

namespace companions {

namespace {

constexpr UINT_PTR kRegisterTimer = 1;
constexpr UINT kRegisterRetryMs = 5000;
constexpr int kRegisterAttempts = 24;  // two minutes for the session service to start

}  // namespace

ResumeWindow::~ResumeWindow() {
    if (window_) DestroyWindow(window_);
}

bool ResumeWindow::Create(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kResumeWindowClass;
    if (!RegisterClassA(&windowClass)) return false;
    // Never shown, and untitled so that nothing takes it for a "Lumora" window.
    return CreateWindowExA(WS_EX_TOOLWINDOW, kResumeWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                           /*parent=*/nullptr, /*menu=*/nullptr, instance, this) != nullptr;
}

LRESULT CALLBACK ResumeWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ResumeWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ResumeWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT ResumeWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: RegisterForUnlock(); return 0;
    case WM_TIMER:
        if (wParam == kRegisterTimer) RegisterForUnlock();
        if (wParam == LoaderApplies::kTimer) applies_.OnTimer(window_);
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) applies_.Request(window_);
        return TRUE;
    case WM_WTSSESSION_CHANGE:
        if (wParam == WTS_SESSION_UNLOCK) applies_.Request(window_);
        return 0;
    case WM_DISPLAYCHANGE: applies_.Request(window_); return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
        // The session may end as soon as this returns: clean up now.
        if (wParam) DestroyWindow(window_);
        return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

// Retried on a timer until it succeeds or the attempts run out; without it
// the program still serves wakes and display changes.
void ResumeWindow::RegisterForUnlock() {
    if (sessions_.Register(window_) || ++registerAttempts_ >= kRegisterAttempts) {
        KillTimer(window_, kRegisterTimer);
        return;
    }
    if (registerAttempts_ == 1) SetTimer(window_, kRegisterTimer, kRegisterRetryMs, nullptr);
}

void ResumeWindow::OnDestroy() {
    KillTimer(window_, kRegisterTimer);
    sessions_.Unregister();
    PostQuitMessage(0);
}

}  // namespace companions
