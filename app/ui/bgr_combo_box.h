#pragma once

#include "ui/framework/combo_box.h"

// A drop-down list that draws its own items on the page's picture: the
// selected item black on light grey, any other in the colours the drawing
// context already holds. Each item's data is a pointer to its text.
class CBgrComboBox : public CComboBox {
public:
    // Subclassed, so that the parent's WM_DRAWITEM finds this object.
    void BindTo(HWND control) override { SubclassWindow(control); }
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};
