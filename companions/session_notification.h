// Unlock notifications for a window. The session service is bound at run time
// so that the program starts even where it is missing; registration can fail
// early at logon while the service is still starting, so callers retry.
#pragma once

#include <windows.h>

namespace companions {

class SessionNotification {
public:
    SessionNotification() = default;
    ~SessionNotification();
    SessionNotification(const SessionNotification&) = delete;
    SessionNotification& operator=(const SessionNotification&) = delete;

    bool Register(HWND window);
    void Unregister();

private:
    HMODULE wtsapi_ = nullptr;
    HWND registered_ = nullptr;
};

}  // namespace companions
