#include "tests/fake/fake_platform.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace plx::fake {

namespace {

constexpr RegResult kErrorFileNotFound = 2;
constexpr RegResult kErrorAccessDenied = 5;
constexpr RegResult kErrorInvalidHandle = 6;
constexpr RegResult kErrorMoreData = 234;
constexpr RegResult kErrorNoMoreItems = 259;

std::string KeyName(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// Copies text into a fixed buffer the way the system does: cut, always terminated.
void CopyText(char* dst, std::size_t size, const std::string& text) {
    std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(dst, text.data(), n);
    dst[n] = '\0';
}

std::string FileNameOf(const std::string& path) {
    auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool Calls::Enter(const std::string& name) {
    log.push_back(name);
    if (auto numbers = throwingAt.find(name); numbers != throwingAt.end() && numbers->second.count(Count(name)) != 0)
        throw std::bad_alloc();
    if (failing.count(name) != 0) return false;
    auto numbers = failingAt.find(name);
    return numbers == failingAt.end() || numbers->second.count(Count(name)) == 0;
}

int Calls::Count(const std::string& name) const {
    return static_cast<int>(std::count(log.begin(), log.end(), name));
}

Ramp IdentityRamp() {
    Ramp ramp{};
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint16_t>((i % 256) * 257);
    return ramp;
}

// --- display

Handle FakeDisplay::CreateDCA(const char* device) {
    contexts.emplace_back(device != nullptr ? device : "");
    if (!calls_.Enter("CreateDCA")) return kNoHandle;
    ++openContexts;
    return device != nullptr ? kDc : kDesktopDc;
}

void FakeDisplay::DeleteDC(Handle dc) {
    calls_.Enter("DeleteDC");
    if (dc != kNoHandle) --openContexts;
}

int FakeDisplay::GetDeviceCaps(Handle dc, int index) {
    if (!calls_.Enter("GetDeviceCaps") || !Usable(dc)) return 0;
    return index == 121 ? colorManagementCaps : 0;
}

bool FakeDisplay::GetDeviceGammaRamp(Handle dc, std::uint16_t out[768]) {
    if (!calls_.Enter("GetDeviceGammaRamp") || !Usable(dc)) return false;
    std::copy(ramp.begin(), ramp.end(), out);
    return true;
}

bool FakeDisplay::SetDeviceGammaRamp(Handle dc, const std::uint16_t in[768]) {
    Ramp offered;
    std::copy(in, in + 768, offered.begin());
    loads.push_back(offered);
    if (!calls_.Enter("SetDeviceGammaRamp") || !Usable(dc)) return false;
    if (ignoresLoads) return true;
    ramp = offered;
    if (keeps) std::transform(ramp.begin(), ramp.end(), ramp.begin(), keeps);
    return true;
}

// --- local-machine registry

void FakeMachineRegistry::SetString(const std::string& path, const std::string& name, const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    keys[KeyName(path)].values[name] = {kRegSz, bytes};
}

void FakeMachineRegistry::SetBinary(const std::string& path, const std::string& name, const Bytes& bytes) {
    keys[KeyName(path)].values[name] = {kRegBinary, bytes};
}

void FakeMachineRegistry::SetDword(const std::string& path, const std::string& name, std::uint32_t value) {
    Bytes bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    keys[KeyName(path)].values[name] = {kRegDword, bytes};
}

FakeKey& FakeMachineRegistry::Key(const std::string& path) { return keys[KeyName(path)]; }

RegResult FakeMachineRegistry::RegOpenKeyExA(const char* path, Handle& key) {
    if (!calls_.Enter("RegOpenKeyExA")) return kErrorAccessDenied;
    std::string name = KeyName(path);
    if (keys.count(name) == 0) return kErrorFileNotFound;
    key = next_++;
    open_[key] = name;
    ++openKeys;
    return kRegOk;
}

RegResult FakeMachineRegistry::RegEnumKeyExA(Handle key, std::uint32_t index, char* name, std::uint32_t& nameSize) {
    if (!calls_.Enter("RegEnumKeyExA")) return kErrorAccessDenied;
    auto it = open_.find(key);
    if (it == open_.end()) return kErrorInvalidHandle;
    const auto& subkeys = keys[it->second].subkeys;
    if (index >= subkeys.size()) return kErrorNoMoreItems;
    const std::string& sub = subkeys[index];
    if (sub.size() + 1 > nameSize) return kErrorMoreData;
    CopyText(name, nameSize, sub);
    nameSize = static_cast<std::uint32_t>(sub.size());
    return kRegOk;
}

RegResult FakeMachineRegistry::RegQueryValueExA(Handle key, const char* name, std::uint32_t& type,
                                                std::uint8_t* data, std::uint32_t& size) {
    if (!calls_.Enter("RegQueryValueExA")) return kErrorAccessDenied;
    auto it = open_.find(key);
    if (it == open_.end()) return kErrorInvalidHandle;
    const auto& values = keys[it->second].values;
    auto value = values.find(name);
    if (value == values.end()) return kErrorFileNotFound;
    type = value->second.first;
    const Bytes& bytes = value->second.second;
    std::uint32_t capacity = size;
    size = static_cast<std::uint32_t>(bytes.size());
    if (bytes.size() > capacity) return kErrorMoreData;
    std::copy(bytes.begin(), bytes.end(), data);
    return kRegOk;
}

void FakeMachineRegistry::RegCloseKey(Handle key) {
    calls_.Enter("RegCloseKey");
    if (open_.erase(key) != 0) --openKeys;
}

// --- system

bool FakeSystem::GetVersionExA(OsVersion& out) {
    if (!calls_.Enter("GetVersionExA")) return false;
    out = version;
    return true;
}

bool FakeSystem::EnumDisplayDevicesA(const char* adapter, std::uint32_t index, DisplayDevice& device) {
    if (!calls_.Enter("EnumDisplayDevicesA")) return false;
    if (adapter == nullptr) {
        if (index >= adapters.size()) return false;
        device = adapters[index].device;
        return true;
    }
    const std::string wanted = adapter;  // read as the system reads it: up to its zero
    for (const auto& a : adapters) {
        const char* name = a.device.deviceName;
        if (wanted == std::string(name, std::find(name, name + sizeof a.device.deviceName, '\0'))) {
            if (index >= a.monitors.size()) return false;
            device = a.monitors[index];
            return true;
        }
    }
    return false;
}

void FakeSystem::AddPrimaryMonitor(const std::string& name, const std::string& deviceId) {
    FakeAdapter adapter;
    CopyText(adapter.device.deviceName, sizeof adapter.device.deviceName, "\\\\.\\DISPLAY1");
    CopyText(adapter.device.deviceString, sizeof adapter.device.deviceString, "Fake Display Adapter");
    adapter.device.stateFlags = kDisplayDevicePrimary | 1;
    DisplayDevice monitor{};
    CopyText(monitor.deviceName, sizeof monitor.deviceName, "\\\\.\\DISPLAY1\\Monitor0");
    CopyText(monitor.deviceString, sizeof monitor.deviceString, name);
    CopyText(monitor.deviceId, sizeof monitor.deviceId, deviceId);
    adapter.monitors.push_back(monitor);
    adapters.push_back(adapter);
}

// --- current-user registry

RegResult FakeUserRegistry::RegCreateKeyExA(const char* path, Handle& key) {
    if (!calls_.Enter("RegCreateKeyExA")) return kErrorAccessDenied;
    std::string name = KeyName(path);
    keys[name];
    key = next_++;
    open_[key] = name;
    ++openKeys;
    return kRegOk;
}

RegResult FakeUserRegistry::RegSetValueExA(Handle key, const char* name, const char* text) {
    if (!calls_.Enter("RegSetValueExA")) return kErrorAccessDenied;
    auto it = open_.find(key);
    if (it == open_.end()) return kErrorInvalidHandle;
    keys[it->second][name] = text;
    return kRegOk;
}

void FakeUserRegistry::RegCloseKey(Handle key) {
    calls_.Enter("RegCloseKey");
    if (open_.erase(key) != 0) --openKeys;
}

// --- files

FolderLookup FakeFiles::SHGetFolderPathA(char path[260]) {
    if (!calls_.Enter("SHGetFolderPathA")) return FolderLookup::Missing;
    if (std::strlen(documents.c_str()) >= 260) return FolderLookup::Unusable;
    CopyText(path, 260, documents);
    return FolderLookup::Found;
}

bool FakeFiles::CreateDirectoryA(const char* path) {
    if (!calls_.Enter("CreateDirectoryA")) return false;
    return directories.insert(KeyName(path)).second;
}

Handle FakeFiles::CreateFileA(const char* path) {
    if (!calls_.Enter("CreateFileA")) return kNoHandle;
    files[path].clear();
    Handle file = next_++;
    open_[file] = path;
    ++openFiles;
    return file;
}

bool FakeFiles::WriteFile(Handle file, const void* data, std::size_t size) {
    if (!calls_.Enter("WriteFile")) return false;
    auto it = open_.find(file);
    if (it == open_.end()) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    Bytes& content = files[it->second];
    content.insert(content.end(), bytes, bytes + size);
    return true;
}

bool FakeFiles::CloseHandle(Handle file) {
    bool ok = calls_.Enter("CloseHandle");
    if (open_.erase(file) != 0) --openFiles;
    return ok;
}

// --- colour service

bool FakeColorService::GetColorDirectoryA(char path[260]) {
    if (!calls_.Enter("GetColorDirectoryA")) return false;
    CopyText(path, 260, colorDirectory);
    return true;
}

bool FakeColorService::InstallColorProfileA(const char* path) {
    if (!calls_.Enter("InstallColorProfileA")) return false;
    auto it = files_.files.find(path);
    if (it == files_.files.end()) return false;
    files_.files[colorDirectory + "\\" + FileNameOf(path)] = it->second;
    return true;
}

bool FakeColorService::UninstallColorProfileA(const char* path, bool deleteFile) {
    if (!calls_.Enter("UninstallColorProfileA")) return false;
    // Like the real service, it deletes exactly the file it is given.
    return deleteFile ? files_.files.erase(path) != 0 : files_.files.count(path) != 0;
}

bool FakeColorService::AssociateColorProfileWithDeviceA(const char* fileName, const char* deviceName) {
    if (!calls_.Enter("AssociateColorProfileWithDeviceA")) return false;
    associations.insert({fileName, deviceName});
    return true;
}

bool FakeColorService::DisassociateColorProfileFromDeviceA(const char* fileName, const char* deviceName) {
    if (!calls_.Enter("DisassociateColorProfileFromDeviceA")) return false;
    return associations.erase({fileName, deviceName}) != 0;
}

// --- clock

LocalTime FakeClock::GetLocalTime() {
    calls_.Enter("GetLocalTime");
    return now;
}

}  // namespace plx::fake
