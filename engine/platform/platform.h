// The engine's port to the operating system. Each operation is shaped after
// the system call that the engine's algorithms name, so that the portable core
// reads like those algorithms and a fake can stand in for the system in tests.
// Buffers are passed with their sizes; implementations never write past them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plx {

using Handle = std::uintptr_t;  // device context, registry key, open file
constexpr Handle kNoHandle = 0;

// Graphics device interface: the display's device context and gamma ramp.
class Display {
public:
    virtual ~Display() = default;
    virtual Handle CreateDCA() = 0;  // the "DISPLAY" driver, no device
    virtual int GetDeviceCaps(Handle dc, int index) = 0;
    virtual bool GetDeviceGammaRamp(Handle dc, std::uint16_t ramp[768]) = 0;
    virtual bool SetDeviceGammaRamp(Handle dc, const std::uint16_t ramp[768]) = 0;
};

struct OsVersion {
    std::uint32_t platformId = 0;  // 1: Windows 9x family, 2: NT family
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
};
constexpr std::uint32_t kPlatformWin9x = 1;
constexpr std::uint32_t kPlatformNt = 2;

// One record of display-device enumeration (the 424-byte DISPLAY_DEVICEA).
// Texts arrive as fixed fields of unknown termination.
struct DisplayDevice {
    char deviceName[32];
    char deviceString[128];
    std::uint32_t stateFlags;
    char deviceId[128];
    char deviceKey[128];
};
constexpr std::uint32_t kDisplayDevicePrimary = 4;

class System {
public:
    virtual ~System() = default;
    virtual bool GetVersionExA(OsVersion& version) = 0;
    // adapter is null for adapters, else the adapter's device name.
    virtual bool EnumDisplayDevicesA(const char* adapter, std::uint32_t index, DisplayDevice& device) = 0;
};

// Registry results in the platform's terms: 0 is success, anything else an error.
using RegResult = long;
constexpr RegResult kRegOk = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

// Local-machine registry, read only.
class MachineRegistry {
public:
    virtual ~MachineRegistry() = default;
    virtual RegResult RegOpenKeyExA(const char* path, Handle& key) = 0;
    // nameSize: in the buffer's size, out the name's length without the zero.
    virtual RegResult RegEnumKeyExA(Handle key, std::uint32_t index, char* name, std::uint32_t& nameSize) = 0;
    // size: in the buffer's size, out the value's size (also when it did not fit).
    virtual RegResult RegQueryValueExA(Handle key, const char* name, std::uint32_t& type, std::uint8_t* data,
                                       std::uint32_t& size) = 0;
    virtual void RegCloseKey(Handle key) = 0;
};

// Current-user registry, written by the profile maker.
class UserRegistry {
public:
    virtual ~UserRegistry() = default;
    virtual RegResult RegCreateKeyExA(const char* path, Handle& key) = 0;                  // KEY_WRITE, non-volatile
    virtual RegResult RegSetValueExA(Handle key, const char* name, const char* text) = 0;  // REG_SZ
    virtual void RegCloseKey(Handle key) = 0;
};

// What the documents-folder lookup found.
enum class FolderLookup {
    Found,     // the folder's name is in the buffer, terminated
    Missing,   // the shell knows no documents folder
    Unusable,  // there is one, but its name in the ANSI code page does not fit the buffer
};

// Shell folders and the file system, as far as the profile needs them.
class Files {
public:
    virtual ~Files() = default;
    // The documents folder (CSIDL_PERSONAL | CSIDL_FLAG_CREATE) into a 260-character buffer, in
    // the ANSI code page with '?' for each character it cannot spell.
    virtual FolderLookup SHGetFolderPathA(char path[260]) = 0;
    virtual bool CreateDirectoryA(const char* path) = 0;
    // Create the file, replacing any existing one (CREATE_ALWAYS).
    virtual Handle CreateFileA(const char* path) = 0;  // kNoHandle on failure
    virtual bool WriteFile(Handle file, const void* data, std::size_t size) = 0;
    virtual bool CloseHandle(Handle file) = 0;
};

// The colour-management service's installation and association calls.
class ColorService {
public:
    virtual ~ColorService() = default;
    // The folder that holds installed profiles.
    virtual bool GetColorDirectoryA(char path[260]) = 0;
    virtual bool InstallColorProfileA(const char* path) = 0;
    virtual bool UninstallColorProfileA(const char* path, bool deleteFile) = 0;
    virtual bool AssociateColorProfileWithDeviceA(const char* fileName, const char* deviceName) = 0;
    virtual bool DisassociateColorProfileFromDeviceA(const char* fileName, const char* deviceName) = 0;
};

struct LocalTime {
    std::uint16_t year, month, day, hour, minute, second;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime GetLocalTime() = 0;
};

// Everything the engine asks of the operating system.
struct Platform {
    Display& display;
    System& system;
    MachineRegistry& machineRegistry;
    UserRegistry& userRegistry;
    Files& files;
    ColorService& colorService;
    Clock& clock;
};

}  // namespace plx
