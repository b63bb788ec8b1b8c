#include "companions/wizard_window.h"

#include <windows.h>

namespace companions {

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kTitle[] = "Lumora";

}  // namespace

bool IsWizardOpen() {
    for (HWND window = FindWindowExA(nullptr, nullptr, kDialogClass, kTitle); window;
         window = FindWindowExA(nullptr, window, kDialogClass, kTitle)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId()) return true;
    }
    return false;
}

}  // namespace companions
