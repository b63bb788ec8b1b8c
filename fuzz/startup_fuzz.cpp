// The engine's start-up over arbitrary systems: versions, display answers,
// display-device enumerations with unterminated text fields, registry trees
// with Count values of any type and size, string values and EDID blocks of
// any size, and failing calls. Whatever it finds, the start-up leaves a state
// the handlers can rely on and the display as it was.
//
// Input (little-endian; texts are a u16 length, taken modulo the field size
// plus one, and the bytes; a full-size text has no terminator):
//   u8 platform id, u8 major version, u8 colour-management capability,
//   u8 display (bit 0: ignores loads, bit 1: found at the 227 probe ramp),
//   u8 number of failing calls, each u8 call and u8 number (0: every call),
//   u8 adapters, each: name text (32), u32 state flags, u8 monitors, each:
//     device string text (128), device id text (128),
//   u8 registry layout (bits below), u8 subkeys, each: name text (300),
//   u8 Count type, Count bytes text (8), u8 instances, each: u8 type, text (300),
//   u8 EDID value type, then the EDID value: the rest of the input.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "engine/gamma.h"
#include "engine/startup.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "tests/fake/fake_platform.h"

namespace {

using plx::fuzz::Input;
using plx::fake::Bytes;

const char* const kFailableCalls[] = {"CreateDCA",           "GetVersionExA",  "GetDeviceCaps",
                                      "GetDeviceGammaRamp",  "SetDeviceGammaRamp", "EnumDisplayDevicesA",
                                      "RegOpenKeyExA",       "RegEnumKeyExA",  "RegQueryValueExA"};

// Registry layout bits: which of the keys derived from the monitors' ids exist.
enum Layout : std::uint8_t {
    Win9xKeys = 1,          // "Enum\" + device id
    DisplayClassKeys = 2,   // the model's key under DISPLAY, with the subkeys
    ClassInstanceKeys = 4,  // each subkey's "Device Parameters"
    InstanceList = 8,       // Services\monitor\Enum with Count and the instances
    InstanceKeys = 16,      // each listed instance's "Device Parameters"
    NoEdidValue = 32,       // the keys exist without the value
    InstancesOfTheModel = 64,  // instance texts are "DISPLAY\" + the model + "\" + text
};

const std::string kClassRoot = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\";
const std::string kInstanceList = "SYSTEM\\CurrentControlSet\\Services\\monitor\\Enum\\";
const std::string kEnumRoot = "SYSTEM\\CurrentControlSet\\Enum\\";
const std::string kParameters = "\\Device Parameters";

template <std::size_t N>
void SetField(char (&field)[N], const Bytes& text) {
    std::memset(field, 0, N);
    std::copy_n(text.begin(), std::min(text.size(), N), field);
}

// A text as the engine reads it: up to its zero, never beyond its field.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(field, std::find(field, field + N, '\0'));
}

std::string HardwareId(const std::string& path) {
    const auto first = path.find('\\');
    const std::string rest = first == std::string::npos ? path : path.substr(first + 1);
    const auto next = rest.find('\\');
    return next == std::string::npos ? std::string() : rest.substr(0, next);
}

// Observes the EDID status at every registry call, to see that it only moves
// forward: 103, 101, 102, 100.
class WatchedRegistry : public plx::MachineRegistry {
public:
    explicit WatchedRegistry(plx::MachineRegistry& registry) : registry_(registry) {}
    plx::RegResult RegOpenKeyExA(const char* path, plx::Handle& key) override {
        Watch();
        return registry_.RegOpenKeyExA(path, key);
    }
    plx::RegResult RegEnumKeyExA(plx::Handle key, std::uint32_t index, char* name, std::uint32_t& size) override {
        Watch();
        return registry_.RegEnumKeyExA(key, index, name, size);
    }
    plx::RegResult RegQueryValueExA(plx::Handle key, const char* name, std::uint32_t& type, std::uint8_t* data,
                                    std::uint32_t& size) override {
        Watch();
        return registry_.RegQueryValueExA(key, name, type, data, size);
    }
    void RegCloseKey(plx::Handle key) override {
        Watch();
        registry_.RegCloseKey(key);
    }
    void Watch() {
        static const std::int32_t order[] = {plx::EdidNoKey, plx::EdidNoValue, plx::EdidUndecoded, plx::EdidDecoded};
        const auto rank = std::find(std::begin(order), std::end(order), state->edidStatus) - std::begin(order);
        FUZZ_CHECK(rank < 4 && rank >= rank_);
        rank_ = rank;
    }
    const plx::EngineState* state = nullptr;

private:
    plx::MachineRegistry& registry_;
    std::ptrdiff_t rank_ = 0;
};

