// The dpi the system lays a window out at.
#pragma once

#include <windows.h>

// `window`'s monitor's dpi where the system keeps one per monitor and the
// program is aware of it (GetDpiForWindow from Windows 10, GetDpiForMonitor
// from 8.1), otherwise the system's; 96 when none can be read.
int WindowDpi(HWND window);

// Tests stand in for the system here, to show what Wine cannot: monitors of
// different dpis. A null source gives the system back.
using WindowDpiSource = int (*)(HWND window);
void SetWindowDpiSource(WindowDpiSource source);
