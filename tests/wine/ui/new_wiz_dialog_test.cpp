// The wizard frame's rules, over pages with scripted answers: jumps, refusals,
// the single-page case, the save and exit sequences, teardown and background.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/resources/resource.h"
#include "app/ui/new_wiz_dialog.h"
#include "tests/wine/ui/gui_test.h"

namespace {

using Log = std::vector<std::string>;

// What a page answers the frame; the defaults are those of the page base.
struct Answers {
    BOOL created = TRUE;
    BOOL leave = TRUE;
    BOOL queryExit = TRUE;
    LRESULT back = 0;
    LRESULT next = 0;
    BOOL finish = TRUE;
};

class ScriptedPage : public CNewWizPage {
public:
    ScriptedPage(UINT templateId, UINT bitmapId, Log& log) : CNewWizPage(templateId, bitmapId), log_(log) {}

    BOOL OnPageCreated() override { return Note("created", answers.created); }
    void OnPageDestroyed() override { Note("destroyed"); }
    BOOL OnLeavePage() override { return Note("leave", answers.leave); }
    void OnEnterPage() override { Note("enter"); }
    BOOL OnQueryExit() override { return Note("query exit", answers.queryExit); }
    LRESULT OnPageBack() override { return Note("back", answers.back); }
    LRESULT OnPageNext() override { return Note("next", answers.next); }
    BOOL OnPageFinish() override { return Note("finish", answers.finish); }
    void OnCancel() override { Note("cancel"); }

