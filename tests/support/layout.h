// Where a window's controls stand, as a user's screen shows them: the one
// measure of a layout for the layout driver and the in-process dpi tests.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/scaling/display_scaling.h"

namespace test_support {

struct Placed {
    RECT rect;        // in the measuring window's client coordinates
    LONG fontHeight;  // 0 for a control without a font, or one of another process
};
// By "<name>/client" and "<name>/<id>#<n>" (the n-th control of that id).
using Layout = std::map<std::string, Placed>;

// Adds the client area of `dialog` and every control in it but the page
// dialogs, which are measured on their own, as `name`, in `origin`'s client
// coordinates.
inline void Measure(HWND dialog, const std::string& name, HWND origin, Layout& layout) {
    std::map<int, int> seen;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[8] = {};
        GetClassNameA(child, kind, sizeof kind);
        if (lstrcmpA(kind, "#32770") == 0) continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, origin, reinterpret_cast<POINT*>(&rect), 2);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof font, &font);
        const int id = GetDlgCtrlID(child);
        layout[name + "/" + std::to_string(id) + "#" + std::to_string(seen[id]++)] = {rect, font.lfHeight};
    }
    RECT client{};
    GetClientRect(dialog, &client);
    layout[name + "/client"] = {client, 0};
}

inline LayoutRect Of(const RECT& r) { return {int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)}; }

// How `now` differs from `at96` scaled: every rectangle must be there and
// stand exactly where the rule puts it, and nothing else. A 96-dpi layout
// with nothing in it compares nothing, and fails.
inline std::vector<std::string> ScalingFailures(const Layout& at96, const Layout& now, const DisplayScaling& scaling) {
    if (at96.empty()) return {"the 96-dpi layout holds no rectangle"};
    std::vector<std::string> failures;
    for (const auto& [key, placed] : at96) {
        const auto found = now.find(key);
        if (found == now.end()) {
            failures.push_back(key + " is missing");
            continue;
        }
        const LayoutRect expected = scaling.Scale(Of(placed.rect)), got = Of(found->second.rect);
        const auto text = [](const LayoutRect& r) {
            return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
                   std::to_string(r.height);
        };
        if (got != expected) failures.push_back(key + " at " + text(got) + ", not " + text(expected));
    }
    for (const auto& [key, placed] : now)
        if (!at96.count(key)) failures.push_back(key + " is new");
    return failures;
}

}  // namespace test_support
