#include "engine/gamma.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::IdentityRamp;
using fake::Ramp;
using fake::TestEngine;

PLXRequest Gammas(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    PLXRequest request{};
    request.redGamma = r, request.greenGamma = g, request.blueGamma = b;
    return request;
}

Ramp RampFor(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    PLXRequest request = Gammas(r, g, b);
    buildRamp(request);
    Ramp ramp;
    std::copy(std::begin(request.gammaRamp), std::end(request.gammaRamp), ramp.begin());
    return ramp;
}

TEST(BuildRamp, Gamma220IsTheIdentity) {
    EXPECT_EQ(RampFor(220, 220, 220), IdentityRamp());
}

TEST(BuildRamp, ReproducesTheEntriesOfEachGamma) {
    const int levels[] = {0, 1, 64, 128, 192, 254, 255};
    struct Case {
        std::uint32_t gamma;
        std::uint16_t entries[7];
    } cases[] = {
        // gamma, entries at levels 0, 1, 64, 128, 192, 254, 255
        {140, {0, 229, 10117, 22313, 40398, 65073, 65535}},
        {180, {0, 254, 14136, 28329, 45125, 65176, 65535}},
        {260, {0, 257, 17778, 36362, 53111, 65380, 65535}},
        {310, {0, 257, 18677, 39546, 57256, 65507, 65535}},
    };
    for (const auto& c : cases) {
        // The gamma on each channel in turn; the others stay at the identity.
        for (int channel = 0; channel < 3; ++channel) {
            std::uint32_t g[3] = {220, 220, 220};
            g[channel] = c.gamma;
            Ramp ramp = RampFor(g[0], g[1], g[2]);
            for (int k = 0; k < 7; ++k)
                EXPECT_EQ(ramp[channel * 256 + levels[k]], c.entries[k]) << c.gamma << " level " << levels[k];
        }
    }
}

TEST(EstimateGammas, InvertsBuildRampForEveryValidGamma) {
    for (std::uint32_t g = kMinGamma; g <= kMaxGamma; ++g) {
        PLXRequest request = Gammas(g, kMinGamma + kMaxGamma - g, g);
        buildRamp(request);
        request.redGamma = request.greenGamma = request.blueGamma = 0;
        estimateGammas(request);
        EXPECT_EQ(request.redGamma, g);
        EXPECT_EQ(request.greenGamma, kMinGamma + kMaxGamma - g);
        EXPECT_EQ(request.blueGamma, g);
    }
}

TEST(EstimateGammas, ReadsOnlyTheMidpoint) {
    struct Case {
        std::uint16_t midpoint;
        std::uint32_t gamma;
    } cases[] = {{32896, 220}, {0, 47}, {40000, 319}, {47282, 1826}, {47283, 0}, {65535, 0}};
    for (const auto& c : cases) {
        PLXRequest request{};
        for (int channel = 0; channel < 3; ++channel) request.gammaRamp[channel * 256 + 128] = c.midpoint;
        estimateGammas(request);
        EXPECT_EQ(request.redGamma, c.gamma) << c.midpoint;
        EXPECT_EQ(request.greenGamma, c.gamma);
        EXPECT_EQ(request.blueGamma, c.gamma);
    }
}

// ReadGamma with a display whose red midpoint gives the estimate in the table.
TEST(ReadGamma, ClampsOutOfRangeEstimatesAndReappliesThem) {
    struct Case {
        std::uint16_t redMidpoint;
        std::uint32_t reported;
        bool reapplied;
    } cases[] = {
        {32896, 220, false},  // identity
        {0, 140, true},       // estimate 47
        {40000, 310, true},   // estimate 319
        {47282, 310, true},   // estimate 1826
        {47283, 140, true},   // no gamma: 0
    };
    for (const auto& c : cases) {
        TestEngine t;
        t.os.display.ramp[128] = c.redMidpoint;
        PLXRequest request = Gammas(220, 220, 220);
        EXPECT_EQ(ReadGamma(t.engine, request), ResultOk);
        EXPECT_EQ(request.redGamma, c.reported) << c.redMidpoint;
        EXPECT_EQ(request.greenGamma, 220u);
        EXPECT_EQ(request.blueGamma, 220u);
        ASSERT_EQ(t.os.display.loads.size(), c.reapplied ? 1u : 0u) << c.redMidpoint;
        if (c.reapplied) {
            EXPECT_EQ(t.os.display.ramp, RampFor(c.reported, 220, 220));
        }
    }
}

