#include "companions/ramp_watcher.h"

#include <iterator>

#include "companions/apply.h"
#include "companions/full_screen.h"
#include "companions/settings.h"
#include "companions/wizard_window.h"

namespace companions {

namespace {

constexpr UINT kPollMs = 2000;
// How late the system may deliver a poll to wake for it together with others.
constexpr ULONG kPollToleranceMs = 500;
// After an event, counted from the event.
constexpr UINT kEventChecksAtMs[] = {300, 2000, 6000};

using SetCoalescableTimerFunction = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);

// A coalescable timer where the system has one (Windows 8 on).
UINT_PTR SetPollTimer(HWND window, UINT_PTR timer, UINT ms) {
    static const auto coalescable = [] {
        const HMODULE user32 = GetModuleHandleA("user32.dll");
        return user32 ? reinterpret_cast<SetCoalescableTimerFunction>(
                            reinterpret_cast<void*>(GetProcAddress(user32, "SetCoalescableTimer")))
                      : nullptr;
    }();
    if (coalescable) return coalescable(window, timer, ms, nullptr, kPollToleranceMs);
    return SetTimer(window, timer, ms, nullptr);
}

// The local time ms from now; zeros where the system cannot convert it.
SYSTEMTIME LocalTimeIn(Tick ms) {
    FILETIME now, local;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart += ULONGLONG{ms} * 10000;  // 100 ns units
    now.dwLowDateTime = time.LowPart;
    now.dwHighDateTime = time.HighPart;
    SYSTEMTIME until{};
    if (!FileTimeToLocalFileTime(&now, &local) || !FileTimeToSystemTime(&local, &until)) until = SYSTEMTIME{};
    return until;
}

}  // namespace

void RampWatcher::Start(HWND window) {
    window_ = window;
    displayPower_.Register(window);
    StartPoll();
}

void RampWatcher::Stop() {
    StopTimers();
    displayPower_.Unregister();
}

void RampWatcher::OnTimer(UINT_PTR timer) {
    if (timer == kConfirmTimer) KillTimer(window_, kConfirmTimer);
    if (timer == kEventTimer) NextEventCheck();
    Check();
}

void RampWatcher::OnMayHaveReset() {
    // A display change may have replaced the adapter.
    reader_.Reopen();
    if (!ReadWatchRamp()) return Apply();
    if (Paused() || IsFullScreenDirect3DInFront() || InWizard()) return;  // a check follows when that ends
    Ramp ramp;
    if (!reader_.Read(ramp)) return Apply();  // nothing to watch here: as without the watch
    eventCheck_ = 0;
    SetTimer(window_, kEventTimer, kEventChecksAtMs[0], nullptr);
    if (!applies_.Running()) Act(watch_.Read(ramp, GetTickCount()));
}

void RampWatcher::OnApplyEnded(DWORD exitCode) {
    if (exitCode != kApplied) {
        log_.Write("putting the calibration back failed: the loader ended with exit code %lu", exitCode);
        return;
    }
    Ramp ramp;
    if (reader_.Read(ramp)) watch_.Applied(ramp);
    log_.Write("calibration put back");
}

void RampWatcher::OnDisplayPower(LPARAM change) {
    const std::optional<bool> on = DisplayPower::IsOn(change);
    if (!on) return;
    const bool wasPaused = Paused();
    const bool cameOn = displayOff_ && *on;
    displayOff_ = !*on;
    Follow(wasPaused, cameOn);
}

void RampWatcher::OnSessionChange(WPARAM change) {
    const bool wasPaused = Paused();
    switch (change) {
    case WTS_SESSION_LOCK: locked_ = true; break;
    case WTS_SESSION_UNLOCK: locked_ = false; break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT: disconnected_ = true; break;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT: disconnected_ = false; break;
    default: return;
    }
    Follow(wasPaused, change == WTS_SESSION_UNLOCK);
}

// The end of a pause counts as an event: the ramp may well have been reset
// meanwhile.
void RampWatcher::Follow(bool wasPaused, bool resetEvent) {
    if (Paused()) {
        if (!wasPaused) StopTimers();
        return;
    }
    if (wasPaused) StartPoll();
    if (wasPaused || resetEvent) OnMayHaveReset();
}

void RampWatcher::Check() {
    if (Paused() || applies_.Running() || IsFullScreenDirect3DInFront() || !ReadWatchRamp() || InWizard()) return;
    Ramp ramp;
    if (reader_.Read(ramp)) Act(watch_.Read(ramp, GetTickCount()));
}

// While the wizard is open nothing is read; what it leaves when it closes (the
// new calibration, or after Exit the one from before) is taken as ours.
bool RampWatcher::InWizard() {
    if (IsWizardOpen()) {
        wizardOpen_ = true;
        return true;
    }
    if (!wizardOpen_) return false;
    wizardOpen_ = false;
    Ramp ramp;
    if (reader_.Read(ramp)) watch_.Applied(ramp);
    return true;
}

void RampWatcher::Act(const WatchDecision& decision) {
    if (decision.note == WatchNote::ForeignSeen) log_.Write("another program's gamma ramp seen: left alone");
    if (decision.note == WatchNote::BackingOff) {
        const SYSTEMTIME until = LocalTimeIn(decision.pauseMs);
        log_.Write("resets keep coming: backing off for %lu minutes, until %04d-%02d-%02d %02d:%02d:%02d",
                   static_cast<unsigned long>(decision.pauseMs / 60000), until.wYear, until.wMonth, until.wDay,
                   until.wHour, until.wMinute, until.wSecond);
    }
    if (decision.step == WatchStep::Confirm) SetTimer(window_, kConfirmTimer, RampWatch::kConfirmMs, nullptr);
    if (decision.step == WatchStep::Apply) Apply();
}

void RampWatcher::Apply() {
    if (!applies_.Request(window_)) log_.Write("putting the calibration back failed: the loader could not be started");
}

void RampWatcher::StartPoll() { SetPollTimer(window_, kPollTimer, kPollMs); }

void RampWatcher::StopTimers() {
    for (const UINT_PTR timer : {kPollTimer, kConfirmTimer, kEventTimer}) KillTimer(window_, timer);
}

void RampWatcher::NextEventCheck() {
    if (++eventCheck_ < static_cast<int>(std::size(kEventChecksAtMs)))
        SetTimer(window_, kEventTimer, kEventChecksAtMs[eventCheck_] - kEventChecksAtMs[eventCheck_ - 1], nullptr);
    else
        KillTimer(window_, kEventTimer);
}

}  // namespace companions
