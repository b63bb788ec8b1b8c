#include "companions/display_power.h"

#include <cstring>

namespace companions {

namespace {

using RegisterFunction = HANDLE(WINAPI*)(HANDLE, const GUID*, DWORD);
using UnregisterFunction = BOOL(WINAPI*)(HANDLE);
constexpr DWORD kNotifyWindowHandle = 0;

// The console's display (Windows 8 on), else the monitors' power (Vista, 7).
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
constexpr DWORD kDisplayOff = 0;  // 1 is on, 2 dimmed (still showing)

// POWERBROADCAST_SETTING, which the headers give from Vista on.
struct PowerSetting {
    GUID setting;
    DWORD dataLength;
    UCHAR data[1];
};

template <typename Function>
Function FindInUser32(const char* name) {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

DisplayPower::~DisplayPower() { Unregister(); }

void DisplayPower::Register(HWND window) {
    if (registration_) return;
    const auto registerFor = FindInUser32<RegisterFunction>("RegisterPowerSettingNotification");
    if (!registerFor) return;
    registration_ = registerFor(window, &kConsoleDisplayState, kNotifyWindowHandle);
    if (!registration_) registration_ = registerFor(window, &kMonitorPowerOn, kNotifyWindowHandle);
}

void DisplayPower::Unregister() {
    if (!registration_) return;
    if (const auto unregister = FindInUser32<UnregisterFunction>("UnregisterPowerSettingNotification"))
        unregister(registration_);
    registration_ = nullptr;
}

std::optional<bool> DisplayPower::IsOn(LPARAM change) {
    const auto* setting = reinterpret_cast<const PowerSetting*>(change);
    if (!setting || setting->dataLength < sizeof(DWORD)) return std::nullopt;
    const bool known =
        IsEqualGUID(setting->setting, kConsoleDisplayState) || IsEqualGUID(setting->setting, kMonitorPowerOn);
    if (!known) return std::nullopt;
    DWORD state = 0;
    std::memcpy(&state, setting->data, sizeof state);
    return state != kDisplayOff;
}

}  // namespace companions
