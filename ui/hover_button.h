#pragma once

#include "ui/framework/bitmap_button.h"

// The id of the hidden default button that every window holding hover
// buttons has.
inline constexpr int kHiddenDefaultButton = 1001;

// A picture button that shows its pushed picture while the pointer is over
// it. A 100 ms timer notices when the pointer has left. At every change the
// keyboard focus goes to the parent's hidden default button, so that no
// button shows its focused picture merely because the pointer passed over it.
class CHoverButton : public CBitmapButton {
public:
    CHoverButton() = default;

protected:
    void OnMouseMove(UINT flags, POINT point) override;
    void OnTimer(UINT_PTR id) override;

private:
    void FocusHiddenButton();

    int hovering_ = 0;
};
