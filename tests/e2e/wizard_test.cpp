// Lumora.exe under Wine, driven through window messages: the wizard's title,
// its page placement, the Next- and Back-type buttons of every page, the keys
// and the ways out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/wizard_session.h"

namespace {

using e2e::WizardSession;

// The pages in their order, with the one Next-type and one Back-type button
// each shows.
struct PageButtons {
    UINT templateId;
    UINT next, back;
};
constexpr PageButtons kPages[] = {{IDD_INTRO_PAGE, IDC_START, IDC_BACK0},
                                  {IDD_STEP1_PAGE, IDC_NEXT1, IDC_BACK1},
                                  {IDD_STEP2_PAGE, IDC_NEXT2, IDC_BACK2},
                                  {IDD_STEP4_PAGE, IDC_SAVE, IDC_BACK3}};

constexpr UINT kNextKind[] = {IDC_START, IDC_NEXT1, IDC_NEXT2, IDC_SAVE};
constexpr UINT kBackKind[] = {IDC_BACK0, IDC_BACK1, IDC_BACK2, IDC_BACK3};

// The buttons of one kind that the user can press.
std::vector<UINT> Pressable(const WizardSession& wizard, const UINT (&kind)[4]) {
    std::vector<UINT> shown;
    for (UINT id : kind)
        if (wizard.Pressable(id)) shown.push_back(id);
    return shown;
}

class Wizard : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(wizard_.ready());
        ASSERT_TRUE(wizard_.Start()) << "the wizard did not show";
    }

    // Checks the active page and its buttons, and that it sits at the
    // placeholder's corner.
    void ExpectPage(const PageButtons& page) {
        ASSERT_TRUE(wizard_.WaitForPage(page.templateId)) << "expected page " << page.templateId;
        EXPECT_EQ(Pressable(wizard_, kNextKind), std::vector<UINT>{page.next}) << "page " << page.templateId;
        EXPECT_EQ(Pressable(wizard_, kBackKind), std::vector<UINT>{page.back}) << "page " << page.templateId;
        const POINT corner = e2e::CornerInParent(wizard_.ActivePage());
        const POINT placeholder = e2e::CornerInParent(wizard_.Button(IDC_PAGE_PLACEHOLDER));
        EXPECT_EQ(corner.x, placeholder.x);
        EXPECT_EQ(corner.y, placeholder.y);
    }

    WizardSession wizard_;
};

TEST_F(Wizard, OpensTitledLumoraOnTheFirstPageWithTheFocusOnTheHiddenButton) {
    EXPECT_EQ(e2e::TextOf(wizard_.Frame()), "Lumora");
    EXPECT_TRUE(wizard_.WaitForPage(IDD_INTRO_PAGE));
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(wizard_.Frame(), nullptr), &info));
    EXPECT_EQ(GetDlgCtrlID(info.hwndFocus), IDC_HIDDEN_DEFAULT);
    EXPECT_TRUE(wizard_.Exit());
}

TEST_F(Wizard, EveryPageShowsOneNextAndOneBackButtonAtThePlaceholder) {
    ExpectPage(kPages[0]);
    for (int page = 1; page < 4; ++page) {
        ASSERT_TRUE(wizard_.Click(kPages[page - 1].next));
        ExpectPage(kPages[page]);
    }
    for (int page = 2; page >= 0; --page) {
        ASSERT_TRUE(wizard_.Click(kPages[page + 1].back));
        ExpectPage(kPages[page]);
    }
    EXPECT_TRUE(wizard_.Exit());
}

TEST_F(Wizard, Back0DoesNothingOnTheFirstPage) {
    ASSERT_TRUE(wizard_.Click(IDC_BACK0));
    ExpectPage(kPages[0]);
    EXPECT_FALSE(wizard_.Ended());
    EXPECT_TRUE(wizard_.Exit());
}

TEST_F(Wizard, EnterDoesNothingOnAnyPage) {
    for (int page = 0; page < 4; ++page) {
        wizard_.Key(VK_RETURN);
        ExpectPage(kPages[page]);
        ASSERT_FALSE(wizard_.Ended());
        if (page < 3) {
            ASSERT_TRUE(wizard_.Click(kPages[page].next));
        }
    }
    EXPECT_TRUE(wizard_.Exit());
}

// Escape and closing the window run the exit sequence like the exit button,
// from the first page and from a later one.
TEST_F(Wizard, EscapeAndClosingTheWindowExit) {
    struct Way {
        const char* name;
        void (*leave)(WizardSession&);
    } ways[] = {
        {"exit button", [](WizardSession& w) { w.Click(IDCANCEL); }},
        {"Escape", [](WizardSession& w) { w.Key(VK_ESCAPE); }},
        {"WM_CLOSE", [](WizardSession& w) { w.Close(); }},
        {"SC_CLOSE", [](WizardSession& w) { w.SystemClose(); }},
    };
    bool first = true;
    for (const Way& way : ways) {
        for (int page : {0, 2}) {
            SCOPED_TRACE(std::string(way.name) + " on page " + std::to_string(page + 1));
            if (!first) {
                ASSERT_TRUE(wizard_.Start());
            }
            first = false;
            for (int p = 0; p < page; ++p) ASSERT_TRUE(wizard_.Click(kPages[p].next));
            ASSERT_TRUE(wizard_.WaitForPage(kPages[page].templateId));
            way.leave(wizard_);
            EXPECT_TRUE(wizard_.AnswerExitQuestionAndWaitForEnd());
        }
    }
}

}  // namespace
