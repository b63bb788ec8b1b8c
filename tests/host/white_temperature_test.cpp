#include "engine/white_temperature.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>

#include "engine/dispatch.h"
#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::TestEngine;

constexpr std::uint32_t kUnchanged = 0xA5A5A5A5;

// Asks function 4 of a request full of garbage, with no gamma support.
int Temperature(double x, double y, std::int32_t edidStatus, PLXRequest& request) {
    TestEngine t;
    t.engine.state.gammaSupported = false;
    t.engine.state.edidStatus = edidStatus;
    t.engine.state.whiteX = x, t.engine.state.whiteY = y;
    std::memset(&request, 0xA5, sizeof request);
    request.function = MonitorWhiteTemperatureFunction;
    return Dispatch(t.engine, &request);
}

TEST(MonitorWhiteTemperature, Whites) {
    struct Case {
        double x, y;
        std::int32_t edidStatus;
        int result;
        std::uint32_t whitePoint;
    } cases[] = {
        {0.3127, 0.3290, EdidNoKey, ResultWhiteFromDefault, 6504},
        {0.3127, 0.3290, EdidNoValue, ResultWhiteFromDefault, 6504},
        {0.3127, 0.3290, EdidUndecoded, ResultWhiteFromDefault, 6504},
        {0.3127, 0.3290, EdidDecoded, ResultWhiteFromEdid, 6504},
        {0.3457, 0.3585, EdidDecoded, ResultWhiteFromEdid, 5001},
        {0.3135, 0.3237, EdidDecoded, ResultWhiteFromEdid, 6500},
        {0.2831, 0.2971, EdidDecoded, ResultWhiteFromEdid, 9303},
        {0.45, 0.41, EdidDecoded, ResultWhiteOutOfRange, kUnchanged},  // about 2850 K
        {0.26, 0.27, EdidNoKey, ResultWhiteOutOfRange, kUnchanged},    // far above 10000 K
    };
    for (const auto& c : cases) {
        PLXRequest request;
        EXPECT_EQ(Temperature(c.x, c.y, c.edidStatus, request), c.result) << c.x << ", " << c.y;
        EXPECT_EQ(request.whitePoint, c.whitePoint) << c.x << ", " << c.y;
    }
}

TEST(MonitorWhiteTemperature, WritesNothingButWhitePoint) {
    PLXRequest request;
    EXPECT_EQ(Temperature(0.3127, 0.3290, EdidNoKey, request), ResultWhiteFromDefault);
    PLXRequest expected;
    std::memset(&expected, 0xA5, sizeof expected);
    expected.function = MonitorWhiteTemperatureFunction;
    expected.whitePoint = 6504;
    EXPECT_TRUE(fake::SameBytes(request, expected));
}

// The Planckian points of the inner lines give the lines' own temperatures.
TEST(MonitorWhiteTemperature, PointsOnTheLocus) {
    struct Case {
        double u, v;
        std::uint32_t kelvin;
    } cases[] = {
        {0.19462, 0.30141, 8000}, {0.19962, 0.30921, 6667}, {0.20525, 0.31647, 5714}, {0.21142, 0.32312, 5000},
    };
    for (const auto& c : cases) {
        const double d = 2 * c.u - 8 * c.v + 4;
        PLXRequest request;
        EXPECT_EQ(Temperature(3 * c.u / d, 2 * c.v / d, EdidDecoded, request), ResultWhiteFromEdid) << c.kelvin;
        EXPECT_EQ(request.whitePoint, c.kelvin);
    }
}

// In double arithmetic these whites lie exactly on a line: distance 0.
TEST(MonitorWhiteTemperature, WhitesExactlyOnALine) {
    // Extended-precision arithmetic leaves a tiny distance of either sign,
    // which may put a white on an end line just outside the table.
    const bool exact = FLT_EVAL_METHOD == 0;
    struct Case {
        double x, y;
        std::uint32_t kelvin;
        bool inner;
    } cases[] = {
        {0x1.1f5da79469f9bp-2, 0x1.27327dc9145fbp-2, 10000, false},
        {0x1.2e446e259dcfep-2, 0x1.38153f2256e1ap-2, 8000, true},
        {0x1.73778e2489e03p-2, 0x1.75b8a1c7cae02p-2, 4444, false},
    };
    for (const auto& c : cases) {
        if (!c.inner && !exact) continue;
        PLXRequest request;
        EXPECT_EQ(Temperature(c.x, c.y, EdidDecoded, request), ResultWhiteFromEdid) << c.kelvin;
        EXPECT_EQ(request.whitePoint, c.kelvin);
    }
}

TEST(MonitorWhiteTemperature, DegenerateWhitesAreOutOfRange) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kMax = std::numeric_limits<double>::max();
    struct Case {
        double x, y;
    } cases[] = {
        {1.5, 0},  // the conversion's denominator is zero
        {0, 0}, {kNaN, 0.329}, {0.3127, kNaN}, {kInf, 0.329}, {0.3127, -kInf},
        {kMax, kMax}, {-kMax, kMax}, {kMax, 0.329}, {4.9e-324, 4.9e-324},
    };
    for (const auto& c : cases) {
        PLXRequest request;
        EXPECT_EQ(Temperature(c.x, c.y, EdidDecoded, request), ResultWhiteOutOfRange) << c.x << ", " << c.y;
        EXPECT_EQ(request.whitePoint, kUnchanged) << c.x << ", " << c.y;
    }
}

}  // namespace
}  // namespace plx
