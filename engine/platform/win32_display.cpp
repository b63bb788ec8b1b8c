// The display and the system's parts of the adapter, in a file of their own so
// that a program reading the ramp links them without the colour service.
#include "engine/platform/win32_platform.h"

#include <windows.h>

#include <cstring>

#include "engine/platform/win32_handles.h"

namespace plx {

// --- display

Win32Display::~Win32Display() {
    if (dc_ != kNoHandle) ::DeleteDC(As<HDC>(dc_));
}

Handle Win32Display::CreateDCA(const char* device) {
    // A device's own context names the device as both driver and device.
    dc_ = ToHandle(::CreateDCA(device != nullptr ? device : "DISPLAY", device, nullptr, nullptr));
    return dc_;
}

void Win32Display::DeleteDC(Handle dc) {
    ::DeleteDC(As<HDC>(dc));
    if (dc == dc_) dc_ = kNoHandle;
}

int Win32Display::GetDeviceCaps(Handle dc, int index) { return ::GetDeviceCaps(As<HDC>(dc), index); }

bool Win32Display::GetDeviceGammaRamp(Handle dc, std::uint16_t ramp[768]) {
    return ::GetDeviceGammaRamp(As<HDC>(dc), ramp) != FALSE;
}

bool Win32Display::SetDeviceGammaRamp(Handle dc, const std::uint16_t ramp[768]) {
    return ::SetDeviceGammaRamp(As<HDC>(dc), const_cast<std::uint16_t*>(ramp)) != FALSE;
}

// --- system

bool Win32System::GetVersionExA(OsVersion& version) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) return false;
    version.platformId = info.dwPlatformId;
    version.majorVersion = info.dwMajorVersion;
    version.minorVersion = info.dwMinorVersion;
    return true;
}

bool Win32System::EnumDisplayDevicesA(const char* adapter, std::uint32_t index, DisplayDevice& device) {
    DISPLAY_DEVICEA record{};
    static_assert(sizeof record == 424);
    record.cb = sizeof record;
    if (!::EnumDisplayDevicesA(adapter, index, &record, 0)) return false;
    std::memcpy(device.deviceName, record.DeviceName, sizeof device.deviceName);
    std::memcpy(device.deviceString, record.DeviceString, sizeof device.deviceString);
    device.stateFlags = record.StateFlags;
    std::memcpy(device.deviceId, record.DeviceID, sizeof device.deviceId);
    std::memcpy(device.deviceKey, record.DeviceKey, sizeof device.deviceKey);
    return true;
}

}  // namespace plx
