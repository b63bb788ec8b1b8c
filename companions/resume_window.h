// The resume program's hidden top-level window. Top-level, because the power,
// display and session broadcasts only reach top-level windows; never shown.
// It carries the watch of the ramp (companions/ramp_watcher.h), which puts the
// stored gammas back through the loader when the ramp was reset: silently, or
// by a wake from sleep, an unlock or a display change. The program ends with
// the session, or when the window is closed (WM_CLOSE, as the installer does
// before it replaces or removes the program).
#pragma once

#include <windows.h>

#include "companions/ramp_watcher.h"
#include "companions/resume_apply.h"
#include "companions/session_notification.h"

namespace companions {

constexpr char kResumeWindowClass[] = "LumoraResume";

class ResumeWindow {
public:
    ResumeWindow() = default;
    ~ResumeWindow();
    ResumeWindow(const ResumeWindow&) = delete;
    ResumeWindow& operator=(const ResumeWindow&) = delete;

    bool Create(HINSTANCE instance);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR timer);
    void RegisterForUnlock();
    void OnDestroy();

    HWND window_ = nullptr;
    SessionNotification sessions_;
    LoaderApplies applies_;
    RampWatcher watcher_{applies_};
    int registerAttempts_ = 0;
};

}  // namespace companions
