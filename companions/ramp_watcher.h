// The resume program's watch of the ramp, on its hidden window's timers: a
// read every 2 s, and three more soon after each event that may reset the
// ramp (some drivers reset a moment after the event). RampWatch decides;
// this class only reads, times, applies through the loader and logs.
//
// The watch pauses while the display is off, the session is locked or
// disconnected, and while a full-screen Direct3D program is in front; it
// checks once when that ends. It leaves the ramp to the wizard while that is
// open. With the watch turned off (WatchRamp 0), or
// where the ramp cannot be read, every event simply has the loader apply.
#pragma once

#include <windows.h>

#include "companions/action_log.h"
#include "companions/display_power.h"
#include "companions/ramp_reader.h"
#include "companions/ramp_watch.h"
#include "companions/resume_apply.h"

namespace companions {

class RampWatcher {
public:
    static constexpr UINT_PTR kPollTimer = 3;
    static constexpr UINT_PTR kConfirmTimer = 4;
    static constexpr UINT_PTR kEventTimer = 5;

    explicit RampWatcher(LoaderApplies& applies) : applies_(applies) {}

    void Start(HWND window);
    void Stop();

    void OnTimer(UINT_PTR timer);
    // Resume, unlock, display change, display on.
    void OnMayHaveReset();
    void OnApplyEnded(DWORD exitCode);
    void OnDisplayPower(LPARAM change);
    void OnSessionChange(WPARAM change);

private:
    bool Paused() const { return displayOff_ || locked_ || disconnected_; }
    void Follow(bool wasPaused, bool resetEvent);
    void Check();
    bool InWizard();
    void Act(const WatchDecision& decision);
    void Apply();
    void StartPoll();
    void StopTimers();
    void NextEventCheck();

    LoaderApplies& applies_;
    HWND window_ = nullptr;
    RampReader reader_;
    RampWatch watch_;
    ActionLog log_;
    DisplayPower displayPower_;
    bool displayOff_ = false;
    bool locked_ = false;
    bool disconnected_ = false;
    bool wizardOpen_ = false;
    int eventCheck_ = 0;  // the next of the checks after an event
};

}  // namespace companions
