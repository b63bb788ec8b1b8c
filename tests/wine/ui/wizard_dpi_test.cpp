// The wizard and its small dialogs at dpis Wine cannot give them. Wine has one
// dpi for the whole session; here a stand-in answers for the system's
// (SetWindowDpiSource), and a move to a monitor of another dpi is the
// WM_GETDPISCALEDSIZE and WM_DPICHANGED that Windows sends. At every dpi each
// control of the frame, of its created pages and of the small dialogs stands
// exactly where the 96-dpi layout scaled puts it, in the font its template
// asks for at that dpi, and the gamma page shows its patterns at device
// pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "app/lumora_wizard.h"
#include "app/resources/resource.h"
#include "ui/image_dialog.h"
#include "ui/scaling/window_dpi.h"
#include "app/ui/wrong_windows.h"
#include "tests/support/layout.h"
#include "tests/support/test_patterns.h"
#include "tests/wine/companion_sandbox.h"
#include "tests/wine/ui/gui_test.h"

namespace {

int monitorDpi = kDesignDpi;
int MonitorDpi(HWND) { return monitorDpi; }

// The font heights the dialog manager gives the templates' 8 and 10 points.
LONG ExpectedFontHeight(UINT templateId, int dpi) {
    const bool tenPoints = templateId == IDD_INTRO_PAGE || templateId == IDD_STEP4_PAGE;
    switch (dpi) {
        case 96: return tenPoints ? -13 : -11;
        case 120: return tenPoints ? -17 : -13;
        case 144: return tenPoints ? -20 : -16;
    }
    return 0;
}

using test_support::Layout;
using test_support::Measure;

Layout MeasureWizard(const CNewWizDialog& wizard) {
    Layout layout;
    Measure(wizard.GetSafeHwnd(), std::to_string(IDD_WIZARD), wizard.GetSafeHwnd(), layout);
    for (UINT page : {IDD_INTRO_PAGE, IDD_STEP1_PAGE, IDD_STEP2_PAGE, IDD_STEP4_PAGE})
        if (const CNewWizPage* created = wizard.FindPageByTemplate(page); created && created->created)
            Measure(created->GetSafeHwnd(), std::to_string(page), wizard.GetSafeHwnd(), layout);
    return layout;
}

// `now` is `at96` scaled to `dpi`: every rectangle exactly, every font.
void ExpectScaled(const Layout& at96, const Layout& now, int dpi) {
    for (const std::string& failure : test_support::ScalingFailures(at96, now, DisplayScaling(dpi))) ADD_FAILURE() << failure;
    int fonts = 0;
    for (const auto& [key, control] : at96) {
        const auto found = now.find(key);
        if (!control.fontHeight || found == now.end()) continue;
        ++fonts;
        const UINT templateId = std::stoul(key);
        EXPECT_EQ(control.fontHeight, ExpectedFontHeight(templateId, kDesignDpi)) << key;
        EXPECT_EQ(found->second.fontHeight, ExpectedFontHeight(templateId, dpi)) << key;
    }
    EXPECT_GT(fonts, 0);
}

void ExpectTestPatterns(const CLumoraWizard& wizard, int dpi) {
    gui::Pump(300);  // the gamma page's paint reaches the screen
    const CNewWizPage* page = wizard.FindPageByTemplate(IDD_STEP2_PAGE);
    ASSERT_TRUE(page && page->active);
    for (const std::string& failure : e2e::TestPatternFailures(wizard.GetSafeHwnd(), page->GetSafeHwnd(), DisplayScaling(dpi)))
        ADD_FAILURE() << failure;
}

class WizardAtDpi : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        // The gamma page binds "PLX.dll": the stand-in, already loaded under
        // that name, rather than the real engine next to this program.
        static const HMODULE engine = LoadLibraryA((companion_test::BuildFolder() + "stand-in\\PLX.dll").c_str());
        ASSERT_TRUE(engine);
        for (const char* name : {"RemindInterval", "RemindDate"}) settings_.Keep(name);
        SetWindowDpiSource(MonitorDpi);
    }
    void TearDown() override {
        SetWindowDpiSource(nullptr);
        monitorDpi = kDesignDpi;
    }

    // The wizard made on a monitor of `dpi`, on its gamma page.
    std::unique_ptr<CLumoraWizard> OnTheGammaPage(int dpi) {
        monitorDpi = dpi;
        auto wizard = std::make_unique<CLumoraWizard>();
        if (!wizard->Create(IDD_WIZARD, nullptr)) return nullptr;
        for (UINT next : {IDC_START, IDC_NEXT1}) SendMessageA(GetDlgItem(wizard->GetSafeHwnd(), next), BM_CLICK, 0, 0);
        gui::Pump(50);
        return wizard;
    }

    Layout At96() {
        auto wizard = OnTheGammaPage(kDesignDpi);
        if (!wizard) return {};
        const Layout layout = MeasureWizard(*wizard);
        DestroyWindow(wizard->GetSafeHwnd());
        return layout;
    }

    companion_test::RegistryValues settings_{companion_test::kSettingsKey};
};