// Remembers whether the last ramp load succeeded, and whether any failed.
class WatchedDisplay : public plx::Display {
public:
    explicit WatchedDisplay(plx::Display& display) : display_(display) {}
    plx::Handle CreateDCA(const char* device) override { return display_.CreateDCA(device); }
    void DeleteDC(plx::Handle dc) override { display_.DeleteDC(dc); }
    int GetDeviceCaps(plx::Handle dc, int index) override { return display_.GetDeviceCaps(dc, index); }
    bool GetDeviceGammaRamp(plx::Handle dc, std::uint16_t ramp[768]) override {
        return display_.GetDeviceGammaRamp(dc, ramp);
    }
    bool SetDeviceGammaRamp(plx::Handle dc, const std::uint16_t ramp[768]) override {
        lastLoadFailed = !display_.SetDeviceGammaRamp(dc, ramp);
        anyLoadFailed = anyLoadFailed || lastLoadFailed;
        return !lastLoadFailed;
    }
    bool lastLoadFailed = false;
    bool anyLoadFailed = false;

private:
    plx::Display& display_;
};

void BuildEnumeration(Input& in, plx::fake::FakeSystem& system) {
    const int adapters = in.Take<std::uint8_t>() % 4;
    for (int a = 0; a < adapters; ++a) {
        plx::fake::FakeAdapter adapter;
        SetField(adapter.device.deviceName, in.Bytes(32));
        adapter.device.stateFlags = in.Take<std::uint32_t>();
        const int monitors = in.Take<std::uint8_t>() % 3;
        for (int m = 0; m < monitors; ++m) {
            plx::DisplayDevice monitor{};
            SetField(monitor.deviceString, in.Bytes(128));
            SetField(monitor.deviceId, in.Bytes(128));
            adapter.monitors.push_back(monitor);
        }
        system.adapters.push_back(adapter);
    }
}

// The keys a lookup may reach, derived from every monitor's id, so that the
// interesting trees are found without guessing paths.
void BuildRegistry(Input& in, const plx::fake::FakeSystem& system, plx::fake::FakeMachineRegistry& registry) {
    const auto layout = in.Take<std::uint8_t>();
    std::vector<std::string> subkeys;
    for (int n = in.Take<std::uint8_t>() % 5; n > 0; --n) subkeys.push_back(in.Text(300));
    const auto countType = in.Take<std::uint8_t>();
    const Bytes count = in.Bytes(8);
    std::vector<std::pair<std::uint8_t, std::string>> instances;
    for (int n = in.Take<std::uint8_t>() % 5; n > 0; --n) {
        const auto type = in.Take<std::uint8_t>();
        instances.emplace_back(type, in.Text(300));
    }
    const auto edidType = in.Take<std::uint8_t>();
    Bytes edid;
    const std::size_t rest = std::min<std::size_t>(in.Left(), 1024);
    for (std::size_t i = 0; i < rest; ++i) edid.push_back(in.Take<std::uint8_t>());

    std::vector<std::string> edidKeys;
    if (layout & InstanceList) {
        registry.Key(kInstanceList).values["Count"] = {countType, count};
    }
    for (const auto& adapter : system.adapters) {
        for (const auto& monitor : adapter.monitors) {
            const std::string id = FieldText(monitor.deviceId), model = HardwareId(id);
            if (layout & Win9xKeys) edidKeys.push_back("Enum\\" + id);
            const std::string classPath = kClassRoot + model + "\\";
            if (layout & DisplayClassKeys) registry.Key(classPath).subkeys = subkeys;
            for (const std::string& subkey : subkeys)
                if (layout & ClassInstanceKeys) edidKeys.push_back(classPath + subkey + kParameters);
            for (std::size_t i = 0; i < instances.size(); ++i) {
                const std::string text = (layout & InstancesOfTheModel)
                                             ? "DISPLAY\\" + model + "\\" + instances[i].second
                                             : instances[i].second;
                if (layout & InstanceList)
                    registry.Key(kInstanceList).values[std::to_string(i)] = {instances[i].first,
                                                                             Bytes(text.begin(), text.end())};
                if (layout & InstanceKeys) edidKeys.push_back(kEnumRoot + text + kParameters);
            }
        }
    }
    for (const std::string& key : edidKeys) {
        if (layout & NoEdidValue)
            registry.Key(key);
        else
            registry.Key(key).values["EDID"] = {edidType, edid};
    }
}

