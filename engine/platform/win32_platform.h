// The real operating system behind the engine's platform seam: one call each,
// translated, no decisions of its own.
#pragma once

#include "engine/platform/platform.h"

namespace plx {

class Win32Display : public Display {
public:
    ~Win32Display() override;
    Handle CreateDCA(const char* device) override;
    void DeleteDC(Handle dc) override;
    int GetDeviceCaps(Handle dc, int index) override;
    bool GetDeviceGammaRamp(Handle dc, std::uint16_t ramp[768]) override;
    bool SetDeviceGammaRamp(Handle dc, const std::uint16_t ramp[768]) override;

private:
    Handle dc_ = kNoHandle;  // the context the engine kept lives as long as the library
};

class Win32System : public System {
public:
    bool GetVersionExA(OsVersion& version) override;
    bool EnumDisplayDevicesA(const char* adapter, std::uint32_t index, DisplayDevice& device) override;
};

class Win32MachineRegistry : public MachineRegistry {
public:
    RegResult RegOpenKeyExA(const char* path, Handle& key) override;
    RegResult RegEnumKeyExA(Handle key, std::uint32_t index, char* name, std::uint32_t& nameSize) override;
    RegResult RegQueryValueExA(Handle key, const char* name, std::uint32_t& type, std::uint8_t* data,
                               std::uint32_t& size) override;
    void RegCloseKey(Handle key) override;
};

class Win32UserRegistry : public UserRegistry {
public:
    RegResult RegCreateKeyExA(const char* path, Handle& key) override;
    RegResult RegSetValueExA(Handle key, const char* name, const char* text) override;
    void RegCloseKey(Handle key) override;
};

class Win32Files : public Files {
public:
    FolderLookup SHGetFolderPathA(char path[260]) override;
    bool CreateDirectoryA(const char* path) override;
    Handle CreateFileA(const char* path) override;
    bool WriteFile(Handle file, const void* data, std::size_t size) override;
    bool CloseHandle(Handle file) override;
};

class Win32ColorService : public ColorService {
public:
    bool GetColorDirectoryA(char path[260]) override;
    bool InstallColorProfileA(const char* path) override;
    bool UninstallColorProfileA(const char* path, bool deleteFile) override;
    bool AssociateColorProfileWithDeviceA(const char* fileName, const char* deviceName) override;
    bool DisassociateColorProfileFromDeviceA(const char* fileName, const char* deviceName) override;
};

class Win32Clock : public Clock {
public:
    LocalTime GetLocalTime() override;
};

// All of the above, as the DLL uses them.
struct Win32Platform {
    Win32Display display;
    Win32System system;
    Win32MachineRegistry machineRegistry;
    Win32UserRegistry userRegistry;
    Win32Files files;
    Win32ColorService colorService;
    Win32Clock clock;
    Platform platform{display, system, machineRegistry, userRegistry, files, colorService, clock};
};

}  // namespace plx
