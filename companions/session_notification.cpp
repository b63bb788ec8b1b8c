#include "companions/session_notification.h"

#include "ui/system/program_files.h"

namespace companions {

namespace {

using RegisterFunction = BOOL(WINAPI*)(HWND, DWORD);
using UnregisterFunction = BOOL(WINAPI*)(HWND);
constexpr DWORD kNotifyForThisSession = 0;

template <typename Function>
Function Find(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

SessionNotification::~SessionNotification() {
    Unregister();
    if (wtsapi_) FreeLibrary(wtsapi_);
}

bool SessionNotification::Register(HWND window) {
    if (registered_) return true;
    if (!wtsapi_) wtsapi_ = LoadSystemLibrary(L"wtsapi32.dll");
    const auto registerWindow = Find<RegisterFunction>(wtsapi_, "WTSRegisterSessionNotification");
    if (!registerWindow || !registerWindow(window, kNotifyForThisSession)) return false;
    registered_ = window;
    return true;
}

void SessionNotification::Unregister() {
    if (!registered_) return;
    if (const auto unregister = Find<UnregisterFunction>(wtsapi_, "WTSUnRegisterSessionNotification"))
        unregister(registered_);
    registered_ = nullptr;
}

}  // namespace companions
