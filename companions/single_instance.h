// One resume program per user session: the mutex lives in the session's own
// namespace, so other users' sessions run their own.
#pragma once

#include <windows.h>

namespace companions {

class SingleInstance {
public:
    explicit SingleInstance(const char* mutexName)
        : mutex_(CreateMutexA(nullptr, TRUE, mutexName)), owned_(mutex_ && GetLastError() != ERROR_ALREADY_EXISTS) {}
    ~SingleInstance() {
        if (owned_) ReleaseMutex(mutex_);
        if (mutex_) CloseHandle(mutex_);
    }
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False also when the mutex could not be made: rather none than two.
    bool owned() const { return owned_; }

private:
    HANDLE mutex_;
    bool owned_;
};

}  // namespace companions
