// The program's resources as the windows find them: templates with their
// controls, fonts and rectangles, the numbered pictures and manifest; and the
// version resource of every shipped binary.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/resources/resource.h"
#include "ui/framework/dialog.h"
#include "tests/wine/ui/gui_test.h"

namespace {

using gui::operator==;

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct TemplateCase {
    UINT id;
    bool child;
    SIZE units;
    DWORD style, exStyle;  // required bits
    const char* font;
    int points;
    std::vector<int> controls;  // ids in template order
};

TEST(Resources, DialogTemplates) {
    SKIP_WITHOUT_DISPLAY();
    const TemplateCase cases[] = {
        {IDD_WIZARD, false, {491, 362}, WS_POPUP | WS_BORDER | WS_VISIBLE, WS_EX_APPWINDOW, "MS Shell Dlg", 8,
         {IDC_START, IDCANCEL, ID_HELP, IDC_PAGE_PLACEHOLDER, IDC_SAVE, IDC_ABOUT, IDC_HIDDEN_DEFAULT, IDC_NEXT1,
          IDC_NEXT2, IDC_WEB_PANE, IDC_BACK0, IDC_BACK1, IDC_BACK2, IDC_BACK3, IDC_POWERED_BY}},
        {IDD_INTRO_PAGE, true, {491, 362}, WS_CHILD, WS_EX_CONTROLPARENT, "Microsoft Sans Serif", 10, {IDC_REMINDER_LIST}},
        {IDD_STEP1_PAGE, true, {491, 362}, WS_CHILD, WS_EX_CONTROLPARENT, "MS Shell Dlg", 8, {}},
        {IDD_STEP2_PAGE, true, {491, 362}, WS_CHILD, WS_EX_CONTROLPARENT, "MS Shell Dlg", 8,
         {IDC_RED_SLIDER, IDC_BLUE_SLIDER, IDC_GREEN_SLIDER, -1, -1, -1}},
        {IDD_STEP4_PAGE, true, {491, 362}, WS_CHILD, WS_EX_CONTROLPARENT, "Microsoft Sans Serif", 10, {}},
        {IDD_EXIT_QUESTION, false, {296, 223}, WS_POPUP | WS_BORDER, 0, "MS Shell Dlg", 8, {IDOK, IDCANCEL, IDC_HIDDEN_DEFAULT}},
        {IDD_WRONG_WINDOWS, false, {296, 223}, WS_POPUP | WS_BORDER, 0, "MS Shell Dlg", 8, {-1, IDC_HIDDEN_DEFAULT, IDOK}},
    };
    CDialog frame(IDD_WIZARD);
    ASSERT_TRUE(frame.Create(IDD_WIZARD, nullptr));
    for (const TemplateCase& c : cases) {
        CDialog dialog(c.id);
        ASSERT_TRUE(dialog.Create(c.id, c.child ? &frame : nullptr)) << c.id;
        HWND window = dialog.GetSafeHwnd();
        const DWORD style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_EQ(style & c.style, c.style) << c.id;
        EXPECT_EQ(style & (WS_DLGFRAME | WS_SYSMENU), 0u) << c.id << ": no caption, no system menu";
        EXPECT_EQ(style & WS_VISIBLE, c.id == IDD_WIZARD ? DWORD(WS_VISIBLE) : 0u) << c.id;
        EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & c.exStyle, c.exStyle) << c.id;

        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, c.font) << c.id;
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(font.lfHeight, -MulDiv(c.points, GetDeviceCaps(screen, LOGPIXELSY), 72)) << c.id;
        ReleaseDC(nullptr, screen);

        const RECT size = gui::DialogUnits(window, 0, 0, c.units.cx, c.units.cy);
        EXPECT_EQ(gui::ClientSize(window).cx, size.right) << c.id;
        EXPECT_EQ(gui::ClientSize(window).cy, size.bottom) << c.id;

        std::vector<int> ids;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ids.push_back(GetDlgCtrlID(child));
        EXPECT_EQ(ids, c.controls) << c.id;
        DestroyWindow(window);
    }
    DestroyWindow(frame.GetSafeHwnd());
}

struct Units {
    int x, y, width, height;
};

struct ControlCase {
    UINT templateId;
    int index;  // position in template order
    const char* className;
    DWORD style, styleMask, exStyle;
    Units units;
    SIZE pixels;  // a picture's own size, else 0
};

