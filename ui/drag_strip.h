#pragma once

#include "ui/framework/wnd.h"

// Caption-less picture windows are dragged by a strip of their picture. Given
// a left-button press of `window`, at the current message's position: if it
// lies in `strip` (client pixels), `moved` gets the press as if on its
// caption, and the system drags it. False when the press lay elsewhere.
bool DragFromStrip(const CWnd& window, const RECT& strip, HWND moved);
