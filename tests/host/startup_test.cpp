#include "engine/startup.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>
#ifndef _WIN32
#include <atomic>
#include <chrono>
#include <latch>
#include <thread>
#endif

#include "engine/dispatch.h"
#include "engine/gamma.h"
#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::Ramp;
using fake::TestEngine;

Ramp RampFor(std::uint32_t gamma) {
    PLXRequest request{};
    request.redGamma = request.greenGamma = request.blueGamma = gamma;
    buildRamp(request);
    Ramp ramp;
    std::copy(std::begin(request.gammaRamp), std::end(request.gammaRamp), ramp.begin());
    return ramp;
}

// A display found with a ramp that is neither the identity nor a probe ramp.
struct Probe {
    explicit Probe(OsVersion version = {kPlatformWin9x, 4, 10}) {
        t.engine.state.osVersion = version;
        t.engine.state.gammaSupported = false;
        t.os.display.ramp = found;
    }
    bool Run() {
        probeGammaSupport(t.engine);
        return t.engine.state.gammaSupported;
    }
    std::vector<Ramp>& loads() { return t.os.display.loads; }

    TestEngine t;
    Ramp found = RampFor(200);
};

TEST(ProbeGammaSupport, Nt5AndLaterAskTheCapabilityOnly) {
    struct Case {
        OsVersion version;
        int caps;
        bool supported;
    } cases[] = {
        {{2, 5, 1}, 2, true},  {{2, 6, 1}, 2, true},  {{3, 5, 0}, 2, true},   {{2, 5, 1}, 0, false},
        {{2, 5, 1}, 1, false}, {{2, 6, 1}, 3, false}, {{2, 10, 0}, 6, false},  // equality, not a bit test
    };
    for (const auto& c : cases) {
        Probe p(c.version);
        p.t.os.display.colorManagementCaps = c.caps;
        EXPECT_EQ(p.Run(), c.supported) << c.version.platformId << "/" << c.version.majorVersion << " " << c.caps;
        EXPECT_EQ(p.t.os.calls.Count("GetDeviceGammaRamp"), 0);
        EXPECT_EQ(p.t.os.calls.Count("SetDeviceGammaRamp"), 0);
    }
}

TEST(ProbeGammaSupport, Win9xAndNt4ProbeActively) {
    for (OsVersion version : {OsVersion{1, 4, 10}, OsVersion{2, 4, 0}}) {
        Probe p(version);
        p.t.os.display.colorManagementCaps = 0;
        EXPECT_TRUE(p.Run());
        EXPECT_EQ(p.t.os.calls.Count("GetDeviceCaps"), 0);
        EXPECT_EQ(p.loads(), (std::vector<Ramp>{RampFor(227), p.found}));
        EXPECT_EQ(p.t.os.display.ramp, p.found);
    }
}

TEST(ProbeGammaSupport, DriverThatIgnoresLoadsIsUnsupported) {
    Probe p;
    p.t.os.display.ignoresLoads = true;
    EXPECT_FALSE(p.Run());
    EXPECT_EQ(p.loads(), (std::vector<Ramp>{RampFor(227), RampFor(235), p.found}));
    EXPECT_EQ(p.t.os.display.ramp, p.found);
}

// A display already at the 227 ramp reads back unchanged: only a second,
// different load can tell whether loads take effect.
TEST(ProbeGammaSupport, DisplayAlreadyAt227NeedsASecondProbe) {
    for (bool ignoresLoads : {false, true}) {
        Probe p;
        p.found = RampFor(227);
        p.t.os.display.ramp = p.found;
        p.t.os.display.ignoresLoads = ignoresLoads;
        EXPECT_EQ(p.Run(), !ignoresLoads);
        EXPECT_EQ(p.loads(), (std::vector<Ramp>{RampFor(227), RampFor(235), p.found}));
        EXPECT_EQ(p.t.os.display.ramp, p.found);
    }
}

// Which call fails (by name and number), and what the display sees.
TEST(ProbeGammaSupport, FailuresLeaveItUnsupportedAndTheRampAsFound) {
    struct Case {
        const char* what;
        bool at227;  // display found at the 227 ramp
        const char* call;
        int number;
        std::size_t loads;  // ramps offered, the last being the restore
        bool restored;
    } cases[] = {
        {"first read", false, "GetDeviceGammaRamp", 1, 0, false},
        {"first load", false, "SetDeviceGammaRamp", 1, 1, false},
        {"read-back", false, "GetDeviceGammaRamp", 2, 2, true},
        {"second load", true, "SetDeviceGammaRamp", 2, 3, true},
        {"second read-back", true, "GetDeviceGammaRamp", 3, 3, true},
    };
    for (const auto& c : cases) {
        Probe p;
        if (c.at227) p.t.os.display.ramp = p.found = RampFor(227);
        p.t.os.calls.failingAt[c.call] = {c.number};
        EXPECT_FALSE(p.Run()) << c.what;
        ASSERT_EQ(p.loads().size(), c.loads) << c.what;
        if (c.restored) {
            EXPECT_EQ(p.loads().back(), p.found) << c.what;
        }
        EXPECT_EQ(p.t.os.display.ramp, p.found) << c.what;
    }
}