TEST(Resources, ControlsAndTheirRectangles) {
    SKIP_WITHOUT_DISPLAY();
    constexpr DWORD kPicture = BS_OWNERDRAW | WS_TABSTOP | WS_VISIBLE, kButtonMask = BS_TYPEMASK | WS_TABSTOP | WS_VISIBLE;
    constexpr DWORD kHidden = BS_DEFPUSHBUTTON | WS_TABSTOP;
    constexpr DWORD kSlider = TBS_BOTH | TBS_NOTICKS | 0x1000 /* TBS_TRANSPARENTBKGND */ | WS_TABSTOP | WS_VISIBLE;
    constexpr DWORD kSliderMask = kSlider | TBS_VERT | TBS_AUTOTICKS;
    const ControlCase cases[] = {
        {IDD_WIZARD, 0, "Button", kPicture, kButtonMask, 0, {396, 160, 50, 14}, {}},
        {IDD_WIZARD, 1, "Button", kPicture, kButtonMask, 0, {3, 3, 38, 14}, {}},
        {IDD_WIZARD, 2, "Button", kPicture, kButtonMask, 0, {43, 3, 38, 14}, {}},
        {IDD_WIZARD, 3, "Static", SS_OWNERDRAW, SS_TYPEMASK, 0, {0, 0, 15, 13}, {}},
        {IDD_WIZARD, 4, "Button", kPicture, kButtonMask, 0, {396, 160, 50, 14}, {}},
        {IDD_WIZARD, 5, "Button", kPicture, kButtonMask, 0, {82, 3, 38, 14}, {}},
        {IDD_WIZARD, 6, "Button", kHidden, kButtonMask, 0, {349, 34, 50, 14}, {}},
        {IDD_WIZARD, 7, "Button", kPicture, kButtonMask, 0, {396, 160, 50, 14}, {}},
        {IDD_WIZARD, 8, "Button", kPicture, kButtonMask, 0, {396, 160, 50, 14}, {}},
        {IDD_WIZARD, 9, "Static", 0, 0, 0, {2, 304, 487, 57}, {}},
        {IDD_WIZARD, 10, "Button", kPicture, kButtonMask, 0, {347, 160, 50, 14}, {}},
        {IDD_WIZARD, 11, "Button", kPicture, kButtonMask, 0, {347, 160, 50, 14}, {}},
        {IDD_WIZARD, 12, "Button", kPicture, kButtonMask, 0, {347, 160, 50, 14}, {}},
        {IDD_WIZARD, 13, "Button", kPicture, kButtonMask, 0, {347, 160, 50, 14}, {}},
        {IDD_WIZARD, 14, "Button", kPicture, kButtonMask, 0, {414, 295, 71, 8}, {}},
        // The box's template height is that of its dropped-down list; the box
        // keeps no WS_VSCROLL of its own.
        {IDD_INTRO_PAGE, 0, "ComboBox", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_TABSTOP,
         0x1F | CBS_HASSTRINGS | WS_TABSTOP, WS_EX_TRANSPARENT, {89, 202, 77, 0}, {}},
        {IDD_STEP2_PAGE, 0, TRACKBAR_CLASSA, kSlider, kSliderMask, 0, {50, 140, 86, 14}, {}},
        {IDD_STEP2_PAGE, 1, TRACKBAR_CLASSA, kSlider, kSliderMask, 0, {201, 140, 86, 14}, {}},
        {IDD_STEP2_PAGE, 2, TRACKBAR_CLASSA, kSlider, kSliderMask, 0, {352, 140, 86, 14}, {}},
        {IDD_STEP2_PAGE, 3, "Static", SS_BITMAP, SS_TYPEMASK, 0, {67, 86, 0, 0}, {82, 82}},
        {IDD_STEP2_PAGE, 4, "Static", SS_BITMAP, SS_TYPEMASK, 0, {218, 86, 0, 0}, {82, 82}},
        {IDD_STEP2_PAGE, 5, "Static", SS_BITMAP, SS_TYPEMASK, 0, {369, 86, 0, 0}, {82, 82}},
        {IDD_EXIT_QUESTION, 0, "Button", kPicture, kButtonMask, 0, {150, 190, 50, 14}, {}},
        {IDD_EXIT_QUESTION, 1, "Button", kPicture, kButtonMask, 0, {19, 190, 50, 14}, {}},
        {IDD_EXIT_QUESTION, 2, "Button", kHidden, kButtonMask, 0, {197, 64, 50, 14}, {}},
        {IDD_WRONG_WINDOWS, 0, "Static", SS_BITMAP | SS_REALSIZEIMAGE, SS_TYPEMASK | SS_REALSIZEIMAGE, 0, {0, 0, 0, 0},
         {443, 363}},
        {IDD_WRONG_WINDOWS, 1, "Button", kHidden, kButtonMask, 0, {197, 64, 50, 14}, {}},
        {IDD_WRONG_WINDOWS, 2, "Button", kPicture, kButtonMask, 0, {19, 190, 50, 14}, {}},
    };
    CDialog frame(IDD_WIZARD);
    ASSERT_TRUE(frame.Create(IDD_WIZARD, nullptr));
    for (const ControlCase& c : cases) {
        const bool child = c.templateId != IDD_WIZARD && c.templateId != IDD_EXIT_QUESTION &&
                           c.templateId != IDD_WRONG_WINDOWS;
        CDialog dialog(c.templateId);
        ASSERT_TRUE(dialog.Create(c.templateId, child ? &frame : nullptr));
        HWND control = GetWindow(dialog.GetSafeHwnd(), GW_CHILD);
        for (int i = 0; i < c.index && control; ++i) control = GetWindow(control, GW_HWNDNEXT);
        ASSERT_NE(control, nullptr) << c.templateId << " #" << c.index;
        const std::string where = std::to_string(c.templateId) + " #" + std::to_string(c.index);

        EXPECT_EQ(lstrcmpiA(ClassOf(control).c_str(), c.className), 0) << where << " " << ClassOf(control);
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & c.styleMask, c.style) << where;
        EXPECT_EQ(GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_TRANSPARENT, c.exStyle) << where;
        const RECT expected = gui::DialogUnits(dialog.GetSafeHwnd(), c.units.x, c.units.y, c.units.width,
                                               c.units.height);
        const RECT actual = gui::RectInParent(control);
        EXPECT_EQ(actual.left, expected.left) << where;
        EXPECT_EQ(actual.top, expected.top) << where;
        if (c.pixels.cx) {
            EXPECT_EQ(actual.right - actual.left, c.pixels.cx) << where;
            EXPECT_EQ(actual.bottom - actual.top, c.pixels.cy) << where;
            EXPECT_NE(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << where;
        } else {
            EXPECT_EQ(actual.right, expected.right) << where;
            if (c.units.height) {
                EXPECT_EQ(actual.bottom, expected.bottom) << where;
            }
        }
        DestroyWindow(dialog.GetSafeHwnd());
    }
    DestroyWindow(frame.GetSafeHwnd());
}

