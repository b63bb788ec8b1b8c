#include "engine/monitor_edid.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "engine/display_context.h"
#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::Bytes;

constexpr char kMonitorName[] = "Quell 24 Wide";
constexpr char kDeviceId[] = "MONITOR\\QLW2401\\{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001";
const std::string kClassPath = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\QLW2401\\";
const std::string kInstanceList = "SYSTEM\\CurrentControlSet\\Services\\monitor\\Enum\\";
const std::string kEnumRoot = "SYSTEM\\CurrentControlSet\\Enum\\";
const std::string kWin9xKey = std::string("Enum\\") + kDeviceId;

constexpr OsVersion kWin98{1, 4, 10}, kNt4{2, 4, 0}, kXp{2, 5, 1}, kWin7{2, 6, 1};

// Chromaticity bytes and what they decode to: red, green, blue, white x and y.
constexpr std::uint8_t kChromaticity[10] = {0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54};
constexpr std::array<double, 8> kDecoded = {0.640, 0.330, 0.300, 0.600, 0.150, 0.060, 0.313, 0.329};

// A structure-version-1 block: header, version byte 1, chromaticity at 25.
Bytes Version1Block(std::size_t size = 128) {
    Bytes edid(std::max<std::size_t>(size, 128), 0);
    const std::uint8_t header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::copy(header, header + 8, edid.begin());
    edid[18] = 1;
    std::copy(kChromaticity, kChromaticity + 10, edid.begin() + 25);
    edid.resize(size);
    return edid;
}

// A structure-version-2 block: first byte 0x2?, chromaticity at 94.
Bytes Version2Block(std::size_t size = 128, std::uint8_t first = 0x20) {
    Bytes edid(std::max<std::size_t>(size, 128), 0);
    edid[0] = first;
    std::copy(kChromaticity, kChromaticity + 10, edid.begin() + 94);
    edid.resize(size);
    return edid;
}

// A string value's bytes exactly as given, terminator or not.
Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// One primary monitor on the given system, and the lookup over it.
struct Lookup {
    explicit Lookup(OsVersion version) {
        t.os.system.AddPrimaryMonitor(kMonitorName, kDeviceId);
        state.osVersion = version;
    }
    std::int32_t Run() {
        findMonitorEdid(t.engine, findPrimaryAdapter(t.os.system));
        EXPECT_EQ(registry.openKeys, 0);  // every path closes what it opened
        return state.edidStatus;
    }
    std::string keyPath() const { return state.monitorKeyPath; }
    std::array<double, 8> colorimetry() const {
        return {state.redX, state.redY, state.greenX, state.greenY, state.blueX, state.blueY, state.whiteX, state.whiteY};
    }
    DisplayDevice& monitor() { return t.os.system.adapters[0].monitors[0]; }

    fake::TestEngine t;
    fake::FakeMachineRegistry& registry = t.os.machineRegistry;
    EngineState& state = t.engine.state;
};

TEST(FindMonitorEdid, TakesNameAndIdFromThePrimaryAdaptersFirstMonitor) {
    Lookup l(kWin98);
    fake::FakeAdapter secondary;  // enumerated first, not primary
    secondary.monitors.resize(1);
    std::strcpy(secondary.monitors[0].deviceString, "Secondary");
    l.t.os.system.adapters.insert(l.t.os.system.adapters.begin(), secondary);
    l.Run();
    EXPECT_STREQ(l.state.monitorName, kMonitorName);
    EXPECT_STREQ(l.state.monitorDeviceId, kDeviceId);
}

TEST(FindMonitorEdid, NoPrimaryAdapterOrNoMonitorLeavesTheTextsEmpty) {
    for (bool primary : {false, true}) {
        Lookup l(kXp);
        if (primary)
            l.t.os.system.adapters[0].monitors.clear();
        else
            l.t.os.system.adapters[0].device.stateFlags = 1;
        EXPECT_EQ(l.Run(), EdidNoKey);
        EXPECT_STREQ(l.state.monitorName, "") << primary;
        EXPECT_STREQ(l.state.monitorDeviceId, "") << primary;
    }
}

TEST(FindMonitorEdid, FullDeviceFieldsAreTakenWhole) {
    Lookup l(kWin98);
    char* adapterName = l.t.os.system.adapters[0].device.deviceName;
    std::memset(adapterName, 'A', sizeof l.t.os.system.adapters[0].device.deviceName);  // no terminator
    std::memset(l.monitor().deviceString, 'n', sizeof l.monitor().deviceString);
    std::memset(l.monitor().deviceId, 'i', sizeof l.monitor().deviceId);
    l.Run();
    EXPECT_EQ(std::string(l.state.monitorName), std::string(128, 'n'));
    EXPECT_EQ(std::string(l.state.monitorDeviceId), std::string(128, 'i'));
    EXPECT_EQ(l.keyPath(), "Enum\\" + std::string(128, 'i'));
}