TEST(ReadGamma, ReportsTheDisplaysGammasWithoutLoading) {
    TestEngine t;
    t.os.display.ramp = RampFor(150, 220, 300);
    PLXRequest request{};
    EXPECT_EQ(ReadGamma(t.engine, request), ResultOk);
    EXPECT_EQ(request.redGamma, 150u);
    EXPECT_EQ(request.greenGamma, 220u);
    EXPECT_EQ(request.blueGamma, 300u);
    EXPECT_TRUE(t.os.display.loads.empty());
}

TEST(ReadGamma, FailedReadKeepsTheCallersGammas) {
    TestEngine t;
    t.os.calls.failing.insert("GetDeviceGammaRamp");
    PLXRequest request = Gammas(220, 220, 220);
    EXPECT_EQ(ReadGamma(t.engine, request), ResultRampRefused);
    EXPECT_TRUE(t.os.display.loads.empty());
}

TEST(ReadGamma, FailedReadStillClampsAndLoadsTheCallersGammas) {
    TestEngine t;
    t.os.calls.failingAt["GetDeviceGammaRamp"] = {1};  // the load's read-back succeeds
    PLXRequest request = Gammas(100, 220, 220);
    EXPECT_EQ(ReadGamma(t.engine, request), ResultOk);
    EXPECT_EQ(request.redGamma, 140u);
    ASSERT_EQ(t.os.display.loads.size(), 1u);
    EXPECT_EQ(t.os.display.loads[0], RampFor(140, 220, 220));
}

TEST(ReadGamma, RefusedReapplyReturnsZero) {
    TestEngine t;
    t.os.display.ramp[128] = 0;
    t.os.calls.failing.insert("SetDeviceGammaRamp");
    PLXRequest request{};
    EXPECT_EQ(ReadGamma(t.engine, request), ResultRampRefused);
    EXPECT_EQ(request.redGamma, 140u);  // clamped, not re-estimated
}

// Code 1 loading the identity and code 0 loading its clamp (to 140, from a
// midpoint of 0): the load counts only when it reads back within one 8-bit level.
TEST(LoadRamp, CountsOnlyWhatTheDisplayReadsBack) {
    using Keeps = std::function<std::uint16_t(std::uint16_t)>;
    struct Case {
        const char* what;
        Keeps keeps;
        bool ignoresLoads, readBackFails;
        int result;
    } cases[] = {
        {"8 bits read as v >> 8 << 8 (i * 256)", [](std::uint16_t v) -> std::uint16_t { return v & 0xFF00; }, false,
         false, ResultOk},
        {"8 bits read as (v >> 8) * 257", [](std::uint16_t v) -> std::uint16_t { return (v >> 8) * 257; }, false,
         false, ResultOk},
        {"7 bits", [](std::uint16_t v) -> std::uint16_t { return v & 0xFE00; }, false, false, ResultRampRefused},
        {"the old ramp kept", nullptr, true, false, ResultRampRefused},
        {"no read-back", nullptr, false, true, ResultRampRefused},
    };
    for (const auto& c : cases) {
        for (const bool setGamma : {true, false}) {
            TestEngine t;
            t.os.display.keeps = c.keeps, t.os.display.ignoresLoads = c.ignoresLoads;
            t.os.display.ramp[128] = 0;
            if (c.readBackFails) t.os.calls.failingAt["GetDeviceGammaRamp"] = {setGamma ? 1 : 2};
            PLXRequest request = Gammas(220, 220, 220);
            EXPECT_EQ(setGamma ? SetGamma(t.engine, request) : ReadGamma(t.engine, request), c.result)
                << c.what << (setGamma ? ", code 1" : ", code 0");
        }
    }
}

TEST(SetGamma, LoadsTheBuiltRampAndKeepsItWhenRefused) {
    TestEngine t;
    PLXRequest request = Gammas(150, 220, 300);
    EXPECT_EQ(SetGamma(t.engine, request), ResultOk);
    EXPECT_EQ(t.os.display.ramp, RampFor(150, 220, 300));

    t.os.calls.failing.insert("SetDeviceGammaRamp");
    request = Gammas(310, 310, 310);
    EXPECT_EQ(SetGamma(t.engine, request), ResultRampRefused);
    EXPECT_EQ(request.gammaRamp[128], RampFor(310, 310, 310)[128]);
    EXPECT_EQ(request.redGamma, 310u);
}

}  // namespace
}  // namespace plx
