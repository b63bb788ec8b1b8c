#pragma once

#include "ui/framework/wnd.h"

class CButton : public CWnd {
public:
    // Draws the button pushed (TRUE) or released.
    void SetState(BOOL highlight) { SendMessageA(GetSafeHwnd(), BM_SETSTATE, highlight, 0); }
};
