// The reminder list's item drawing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/resources/resource.h"
#include "app/ui/bgr_combo_box.h"
#include "ui/framework/dialog.h"
#include "tests/wine/ui/gui_test.h"

namespace {

using gui::Canvas;

constexpr COLORREF kText = RGB(0, 0, 255), kBackground = RGB(255, 255, 0), kLightGrey = RGB(213, 213, 213);

class ItemDrawing : public ::testing::Test {
protected:
    ItemDrawing() : canvas_(120, 20) {
        SetTextColor(canvas_.dc(), kText);
        SetBkColor(canvas_.dc(), kBackground);
    }
    void Draw(UINT itemId, const void* data, UINT state, RECT area = {0, 0, 120, 20}) {
        DRAWITEMSTRUCT item{ODT_COMBOBOX, IDC_REMINDER_LIST, itemId, ODA_DRAWENTIRE, state, nullptr, canvas_.dc(),
                            area, reinterpret_cast<ULONG_PTR>(data)};
        CBgrComboBox().DrawItem(item);
    }
    void ExpectContextColoursKept() {
        EXPECT_EQ(GetTextColor(canvas_.dc()), kText);
        EXPECT_EQ(GetBkColor(canvas_.dc()), kBackground);
    }
    Canvas canvas_;
};

TEST_F(ItemDrawing, SelectedItemIsBlackOnLightGrey) {
    Draw(3, "Two weeks", ODS_SELECTED);
    EXPECT_EQ(canvas_.Pixel(0, 0), kLightGrey);
    EXPECT_GT(canvas_.Count(RGB(0, 0, 0)), 20);
    EXPECT_EQ(canvas_.Count(kText) + canvas_.Count(kBackground), 0);
    ExpectContextColoursKept();
}

TEST_F(ItemDrawing, OtherItemsUseTheContextsColours) {
    Draw(1, "Two days", ODS_FOCUS);
    EXPECT_EQ(canvas_.Pixel(0, 0), kBackground);
    EXPECT_GT(canvas_.Count(kText), 20);
    EXPECT_EQ(canvas_.Count(kLightGrey), 0);
    ExpectContextColoursKept();
}

TEST_F(ItemDrawing, LongTextIsClippedToTheItem) {
    Draw(0, "Don't remind me, not now and not ever", 0, {0, 0, 40, 20});
    for (int x = 40; x < 120; ++x) EXPECT_EQ(canvas_.Pixel(x, 10), RGB(255, 0, 255)) << x;
}

// No item carries no text: whatever lies in its data is not read.
TEST_F(ItemDrawing, NoItemIsDrawnEmpty) {
    const void* notText = reinterpret_cast<const void*>(0x10);
    Draw(static_cast<UINT>(-1), notText, 0);
    EXPECT_EQ(canvas_.Count(kBackground), 120 * 20);
    Draw(static_cast<UINT>(-1), notText, ODS_SELECTED);
    EXPECT_EQ(canvas_.Count(kLightGrey), 120 * 20);
    ExpectContextColoursKept();
}

// On a page, the box's items reach its DrawItem through the page.
class RecordingBox : public CBgrComboBox {
public:
    void DrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.itemID != static_cast<UINT>(-1)) drawn.emplace_back(reinterpret_cast<const char*>(item.itemData));
        CBgrComboBox::DrawItem(item);
    }
    std::vector<std::string> drawn;
};

class IntroPage : public CDialog {
public:
    IntroPage() : CDialog(IDD_INTRO_PAGE) {}
    RecordingBox reminders;

protected:
    void DoDataExchange() override { Bind(IDC_REMINDER_LIST, reminders); }
};

TEST(BgrComboBox, DrawsTheItemsOfItsPage) {
    SKIP_WITHOUT_DISPLAY();
    CDialog frame(IDD_WIZARD);
    ASSERT_TRUE(frame.Create(IDD_WIZARD, nullptr));
    IntroPage page;
    ASSERT_TRUE(page.Create(IDD_INTRO_PAGE, &frame));
    for (const char* text : {"Don't remind me", "Two days", "One week"}) page.reminders.AddString(text);
    page.reminders.SetCurSel(2);
    ShowWindow(page.GetSafeHwnd(), SW_SHOW);
    UpdateWindow(page.GetSafeHwnd());
    gui::Pump(50);
    EXPECT_EQ(page.reminders.GetCurSel(), 2);
    ASSERT_FALSE(page.reminders.drawn.empty());
    EXPECT_EQ(page.reminders.drawn.back(), "One week");
    DestroyWindow(frame.GetSafeHwnd());
}

}  // namespace
