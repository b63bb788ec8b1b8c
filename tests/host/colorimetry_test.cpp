#include "engine/profile/colorimetry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/profile/edid_chromaticity.h"

namespace plx {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

double FromS15Fixed16(std::int32_t v) { return v / 65536.0; }

EngineState DefaultMonitor() {
    EngineState state;
    state.redX = defaultPrimaries.red.x, state.redY = defaultPrimaries.red.y;
    state.greenX = defaultPrimaries.green.x, state.greenY = defaultPrimaries.green.y;
    state.blueX = defaultPrimaries.blue.x, state.blueY = defaultPrimaries.blue.y;
    state.whiteX = defaultWhite.x, state.whiteY = defaultWhite.y;
    return state;
}

ProfileColorants Colorants(EngineState state, std::uint32_t whitePoint) {
    ResolveTargetWhite(state, whitePoint);
    return ComputeColorants(state, whitePoint);
}

TEST(ToS15Fixed16, Encodings) {
    struct Case {
        double value;
        std::uint32_t encoded;
    } cases[] = {
        {1.0, 0x00010000}, {0.5, 0x00008000}, {-0.5, 0xFFFF8001},  // negatives truncate toward zero
        {-1.0, 0xFFFF0001}, {40000.0, 0x7FFF0000}, {-40000.0, 0x80000001},
        {32767.0, 0x7FFF0000}, {32767.99, 0x7FFF0000},  // the upper clamp is 32767.0
        {0.0, 0}, {-0.0, 0}, {4.9e-324, 0}, {0.964296, 0x0000F6DC},
        {kInf, 0x7FFF0000}, {-kInf, 0x80000001}, {kMax, 0x7FFF0000}, {-kMax, 0x80000001},
        {kNaN, 0}, {-kNaN, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<std::uint32_t>(ToS15Fixed16(c.value)), c.encoded) << c.value;
}

TEST(DaylightChromaticity, LocusAndItsBranches) {
    struct Case {
        std::uint32_t kelvin;
        double x, y, tolerance;
    } cases[] = {
        {9300, 0.283145, 0.297113, 5e-7},
        {6500, 0.312779, 0.329183, 5e-7},
        {7000, 0.3053574315, 0.3216463455, 1e-9},  // last of the lower branch
        {7001, 0.3053433374, 0.3216317173, 1e-9},  // first of the upper branch
        // Outside the locus its ends stand in, so no temperature divides by zero.
        {0, 0.3823436250, 0.3837662610, 1e-9},
        {4000, 0.3823436250, 0.3837662610, 1e-9},
        {25000, 0.2498536704, 0.2547994642, 1e-9},
        {0xFFFFFFFF, 0.2498536704, 0.2547994642, 1e-9},
    };
    for (const auto& c : cases) {
        double x, y;
        DaylightChromaticity(c.kelvin, x, y);
        EXPECT_NEAR(x, c.x, c.tolerance) << c.kelvin;
        EXPECT_NEAR(y, c.y, c.tolerance) << c.kelvin;
    }
}

TEST(ResolveTargetWhite, MonitorWhitePresetsAndDaylight) {
    struct Case {
        std::uint32_t whitePoint;
        double x, y;
    } cases[] = {
        {0, 0.313, 0.329},  // the monitor's own
        {5000, 0.3457, 0.3585},
        {5500, 0.3324, 0.3474},
        {6500, 0.312713, 0.329016},  // the preset, not the locus' 0.312779
        {7500, 0.299, 0.3149},
    };
    for (const auto& c : cases) {
        EngineState state;
        state.whiteX = 0.313, state.whiteY = 0.329;
        ResolveTargetWhite(state, c.whitePoint);
        EXPECT_EQ(state.profileWhiteX, c.x) << c.whitePoint;
        EXPECT_EQ(state.profileWhiteY, c.y) << c.whitePoint;
    }
    for (std::uint32_t kelvin : {5001u, 6499u, 6501u, 9300u}) {
        EngineState state;
        ResolveTargetWhite(state, kelvin);
        double x, y;
        DaylightChromaticity(kelvin, x, y);
        EXPECT_EQ(state.profileWhiteX, x) << kelvin;
        EXPECT_EQ(state.profileWhiteY, y) << kelvin;
    }
}

TEST(ComputeColorants, DefaultMonitor) {
    struct Case {
        std::uint32_t whitePoint;
        double values[12];  // red, green, blue, white; X, Y, Z each
    } cases[] = {
        {6500, {0.4361, 0.2225, 0.0139, 0.3851, 0.7169, 0.0971, 0.1431, 0.0606, 0.7141, 0.9504, 1.0, 1.0889}},
        // Not adapted: the columns add up to the white.
        {5000, {0.4852, 0.2502, 0.0227, 0.3489, 0.6977, 0.1163, 0.1303, 0.0521, 0.6861, 0.964296, 1.0, 0.825105}},
    };
    for (const auto& c : cases) {
        const ProfileColorants colorants = Colorants(DefaultMonitor(), c.whitePoint);
        for (int k = 0; k < 12; ++k) EXPECT_NEAR(FromS15Fixed16(colorants[k]), c.values[k], 1e-4) << c.whitePoint << " " << k;
    }
    const ProfileColorants d50 = Colorants(DefaultMonitor(), 5000);
    EXPECT_EQ(d50[9], 0x0000F6DC);
    EXPECT_EQ(d50[10], 0x00010000);
    EXPECT_EQ(d50[11], 0x0000D33A);
}

// From exact rational arithmetic; one unit in the last place is allowed.
TEST(ComputeColorants, DefaultMonitorEncoded) {
    struct Case {
        std::uint32_t whitePoint;
        std::int32_t encoded[12];
    } cases[] = {
        {6500, {0x6FA3, 0x38F6, 0x0391, 0x6296, 0xB788, 0x18D9, 0x24A2, 0x0F85, 0xB6CF, 0xF351, 0x10000, 0x116C3}},
        {5000, {0x7C34, 0x400B, 0x05D2, 0x594F, 0xB29E, 0x1DC5, 0x2159, 0x0D57, 0xAFA3, 0xF6DC, 0x10000, 0xD33A}},
        {0, {0x6FA2, 0x38F5, 0x0391, 0x6297, 0xB788, 0x18D9, 0x24A3, 0x0F85, 0xB6D0, 0xF351, 0x10000, 0x116CC}},
    };
    for (const auto& c : cases) {
        const ProfileColorants colorants = Colorants(DefaultMonitor(), c.whitePoint);
        for (int k = 0; k < 12; ++k) EXPECT_NEAR(colorants[k], c.encoded[k], 1) << c.whitePoint << " " << k;
    }
}

TEST(ComputeColorants, MonitorWhiteIsAdaptedFromItself) {
    const ProfileColorants own = Colorants(DefaultMonitor(), 0);
    const ProfileColorants preset = Colorants(DefaultMonitor(), 6500);
    EXPECT_NE(own, preset);
    for (int k = 0; k < 12; ++k) EXPECT_NEAR(FromS15Fixed16(own[k]), FromS15Fixed16(preset[k]), 2e-4) << k;
}

TEST(ComputeColorants, AdaptationWhite) {
    EXPECT_NEAR(d50AdaptationWhite.X, 0.964296, 5e-7);
    EXPECT_EQ(d50AdaptationWhite.Y, 1.0);
    EXPECT_NEAR(d50AdaptationWhite.Z, 0.825105, 5e-7);
}

// What a corrupt EDID can leave in the state, and what stands in for it.
TEST(ComputeColorants, DegenerateChromaticitiesFallBackToDefaults) {
    EngineState zeros;  // an all-zero chromaticity block
    const std::uint8_t block[10] = {};
    DecodeEdidChromaticity(block, 0, zeros.redX, zeros.redY, zeros.greenX, zeros.greenY, zeros.blueX, zeros.blueY,
                           zeros.whiteX, zeros.whiteY);
    EngineState flatRed = DefaultMonitor();
    flatRed.redY = 0;
    EngineState collinear = DefaultMonitor();
    collinear.redX = 0.2, collinear.redY = 0.2, collinear.greenX = 0.4, collinear.greenY = 0.4;
    collinear.blueX = 0.3, collinear.blueY = 0.3;
    EngineState nearlyZero = DefaultMonitor();  // collinear, but rounding leaves a determinant of -3e-18
    nearlyZero.redX = 0, nearlyZero.redY = 0.996, nearlyZero.greenX = 0.001, nearlyZero.greenY = 0.996;
    nearlyZero.blueX = 0.996, nearlyZero.blueY = 0.996;
    EngineState flatWhite = DefaultMonitor();  // primaries of their own, white of none
    flatWhite.redX = 0.68, flatWhite.greenY = 0.71, flatWhite.whiteY = 0;
    EngineState ownPrimaries = flatWhite;
    ownPrimaries.whiteY = DefaultMonitor().whiteY;
    EngineState nan = DefaultMonitor();
    nan.blueX = kNaN;

    struct Case {
        const char* what;
        EngineState state;
        std::uint32_t whitePoint;
        EngineState standIn;
    } cases[] = {
        {"zeros, own white", zeros, 0, DefaultMonitor()},
        {"zeros, 6500", zeros, 6500, DefaultMonitor()},
        {"zeros, 5000", zeros, 5000, DefaultMonitor()},  // the asked white stays
        {"red y 0", flatRed, 7500, DefaultMonitor()},
        {"collinear", collinear, 0, DefaultMonitor()},
        {"collinear, determinant not quite 0", nearlyZero, 5000, DefaultMonitor()},
        {"white y 0", flatWhite, 0, ownPrimaries},  // the primaries stay
        {"NaN", nan, 9300, DefaultMonitor()},
    };
    for (const auto& c : cases) {
        const ProfileColorants colorants = Colorants(c.state, c.whitePoint);
        EXPECT_EQ(colorants, Colorants(c.standIn, c.whitePoint)) << c.what;
        EXPECT_EQ(colorants[10], 0x00010000) << c.what;
    }
}

TEST(ComputeColorants, DecodedEdidIsUsedAsItIs) {
    // Three-decimal primaries whose determinant is 1e-6, nearly collinear.
    EngineState state;
    state.redX = 0.3, state.redY = 0.3, state.greenX = 0.4, state.greenY = 0.4;
    state.blueX = 0.5, state.blueY = 0.501, state.whiteX = 0.313, state.whiteY = 0.329;
    const ProfileColorants colorants = Colorants(state, 5000);
    EXPECT_NE(colorants, Colorants(DefaultMonitor(), 5000));
    EXPECT_NEAR(FromS15Fixed16(colorants[9]), 0.964296, 1.0 / 65536);
}

TEST(BradfordAdapt, ZeroConeResponseGivesNaN) {
    double matrix[3][3] = {{0.4, 0.3, 0.2}, {0.2, 0.7, 0.1}, {0.0, 0.1, 0.9}};
    BradfordAdapt(matrix, XYZ{0, 0, 0}, d50AdaptationWhite);
    for (const auto& row : matrix)
        for (double v : row) EXPECT_TRUE(std::isnan(v));
}

}  // namespace
}  // namespace plx
