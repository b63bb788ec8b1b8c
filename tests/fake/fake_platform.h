// In-memory stand-in for the operating system behind the engine's platform
// seam. Every call is logged by name, and any call can be made to fail by
// naming it in `failing`, which is how the tests inject faults.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_state.h"
#include "engine/platform/platform.h"

namespace plx::fake {

using Ramp = std::array<std::uint16_t, 768>;
using Bytes = std::vector<std::uint8_t>;

// Shared by all fakes: the call log and the set of calls told to fail.
struct Calls {
    std::vector<std::string> log;
    std::set<std::string> failing;
    std::map<std::string, std::set<int>> failingAt;  // name -> numbers (from 1) of the calls that fail
    // name -> numbers of the calls that throw std::bad_alloc, as the engine's
    // own allocations would when memory runs out at that point
    std::map<std::string, std::set<int>> throwingAt;
    bool Enter(const std::string& name);  // logs; false when told to fail
    int Count(const std::string& name) const;
};

// One monitor's ramp, reached through a device's own context or the whole
// desktop's.
class FakeDisplay : public Display {
public:
    explicit FakeDisplay(Calls& calls) : calls_(calls) {}
    Handle CreateDCA(const char* device) override;
    void DeleteDC(Handle dc) override;
    int GetDeviceCaps(Handle dc, int index) override;
    bool GetDeviceGammaRamp(Handle dc, std::uint16_t ramp[768]) override;
    bool SetDeviceGammaRamp(Handle dc, const std::uint16_t ramp[768]) override;

    Ramp ramp{};                  // what the display holds
    int colorManagementCaps = 2;  // answer to index 121
    bool ignoresLoads = false;    // accepts loads but keeps its ramp
    // What the display keeps of an entry it is given (all of it when empty).
    std::function<std::uint16_t(std::uint16_t)> keeps;
    std::vector<Ramp> loads;      // every ramp offered to SetDeviceGammaRamp
    // Contexts on which the capability query answers 0 and every ramp call
    // fails, as Windows 10 treats the whole desktop's with two monitors.
    std::set<Handle> refusing;
    std::vector<std::string> contexts;  // the device of each context created, "" for the whole desktop
    int openContexts = 0;               // created and not yet deleted
    static constexpr Handle kDc = 0xD15;         // a device's own context
    static constexpr Handle kDesktopDc = 0xDE5;  // the whole desktop's

private:
    bool Usable(Handle dc) const { return (dc == kDc || dc == kDesktopDc) && refusing.count(dc) == 0; }
    Calls& calls_;
};

struct FakeKey {
    std::vector<std::string> subkeys;  // in enumeration order
    std::map<std::string, std::pair<std::uint32_t, Bytes>> values;
};

class FakeMachineRegistry : public MachineRegistry {
public:
    explicit FakeMachineRegistry(Calls& calls) : calls_(calls) {}
    RegResult RegOpenKeyExA(const char* path, Handle& key) override;
    RegResult RegEnumKeyExA(Handle key, std::uint32_t index, char* name, std::uint32_t& nameSize) override;
    RegResult RegQueryValueExA(Handle key, const char* name, std::uint32_t& type, std::uint8_t* data,
                               std::uint32_t& size) override;
    void RegCloseKey(Handle key) override;

    // Keys by full path; trailing backslashes are ignored as the real registry does.
    std::map<std::string, FakeKey> keys;
    void SetString(const std::string& path, const std::string& name, const std::string& text);
    void SetBinary(const std::string& path, const std::string& name, const Bytes& bytes);
    void SetDword(const std::string& path, const std::string& name, std::uint32_t value);
    FakeKey& Key(const std::string& path);  // created when missing
    int openKeys = 0;  // keys opened and not yet closed

private:
    Calls& calls_;
    std::map<Handle, std::string> open_;
    Handle next_ = 0x100;
};

struct FakeAdapter {
    DisplayDevice device{};
    std::vector<DisplayDevice> monitors;
};

class FakeSystem : public System {
public:
    explicit FakeSystem(Calls& calls) : calls_(calls) {}
    bool GetVersionExA(OsVersion& version) override;
    bool EnumDisplayDevicesA(const char* adapter, std::uint32_t index, DisplayDevice& device) override;

    OsVersion version{2, 6, 1};
    std::vector<FakeAdapter> adapters;
    // One primary adapter with one monitor, as Wine reports it.
    void AddPrimaryMonitor(const std::string& name, const std::string& deviceId);

private:
    Calls& calls_;
};

class FakeUserRegistry : public UserRegistry {
public:
    explicit FakeUserRegistry(Calls& calls) : calls_(calls) {}
    RegResult RegCreateKeyExA(const char* path, Handle& key) override;
    RegResult RegSetValueExA(Handle key, const char* name, const char* text) override;
    void RegCloseKey(Handle key) override;

    std::map<std::string, std::map<std::string, std::string>> keys;
    int openKeys = 0;

private:
    Calls& calls_;
    std::map<Handle, std::string> open_;
    Handle next_ = 0x200;
};

class FakeFiles : public Files {
public:
    explicit FakeFiles(Calls& calls) : calls_(calls) {}
    FolderLookup SHGetFolderPathA(char path[260]) override;
    bool CreateDirectoryA(const char* path) override;
    Handle CreateFileA(const char* path) override;
    bool WriteFile(Handle file, const void* data, std::size_t size) override;
    bool CloseHandle(Handle file) override;

    // Up to its first zero; a name of 260 characters or more does not fit.
    std::string documents = "C:\\Users\\user\\Documents";
    std::set<std::string> directories;
    std::map<std::string, Bytes> files;  // by full path
    int openFiles = 0;

private:
    Calls& calls_;
    std::map<Handle, std::string> open_;
    Handle next_ = 0x300;
};

class FakeColorService : public ColorService {
public:
    FakeColorService(Calls& calls, FakeFiles& files) : calls_(calls), files_(files) {}
    bool GetColorDirectoryA(char path[260]) override;
    bool InstallColorProfileA(const char* path) override;
    bool UninstallColorProfileA(const char* path, bool deleteFile) override;
    bool AssociateColorProfileWithDeviceA(const char* fileName, const char* deviceName) override;
    bool DisassociateColorProfileFromDeviceA(const char* fileName, const char* deviceName) override;

    std::string colorDirectory = "C:\\windows\\system32\\spool\\drivers\\color";
    std::set<std::pair<std::string, std::string>> associations;  // file name, device

private:
    Calls& calls_;
    FakeFiles& files_;
};

class FakeClock : public Clock {
public:
    explicit FakeClock(Calls& calls) : calls_(calls) {}
    LocalTime GetLocalTime() override;
    LocalTime now{2008, 12, 25, 14, 30, 5};

private:
    Calls& calls_;
};

// The whole fake system, ready to hand to an engine.
struct FakePlatform {
    Calls calls;
    FakeDisplay display{calls};
    FakeSystem system{calls};
    FakeMachineRegistry machineRegistry{calls};
    FakeUserRegistry userRegistry{calls};
    FakeFiles files{calls};
    FakeColorService colorService{calls, files};
    FakeClock clock{calls};
    Platform platform{display, system, machineRegistry, userRegistry, files, colorService, clock};
};

// The identity ramp: entry i of every channel is i * 257.
Ramp IdentityRamp();

}  // namespace plx::fake