    Answers answers;

private:
    template <typename T = int>
    T Note(const char* what, T answer = {}) {
        log_.push_back(std::to_string(templateId) + " " + what);
        return answer;
    }
    Log& log_;
};

struct PageKind {
    UINT templateId, bitmapId;
};
constexpr PageKind kPages[] = {{IDD_INTRO_PAGE, IDB_INTRO_PAGE},
                               {IDD_STEP1_PAGE, IDB_STEP1_PAGE},
                               {IDD_STEP2_PAGE, IDB_STEP2_PAGE},
                               {IDD_STEP4_PAGE, IDB_STEP4_PAGE}};

// The frame on template 127 with the first `count` of the four pages.
class TestWizard : public CNewWizDialog {
public:
    explicit TestWizard(size_t count = 4) : CNewWizDialog(IDD_WIZARD), count_(count) {}
    // From the frame's initialisation on.
    ScriptedPage& page(size_t index) { return *pages_.at(index); }
    Log log;

protected:
    void RegisterPages() override {
        for (size_t i = 0; i < count_; ++i) {
            auto page = std::make_unique<ScriptedPage>(kPages[i].templateId, kPages[i].bitmapId, log);
            pages_.push_back(page.get());
            AddPage(std::move(page), kPages[i].templateId);
        }
    }

private:
    size_t count_;
    std::vector<ScriptedPage*> pages_;  // owned by the frame
};

void Click(HWND frame, UINT id) { SendMessageA(GetDlgItem(frame, id), BM_CLICK, 0, 0); }

// The Next- and Back-type buttons: "v" visible, "e" enabled, "-" not.
std::string Buttons(HWND frame) {
    static const std::pair<const char*, UINT> kButtons[] = {
        {"start", IDC_START}, {"back0", IDC_BACK0}, {"next1", IDC_NEXT1}, {"back1", IDC_BACK1},
        {"next2", IDC_NEXT2}, {"back2", IDC_BACK2}, {"save", IDC_SAVE},   {"back3", IDC_BACK3}};
    std::string states;
    for (const auto& [name, id] : kButtons) {
        HWND button = GetDlgItem(frame, id);
        states += std::string(states.empty() ? "" : " ") + name + ":" + (IsWindowVisible(button) ? "v" : "-") +
                  (IsWindowEnabled(button) ? "e" : "-");
    }
    return states;
}

// The button sets of the four pages on the way forward.
const std::string kPage1Buttons = "start:ve back0:ve next1:-- back1:-- next2:-- back2:-- save:-- back3:--";
const std::string kPage2Buttons = "start:-- back0:-- next1:ve back1:ve next2:-- back2:-- save:-- back3:--";
const std::string kPage3Buttons = "start:-- back0:-- next1:-- back1:-- next2:ve back2:ve save:-- back3:--";
const std::string kPage4Buttons = "start:-- back0:-- next1:-- back1:-- next2:-- back2:-- save:ve back3:ve";

// The Next-type button of each page up to the third.
constexpr UINT kNext[] = {IDC_START, IDC_NEXT1, IDC_NEXT2};

class WizardFrame : public ::testing::Test {
protected:
    void SetUp() override { SKIP_WITHOUT_DISPLAY(); }
};

TEST_F(WizardFrame, PagesAnswerTheirWayThroughNextAndBack) {
    struct Case {
        const char* name;
        int from;                                // the page where the button is pressed, 0-based
        int answering;                           // the page whose answers change
        Answers answers;
        UINT button;
        int active;                              // the active page afterwards
        std::string buttons;                     // empty: as before the press
    } cases[] = {
        {"Next answered -1", 1, 1, {.next = -1}, IDC_NEXT1, 1, ""},
        {"Back answered -1", 1, 1, {.back = -1}, IDC_BACK1, 1, ""},
        {"leaving refused", 1, 1, {.leave = FALSE}, IDC_NEXT1, 1, ""},
        {"creation refused", 1, 2, {.created = FALSE}, IDC_NEXT1, 1, ""},
        {"Next to an unknown template", 1, 1, {.next = 9999}, IDC_NEXT1, 1, ""},
        {"back0 on the first page", 0, 0, {}, IDC_BACK0, 0, ""},
        {"Next to page 2's template", 2, 2, {.next = IDD_STEP1_PAGE}, IDC_NEXT2, 1, kPage2Buttons},
        // Only the middle pair changes: start and back0 stay from the first page.
        {"Next to page 3's template", 0, 0, {.next = IDD_STEP2_PAGE}, IDC_START, 2,
         "start:ve back0:ve next1:-- back1:-- next2:ve back2:ve save:-- back3:--"},
        // Only Back to the first page and Next to the last switch the outer pairs.
        {"Next to page 1's template", 2, 2, {.next = IDD_INTRO_PAGE}, IDC_NEXT2, 0, ""},
        {"Back to page 4's template", 2, 2, {.back = IDD_STEP4_PAGE}, IDC_BACK2, 3, ""},
        {"Back to page 2 from 4", 3, 3, {.back = IDD_STEP1_PAGE}, IDC_BACK3, 1,
         "start:-- back0:-- next1:ve back1:ve next2:-- back2:-- save:ve back3:ve"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWizard wizard;
        std::string before, after;
        int active = -2;
        std::vector<gui::Step> steps;
        for (int page = 0; page < c.from; ++page) steps.push_back([&, page](HWND frame) { Click(frame, kNext[page]); });
        steps.push_back([&](HWND frame) {
            ASSERT_EQ(wizard.ActivePageIndex(), c.from);
            wizard.page(c.answering).answers = c.answers;
            before = Buttons(frame);
            Click(frame, c.button);
            after = Buttons(frame);
            active = wizard.ActivePageIndex();
        });
        steps.push_back([](HWND frame) { Click(frame, IDCANCEL); });

        EXPECT_EQ(gui::RunModal(wizard, steps), IDCANCEL);
        EXPECT_EQ(active, c.active);
        EXPECT_EQ(after, c.buttons.empty() ? before : c.buttons);
    }
}

TEST_F(WizardFrame, WalkingForwardAndBackShowsOneButtonOfEachKind) {
    TestWizard wizard;
    std::vector<std::string> seen;
    auto note = [&](HWND frame) { seen.push_back(Buttons(frame)); };
    gui::RunModal(wizard, {note, [&](HWND f) { Click(f, IDC_START), note(f); },
                           [&](HWND f) { Click(f, IDC_NEXT1), note(f); }, [&](HWND f) { Click(f, IDC_NEXT2), note(f); },
                           [&](HWND f) { Click(f, IDC_BACK3), note(f); }, [&](HWND f) { Click(f, IDC_BACK2), note(f); },
                           [&](HWND f) { Click(f, IDC_BACK1), note(f); }, [](HWND f) { Click(f, IDCANCEL); }});
    // Back on page 1 the save pair is disabled again as well as hidden.
    EXPECT_EQ(seen, (std::vector<std::string>{kPage1Buttons, kPage2Buttons, kPage3Buttons, kPage4Buttons,
                                              kPage3Buttons, kPage2Buttons, kPage1Buttons}));
}

TEST_F(WizardFrame, ASinglePageCanOnlyBeSaved) {
    TestWizard wizard(1);
    std::string buttons;
    EXPECT_EQ(gui::RunModal(wizard, {[&](HWND frame) { buttons = Buttons(frame); },
                                     [](HWND frame) { Click(frame, IDC_SAVE); }}),
              IDC_SAVE);
    EXPECT_EQ(buttons, "start:v- back0:v- next1:-- back1:-- next2:-- back2:-- save:ve back3:v-");
}

TEST_F(WizardFrame, ExitAsksTheCreatedPagesThenCancelsTheLastPage) {
    TestWizard wizard;
    int focus = 0;
    bool openAfterRefusal = false;
    const INT_PTR result = gui::RunModal(wizard, {
        [](HWND frame) { Click(frame, IDC_START); },
        [&](HWND frame) {
            wizard.page(1).answers.queryExit = FALSE;
            SetFocus(GetDlgItem(frame, IDC_NEXT1));
            wizard.log.clear();
            Click(frame, IDCANCEL);
            openAfterRefusal = IsWindow(frame);
            focus = GetDlgCtrlID(GetFocus());
        },
        [&](HWND frame) {
            EXPECT_EQ(wizard.log, (Log{"102 query exit", "120 query exit"}));
            wizard.page(1).answers.queryExit = TRUE;
            wizard.log.clear();
            Click(frame, IDCANCEL);
        },
    });
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(focus, IDC_HIDDEN_DEFAULT);
    EXPECT_EQ(result, IDCANCEL);
    // The last page is cancelled although it never was created; teardown
    // asks the created pages to leave.
    EXPECT_EQ(wizard.log, (Log{"102 query exit", "120 query exit", "106 cancel", "102 leave", "102 destroyed",
                               "120 leave", "120 destroyed"}));
}

TEST_F(WizardFrame, SaveAsksTheActivePageToLeaveThenEveryCreatedPageToFinish) {
    TestWizard wizard;
    const INT_PTR result = gui::RunModal(wizard, {
        [](HWND frame) { Click(frame, IDC_START); },
        [](HWND frame) { Click(frame, IDC_NEXT1); },
        [](HWND frame) { Click(frame, IDC_NEXT2); },
        [&](HWND frame) {
            wizard.page(1).answers.finish = FALSE;
            wizard.log.clear();
            Click(frame, IDC_SAVE);
            EXPECT_EQ(wizard.log, (Log{"106 leave", "102 finish", "120 finish"}));
            wizard.page(3).answers.leave = FALSE;
            wizard.log.clear();
            Click(frame, IDC_SAVE);
            EXPECT_EQ(wizard.log, (Log{"106 leave"}));
            wizard.page(1).answers.finish = TRUE;
            wizard.page(3).answers.leave = TRUE;
            wizard.log.clear();
            Click(frame, IDC_SAVE);
        },
    });
    EXPECT_EQ(result, IDC_SAVE);
    EXPECT_EQ(wizard.log, (Log{"106 leave", "102 finish", "120 finish", "121 finish", "106 finish", "102 leave",
                               "102 destroyed", "120 leave", "120 destroyed", "121 leave", "121 destroyed",
                               "106 leave", "106 destroyed"}));
}

TEST_F(WizardFrame, APageRefusingToLeaveKeepsItsWindowAtTeardown) {
    TestWizard wizard;
    gui::RunModal(wizard, {[](HWND frame) { Click(frame, IDC_START); },
                           [&](HWND frame) {
                               wizard.page(1).answers.leave = FALSE;
                               Click(frame, IDCANCEL);
                           }});
    EXPECT_EQ(wizard.page(0).created, 0);
    EXPECT_EQ(wizard.page(1).created, 1);
    EXPECT_NE(std::find(wizard.log.begin(), wizard.log.end(), "102 destroyed"), wizard.log.end());
    EXPECT_EQ(std::find(wizard.log.begin(), wizard.log.end(), "120 destroyed"), wizard.log.end());
    // The system destroyed it with the frame.
    EXPECT_EQ(wizard.page(1).GetSafeHwnd(), nullptr);
}

TEST_F(WizardFrame, PagesAreCreatedOnTheirFirstVisitAndEnteredEachTime) {
    TestWizard wizard;
    gui::RunModal(wizard, {[&](HWND frame) {
                               wizard.log.clear();
                               Click(frame, IDC_START);
                               Click(frame, IDC_BACK1);
                               Click(frame, IDC_START);
                           },
                           [](HWND frame) { Click(frame, IDCANCEL); }});
    wizard.log.resize(std::min<size_t>(wizard.log.size(), 10));
    EXPECT_EQ(wizard.log, (Log{"102 next", "120 created", "102 leave", "120 enter", "120 back", "120 leave",
                               "102 enter", "102 next", "102 leave", "120 enter"}));
}

// The active page's picture, on grey where the client area is larger than
// the picture; after a failed activation already the target's picture.
TEST_F(WizardFrame, BackgroundIsThePicturesOfTheActivatedPage) {
    TestWizard wizard;
    auto picture = [](UINT bitmapId, SIZE size) {
        auto canvas = std::make_unique<gui::Canvas>(size.cx, size.cy);
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
        CopyBitmap(canvas->dc(), {0, 0, size.cx, size.cy}, bitmap);
        DeleteObject(bitmap);
        return canvas;
    };
    bool firstPicture = false, failedTargetsPicture = false;
    COLORREF beyond = 0;
    gui::RunModal(wizard, {[&](HWND frame) {
                               const SIZE size = gui::ClientSize(frame);
                               gui::Canvas erased(size.cx + 1, size.cy);
                               SendMessageA(frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.dc()), 0);
                               gui::Canvas cropped(size.cx, size.cy);
                               BitBlt(cropped.dc(), 0, 0, size.cx, size.cy, erased.dc(), 0, 0, SRCCOPY);
                               // Wine's client area is one pixel wider than the picture.
                               auto expected = picture(IDB_INTRO_PAGE, {size.cx, size.cy});
                               if (size.cx > 736)
                                   for (int y = 0; y < size.cy; ++y) SetPixel(expected->dc(), 736, y, RGB(128, 128, 128));
                               firstPicture = cropped.SameAs(*expected);
                               beyond = erased.Pixel(size.cx, 0);
                           },
                           [&](HWND frame) {
                               wizard.page(1).answers.created = FALSE;
                               Click(frame, IDC_START);
                               const SIZE size = gui::ClientSize(frame);
                               gui::Canvas erased(size.cx, size.cy);
                               SendMessageA(frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.dc()), 0);
                               auto step1 = picture(IDB_STEP1_PAGE, {std::min<LONG>(size.cx, 736), size.cy});
                               gui::Canvas cropped(std::min<LONG>(size.cx, 736), size.cy);
                               BitBlt(cropped.dc(), 0, 0, std::min<LONG>(size.cx, 736), size.cy, erased.dc(), 0, 0,
                                      SRCCOPY);
                               failedTargetsPicture = cropped.SameAs(*step1) && wizard.ActivePageIndex() == 0;
                           },
                           [](HWND frame) { Click(frame, IDCANCEL); }});
    EXPECT_TRUE(firstPicture);
    EXPECT_EQ(beyond, RGB(255, 0, 255)) << "painted outside the client area";
    EXPECT_TRUE(failedTargetsPicture);
}

