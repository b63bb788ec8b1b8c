// Picture buttons: caption-named images, the size they take, the image drawn
// in each state, and the hover buttons' pushed picture and focus.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/resources/resource.h"
#include "ui/framework/bitmap_button.h"
#include "ui/hover_button.h"
#include "ui/image_dialog.h"
#include "app/ui/wrong_windows.h"
#include "tests/wine/ui/gui_test.h"

namespace {

using gui::Canvas;

constexpr POINT kAway{1270, 1010};  // a screen point outside every test window

// A dialog template created modeless with no behaviour of its own.
class TemplateHost : public ::testing::Test {
protected:
    void Open(UINT templateId) {
        host_ = std::make_unique<CDialog>(templateId);
        ASSERT_TRUE(host_->Create(templateId, nullptr));
    }
    void TearDown() override {
        if (host_ && host_->GetSafeHwnd()) DestroyWindow(host_->GetSafeHwnd());
    }
    HWND Host() const { return host_->GetSafeHwnd(); }
    // An owner-drawn button of 50 x 14 dialog units added to the host.
    HWND AddButton(const char* caption, int id) {
        const RECT rect = gui::DialogUnits(Host(), 10, 40, 50, 14);
        return CreateWindowExA(0, "Button", caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, Host(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    std::unique_ptr<CDialog> host_;
};

using PictureButton = TemplateHost;

TEST_F(PictureButton, TakesTheSizeOfItsNormalImageInPlace) {
    SKIP_WITHOUT_DISPLAY();
    struct Case {
        UINT templateId;
        int id;
        SIZE size;
    } cases[] = {
        {IDD_WIZARD, IDC_START, {73, 28}},  {IDD_WIZARD, IDC_SAVE, {73, 28}},   {IDD_WIZARD, IDC_NEXT1, {73, 28}},
        {IDD_WIZARD, IDC_NEXT2, {73, 28}},  {IDD_WIZARD, IDC_BACK0, {73, 28}},  {IDD_WIZARD, IDC_BACK1, {73, 28}},
        {IDD_WIZARD, IDC_BACK2, {73, 28}},  {IDD_WIZARD, IDC_BACK3, {73, 28}},  {IDD_WIZARD, IDCANCEL, {59, 30}},
        {IDD_WIZARD, ID_HELP, {56, 30}},    {IDD_WIZARD, IDC_ABOUT, {61, 30}},  {IDD_WIZARD, IDC_POWERED_BY, {112, 12}},
        {IDD_EXIT_QUESTION, IDOK, {191, 28}}, {IDD_EXIT_QUESTION, IDCANCEL, {191, 28}},
        {IDD_WRONG_WINDOWS, IDOK, {94, 28}},
    };
    for (const Case& c : cases) {
        Open(c.templateId);
        HWND control = GetDlgItem(Host(), c.id);
        const RECT before = gui::RectInParent(control);
        HWND above = GetWindow(control, GW_HWNDPREV);

        CBitmapButton button;
        EXPECT_TRUE(button.AutoLoad(c.id, *host_)) << c.id;
        const RECT after = gui::RectInParent(control);
        EXPECT_EQ(after.left, before.left) << c.id;
        EXPECT_EQ(after.top, before.top) << c.id;
        EXPECT_EQ(after.right - after.left, c.size.cx) << c.id;
        EXPECT_EQ(after.bottom - after.top, c.size.cy) << c.id;
        EXPECT_EQ(GetWindow(control, GW_HWNDPREV), above) << c.id;
        DestroyWindow(Host());
    }
}

TEST_F(PictureButton, WithoutNormalImageKeepsItsSizeAndDrawsNothing) {
    SKIP_WITHOUT_DISPLAY();
    Open(IDD_WIZARD);
    HWND control = AddButton("nothing", 900);
    const SIZE before = gui::ClientSize(control);

    CBitmapButton button;
    EXPECT_FALSE(button.AutoLoad(900, *host_));
    EXPECT_EQ(gui::ClientSize(control).cx, before.cx);
    EXPECT_EQ(gui::ClientSize(control).cy, before.cy);

    Canvas canvas(before.cx, before.cy);
    DRAWITEMSTRUCT item{ODT_BUTTON, 900, 0, ODA_DRAWENTIRE, ODS_SELECTED, control, canvas.dc(), {0, 0, before.cx, before.cy}, 0};
    button.DrawItem(item);
    EXPECT_EQ(canvas.Count(RGB(255, 0, 255)), before.cx * before.cy);
}

// The selected image wins over the focused, the focused over the disabled,
// and a missing one falls back along that order to the normal image.
TEST_F(PictureButton, DrawsTheImageOfItsState) {
    SKIP_WITHOUT_DISPLAY();
    constexpr UINT S = ODS_SELECTED, F = ODS_FOCUS, D = ODS_DISABLED;
    struct Case {
        const char* caption;
        UINT state;
        const char* image;
    } cases[] = {
        {"quad", 0, "QUADU"},         {"quad", S, "QUADD"},         {"quad", F, "QUADF"},
        {"quad", D, "QUADX"},         {"quad", S | F, "QUADD"},     {"quad", S | D, "QUADD"},
        {"quad", F | D, "QUADF"},     {"quad", S | F | D, "QUADD"}, {"tri", D, "TRIU"},
        {"tri", F | D, "TRIF"},       {"tri", S | D, "TRID"},
        {"back0", 0, "BACK0U"},       {"back0", S, "BACK0U"},       {"back0", F, "BACK0U"},
        {"back0", D, "BACK0U"},       {"back0", S | F, "BACK0U"},   {"back0", S | D, "BACK0U"},
        {"back0", F | D, "BACK0U"},   {"back0", S | F | D, "BACK0U"},
        {"pbc", S | F, "PBCU"},       {"pbc", D, "PBCU"},
    };
    Open(IDD_WIZARD);
    int id = 900;
    for (const Case& c : cases) {
        HWND control = AddButton(c.caption, ++id);
        CBitmapButton button;
        ASSERT_TRUE(button.AutoLoad(id, *host_)) << c.caption;
        const SIZE size = gui::ClientSize(control);

        Canvas drawn(size.cx, size.cy), expected(size.cx, size.cy);
        button.DrawItem({ODT_BUTTON, UINT(id), 0, ODA_DRAWENTIRE, c.state, control, drawn.dc(), {0, 0, size.cx, size.cy}, 0});
        HBITMAP image = LoadBitmapA(GetModuleHandleA(nullptr), c.image);
        CopyBitmap(expected.dc(), {0, 0, size.cx, size.cy}, image);
        DeleteObject(image);
        EXPECT_TRUE(drawn.SameAs(expected)) << c.caption << " state " << c.state << " should show " << c.image;
    }
}

// --- hover buttons, in the two dialogs that hold them

struct HoverCase {
    const char* name;
    UINT templateId;
    int id;
    const char* caption;
};

void PrintTo(const HoverCase& c, std::ostream* out) { *out << c.name; }

class HoverButton : public ::testing::TestWithParam<HoverCase> {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        const HoverCase& c = GetParam();
        if (c.templateId == IDD_EXIT_QUESTION)
            dialog_ = std::make_unique<CImageDialog>(IDD_EXIT_QUESTION, picture_);
        else
            dialog_ = std::make_unique<CWrongWindows>();
        ASSERT_TRUE(dialog_->Create(c.templateId, nullptr));
        ShowWindow(Dialog(), SW_SHOWNORMAL);
        gui::Pump(100);
    }
    void TearDown() override {
        if (dialog_ && dialog_->GetSafeHwnd()) DestroyWindow(dialog_->GetSafeHwnd());
    }
    HWND Dialog() const { return dialog_->GetSafeHwnd(); }
    bool Pushed(HWND button) const { return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
    // Whether the button shows its image `suffix` on screen.
    bool Shows(HWND button, const char* suffix) const {
        const SIZE size = gui::ClientSize(button);
        Canvas shown(size.cx, size.cy), expected(size.cx, size.cy);
        gui::CaptureWindow(button, shown, size);
        HBITMAP image = LoadBitmapA(GetModuleHandleA(nullptr), (std::string(GetParam().caption) + suffix).c_str());
        CopyBitmap(expected.dc(), {0, 0, size.cx, size.cy}, image);
        DeleteObject(image);
        return shown.SameAs(expected);
    }

    HBITMAP picture_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_EXIT_QUESTION));
    std::unique_ptr<CDialog> dialog_;
};

TEST_P(HoverButton, ShowsItsPushedPictureWhileThePointerIsOverIt) {
    HWND button = GetDlgItem(Dialog(), GetParam().id);
    HWND hidden = GetDlgItem(Dialog(), IDC_HIDDEN_DEFAULT);
    SetCursorPos(kAway.x, kAway.y);
    SetFocus(button);
    gui::Pump(50);
    EXPECT_TRUE(Shows(button, "F"));

    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(Pushed(button));
    EXPECT_EQ(GetFocus(), hidden);

    const POINT over = gui::ScreenPoint(button, {5, 5});
    SetCursorPos(over.x, over.y);
    gui::Pump(350);
    EXPECT_TRUE(Pushed(button)) << "the timer must keep the picture while the pointer is over the button";
    EXPECT_TRUE(Shows(button, "D"));
    EXPECT_EQ(GetFocus(), hidden);

    SetFocus(button);
    SetCursorPos(kAway.x, kAway.y);
    gui::Pump(350);
    EXPECT_FALSE(Pushed(button));
    EXPECT_TRUE(Shows(button, "U"));
    EXPECT_EQ(GetFocus(), hidden);
    EXPECT_FALSE(KillTimer(button, 1)) << "the hover timer must stop once the pointer has left";
}

INSTANTIATE_TEST_SUITE_P(Dialogs, HoverButton,
                         ::testing::Values(HoverCase{"ExitYes", IDD_EXIT_QUESTION, IDOK, "exityes"},
                                           HoverCase{"ExitNo", IDD_EXIT_QUESTION, IDCANCEL, "exitno"},
                                           HoverCase{"NoInt", IDD_WRONG_WINDOWS, IDOK, "noint"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PictureButton, HoverInAWindowWithoutHiddenButtonLeavesTheFocus) {
    SKIP_WITHOUT_DISPLAY();
    Open(IDD_EXIT_QUESTION);
    CDialog page(IDD_STEP1_PAGE);
    ASSERT_TRUE(page.Create(IDD_STEP1_PAGE, host_.get()));
    HWND control = CreateWindowExA(0, "Button", "exityes", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 50, 20,
                                   page.GetSafeHwnd(), reinterpret_cast<HMENU>(900), nullptr, nullptr);
    CHoverButton button;
    ASSERT_TRUE(button.AutoLoad(900, page));
    HWND focused = GetDlgItem(Host(), IDCANCEL);
    SetFocus(focused);

    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(SendMessageA(control, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(GetFocus(), focused);
}

}  // namespace
