// The exit question (CImageDialog on template 117 with bitmap 116) and the
// version notice (CWrongWindows, template 104): results, keys, drag strip and
// picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/resources/resource.h"
#include "ui/image_dialog.h"
#include "app/ui/wrong_windows.h"
#include "tests/wine/ui/gui_test.h"

namespace {

struct Kind {
    const char* name;
    UINT templateId;
    UINT pictureId;
    std::vector<int> buttons;  // each ends the dialog with its own id
};

void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

class PictureDialog : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override { SKIP_WITHOUT_DISPLAY(); }
    ~PictureDialog() override { DeleteObject(picture_); }

    std::unique_ptr<CDialog> Make() const {
        if (GetParam().templateId == IDD_EXIT_QUESTION)
            return std::make_unique<CImageDialog>(IDD_EXIT_QUESTION, picture_);
        return std::make_unique<CWrongWindows>();
    }

    HBITMAP picture_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_EXIT_QUESTION));
};

void PostKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : dialog, WM_KEYDOWN, key, 0);
}

TEST_P(PictureDialog, EndsWithTheClickedButtonsId) {
    for (int id : GetParam().buttons) {
        auto dialog = Make();
        const INT_PTR result = gui::RunModal(*dialog, {[id](HWND window) {
            SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0);
        }});
        EXPECT_EQ(result, id);
    }
}

TEST_P(PictureDialog, OpensTitledWithTheFocusOnTheHiddenButtonAndEscapeCancels) {
    auto dialog = Make();
    const INT_PTR result = gui::RunModal(*dialog, {[](HWND window) {
        char title[32] = {};
        GetWindowTextA(window, title, sizeof title);
        EXPECT_STREQ(title, "Lumora");
        EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_HIDDEN_DEFAULT));
        PostKey(window, VK_ESCAPE);
    }});
    EXPECT_EQ(result, IDCANCEL);
}

TEST_P(PictureDialog, EnterDoesNothing) {
    auto dialog = Make();
    const INT_PTR result = gui::RunModal(*dialog, {
        [](HWND window) { PostKey(window, VK_RETURN); },
        [](HWND window) { PostKey(window, VK_RETURN); },
        [](HWND window) {
            EXPECT_TRUE(IsWindowVisible(window));
            EndDialog(window, 77);
        },
    });
    EXPECT_EQ(result, 77);
}

// The strip runs from (5, 5) to (437, 32) inclusive, in client pixels.
TEST_P(PictureDialog, APressInTheTopStripDragsTheDialog) {
    auto dialog = Make();
    ASSERT_TRUE(dialog->Create(GetParam().templateId, nullptr));
    HWND window = dialog->GetSafeHwnd();
    ShowWindow(window, SW_SHOWNORMAL);
    gui::Pump(50);
    struct Case {
        POINT press;
        bool drags;
    } cases[] = {
        {{5, 5}, true},   {{437, 32}, true},  {{200, 20}, true},  {{4, 20}, false},
        {{438, 20}, false}, {{200, 4}, false}, {{200, 33}, false}, {{200, 150}, false},
    };
    for (const Case& c : cases) {
        gui::CaptionPresses recorder(window);
        const POINT screen = gui::ScreenPoint(window, c.press);
        SetCursorPos(screen.x, screen.y);
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.press.x, c.press.y));
        gui::Pump(30);
        const std::vector<std::pair<WPARAM, LPARAM>> drag = {{HTCAPTION, 0}};
        const std::vector<std::pair<WPARAM, LPARAM>> none;
        EXPECT_EQ(recorder.presses, c.drags ? drag : none) << c.press.x << "," << c.press.y;
    }
    DestroyWindow(window);
}

TEST_P(PictureDialog, ShowsItsPicture) {
    auto dialog = Make();
    ASSERT_TRUE(dialog->Create(GetParam().templateId, nullptr));
    HWND window = dialog->GetSafeHwnd();
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    gui::Pump(100);

    const SIZE strip{440, 150};  // above the buttons
    gui::Canvas shown(strip.cx, strip.cy), expected(strip.cx, strip.cy);
    gui::CaptureWindow(window, shown, strip);
    HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam().pictureId));
    CopyBitmap(expected.dc(), {0, 0, strip.cx, strip.cy}, picture);
    DeleteObject(picture);
    EXPECT_TRUE(shown.SameAs(expected));
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Templates, PictureDialog,
                         ::testing::Values(Kind{"ExitQuestion", IDD_EXIT_QUESTION, IDB_EXIT_QUESTION, {IDOK, IDCANCEL}},
                                           Kind{"WrongWindows", IDD_WRONG_WINDOWS, IDB_WRONG_WINDOWS, {IDOK}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
