// On a Windows version before XP the wizard shows the version notice while it
// initialises, and once the notice is closed the created pages apply their
// settings and the wizard ends without ever showing.
#include <gtest/gtest.h>

#include <ctime>

#include "tests/e2e/wizard_session.h"

namespace {

using e2e::WizardSession;

// The date `days` from now as the introduction page stores it.
DWORD DateIn(int days) {
    const std::time_t when = std::time(nullptr) + days * 86400;
    const std::tm* local = std::localtime(&when);
    return local ? DWORD((local->tm_year + 1900) * 10000 + (local->tm_mon + 1) * 100 + local->tm_mday) : 0;
}

TEST(WizardOnWindows2000, ShowsTheNoticeThenFinishesTheCreatedPagesAndEnds) {
    SKIP_WITHOUT_DISPLAY();
    WizardSession wizard;
    ASSERT_TRUE(wizard.ready());
    companion_test::RegistryValues appDefaults{"Software\\Wine\\AppDefaults\\Lumora.exe"};
    appDefaults.SetString("Version", "win2k");
    // The introduction page's finish stores the date the stored interval
    // gives; creating the page alone writes nothing while an interval exists.
    wizard.settings().SetDword("RemindInterval", 7);
    wizard.settings().Remove("RemindDate");
    const DWORD before = DateIn(7);

    ASSERT_TRUE(wizard.Launch());
    HWND notice = wizard.WaitForWindow([](HWND w) { return e2e::IsVersionNotice(w) && IsWindowVisible(w); });
    ASSERT_TRUE(notice) << "no version notice";
    EXPECT_EQ(e2e::TextOf(notice), "Lumora");
    // The frame is still initialising: its first page exists, but it has
    // not shown.
    HWND frame = wizard.FindWindowOfProgram(e2e::IsWizardFrame);
    ASSERT_TRUE(frame);
    EXPECT_FALSE(IsWindowVisible(frame));
    HWND firstPage = nullptr;
    for (HWND child : e2e::ChildrenOf(frame))
        if (WizardSession::TemplateOf(child) == IDD_INTRO_PAGE) firstPage = child;
    ASSERT_TRUE(firstPage) << "the first page was not created";
    const bool pageHasItsReminderList =
        SendMessageA(GetDlgItem(firstPage, IDC_REMINDER_LIST), CB_GETCOUNT, 0, 0) == 5;

    ASSERT_TRUE(wizard.Click(IDOK, notice));
    EXPECT_TRUE(wizard.WaitForEnd());
    if (pageHasItsReminderList) {
        const auto date = wizard.settings().Read("RemindDate");
        ASSERT_TRUE(date && date->size() == 4) << "the first page's finish did not run";
        const DWORD stored = *reinterpret_cast<const DWORD*>(date->data());
        EXPECT_TRUE(stored == before || stored == DateIn(7)) << stored;
    }
}

}  // namespace
