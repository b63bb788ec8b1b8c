#include "ui/scaling/window_dpi.h"

#include "ui/scaling/display_scaling.h"

namespace {

WindowDpiSource standIn = nullptr;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int type, UINT* x, UINT* y);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
using SetDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int mask, int values);
constexpr int kDialogDisableAll = 0x1;                   // DDC_DISABLE_ALL
constexpr int kControlDisableFontAndLayout = 0x1 | 0x2;  // DCDC_DISABLE_FONTUPDATE | DCDC_DISABLE_RELAYOUT

template <typename Function>
Function Lookup(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

template <typename Function>
Function User32(const char* name) {
    return Lookup<Function>(GetModuleHandleA("user32.dll"), name);
}

int MonitorDpi(HWND window) {
    static const auto getDpiForWindow = User32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) return static_cast<int>(getDpiForWindow(window));
    static const auto getDpiForMonitor =
        Lookup<GetDpiForMonitorFunction>(LoadLibraryA("shcore.dll"), "GetDpiForMonitor");
    UINT x = 0, y = 0;
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (getDpiForMonitor && monitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)))
        return static_cast<int>(x);
    return 0;
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
    int dpi = standIn ? standIn(window) : MonitorDpi(window);
    if (dpi <= 0) dpi = SystemDpi();
    return dpi > 0 ? dpi : kDesignDpi;
}

void SetWindowDpiSource(WindowDpiSource source) { standIn = source; }

void KeepDialogManagerFromScaling(HWND dialog) {
    static const auto set = User32<SetDpiChangeBehaviorFunction>("SetDialogDpiChangeBehavior");
    if (set && dialog) set(dialog, kDialogDisableAll, kDialogDisableAll);
}

void KeepDialogManagerFromScalingControl(HWND control) {
    static const auto set = User32<SetDpiChangeBehaviorFunction>("SetDialogControlDpiChangeBehavior");
    if (set && control) set(control, kControlDisableFontAndLayout, kControlDisableFontAndLayout);
}
