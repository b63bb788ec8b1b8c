// The framework's contracts that the program's windows rely on: command
// routing to the application object, control binding, and the link between a
// window and its object.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/resources/resource.h"
#include "ui/framework/dialog.h"
#include "ui/framework/slider_ctrl.h"
#include "ui/framework/win_app.h"
#include "ui/hover_button.h"
#include "tests/wine/ui/gui_test.h"

namespace {

class RecordingApp : public CWinApp {
public:
    BOOL OnCommand(UINT id, UINT, HWND) override {
        commands.push_back(id);
        return id == ID_HELP;
    }
    std::vector<UINT> commands;
};

class RecordingDialog : public CDialog {
public:
    RecordingDialog() : CDialog(IDD_EXIT_QUESTION) {}
    void OnCancel() override { cancels.push_back(1); }
    std::vector<UINT> handled;
    std::vector<int> cancels;

protected:
    BOOL OnCommand(UINT id, UINT notify, HWND control) override {
        if (id == IDC_ABOUT) {
            handled.push_back(id);
            return TRUE;
        }
        return CDialog::OnCommand(id, notify, control);
    }
    void PostNcDestroy() override { ++destroyed; }

public:
    int destroyed = 0;
};

TEST(Framework, CommandsTheDialogLeavesGoOnToTheApplication) {
    SKIP_WITHOUT_DISPLAY();
    struct Case {
        UINT id, notify;
        bool dialog, cancel, app;
    } cases[] = {
        {IDC_ABOUT, BN_CLICKED, true, false, false},
        {ID_HELP, BN_CLICKED, false, false, true},
        {IDC_HIDDEN_DEFAULT, BN_CLICKED, false, false, true},  // Enter: nobody handles it
        {IDCANCEL, BN_CLICKED, false, true, false},
        {IDCANCEL, BN_DOUBLECLICKED, false, false, true},
    };
    for (const Case& c : cases) {
        RecordingApp app;
        RecordingDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_EXIT_QUESTION, nullptr));
        SendMessageA(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(c.id, c.notify), 0);
        EXPECT_EQ(dialog.handled.size(), c.dialog ? 1u : 0u) << c.id;
        EXPECT_EQ(dialog.cancels.size(), c.cancel ? 1u : 0u) << c.id;
        EXPECT_EQ(app.commands, c.app ? std::vector<UINT>{c.id} : std::vector<UINT>{}) << c.id;
        DestroyWindow(dialog.GetSafeHwnd());
    }
}

TEST(Framework, CommandsWithoutAnApplicationGetTheirDefault) {
    SKIP_WITHOUT_DISPLAY();
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_EXIT_QUESTION, nullptr));
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(SendMessageA(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(ID_HELP, BN_CLICKED), 0), 0);
    DestroyWindow(dialog.GetSafeHwnd());
}

TEST(Framework, DestroyingTheWindowUnlinksItsObject) {
    SKIP_WITHOUT_DISPLAY();
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_EXIT_QUESTION, nullptr));
    HWND window = dialog.GetSafeHwnd();
    EXPECT_EQ(CWnd::FromHandle(window), &dialog);
    DestroyWindow(window);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dialog.destroyed, 1);
}

// The window outlives the button object: it gets its own procedure back.
TEST(Framework, AnObjectThatGoesFirstGivesTheWindowBack) {
    SKIP_WITHOUT_DISPLAY();
    CDialog dialog(IDD_EXIT_QUESTION);
    ASSERT_TRUE(dialog.Create(IDD_EXIT_QUESTION, nullptr));
    HWND control = GetDlgItem(dialog.GetSafeHwnd(), IDOK);
    {
        CHoverButton button;
        ASSERT_TRUE(button.AutoLoad(IDOK, dialog));
        EXPECT_EQ(CWnd::FromHandle(control), &button);
    }
    EXPECT_EQ(CWnd::FromHandle(control), nullptr);
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(SendMessageA(control, BM_GETSTATE, 0, 0) & BST_PUSHED);
    DestroyWindow(dialog.GetSafeHwnd());
}

class GammaPage : public CDialog {
public:
    GammaPage() : CDialog(IDD_STEP2_PAGE) {}
    CSliderCtrl red, green, blue;

protected:
    void DoDataExchange() override {
        Bind(IDC_RED_SLIDER, red);
        Bind(IDC_GREEN_SLIDER, green);
        Bind(IDC_BLUE_SLIDER, blue);
    }
};

TEST(Framework, DataExchangeBindsTheControlsOfAChildPage) {
    SKIP_WITHOUT_DISPLAY();
    CDialog frame(IDD_WIZARD);
    ASSERT_TRUE(frame.Create(IDD_WIZARD, nullptr));
    GammaPage page;
    ASSERT_TRUE(page.Create(IDD_STEP2_PAGE, &frame));
    EXPECT_EQ(GetParent(page.GetSafeHwnd()), frame.GetSafeHwnd());
    EXPECT_EQ(page.red.GetSafeHwnd(), GetDlgItem(page.GetSafeHwnd(), IDC_RED_SLIDER));
    EXPECT_EQ(page.green.GetSafeHwnd(), GetDlgItem(page.GetSafeHwnd(), IDC_GREEN_SLIDER));
    EXPECT_EQ(page.blue.GetSafeHwnd(), GetDlgItem(page.GetSafeHwnd(), IDC_BLUE_SLIDER));

    // A slider never positioned sits at the minimum of its new range.
    page.red.SetRange(140, 310);
    EXPECT_EQ(page.red.GetPos(), 140);
    page.red.SetPos(220);
    EXPECT_EQ(page.red.GetPos(), 220);
    page.red.SetPos(400);
    EXPECT_EQ(page.red.GetPos(), 310);
    DestroyWindow(frame.GetSafeHwnd());
}

}  // namespace
