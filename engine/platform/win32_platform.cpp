#include "engine/platform/win32_platform.h"

#include <windows.h>
#include <icm.h>
#include <shlobj.h>

#include <cstring>

namespace plx {

namespace {

template <typename T>
T As(Handle h) {
    return reinterpret_cast<T>(h);
}

template <typename T>
Handle ToHandle(T h) {
    return reinterpret_cast<Handle>(h);
}

// WC_ERR_INVALID_CHARS, which the headers give from Vista on; a system whose
// code page is UTF-8 is Windows 10 or later.
constexpr DWORD kErrInvalidChars = 0x80;

}  // namespace

// --- display

Win32Display::~Win32Display() {
    if (dc_ != kNoHandle) ::DeleteDC(As<HDC>(dc_));
}

Handle Win32Display::CreateDCA() {
    dc_ = ToHandle(::CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    return dc_;
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

// --- local-machine registry

RegResult Win32MachineRegistry::RegOpenKeyExA(const char* path, Handle& key) {
    HKEY opened = nullptr;
    LONG result = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &opened);
    key = ToHandle(opened);
    return result;
}

RegResult Win32MachineRegistry::RegEnumKeyExA(Handle key, std::uint32_t index, char* name, std::uint32_t& nameSize) {
    DWORD size = nameSize;
    LONG result = ::RegEnumKeyExA(As<HKEY>(key), index, name, &size, nullptr, nullptr, nullptr, nullptr);
    nameSize = size;
    return result;
}

RegResult Win32MachineRegistry::RegQueryValueExA(Handle key, const char* name, std::uint32_t& type, std::uint8_t* data,
                                                 std::uint32_t& size) {
    DWORD valueType = 0, valueSize = size;
    LONG result = ::RegQueryValueExA(As<HKEY>(key), name, nullptr, &valueType, data, &valueSize);
    type = valueType;
    size = valueSize;
    return result;
}

void Win32MachineRegistry::RegCloseKey(Handle key) { ::RegCloseKey(As<HKEY>(key)); }

// --- current-user registry

RegResult Win32UserRegistry::RegCreateKeyExA(const char* path, Handle& key) {
    HKEY created = nullptr;
    LONG result = ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                    &created, nullptr);
    key = ToHandle(created);
    return result;
}

RegResult Win32UserRegistry::RegSetValueExA(Handle key, const char* name, const char* text) {
    const auto size = static_cast<DWORD>(std::strlen(text)) + 1;  // the zero counts
    return ::RegSetValueExA(As<HKEY>(key), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size);
}

void Win32UserRegistry::RegCloseKey(Handle key) { ::RegCloseKey(As<HKEY>(key)); }

// --- files

FolderLookup Win32Files::SHGetFolderPathA(char path[260]) {
    // The ANSI call spells characters the code page lacks by look-alikes
    // ("Łucja" as "Lucja"), which can name another user's folder. Converted
    // without them, each such character becomes '?', which no path holds.
    // The UTF-8 code page (65001, an option of Windows 10 and 11) spells every
    // character and refuses that flag; there only text that is not valid
    // UTF-16 is refused.
    wchar_t documents[MAX_PATH];
    if (::SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK)
        return FolderLookup::Missing;
    const DWORD flags = ::GetACP() == CP_UTF8 ? kErrInvalidChars : WC_NO_BEST_FIT_CHARS;
    if (::WideCharToMultiByte(CP_ACP, flags, documents, -1, path, 260, nullptr, nullptr) == 0)
        return FolderLookup::Unusable;  // longer than the buffer, or invalid text
    return FolderLookup::Found;
}

bool Win32Files::CreateDirectoryA(const char* path) { return ::CreateDirectoryA(path, nullptr) != FALSE; }

Handle Win32Files::CreateFileA(const char* path) {
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? kNoHandle : ToHandle(file);
}

bool Win32Files::WriteFile(Handle file, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(As<HANDLE>(file), bytes, static_cast<DWORD>(size), &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

bool Win32Files::CloseHandle(Handle file) { return ::CloseHandle(As<HANDLE>(file)) != FALSE; }

// --- colour service

bool Win32ColorService::GetColorDirectoryA(char path[260]) {
    DWORD size = 260;
    return ::GetColorDirectoryA(nullptr, path, &size) != FALSE;
}

bool Win32ColorService::InstallColorProfileA(const char* path) {
    return ::InstallColorProfileA(nullptr, const_cast<char*>(path)) != FALSE;
}

bool Win32ColorService::UninstallColorProfileA(const char* path, bool deleteFile) {
    return ::UninstallColorProfileA(nullptr, const_cast<char*>(path), deleteFile ? TRUE : FALSE) != FALSE;
}

bool Win32ColorService::AssociateColorProfileWithDeviceA(const char* fileName, const char* deviceName) {
    return ::AssociateColorProfileWithDeviceA(nullptr, const_cast<char*>(fileName), const_cast<char*>(deviceName)) !=
           FALSE;
}

bool Win32ColorService::DisassociateColorProfileFromDeviceA(const char* fileName, const char* deviceName) {
    return ::DisassociateColorProfileFromDeviceA(nullptr, const_cast<char*>(fileName), const_cast<char*>(deviceName)) !=
           FALSE;
}

// --- clock

LocalTime Win32Clock::GetLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace plx
