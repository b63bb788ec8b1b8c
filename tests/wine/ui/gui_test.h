// Helpers of the toolkit's window tests under Wine.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "tests/support/display.h"
#include "ui/framework/dialog.h"

namespace gui {

// Dispatches this thread's messages for about `milliseconds`.
inline void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// Pixels of a rectangle in dialog units, position and size each rounded on
// their own as the dialog manager does.
inline RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    RECT rect{x, y, width, height};
    MapDialogRect(dialog, &rect);
    return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

// A control's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

inline SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

inline POINT ScreenPoint(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

// Takes the presses a window is sent as if on its caption, and swallows
// them, so that no move loop starts.
class CaptionPresses {
public:
    explicit CaptionPresses(HWND window)
        : window_(window),
          previous_(reinterpret_cast<WNDPROC>(
              SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Record)))) {
        current_ = this;
    }
    ~CaptionPresses() {
        if (IsWindow(window_)) SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        current_ = nullptr;
    }
    std::vector<std::pair<WPARAM, LPARAM>> presses;

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCLBUTTONDOWN) {
            current_->presses.emplace_back(wParam, lParam);
            return 0;
        }
        return CallWindowProcA(current_->previous_, window, message, wParam, lParam);
    }
    static inline CaptionPresses* current_ = nullptr;
    HWND window_;
    WNDPROC previous_;
};

// A 32-bit memory canvas to draw on and read back.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 0, 255)) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        const DWORD pixel = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
        std::fill(bits_, bits_ + width * height, pixel);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const {
        const DWORD pixel = bits_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    int Count(COLORREF colour) const {
        int count = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) count += Pixel(x, y) == colour;
        return count;
    }
    bool SameAs(const Canvas& other) const {
        return width_ == other.width_ && height_ == other.height_ &&
               std::equal(bits_, bits_ + width_ * height_, other.bits_,
                          [](DWORD a, DWORD b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); });
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    DWORD* bits_ = nullptr;
};

// What a window shows on screen, read back from its window surface.
inline void CaptureWindow(HWND window, const Canvas& canvas, SIZE size) {
    HDC dc = GetDC(window);
    BitBlt(canvas.dc(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

// Runs `dialog` modally. Each step runs once, in order, one 60 ms timer tick
// after the other, inside the dialog's own modal loop, so that posted keys
// pass through its dialog-message handling. A watchdog ends a dialog that is
// still open after five seconds with kWatchdogResult.
using Step = std::function<void(HWND dialog)>;
constexpr INT_PTR kWatchdogResult = -2;

namespace detail {
struct ModalRun {
    const CDialog* dialog;
    std::vector<Step> steps;
    size_t next = 0;
    UINT_PTR watchdog = 0;
};
inline ModalRun* run = nullptr;

inline void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = run->dialog->GetSafeHwnd();
    if (!window) return;
    if (timer == run->watchdog) {
        ADD_FAILURE() << "the dialog was still open after five seconds";
        EndDialog(window, kWatchdogResult);
    } else if (run->next < run->steps.size()) {
        run->steps[run->next++](window);
    }
}
}  // namespace detail

inline INT_PTR RunModal(CDialog& dialog, std::vector<Step> steps) {
    detail::ModalRun state{&dialog, std::move(steps)};
    detail::run = &state;
    const UINT_PTR stepTimer = SetTimer(nullptr, 0, 60, detail::Tick);
    state.watchdog = SetTimer(nullptr, 0, 5000, detail::Tick);
    const INT_PTR result = dialog.DoModal();
    KillTimer(nullptr, stepTimer);
    KillTimer(nullptr, state.watchdog);
    detail::run = nullptr;
    return result;
}

}  // namespace gui
