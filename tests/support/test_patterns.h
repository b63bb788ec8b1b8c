// The gamma page's test patterns as the screen shows them: each circle's
// centre columns alternate 255 and 0 between neighbouring device pixels in
// its channel, and the field right above and below each slider is exactly
// 186. For the layout driver and the in-process dpi tests alike.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/test_circle.h"

namespace e2e {

// The screen as the user sees it, read back from the screen's device context.
class ScreenCapture {
public:
    explicit ScreenCapture(const RECT& area) : area_(area) {
        const int width = area.right - area.left, height = area.bottom - area.top;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap && bits) {
            HGDIOBJ previous = SelectObject(memory, bitmap);
            if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
                const auto* pixels = static_cast<const std::uint32_t*>(bits);
                pixels_.assign(pixels, pixels + std::size_t(width) * height);
            }
            SelectObject(memory, previous);
        }
        if (bitmap) DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    bool ok() const { return !pixels_.empty(); }
    // Red, green, blue of the screen pixel (x, y).
    std::array<int, 3> At(int x, int y) const {
        const std::uint32_t p = pixels_[std::size_t(y - area_.top) * (area_.right - area_.left) + (x - area_.left)];
        return {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
    }

private:
    RECT area_;
    std::vector<std::uint32_t> pixels_;
};

inline bool OnlyChannel(const std::array<int, 3>& rgb, int channel, int level) {
    for (int c = 0; c < 3; ++c)
        if (rgb[c] != (c == channel ? level : 0)) return false;
    return true;
}

inline std::vector<RECT> ScreenRectsOf(HWND page, const char* className) {
    std::vector<RECT> rects;
    for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(control, name, sizeof name);
        RECT r{};
        if (lstrcmpiA(name, className) == 0 && GetWindowRect(control, &r)) rects.push_back(r);
    }
    std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    return rects;
}

// Red, blue, green from left to right.
constexpr int kChannels[] = {0, 2, 1};

// What does not hold, in words; empty when all does.
inline std::vector<std::string> TestPatternFailures(HWND frame, HWND page, const DisplayScaling& scaling) {
    std::vector<std::string> failures;
    const auto Fail = [&](const std::string& what) { failures.push_back(what); };
    RECT area{};
    GetWindowRect(frame, &area);
    const ScreenCapture screen(area);
    if (!screen.ok()) return {"the screen could not be captured"};
    const std::vector<RECT> circles = ScreenRectsOf(page, "Static");
    const std::vector<RECT> sliders = ScreenRectsOf(page, TRACKBAR_CLASSA);
    if (circles.size() != 3 || sliders.size() != 3) return {"the gamma page lacks its circles or sliders"};
    const int diameter = 2 * scaling.Scale(kTestCircleRadius);
    for (int i = 0; i < 3; ++i) {
        const int channel = kChannels[i];
        const std::string name = "circle " + std::to_string(i + 1);
        const RECT& c = circles[i];
        for (int x : {(c.left + c.right) / 2 - 1, (c.left + c.right) / 2}) {
            int top = c.top, bottom = c.bottom - 1;
            while (top < bottom && OnlyChannel(screen.At(x, top), channel, kTestFieldLevel)) ++top;
            while (bottom > top && OnlyChannel(screen.At(x, bottom), channel, kTestFieldLevel)) --bottom;
            if (std::abs(bottom - top + 1 - diameter) > 2)
                Fail(name + ": lines over " + std::to_string(bottom - top + 1) + " rows, not " + std::to_string(diameter));
            for (int y = top; y <= bottom; ++y) {
                const int level = (y - top) % 2 == 0 ? screen.At(x, top)[channel] : 255 - screen.At(x, top)[channel];
                if (!OnlyChannel(screen.At(x, y), channel, level) || (level != 0 && level != 255)) {
                    Fail(name + ": column " + std::to_string(x) + " does not alternate 255/0 at row " + std::to_string(y));
                    break;
                }
            }
        }
        const RECT& s = sliders[i];
        for (LONG y : {s.top - 1, s.bottom})
            for (int x = s.left; x < s.right; ++x)
                if (!OnlyChannel(screen.At(x, y), channel, kTestFieldLevel)) {
                    Fail("slider " + std::to_string(i + 1) + ": the field is not 186 at " + std::to_string(x) + "," +
                         std::to_string(y));
                    break;
                }
    }
    return failures;
}

}  // namespace e2e
