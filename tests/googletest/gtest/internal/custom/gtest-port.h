// GoogleTest's hook for ports, used by the Windows builds. Their compilers
// use the win32 thread model, whose standard library has no std::mutex or
// std::condition_variable (the posix model would link winpthreads, which
// needs Vista, into the shipped binaries). GoogleTest's Notification needs
// them; it serves only GoogleTest's own thread helpers, so a plain flag does.
#pragma once

#include <atomic>

extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) Sleep(1);
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
