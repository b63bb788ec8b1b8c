// "The display went off / came back on" for a window: the power-setting
// notifications of Vista and later, bound at run time so that XP still starts
// the program (there the watch simply never pauses for the display). On
// Modern Standby PCs the wake messages arrive late or not at all, and the
// display coming on is what tells of the wake.
#pragma once

#include <windows.h>

#include <optional>

namespace companions {

// WM_POWERBROADCAST's code for a power-setting change (Vista on).
constexpr WPARAM kPowerSettingChange = 0x8013;

class DisplayPower {
public:
    DisplayPower() = default;
    ~DisplayPower();
    DisplayPower(const DisplayPower&) = delete;
    DisplayPower& operator=(const DisplayPower&) = delete;

    void Register(HWND window);
    void Unregister();

    // Whether the display is on, from a power-setting change's data; none
    // when the change is of another setting or malformed.
    static std::optional<bool> IsOn(LPARAM change);

private:
    HANDLE registration_ = nullptr;
};

}  // namespace companions
