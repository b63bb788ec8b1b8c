#include "engine/monitor_edid.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/profile/edid_chromaticity.h"

namespace plx {

namespace {

// Local-machine registry paths and value names.
constexpr std::string_view kDisplayClassRoot = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\";
constexpr char kMonitorInstances[] = "SYSTEM\\CurrentControlSet\\Services\\monitor\\Enum\\";
constexpr char kInstanceCount[] = "Count";
constexpr std::string_view kDeviceInstanceRoot = "SYSTEM\\CurrentControlSet\\Enum\\";
constexpr std::string_view kDeviceParameters = "\\Device Parameters";
constexpr std::string_view kWin9xEnumRoot = "Enum\\";
constexpr char kEdidValue[] = "EDID";

// A corrupt Count must not keep the library's load busy: no system lists more
// monitor instances than this.
constexpr std::uint32_t kMaxMonitorInstances = 256;

// EDID byte positions.
constexpr std::size_t kEdidSize = 256;
constexpr std::uint8_t kEdidHeader[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kStructureByte = 0;   // high four bits 2: structure version 2
constexpr std::size_t kVersionNumber = 18;  // 1 for structure version 1
constexpr std::size_t kChromaticityVersion1 = 25;
constexpr std::size_t kChromaticityVersion2 = 94;
constexpr std::size_t kChromaticityLength = 10;

// A text from the system of unknown termination: the bytes before the first
// zero, never more than size.
std::string_view BoundedText(const char* text, std::size_t size) {
    return {text, static_cast<std::size_t>(std::find(text, text + size, '\0') - text)};
}

template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return BoundedText(field, N);
}

// Stores text with its terminator; one that does not fit leaves the buffer empty.
bool StoreText(char (&buffer)[kTextBuffer], std::string_view text) {
    if (text.size() >= kTextBuffer) {
        buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return true;
}

// A local-machine key opened for reading, closed on every path out of its scope.
class RegistryKey {
public:
    RegistryKey(MachineRegistry& registry, const char* path)
        : registry_(registry), open_(registry.RegOpenKeyExA(path, key_) == kRegOk) {}
    ~RegistryKey() {
        if (open_) registry_.RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    explicit operator bool() const { return open_; }

    // A string value as the bytes returned, cut at the first zero.
    std::optional<std::string> ReadString(const char* name) {
        char text[kTextBuffer];
        std::uint32_t type = 0, size = sizeof text;
        if (registry_.RegQueryValueExA(key_, name, type, reinterpret_cast<std::uint8_t*>(text), size) != kRegOk)
            return std::nullopt;
        return std::string(BoundedText(text, std::min<std::size_t>(size, sizeof text)));
    }

    // Only a genuine 32-bit value counts; anything else is a failed read.
    std::optional<std::uint32_t> ReadDword(const char* name) {
        std::uint8_t bytes[4];
        std::uint32_t type = 0, size = sizeof bytes;
        if (registry_.RegQueryValueExA(key_, name, type, bytes, size) != kRegOk || type != kRegDword ||
            size != sizeof bytes)
            return std::nullopt;
        return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    }

    // Subkey name number index, as the bytes returned; nullopt ends the enumeration.
    std::optional<std::string> SubkeyName(std::uint32_t index) {
        char name[kTextBuffer];
        std::uint32_t size = sizeof name;  // the full buffer on every call
        if (registry_.RegEnumKeyExA(key_, index, name, size) != kRegOk) return std::nullopt;
        return std::string(BoundedText(name, std::min<std::size_t>(size, sizeof name)));
    }

    bool ReadBinary(const char* name, std::uint8_t* data, std::uint32_t& size) {
        std::uint32_t type = 0;
        return registry_.RegQueryValueExA(key_, name, type, data, size) == kRegOk;
    }

private:
    MachineRegistry& registry_;
    Handle key_ = kNoHandle;
    bool open_;
};

struct EdidBlock {
    std::uint8_t bytes[kEdidSize] = {};
    std::size_t size = 0;
};

// The model's key name: the part of a device path between its first and its
// second backslash, empty when there is no second one.
std::string_view HardwareId(std::string_view devicePath) {
    if (const auto first = devicePath.find('\\'); first != std::string_view::npos) devicePath.remove_prefix(first + 1);
    const auto next = devicePath.find('\\');
    return next == std::string_view::npos ? std::string_view{} : devicePath.substr(0, next);
}

void FindPrimaryMonitor(Engine& engine) {
    System& system = engine.os.system;
    DisplayDevice adapter{};
    for (std::uint32_t index = 0; system.EnumDisplayDevicesA(nullptr, index, adapter); ++index) {
        if ((adapter.stateFlags & kDisplayDevicePrimary) == 0) continue;
        // The name field may be full; the call needs it terminated.
        char adapterName[sizeof adapter.deviceName + 1] = {};
        std::memcpy(adapterName, adapter.deviceName, sizeof adapter.deviceName);
        DisplayDevice monitor{};
        if (system.EnumDisplayDevicesA(adapterName, 0, monitor)) {
            StoreText(engine.state.monitorName, FieldText(monitor.deviceString));
            StoreText(engine.state.monitorDeviceId, FieldText(monitor.deviceId));
        }
        return;
    }
}

// NT before version 6: the last instance key under the model's display class key.
std::optional<std::string> KeyPathFromDisplayClass(MachineRegistry& registry, std::string_view hardwareId) {
    const std::string classPath = std::string(kDisplayClassRoot).append(hardwareId) + "\\";
    RegistryKey key(registry, classPath.c_str());
    if (!key) return std::nullopt;
    std::optional<std::string> keyPath;
    for (std::uint32_t index = 0; const auto instance = key.SubkeyName(index); ++index)
        keyPath = classPath + *instance + std::string(kDeviceParameters);
    return keyPath;
}

// NT 6 and later: the first listed monitor instance of the same model.
std::optional<std::string> KeyPathFromMonitorInstances(MachineRegistry& registry, std::string_view hardwareId) {
    RegistryKey key(registry, kMonitorInstances);
    if (!key) return std::nullopt;
    const auto count = key.ReadDword(kInstanceCount);
    if (!count) return std::nullopt;
    for (std::uint32_t i = 0; i < std::min(*count, kMaxMonitorInstances); ++i) {
        const auto instance = key.ReadString(std::to_string(i).c_str());
        if (instance && HardwareId(*instance) == hardwareId)
            return std::string(kDeviceInstanceRoot) + *instance + std::string(kDeviceParameters);
    }
    return std::nullopt;
}

std::optional<std::string> MonitorKeyPath(Engine& engine) {
    const EngineState& state = engine.state;
    const std::string_view deviceId = FieldText(state.monitorDeviceId);
    if (state.osVersion.platformId == kPlatformWin9x) return std::string(kWin9xEnumRoot).append(deviceId);
    // A platform of neither family (or an unread version) has no known place for the key.
    if (state.osVersion.platformId < kPlatformNt) return std::nullopt;
    if (state.osVersion.majorVersion <= 5)
        return KeyPathFromDisplayClass(engine.os.machineRegistry, HardwareId(deviceId));
    return KeyPathFromMonitorInstances(engine.os.machineRegistry, HardwareId(deviceId));
}

// Opens the monitor's key (status 101 from then on) and reads its EDID value.
bool ReadEdidValue(Engine& engine, EdidBlock& edid) {
    RegistryKey key(engine.os.machineRegistry, engine.state.monitorKeyPath);
    if (!key) return false;
    engine.state.edidStatus = EdidNoValue;
    std::uint32_t size = sizeof edid.bytes;
    if (!key.ReadBinary(kEdidValue, edid.bytes, size) || size > sizeof edid.bytes) return false;
    edid.size = size;
    return true;
}

// Where the chromaticity bytes start; a block too short to hold them, or to
// be recognised at all, is not recognised.
std::optional<std::size_t> ChromaticityIndex(const EdidBlock& edid) {
    std::size_t index = 0;
    if (edid.size > kStructureByte && edid.bytes[kStructureByte] >> 4 == 2)
        index = kChromaticityVersion2;
    else if (edid.size > kVersionNumber && std::equal(std::begin(kEdidHeader), std::end(kEdidHeader), edid.bytes) &&
             edid.bytes[kVersionNumber] == 1)
        index = kChromaticityVersion1;
    if (index == 0 || index + kChromaticityLength > edid.size) return std::nullopt;
    return index;
}

}  // namespace

void findMonitorEdid(Engine& engine) {
    EngineState& state = engine.state;
    state.edidStatus = EdidNoKey;
    state.monitorName[0] = state.monitorDeviceId[0] = state.monitorKeyPath[0] = '\0';

    FindPrimaryMonitor(engine);
    // A path too long for its buffer is not the monitor's key: opening a cut
    // one could read some other key's value.
    const std::optional<std::string> keyPath = MonitorKeyPath(engine);
    if (!keyPath || !StoreText(state.monitorKeyPath, *keyPath)) return;

    EdidBlock edid;
    if (!ReadEdidValue(engine, edid)) return;
    state.edidStatus = EdidUndecoded;
    const std::optional<std::size_t> index = ChromaticityIndex(edid);
    if (index && DecodeEdidChromaticity(edid.bytes, *index, state.redX, state.redY, state.greenX, state.greenY,
                                        state.blueX, state.blueY, state.whiteX, state.whiteY) != 0)
        state.edidStatus = EdidDecoded;
}

}  // namespace plx