TEST(ProbeGammaSupport, FailingRestoreIsUnsupportedEvenAfterSuccess) {
    for (bool at227 : {false, true}) {
        Probe p;
        if (at227) p.t.os.display.ramp = p.found = RampFor(227);
        p.t.os.calls.failingAt["SetDeviceGammaRamp"] = {at227 ? 3 : 2};
        EXPECT_FALSE(p.Run()) << at227;
        EXPECT_EQ(p.loads().back(), p.found);
    }
}

std::array<double, 8> Colorimetry(const EngineState& s) {
    return {s.redX, s.redY, s.greenX, s.greenY, s.blueX, s.blueY, s.whiteX, s.whiteY};
}

constexpr std::array<double, 8> kDefaultColorimetry = {0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0.3127, 0.3290};

struct StartUpEngine {
    StartUpEngine() {
        t.engine.state = EngineState{};
        t.os.system.version = {kPlatformWin9x, 4, 10};
        t.os.system.AddPrimaryMonitor("Quell 24 Wide", "MONITOR\\QLW2401\\0001");
    }
    void SetEdid(const fake::Bytes& edid) {
        t.os.machineRegistry.SetBinary("Enum\\MONITOR\\QLW2401\\0001", "EDID", edid);
    }
    TestEngine t;
};

fake::Bytes Version1Block(std::uint8_t versionByte) {
    fake::Bytes edid = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    edid.resize(128);
    edid[18] = versionByte;
    // White 0.283, 0.297; red, green and blue 0.640 0.330, 0.300 0.600, 0.150 0.060.
    const std::uint8_t chromaticity[10] = {0xEE, 0x98, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x48, 0x4C};
    std::copy(chromaticity, chromaticity + 10, edid.begin() + 25);
    return edid;
}

TEST(StartUp, FillsTheStateInOrder) {
    StartUpEngine s;
    StartUp(s.t.engine);
    const EngineState& state = s.t.engine.state;
    EXPECT_EQ(state.displayDc, fake::FakeDisplay::kDc);
    EXPECT_EQ(s.t.os.display.contexts, std::vector<std::string>{"\\\\.\\DISPLAY1"});
    EXPECT_EQ(state.osVersion.platformId, kPlatformWin9x);
    EXPECT_EQ(state.osVersion.majorVersion, 4u);
    EXPECT_TRUE(state.gammaSupported);
    EXPECT_STREQ(state.monitorName, "Quell 24 Wide");
    const auto& log = s.t.os.calls.log;
    const auto position = [&](const char* call) { return std::find(log.begin(), log.end(), call) - log.begin(); };
    const auto last = [&](const char* call) { return log.rend() - std::find(log.rbegin(), log.rend(), call) - 1; };
    // The primary adapter is found before its context is made, its monitor after the probe.
    EXPECT_LT(position("EnumDisplayDevicesA"), position("CreateDCA"));
    EXPECT_LT(position("CreateDCA"), position("GetVersionExA"));
    EXPECT_LT(position("GetVersionExA"), position("GetDeviceGammaRamp"));
    EXPECT_LT(position("SetDeviceGammaRamp"), last("EnumDisplayDevicesA"));
}

TEST(StartUp, DefaultColorimetryUnlessTheEdidWasDecoded) {
    struct Case {
        const char* what;
        std::int32_t status;
        std::array<double, 8> colorimetry;
    } cases[] = {
        {"no key", EdidNoKey, kDefaultColorimetry},
        {"no value", EdidNoValue, kDefaultColorimetry},
        {"version byte 2", EdidUndecoded, kDefaultColorimetry},
        {"decoded", EdidDecoded, {0.640, 0.330, 0.300, 0.600, 0.150, 0.060, 0.283, 0.297}},
    };
    for (const auto& c : cases) {
        StartUpEngine s;
        if (c.status == EdidNoValue) s.t.os.machineRegistry.Key("Enum\\MONITOR\\QLW2401\\0001");
        if (c.status == EdidUndecoded) s.SetEdid(Version1Block(2));
        if (c.status == EdidDecoded) s.SetEdid(Version1Block(1));
        StartUp(s.t.engine);
        EXPECT_EQ(s.t.engine.state.edidStatus, c.status) << c.what;
        EXPECT_EQ(Colorimetry(s.t.engine.state), c.colorimetry) << c.what;
    }
}

