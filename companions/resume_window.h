// The resume program's hidden top-level window. Top-level, because the power,
// display and session broadcasts only reach top-level windows; never shown.
// Every wake from sleep, unlock and display change has the loader put the
// stored gammas back into the display, since any of them may have reset the
// ramp. The program ends with the session, or when the window is closed
// (WM_CLOSE, as the installer does before it replaces or removes the program).
#pragma once

#include <windows.h>

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
    void RegisterForUnlock();
    void OnDestroy();

    HWND window_ = nullptr;
    SessionNotification sessions_;
    LoaderApplies applies_;
    int registerAttempts_ = 0;
};

}  // namespace companions
