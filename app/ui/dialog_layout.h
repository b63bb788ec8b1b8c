#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "app/display_scaling.h"

// The dpi the system makes the program's dialogs for at their creation: the
// screen's, or 96 when it cannot be read. (Later dpi changes of a window
// arrive as WM_DPICHANGED.)
int ScreenDpi();

// A rectangle given by its edges in 96-dpi pixels, at `scaling`.
RECT Scaled(const RECT& rect, const DisplayScaling& scaling);

// A dialog's client size and its controls' rectangles as they stand at 96
// dpi, recorded once from where the dialog manager put them, and laid out
// again at any scaling.
class DialogLayout {
public:
    // `dpi` is the one the dialog's font was made for. Records the dialog's
    // direct children as they are now.
    void Capture(HWND dialog, int dpi);
    bool Captured() const { return dialog_ != nullptr; }

    // The dialog window's size with its client area at `scaling`.
    SIZE WindowSize(const DisplayScaling& scaling) const;
    // Moves and sizes every recorded control at `scaling` (the dialog itself
    // keeps its size).
    void Apply(const DisplayScaling& scaling) const;

private:
    HWND dialog_ = nullptr;
    LayoutRect client_{};
    std::vector<std::pair<HWND, LayoutRect>> controls_;
};

// A top-level picture dialog laid out at the screen's dpi, its window sized
// to match; returns that scaling.
DisplayScaling LayOutAtScreenDpi(HWND dialog);

// The dialog's static picture controls (SS_BITMAP), in template order.
std::vector<HWND> PictureControls(HWND dialog);
