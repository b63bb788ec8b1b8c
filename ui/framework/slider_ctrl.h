#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/framework/wnd.h"

class CSliderCtrl : public CWnd {
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) {
        SendMessageA(GetSafeHwnd(), TBM_SETRANGE, redraw, MAKELPARAM(minimum, maximum));
    }
    int GetPos() const { return static_cast<int>(SendMessageA(GetSafeHwnd(), TBM_GETPOS, 0, 0)); }
    // Moves the thumb and redraws; the slider does not notify its parent.
    void SetPos(int position) { SendMessageA(GetSafeHwnd(), TBM_SETPOS, TRUE, position); }
};
