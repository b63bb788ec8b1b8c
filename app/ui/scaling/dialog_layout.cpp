#include "app/ui/scaling/dialog_layout.h"

#include "app/ui/scaling/scaled_picture.h"
#include "app/ui/scaling/window_dpi.h"

namespace {

LayoutRect RectInParent(HWND control, HWND parent) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool IsClass(HWND window, const char* name) {
    char found[16] = {};
    GetClassNameA(window, found, sizeof found);
    return lstrcmpiA(found, name) == 0;
}

// The base units the dialog manager gave `dialog`.
DialogBaseUnits PlacedBaseUnits(HWND dialog) {
    RECT units{0, 0, 4, 8};
    if (!MapDialogRect(dialog, &units)) return {0, 0};
    return {units.right, units.bottom};
}

// The base units of `font` measured as the dialog manager measures them, or
// `otherwise`.
DialogBaseUnits MeasuredBaseUnits(const LOGFONTA& font, DialogBaseUnits otherwise) {
    HFONT made = CreateFontIndirectA(&font);
    if (!made) return otherwise;
    DialogBaseUnits measured = otherwise;
    if (HDC screen = GetDC(nullptr)) {
        if (HGDIOBJ previous = SelectObject(screen, made)) {
            static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
            TEXTMETRICA metrics{};
            SIZE extent{};
            if (GetTextMetricsA(screen, &metrics) && GetTextExtentPoint32A(screen, kAlphabet, 52, &extent))
                measured = BaseUnitsOf(extent.cx, metrics.tmHeight);
            SelectObject(screen, previous);
        }
        ReleaseDC(nullptr, screen);
    }
    DeleteObject(made);
    return measured;
}

int WindowHeight(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// A closed combo box is its selection field and a border of its own, which
// it does not report (and Wine does not even report the field as it was
// set): the field is set once to learn the border, then again to fit.
void FitClosedHeight(HWND combo, int height) {
    const int closed = WindowHeight(combo);
    const LRESULT field = SendMessageA(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0);
    if (closed == height || field <= 0) return;
    const int tried = int(field) + height - closed;
    SendMessageA(combo, CB_SETITEMHEIGHT, WPARAM(-1), tried);
    const int border = WindowHeight(combo) - tried;
    if (tried + border != height) SendMessageA(combo, CB_SETITEMHEIGHT, WPARAM(-1), height - border);
}

}  // namespace

DialogLayout::~DialogLayout() {
    if (made_) DeleteObject(made_);
}

void DialogLayout::Capture(HWND dialog, int points) {
    if (made_) DeleteObject(made_);
    made_ = nullptr;
    dialog_ = dialog;
    controls_.clear();
    KeepDialogManagerFromScaling(dialog);

    // The template's font at 96 dpi gives the base units of the 96-dpi layout.
    dialogFont_ = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    const bool described = dialogFont_ && GetObjectA(dialogFont_, sizeof description_, &description_) == sizeof description_;
    points_ = described && description_.lfHeight < 0 ? points : 0;
    const DialogBaseUnits placed = PlacedBaseUnits(dialog);
    DialogBaseUnits at96 = placed;
    const LONG height96 = FontHeightAt(points_, kDesignDpi);
    if (points_ && placed.x && description_.lfHeight != height96) {
        LOGFONTA font96 = description_;
        font96.lfHeight = height96;
        const LONG placedHeight = description_.lfHeight;
        at96 = MeasuredBaseUnits(font96, {MulDiv(placed.x, height96, placedHeight), MulDiv(placed.y, height96, placedHeight)});
    }

    RECT client{};
    GetClientRect(dialog, &client);
    client_ = RectAt96({0, 0, client.right, client.bottom}, placed, at96);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Control control{child, GetDlgCtrlID(child), RectInParent(child, dialog), 0, 0};
        if (IsClass(child, "ComboBox")) {
            // Its window is the closed box; the template gives the open one.
            control.closedHeight = HeightAt96(control.at96.height, placed, at96);
            RECT open{};
            if (SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&open)))
                control.at96.height = open.bottom - open.top;
            const LRESULT itemHeight = SendMessageA(child, CB_GETITEMHEIGHT, 0, 0);
            if (itemHeight > 0) control.itemHeight = HeightAt96(int(itemHeight), placed, at96);
        }
        control.at96 = RectAt96(control.at96, placed, at96);
        // A static picture takes its picture's size, whatever the template says.
        if (IsClass(child, "Static")) {
            const SIZE picture = SizeOf(reinterpret_cast<HBITMAP>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0)));
            if (picture.cx > 0) control.at96.width = picture.cx, control.at96.height = picture.cy;
        }
        controls_.push_back(control);
    }
}

void DialogLayout::KeepSize(HWND control) {
    RECT rect{};
    if (!GetWindowRect(control, &rect)) return;
    for (Control& c : controls_)
        if (c.window == control) c.at96.width = rect.right - rect.left, c.at96.height = rect.bottom - rect.top;
}

SIZE DialogLayout::WindowSize(const DisplayScaling& scaling) const {
    RECT window{0, 0, scaling.Scale(client_.width), scaling.Scale(client_.height)};
    AdjustWindowRectEx(&window, static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog_, GWL_EXSTYLE)));
    return {window.right - window.left, window.bottom - window.top};
}

void DialogLayout::Apply(const DisplayScaling& scaling) {
    if (!dialog_) return;
    const SIZE size = WindowSize(scaling);
    SetWindowPos(dialog_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HFONT font = FontAt(scaling.dpi());
    for (const Control& control : controls_) {
        HWND window = WindowOf(control);
        if (!window) continue;
        KeepDialogManagerFromScalingControl(window);
        if (font && reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)) != font)
            SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.closedHeight > 0) FitClosedHeight(window, scaling.Scale(control.closedHeight));
        if (control.itemHeight > 0) SendMessageA(window, CB_SETITEMHEIGHT, 0, scaling.Scale(control.itemHeight));
        const LayoutRect r = scaling.Scale(control.at96);
        SetWindowPos(window, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!font || font == made_) return;
    // The font made for the dpi before is on no control any more.
    if (made_) DeleteObject(made_);
    made_ = font == dialogFont_ ? nullptr : font;
    madeHeight_ = FontHeightAt(points_, scaling.dpi());
}

// A control replaced by another of its id (the web pane takes the place of
// its static) is found by that id.
HWND DialogLayout::WindowOf(const Control& control) const {
    if (IsWindow(control.window) && GetParent(control.window) == dialog_) return control.window;
    return control.id > 0 && control.id != 0xFFFF ? GetDlgItem(dialog_, control.id) : nullptr;
}

// The dialog manager's own font where it has the height wanted; none when
// the font cannot be made, and the controls keep theirs.
HFONT DialogLayout::FontAt(int dpi) {
    if (!points_) return nullptr;
    const LONG height = FontHeightAt(points_, dpi);
    if (height == description_.lfHeight) return dialogFont_;
    if (made_ && height == madeHeight_) return made_;
    LOGFONTA font = description_;
    font.lfHeight = height;
    return CreateFontIndirectA(&font);
}
