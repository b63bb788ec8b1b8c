// Walks Lumora.exe's four pages at the display's dpi and measures its layout:
//
//   layout_driver record <file> 96     writes where every control stands
//   layout_driver check <file> <dpi>   compares the layout at this dpi with it
//
// The display must have the dpi given. Every control's rectangle in its
// window's client area (the frame's, the exit question's), and the client
// areas, must be the recorded ones scaled, exactly; a record with nothing in
// it fails. On the gamma page a
// capture of the screen must show each test circle's centre columns
// alternating 255 and 0 between neighbouring device pixels, and the field at
// exactly 186 right above and below each slider. Each page change is timed.
// Failures are printed; the exit code is their number (0: all held).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/support/layout.h"
#include "tests/support/test_patterns.h"
#include "tests/e2e/wizard_session.h"

namespace {

constexpr UINT kPages[] = {IDD_INTRO_PAGE, IDD_STEP1_PAGE, IDD_STEP2_PAGE, IDD_STEP4_PAGE};
constexpr UINT kNext[] = {IDC_START, IDC_NEXT1, IDC_NEXT2};

int failures = 0;

void Fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    ++failures;
}

using test_support::Layout;

// Each page as "page<n>/frame" and "page<n>/page" (the frame's controls and
// the page's), the exit question as "exit", each in its window's client
// coordinates.
void MeasurePage(const e2e::WizardSession& wizard, int page, Layout& layout) {
    const std::string name = "page" + std::to_string(page + 1);
    test_support::Measure(wizard.Frame(), name + "/frame", wizard.Frame(), layout);
    if (HWND shown = wizard.ActivePage()) test_support::Measure(shown, name + "/page", wizard.Frame(), layout);
}

// One "<key> <left> <top> <right> <bottom>" a line; the keys hold no space.
void Write(const Layout& layout, const std::string& file) {
    std::ofstream out(file);
    for (const auto& [key, p] : layout)
        out << key << ' ' << p.rect.left << ' ' << p.rect.top << ' ' << p.rect.right << ' ' << p.rect.bottom << '\n';
}

Layout Read(const std::string& file) {
    Layout layout;
    std::ifstream in(file);
    std::string key;
    for (RECT r{}; in >> key >> r.left >> r.top >> r.right >> r.bottom;) layout[key] = {r, 0};
    return layout;
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
        MeasurePage(wizard, page, layout);
        if (page == 0) {
            // The exit question, answered "exitno".
            if (!wizard.Click(IDCANCEL)) return Fail("Exit could not be pressed"), failures;
            HWND question = wizard.WaitForExitQuestion();
            if (!question) return Fail("the exit question did not show"), failures;
            test_support::Measure(question, "exit", question, layout);
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
    if (mode == "record") {
        Write(layout, argv[2]);
    } else {
        const Layout at96 = Read(argv[2]);
        std::printf("%zu rectangles compared\n", at96.size());
        for (const std::string& failure : test_support::ScalingFailures(at96, layout, scaling)) Fail(failure);
    }
    std::printf("%s: %d failures\n", mode.c_str(), failures);
    return failures;
}
