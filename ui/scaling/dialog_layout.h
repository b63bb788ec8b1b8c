#pragma once

#include <windows.h>

#include <vector>

#include "ui/scaling/dialog_template.h"

// A rectangle of the layout as Windows takes it.
inline RECT ToRect(const LayoutRect& r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }

// A dialog's client size, its controls' rectangles and its font as they stand
// at 96 dpi, taken once from its template with the base units its pictures
// are drawn for, and laid out again at any scaling. The dialog manager's own
// placing, which follows whatever font the system gives the template's, is
// only a first draft. This is the one place where a dialog and its controls
// scale: the dialog manager's own response to a dpi change (Windows 10) is
// switched off for every dialog and control laid out here.
class DialogLayout {
public:
    DialogLayout() = default;
    DialogLayout(const DialogLayout&) = delete;
    DialogLayout& operator=(const DialogLayout&) = delete;
    // The controls' font goes with the layout: destroy the dialog first.
    ~DialogLayout();

    // Records `dialog` and its direct children, which the dialog manager
    // has just made from `source`, in template order. A static picture has
    // its picture's size, and a combo box, whose window is the closed box,
    // the heights its font gives it. Without a template the dialog and its
    // controls stand as the dialog manager placed them, and without a font
    // in it the fonts are left alone.
    void Capture(HWND dialog, const std::optional<DialogTemplate>& source);
    // A control that has just sized itself to its content in 96-dpi pixels
    // (a picture button to its picture) keeps that size at 96 dpi.
    void KeepSize(HWND control);

    // The dialog window's size with its client area at `scaling`.
    SIZE WindowSize(const DisplayScaling& scaling) const;
    // Moves, sizes and sets the font of every control at `scaling`.
    void Apply(const DisplayScaling& scaling);

private:
    struct Control {
        HWND window;
        int id;
        LayoutRect at96;
        // A combo box's closed height and list items at 96 dpi; 0 otherwise.
        int closedHeight, itemHeight;
    };

    HWND WindowOf(const Control& control) const;
    HFONT FontAt(int dpi);

    HWND dialog_ = nullptr;
    LayoutRect client_{};
    std::vector<Control> controls_;
    // The template's font: the dialog manager's, and the one made for
    // another dpi, whose height is kept in madeHeight_.
    int points_ = 0;
    LOGFONTA description_{};
    HFONT dialogFont_ = nullptr;
    HFONT made_ = nullptr;
    LONG madeHeight_ = 0;
};