TEST(Resources, NumberedPictures) {
    struct Case {
        UINT id;
        LONG width, height;
    } cases[] = {
        {IDB_INTRO_PAGE, 736, 589},    {IDB_STEP1_PAGE, 736, 589},   {IDB_STEP2_PAGE, 736, 589},
        {IDB_STEP4_PAGE, 736, 589},    {IDB_WRONG_WINDOWS, 443, 363}, {IDB_EXIT_QUESTION, 443, 363},
        {IDB_RED_CIRCLE, 82, 82},      {IDB_BLUE_CIRCLE, 82, 82},     {IDB_GREEN_CIRCLE, 82, 82},
    };
    for (const Case& c : cases) {
        HANDLE image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0,
                                  LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr) << c.id;
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectA(image, sizeof dib, &dib), int(sizeof dib)) << c.id;
        EXPECT_EQ(dib.dsBm.bmWidth, c.width) << c.id;
        EXPECT_EQ(dib.dsBm.bmHeight, c.height) << c.id;
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 24) << c.id;
        DeleteObject(image);
    }
}

TEST(Resources, ManifestAsksForCommonControlsSix) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                               SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);

    // The manifest's common controls take over the standard control classes.
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    EXPECT_TRUE(FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_WINDOW_CLASS_REDIRECTION, "Button",
                                         &redirection));
}

// As Explorer's Details tab shows them, read from the files next to this test.
TEST(Resources, EveryShippedBinaryNamesItsVersion) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    ASSERT_TRUE(length > 0 && length < sizeof path);
    std::string folder(path, length);
    folder.resize(folder.find_last_of('\\') + 1);
    std::istringstream shipped(LUMORA_SHIPPED_BINARIES);
    int checked = 0;
    for (std::string name; shipped >> name; ++checked) {
        const char* file = name.c_str();
        DWORD ignored = 0;
        const std::string binary = folder + file;
        std::vector<char> block(GetFileVersionInfoSizeA(binary.c_str(), &ignored));
        ASSERT_FALSE(block.empty()) << file;
        ASSERT_TRUE(GetFileVersionInfoA(binary.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
        const std::pair<const char*, const char*> expected[] = {
            {"ProductName", "Lumora"},           {"ProductVersion", LUMORA_VERSION},
            {"FileVersion", LUMORA_VERSION},     {"CompanyName", LUMORA_PUBLISHER},
            {"OriginalFilename", file},
        };
        for (auto [name, value] : expected) {
            char* text = nullptr;
            UINT size = 0;
            ASSERT_TRUE(VerQueryValueA(block.data(), (std::string("\\StringFileInfo\\040904b0\\") + name).c_str(),
                                       reinterpret_cast<void**>(&text), &size)) << file << " " << name;
            EXPECT_STREQ(text, value) << file;
        }
    }
    EXPECT_EQ(checked, 4);
}

}  // namespace
