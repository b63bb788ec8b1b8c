#include "ui/drag_strip.h"

bool DragFromStrip(const CWnd& window, const RECT& strip, HWND moved) {
    const POINT press = window.CurrentMessagePoint();
    if (!PtInRect(&strip, press)) return false;
    SendMessageA(moved, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return true;
}
