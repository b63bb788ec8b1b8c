#include "ui/scaling/dialog_layout.h"

#include "ui/scaling/scaled_picture.h"
#include "ui/scaling/window_dpi.h"

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

// The base units the dialog manager gave `dialog`: those of the font it
// found, at the dpi it was made at.
DialogBaseUnits PlacedBaseUnits(HWND dialog) {
    RECT units{0, 0, 4, 8};
    if (!MapDialogRect(dialog, &units)) return {0, 0};
    return {units.right, units.bottom};
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

void DialogLayout::Capture(HWND dialog, const std::optional<DialogTemplate>& source) {
    if (made_) DeleteObject(made_);
    made_ = nullptr;
    dialog_ = dialog;
    controls_.clear();
    KeepDialogManagerFromScaling(dialog);

    dialogFont_ = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    const bool described =
        dialogFont_ && GetObjectA(dialogFont_, sizeof description_, &description_) == sizeof description_;
    points_ = source && described && description_.lfHeight < 0 ? source->points : 0;
    const DialogBaseUnits placed = PlacedBaseUnits(dialog);
    const DialogBaseUnits at96 = source ? DesignBaseUnits(*source) : placed;

    RECT client{};
    GetClientRect(dialog, &client);
    client_ = source ? PixelsOf(source->dialog, at96) : LayoutRect{0, 0, client.right, client.bottom};
    client_.x = client_.y = 0;
    std::size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++index) {
        const bool fromTemplate = source && index < source->controls.size();
        Control control{child, GetDlgCtrlID(child),
                        fromTemplate ? PixelsOf(source->controls[index], at96) : RectInParent(child, dialog), 0, 0};
        if (IsClass(child, "ComboBox")) {
            // Its window is the closed box; the template gives the open one.
            control.closedHeight = HeightAt96(WindowHeight(child), placed, at96);
            const LRESULT itemHeight = SendMessageA(child, CB_GETITEMHEIGHT, 0, 0);
            if (itemHeight > 0) control.itemHeight = HeightAt96(int(itemHeight), placed, at96);
        }
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
