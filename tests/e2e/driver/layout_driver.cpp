// Walks Lumora.exe's four pages at the display's dpi and measures its layout:
//
//   layout_driver record <file> 96     writes where every control stands
//   layout_driver check <file> <dpi>   compares the layout at this dpi with it
//
// The display must have the dpi given. Every control's rectangle in its
// window's client area (the frame's, the exit question's), and the client
// areas, must be the recorded ones scaled, exactly. On the gamma page a
// capture of the screen must show each test circle's centre columns
// alternating 255 and 0 between neighbouring device pixels, and the field at
// exactly 186 right above and below each slider. Each page change is timed.
// Failures are printed; the exit code is their number (0: all held).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/ui/scaling/display_scaling.h"
#include "tests/e2e/test_patterns.h"
#include "tests/e2e/wizard_session.h"

namespace {

constexpr UINT kPages[] = {IDD_INTRO_PAGE, IDD_STEP1_PAGE, IDD_STEP2_PAGE, IDD_STEP4_PAGE};
constexpr UINT kNext[] = {IDC_START, IDC_NEXT1, IDC_NEXT2};

int failures = 0;

void Fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    ++failures;
}

RECT InClient(HWND window, HWND frame) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Per window ("frame", "exit"), its client area ("<window> client") and
// every visible control of it and of the page shown in it ("<window> <part>
// <id>#<n>": the id-less circles by their order), in its client coordinates.
using Layout = std::map<std::string, RECT>;

void Measure(const std::string& window, HWND owner, HWND page, const std::string& part, Layout& layout) {
    RECT client{};
    GetClientRect(owner, &client);
    layout[window + " client"] = client;
    for (auto [parent, name] : {std::pair{owner, std::string(" frame ")}, std::pair{page, std::string(" page ")}}) {
        std::map<int, int> seen;
        for (HWND control : e2e::ChildrenOf(parent)) {
            if (control == page || !IsWindowVisible(control)) continue;
            const int id = GetDlgCtrlID(control);
            layout[window + " " + part + name + std::to_string(id) + "#" + std::to_string(seen[id]++)] =
                InClient(control, owner);
        }
    }
}

void Write(const Layout& layout, const std::string& file) {
    std::ofstream out(file);
    for (const auto& [key, r] : layout) out << key << '|' << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << '\n';
}

Layout Read(const std::string& file) {
    Layout layout;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto bar = line.find('|');
        RECT r{};
        if (bar != std::string::npos &&
            std::sscanf(line.c_str() + bar + 1, "%ld %ld %ld %ld", &r.left, &r.top, &r.right, &r.bottom) == 4)
            layout[line.substr(0, bar)] = r;
    }
    return layout;
}

LayoutRect Of(const RECT& r) { return {int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)}; }

void Compare(const Layout& at96, const Layout& now, const DisplayScaling& scaling) {
    std::printf("%zu rectangles compared\n", at96.size());
    for (const auto& [key, r96] : at96) {
        const auto found = now.find(key);
        if (found == now.end()) {
            Fail(key + " is missing");
            continue;
        }
        const RECT& r = found->second;
        const LayoutRect expected = scaling.Scale(Of(r96));
        if (Of(r) != expected) {
            char text[200];
            std::snprintf(text, sizeof text, "%s at %ld,%ld %ldx%ld, not %d,%d %dx%d", key.c_str(), r.left, r.top,
                          r.right - r.left, r.bottom - r.top, expected.x, expected.y, expected.width, expected.height);
            Fail(text);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[1] : "";
    if (mode != "record" && mode != "check") {
        std::fprintf(stderr, "usage: layout_driver record|check <file> <dpi>\n");
        return 2;
    }
    HDC screen = GetDC(nullptr);
    const DisplayScaling scaling(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    std::printf("%d dpi\n", scaling.dpi());
    // A dpi that did not take would compare a layout with itself.
    if (scaling.dpi() != std::atoi(argv[3]) || (mode == "record" && !scaling.Unscaled()))
        return Fail(std::string("the display is not at ") + argv[3] + " dpi"), failures;
    e2e::WizardSession wizard;
    if (!wizard.ready() || !wizard.Start()) return Fail("the wizard did not show"), failures;
    Layout layout;
    for (int page = 0; page < 4; ++page) {
        if (!wizard.WaitForPage(kPages[page])) return Fail("page " + std::to_string(page + 1) + " did not show"), failures;
        Measure("frame", wizard.Frame(), wizard.ActivePage(), "page" + std::to_string(page + 1), layout);
        if (page == 0) {
            // The exit question, answered "exitno".
            if (!wizard.Click(IDCANCEL)) return Fail("Exit could not be pressed"), failures;
            HWND question = wizard.WaitForExitQuestion();
            if (!question) return Fail("the exit question did not show"), failures;
            Measure("exit", question, nullptr, "question", layout);
            if (!wizard.Click(IDCANCEL, question)) return Fail("exitno could not be pressed"), failures;
        }
        if (kPages[page] == IDD_STEP2_PAGE) {
            Sleep(500);  // the page's paint reaches the screen
            for (const std::string& failure : e2e::TestPatternFailures(wizard.Frame(), wizard.ActivePage(), scaling))
                Fail(failure);
        }
        if (page < 3) {
            const DWORD start = GetTickCount();
            if (!wizard.Click(kNext[page]) || !wizard.WaitForPage(kPages[page + 1]))
                return Fail("Next could not be pressed"), failures;
            wizard.WaitForIdle();
            std::printf("page %d -> %d: %lu ms\n", page + 1, page + 2, GetTickCount() - start);
        }
    }
    if (!wizard.Exit()) Fail("the wizard did not end");
    if (mode == "record")
        Write(layout, argv[2]);
    else
        Compare(Read(argv[2]), layout, scaling);
    std::printf("%s: %d failures\n", mode.c_str(), failures);
    return failures;
}