bool Terminated(const char (&text)[plx::kTextBuffer]) { return std::memchr(text, 0, sizeof text) != nullptr; }

// Decoded coordinates are n / 1024 rounded to three decimals.
bool Decoded(double v) { return v >= 0 && v <= 0.999 && std::fabs(v * 1000 - std::round(v * 1000)) < 1e-9; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    plx::fake::FakePlatform os;
    os.system.version.platformId = in.Take<std::uint8_t>();
    os.system.version.majorVersion = in.Take<std::uint8_t>();
    os.display.colorManagementCaps = in.Take<std::uint8_t>();
    const auto displayBits = in.Take<std::uint8_t>();
    os.display.ignoresLoads = displayBits & 1;
    os.display.ramp = plx::fake::IdentityRamp();
    if (displayBits & 2) {
        PLXRequest at227{};
        at227.redGamma = at227.greenGamma = at227.blueGamma = 227;
        plx::buildRamp(at227);
        std::copy(std::begin(at227.gammaRamp), std::end(at227.gammaRamp), os.display.ramp.begin());
    }
    for (int n = in.Take<std::uint8_t>() % 8; n > 0; --n) {
        const char* call = kFailableCalls[in.Take<std::uint8_t>() % std::size(kFailableCalls)];
        const auto number = in.Take<std::uint8_t>();
        if (number == 0)
            os.calls.failing.insert(call);
        else
            os.calls.failingAt[call].insert(number);
    }
    BuildEnumeration(in, os.system);
    BuildRegistry(in, os.system, os.machineRegistry);

    WatchedDisplay display(os.display);
    WatchedRegistry registry(os.machineRegistry);
    plx::Platform platform{display, os.system, registry, os.userRegistry, os.files, os.colorService,
                           os.clock};
    plx::Engine engine{plx::EngineState{}, platform};
    registry.state = &engine.state;
    const plx::fake::Ramp found = os.display.ramp;

    plx::StartUp(engine);
    registry.Watch();

    const plx::EngineState& s = engine.state;
    FUZZ_CHECK(s.edidStatus >= plx::EdidDecoded && s.edidStatus <= plx::EdidNoKey);
    FUZZ_CHECK(Terminated(s.monitorName) && Terminated(s.monitorDeviceId) && Terminated(s.monitorKeyPath));
    FUZZ_CHECK(os.machineRegistry.openKeys == 0);

    const double colorimetry[] = {s.redX, s.redY, s.greenX, s.greenY, s.blueX, s.blueY, s.whiteX, s.whiteY};
    const double defaults[] = {0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0.3127, 0.3290};
    for (int i = 0; i < 8; ++i)
        FUZZ_CHECK(s.edidStatus == plx::EdidDecoded ? Decoded(colorimetry[i]) : colorimetry[i] == defaults[i]);

    // One context is kept. The display keeps its ramp unless a load failed (a
    // first context's failed restore leaves the fallback's probe a changed
    // ramp to put back), and a failed last restore never counts as support.
    FUZZ_CHECK(os.display.openContexts <= 1);
    if (display.lastLoadFailed) FUZZ_CHECK(!s.gammaSupported);
    if (!display.anyLoadFailed) FUZZ_CHECK(os.display.ramp == found);
    if (s.osVersion.platformId >= plx::kPlatformNt && s.osVersion.majorVersion >= 5)
        FUZZ_CHECK(os.display.loads.empty());
    return 0;
}
