// The program's icon on a top-level window, big and small (the taskbar,
// Alt-Tab and the title area show them), each at the size the system draws
// it at for the window's dpi: the icon carries every such size as drawn.
#pragma once

#include <windows.h>

void SetWindowIcons(HWND window, int dpi);
