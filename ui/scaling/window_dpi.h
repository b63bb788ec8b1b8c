// What the system knows of dpis per window, asked where it has it: these
// functions are newer than the systems we build for.
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

// Windows 10 (1703 on) rescales a per-monitor-aware dialog and its controls
// by itself when its dpi changes. These keep it from doing so, for the
// dialog's layout does it all.
void KeepDialogManagerFromScaling(HWND dialog);
void KeepDialogManagerFromScalingControl(HWND control);
