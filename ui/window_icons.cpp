#include "ui/window_icons.h"

#include <map>

#include "ui/resources/lumora_icon.h"

namespace {

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int index, UINT dpi);

// Windows 10 (1607 on) tells the icon sizes of any dpi. Earlier systems draw
// window icons at the system's dpi, whatever the window's own.
int IconSize(int metric, int dpi) {
    static const auto forDpi = reinterpret_cast<GetSystemMetricsForDpiFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
    const int size = forDpi ? forDpi(metric, static_cast<UINT>(dpi)) : 0;
    return size > 0 ? size : GetSystemMetrics(metric);
}

// Each size is loaded once and kept for the program's life, shared by its
// windows. LR_SHARED would not do: it hands back the first size loaded,
// whatever size is asked for.
HICON IconOfSize(int size) {
    static std::map<int, HICON> loaded;
    HICON& icon = loaded[size];
    if (!icon)
        icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_LUMORA), IMAGE_ICON, size,
                                             size, LR_DEFAULTCOLOR));
    return icon;
}

}  // namespace

void SetWindowIcons(HWND window, int dpi) {
    if (!window) return;
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(IconOfSize(IconSize(SM_CXICON, dpi))));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(IconOfSize(IconSize(SM_CXSMICON, dpi))));
}
