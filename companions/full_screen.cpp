#include "companions/full_screen.h"

#include <windows.h>

namespace companions {

namespace {

using QueryFunction = HRESULT(WINAPI*)(int*);
constexpr int kRunningD3dFullScreen = 3;  // QUNS_RUNNING_D3D_FULL_SCREEN

// shell32 is among the program's imports (the log's folder), so it is loaded.
QueryFunction FindQuery() {
    const HMODULE shell32 = GetModuleHandleA("shell32.dll");
    return shell32 ? reinterpret_cast<QueryFunction>(
                         reinterpret_cast<void*>(GetProcAddress(shell32, "SHQueryUserNotificationState")))
                   : nullptr;
}

}  // namespace

bool IsFullScreenDirect3DInFront() {
    static const QueryFunction query = FindQuery();
    int state = 0;
    return query && query(&state) == S_OK && state == kRunningD3dFullScreen;
}

}  // namespace companions