TEST_F(WizardFrame, EveryPageSitsAtThePlaceholdersCorner) {
    TestWizard wizard;
    std::vector<POINT> corners;
    POINT placeholder{};
    auto note = [&](HWND frame) {
        HWND page = wizard.page(wizard.ActivePageIndex()).GetSafeHwnd();
        const RECT rect = gui::RectInParent(page);
        corners.push_back({rect.left, rect.top});
        const RECT mark = gui::RectInParent(GetDlgItem(frame, IDC_PAGE_PLACEHOLDER));
        placeholder = {mark.left, mark.top};
    };
    gui::RunModal(wizard, {note, [&](HWND f) { Click(f, IDC_START), note(f); },
                           [&](HWND f) { Click(f, IDC_NEXT1), note(f); }, [&](HWND f) { Click(f, IDC_NEXT2), note(f); },
                           [](HWND f) { Click(f, IDCANCEL); }});
    ASSERT_EQ(corners.size(), 4u);
    for (const POINT& corner : corners) {
        EXPECT_EQ(corner.x, placeholder.x);
        EXPECT_EQ(corner.y, placeholder.y);
    }
}

// A press in a page's title strip, (188, 5) to (727, 33) inclusive in page
// pixels, drags the whole wizard; elsewhere it is the page's own.
TEST_F(WizardFrame, APressInThePagesTitleStripDragsTheWizard) {
    TestWizard wizard;
    ASSERT_TRUE(wizard.Create(IDD_WIZARD, nullptr));
    HWND frame = wizard.GetSafeHwnd();
    HWND page = wizard.page(0).GetSafeHwnd();
    gui::Pump(50);
    struct Case {
        POINT press;
        bool drags;
    } cases[] = {
        {{188, 5}, true},    {{727, 33}, true},   {{400, 20}, true},   {{187, 20}, false},
        {{728, 20}, false},  {{400, 4}, false},   {{400, 34}, false},  {{400, 200}, false},
    };
    for (const Case& c : cases) {
        gui::CaptionPresses recorder(frame);
        const POINT screen = gui::ScreenPoint(page, c.press);
        SetCursorPos(screen.x, screen.y);
        PostMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.press.x, c.press.y));
        gui::Pump(30);
        const std::vector<std::pair<WPARAM, LPARAM>> drag = {{HTCAPTION, 0}};
        EXPECT_EQ(recorder.presses, c.drags ? drag : decltype(drag){}) << c.press.x << "," << c.press.y;
    }
    DestroyWindow(frame);
}

}  // namespace