TEST_F(WizardAtDpi, OpensLaidOutForItsMonitor) {
    const Layout at96 = At96();
    auto wizard = OnTheGammaPage(144);
    ASSERT_TRUE(wizard);
    ExpectScaled(at96, MeasureWizard(*wizard), 144);
    ExpectTestPatterns(*wizard, 144);
    DestroyWindow(wizard->GetSafeHwnd());
}

// The system asks for the frame's size at the new dpi, then moves it into the
// rectangle it suggests; everything follows, and back at 96 dpi all stands as
// it stood.
TEST_F(WizardAtDpi, FollowsItsWindowToMonitorsOfOtherDpis) {
    const Layout at96 = At96();
    auto wizard = OnTheGammaPage(kDesignDpi);
    ASSERT_TRUE(wizard);
    HWND frame = wizard->GetSafeHwnd();
    RECT window96{};
    GetWindowRect(frame, &window96);
    const RECT client96 = at96.at(std::to_string(IDD_WIZARD) + "/client").rect;
    const SIZE border{window96.right - window96.left - client96.right, window96.bottom - window96.top - client96.bottom};
    for (int dpi : {144, 120, 96}) {
        SCOPED_TRACE(dpi);
        monitorDpi = dpi;
        const DisplayScaling scaling(dpi);
        SIZE size{};
        ASSERT_TRUE(SendMessageA(frame, 0x02E4 /* WM_GETDPISCALEDSIZE */, dpi, reinterpret_cast<LPARAM>(&size)));
        EXPECT_EQ(size.cx, scaling.Scale(client96.right) + border.cx);
        EXPECT_EQ(size.cy, scaling.Scale(client96.bottom) + border.cy);
        const RECT suggested{window96.left + 10, window96.top + 20, window96.left + 10 + size.cx,
                             window96.top + 20 + size.cy};
        SendMessageA(frame, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT moved{};
        GetWindowRect(frame, &moved);
        EXPECT_TRUE(EqualRect(&moved, &suggested));
        ExpectScaled(at96, MeasureWizard(*wizard), dpi);
        ExpectTestPatterns(*wizard, dpi);
    }
    DestroyWindow(frame);
}

// The exit question and the version notice open laid out for their own
// monitor, and follow a move to another.
TEST_F(WizardAtDpi, SmallDialogsOpenAndMoveLaidOutForTheirMonitor) {
    const HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_EXIT_QUESTION));
    for (UINT templateId : {IDD_EXIT_QUESTION, IDD_WRONG_WINDOWS}) {
        SCOPED_TRACE(templateId);
        std::map<int, Layout> seen;
        for (int dpi : {96, 144}) {
            monitorDpi = dpi;
            std::unique_ptr<CDialog> dialog;
            if (templateId == IDD_EXIT_QUESTION) dialog = std::make_unique<CImageDialog>(templateId, picture);
            else dialog = std::make_unique<CWrongWindows>();
            gui::RunModal(*dialog, {[&](HWND window) {
                Measure(window, std::to_string(templateId), window, seen[dpi]);
                // As Windows 10 does: our size first, then the rectangle with it.
                monitorDpi = 120;
                SIZE size{};
                SendMessageA(window, 0x02E4 /* WM_GETDPISCALEDSIZE */, 120, reinterpret_cast<LPARAM>(&size));
                RECT now{};
                GetWindowRect(window, &now);
                const RECT suggested{now.left, now.top, now.left + size.cx, now.top + size.cy};
                SendMessageA(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
                Measure(window, std::to_string(templateId), window, seen[dpi == 96 ? 120 : -120]);
                EndDialog(window, IDCANCEL);
            }});
        }
        ExpectScaled(seen[96], seen[144], 144);
        ExpectScaled(seen[96], seen[120], 120);
        ExpectScaled(seen[96], seen[-120], 120);
    }
    DeleteObject(picture);
}

}  // namespace