TEST(FindMonitorEdid, Nt5TakesTheLastInstanceWhateverTheLengthsOfTheNames) {
    const std::vector<std::string> orders[] = {
        {"0001", "7", "5&1f2e3d&0&UID4352"},
        {"5&1f2e3d&0&UID4352", "0001", "7"},
    };
    for (const auto& subkeys : orders) {
        Lookup l(kXp);
        l.registry.Key(kClassPath).subkeys = subkeys;
        EXPECT_EQ(l.Run(), EdidNoKey);  // the instance keys themselves are not there
        EXPECT_EQ(l.keyPath(), kClassPath + subkeys[2] + "\\Device Parameters");
    }
}

TEST(FindMonitorEdid, Nt4IdWithoutBackslashesLooksUnderTheBareDisplayClass) {
    Lookup l(kNt4);
    std::strcpy(l.monitor().deviceId, "QLW2401");
    const std::string classPath = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\\\";
    l.registry.Key(classPath).subkeys = {"0000"};
    l.Run();
    EXPECT_EQ(l.keyPath(), classPath + "0000\\Device Parameters");
}

TEST(FindMonitorEdid, Nt5WithoutClassKeyOrInstancesStops) {
    Lookup l(kXp);
    EXPECT_EQ(l.Run(), EdidNoKey);
    l.registry.Key(kClassPath);  // the model's key, no instances
    EXPECT_EQ(l.Run(), EdidNoKey);
    EXPECT_EQ(l.keyPath(), "");
}

TEST(FindMonitorEdid, Nt5PathTooLongForItsBufferIsNotOpened) {
    Lookup l(kXp);
    l.registry.Key(kClassPath).subkeys = {"0000", std::string(240, 'x')};
    l.registry.SetBinary(kClassPath + "0000\\Device Parameters", "EDID", Version1Block());
    EXPECT_EQ(l.Run(), EdidNoKey);
    EXPECT_EQ(l.keyPath(), "");
}

TEST(FindMonitorEdid, Nt6MatchesTheListedInstanceOfTheSameModel) {
    Lookup l(kWin7);
    l.registry.SetDword(kInstanceList, "Count", 2);
    l.registry.SetString(kInstanceList, "0", "DISPLAY\\ABC0042\\4&2a1b&0&UID256");
    l.registry.SetString(kInstanceList, "1", "DISPLAY\\QLW2401\\5&1f2e3d&0&UID4352");
    const std::string keyPath = kEnumRoot + "DISPLAY\\QLW2401\\5&1f2e3d&0&UID4352\\Device Parameters";
    l.registry.SetBinary(keyPath, "EDID", Version1Block());
    EXPECT_EQ(l.Run(), EdidDecoded);
    EXPECT_EQ(l.keyPath(), keyPath);
}

TEST(FindMonitorEdid, Nt6ComparesTheModelCaseSensitively) {
    Lookup l(kWin7);
    l.registry.SetDword(kInstanceList, "Count", 1);
    l.registry.SetString(kInstanceList, "0", "DISPLAY\\qlw2401\\5&1f2e3d&0&UID4352");
    EXPECT_EQ(l.Run(), EdidNoKey);
    EXPECT_EQ(l.keyPath(), "");
}

TEST(FindMonitorEdid, Nt6SkipsMissingEntriesUpToCount) {
    Lookup l(kWin7);
    l.registry.SetDword(kInstanceList, "Count", 4);
    l.registry.SetString(kInstanceList, "1", "DISPLAY\\ABC0042\\4&2a1b&0&UID256");
    l.registry.SetString(kInstanceList, "2", "DISPLAY\\QLW2401\\7");
    l.Run();
    EXPECT_EQ(l.keyPath(), kEnumRoot + "DISPLAY\\QLW2401\\7\\Device Parameters");
}

// Entry "1" after a longer entry "0": taken as the bytes returned.
TEST(FindMonitorEdid, Nt6InstanceTextsOfUnknownTermination) {
    const std::string found = kEnumRoot + "DISPLAY\\QLW2401\\7\\Device Parameters";
    struct Case {
        const char* what;
        Bytes entry;
        std::string keyPath;  // empty: not used
    } cases[] = {
        {"unterminated", Text("DISPLAY\\QLW2401\\7"), found},
        {"cut at the first zero", Text(std::string("DISPLAY\\QLW2401\\7\0xy\0", 21)), found},
        {"fills the buffer", Text("DISPLAY\\QLW2401\\" + std::string(244, '7')), ""},
        {"too long for a key path", Text("DISPLAY\\QLW2401\\" + std::string(230, '7') + '\0'), ""},
    };
    for (const auto& c : cases) {
        Lookup l(kWin7);
        l.registry.SetDword(kInstanceList, "Count", 2);
        l.registry.SetString(kInstanceList, "0", "DISPLAY\\ABC0042\\4&2a1b&0&UID256&0123456789");
        l.registry.Key(kInstanceList).values["1"] = {kRegSz, c.entry};
        EXPECT_EQ(l.Run(), EdidNoKey) << c.what;
        EXPECT_EQ(l.keyPath(), c.keyPath) << c.what;
    }
}