TEST(StartUp, NeverFailsWhenTheSystemDoes) {
    StartUpEngine s;
    s.t.os.calls.failing = {"CreateDCA", "GetVersionExA", "EnumDisplayDevicesA", "RegOpenKeyExA"};
    StartUp(s.t.engine);
    const EngineState& state = s.t.engine.state;
    EXPECT_EQ(state.displayDc, kNoHandle);
    EXPECT_FALSE(state.gammaSupported);  // every ramp operation on no device fails
    EXPECT_EQ(state.edidStatus, EdidNoKey);
    EXPECT_EQ(Colorimetry(state), kDefaultColorimetry);
}

// The ramp goes through the primary adapter's own context; the whole
// desktop's stands in when no adapter is primary, the own one cannot be made
// or the probe finds that it takes no ramp. Codes 0 and 1 work whenever one
// of them does.
TEST(StartUp, TakesTheContextThatTakesTheRamp) {
    using fake::FakeDisplay;
    const std::string own = "\\\\.\\DISPLAY1", desktop;
    struct Case {
        const char* what;
        std::function<void(TestEngine&)> arrange;
        std::vector<std::string> contexts;
        Handle kept;
        bool supported;
    } cases[] = {
        {"one monitor", [](TestEngine&) {}, {own}, FakeDisplay::kDc, true},
        {"two monitors, the desktop's refused as by Windows 10",
         [](TestEngine& t) {
             t.os.system.adapters.push_back({});
             t.os.display.refusing = {FakeDisplay::kDesktopDc};
         },
         {own}, FakeDisplay::kDc, true},
        {"the own one refused", [](TestEngine& t) { t.os.display.refusing = {FakeDisplay::kDc}; }, {own, desktop},
         FakeDisplay::kDesktopDc, true},
        {"both refused", [](TestEngine& t) { t.os.display.refusing = {FakeDisplay::kDc, FakeDisplay::kDesktopDc}; },
         {own, desktop}, FakeDisplay::kDesktopDc, false},
        {"no primary adapter", [](TestEngine& t) { t.os.system.adapters[0].device.stateFlags = 1; }, {desktop},
         FakeDisplay::kDesktopDc, true},
        {"the own one not made", [](TestEngine& t) { t.os.calls.failingAt["CreateDCA"] = {1}; }, {own, desktop},
         FakeDisplay::kDesktopDc, true},
    };
    for (const auto& c : cases) {
        for (const OsVersion version : {OsVersion{kPlatformWin9x, 4, 10}, OsVersion{kPlatformNt, 10, 0}}) {
            const std::string what = std::string(c.what) + ", platform " + std::to_string(version.platformId);
            StartUpEngine s;
            s.t.os.system.version = version;
            c.arrange(s.t);
            StartUp(s.t.engine);
            EXPECT_EQ(s.t.os.display.contexts, c.contexts) << what;
            EXPECT_EQ(s.t.engine.state.displayDc, c.kept) << what;
            EXPECT_EQ(s.t.os.display.openContexts, 1) << what;  // the one given up is deleted
            const int served = c.supported ? ResultOk : ResultGammaUnsupported;
            PLXRequest request = fake::StartRequest();
            request.function = SetGammaFunction;
            EXPECT_EQ(Dispatch(s.t.engine, &request), served) << what;
            request.function = ReadGammaFunction;
            EXPECT_EQ(Dispatch(s.t.engine, &request), served) << what;
        }
    }
}

#ifndef _WIN32  // the Windows builds' thread model has no std::thread
// A display enumeration as slow as a real one, so that calls arriving
// together meet inside the start-up.
struct SlowSystem : fake::FakeSystem {
    using FakeSystem::FakeSystem;
    bool EnumDisplayDevicesA(const char* adapter, std::uint32_t index, DisplayDevice& device) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return FakeSystem::EnumDisplayDevicesA(adapter, index, device);
    }
};

// Calls that arrive together start the engine once, and none of them goes on
// before the start-up has finished (the default colorimetry is its last step).
TEST(FirstCallStartUp, StartsOnceForCallsThatArriveTogether) {
    StartUpEngine s;
    SlowSystem slow(s.t.os.calls);
    slow.adapters = s.t.os.system.adapters;
    const Platform& os = s.t.os.platform;
    Platform platform{os.display, slow, os.machineRegistry, os.userRegistry, os.files, os.colorService, os.clock};
    Engine engine{EngineState{}, platform};
    FirstCallStartUp startUp;
    std::latch together(8);
    std::atomic<int> sawItFinished = 0;
    std::vector<std::thread> callers;
    for (int i = 0; i < 8; ++i)
        callers.emplace_back([&] {
            together.arrive_and_wait();
            startUp.Ensure(engine);
            if (Colorimetry(engine.state) == kDefaultColorimetry) ++sawItFinished;
        });
    for (std::thread& caller : callers) caller.join();
    EXPECT_EQ(sawItFinished, 8);
    EXPECT_EQ(s.t.os.calls.Count("GetVersionExA"), 1);
}
#endif

}  // namespace
}  // namespace plx