TEST(FindMonitorEdid, Nt6WithoutAUsableCountStops) {
    struct Case {
        const char* what;
        std::uint32_t type;  // 0: no list at all
        Bytes count;         // empty: no Count
    } cases[] = {
        {"no list", 0, {}},
        {"no Count", kRegSz, {}},
        {"Count of two bytes", kRegDword, {1, 0}},
        {"Count of eight bytes", kRegDword, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"Count as a string", kRegSz, {'1', 0, 0, 0}},
        {"Count 0", kRegDword, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Lookup l(kWin7);
        if (c.type != 0) l.registry.SetString(kInstanceList, "0", "DISPLAY\\QLW2401\\7");
        if (!c.count.empty()) l.registry.Key(kInstanceList).values["Count"] = {c.type, c.count};
        l.registry.SetBinary(kEnumRoot + "DISPLAY\\QLW2401\\7\\Device Parameters", "EDID", Version1Block());
        EXPECT_EQ(l.Run(), EdidNoKey) << c.what;
    }
}

TEST(FindMonitorEdid, Nt6CorruptCountEndsTheSearchSoon) {
    Lookup l(kWin7);
    l.registry.SetDword(kInstanceList, "Count", 0xFFFFFFFFu);
    l.registry.SetString(kInstanceList, "0", "DISPLAY\\ABC0042\\1");
    EXPECT_EQ(l.Run(), EdidNoKey);
    EXPECT_LE(l.t.os.calls.Count("RegQueryValueExA"), 1000);
}

TEST(FindMonitorEdid, Win9xKeyIsUnderEnum) {
    Lookup l(kWin98);
    l.registry.SetBinary(kWin9xKey, "EDID", Version1Block());
    EXPECT_EQ(l.Run(), EdidDecoded);
    EXPECT_EQ(l.keyPath(), kWin9xKey);
}

TEST(FindMonitorEdid, UnknownPlatformLooksNowhere) {
    Lookup l({0, 0, 0});
    EXPECT_EQ(l.Run(), EdidNoKey);
    EXPECT_EQ(l.t.os.calls.Count("RegOpenKeyExA"), 0);
}

TEST(FindMonitorEdid, KeyWithoutUsableEdidValueLeaves101) {
    Lookup l(kXp);
    l.registry.Key(kClassPath).subkeys = {"0000"};
    const std::string keyPath = kClassPath + "0000\\Device Parameters";
    l.registry.Key(keyPath);
    EXPECT_EQ(l.Run(), EdidNoValue);

    l.registry.SetBinary(keyPath, "EDID", Version1Block());
    l.t.os.calls.failing.insert("RegQueryValueExA");
    EXPECT_EQ(l.Run(), EdidNoValue);
    EXPECT_EQ(l.keyPath(), keyPath);
}

TEST(FindMonitorEdid, RecognisesAndDecodesTheBlock) {
    struct Case {
        const char* what;
        Bytes edid;
        std::int32_t status;
    } cases[] = {
        {"version 1", Version1Block(), EdidDecoded},
        {"version 1 of 256 bytes", Version1Block(256), EdidDecoded},
        {"version 1 of 384 bytes", Version1Block(384), EdidNoValue},
        {"version 1 of 35 bytes", Version1Block(35), EdidDecoded},
        {"version 1 of 34 bytes", Version1Block(34), EdidUndecoded},
        {"header of 18 bytes", Version1Block(18), EdidUndecoded},
        {"version byte 2", [] { Bytes e = Version1Block(); e[18] = 2; return e; }(), EdidUndecoded},
        {"broken header", [] { Bytes e = Version1Block(); e[7] = 0xFF; return e; }(), EdidUndecoded},
        {"first byte 0x20", Version2Block(), EdidDecoded},
        {"first byte 0x2F", Version2Block(128, 0x2F), EdidDecoded},
        {"first byte 0x30", Version2Block(128, 0x30), EdidUndecoded},
        {"version 2 of 104 bytes", Version2Block(104), EdidDecoded},
        {"version 2 of 103 bytes", Version2Block(103), EdidUndecoded},
        {"empty value", Bytes{}, EdidUndecoded},
    };
    for (const auto& c : cases) {
        Lookup l(kWin98);
        l.registry.SetBinary(kWin9xKey, "EDID", c.edid);
        EXPECT_EQ(l.Run(), c.status) << c.what;
        // Undecoded blocks leave the colorimetry to start-up's defaults.
        const std::array<double, 8> untouched{};
        EXPECT_EQ(l.colorimetry(), c.status == EdidDecoded ? kDecoded : untouched) << c.what;
    }
}

}  // namespace
}  // namespace plx
