#include "engine/profile/colorant_matrix.h"

#include <gtest/gtest.h>

#include <random>

namespace plx {
namespace {

XYZ ColumnSums(const double m[3][3]) {
    return {m[0][0] + m[0][1] + m[0][2], m[1][0] + m[1][1] + m[1][2], m[2][0] + m[2][1] + m[2][2]};
}

// Random monitor-like primaries and whites around the usual gamut.
TEST(UnadaptedColorants, ColumnsAddUpToTheWhiteAndAdaptToD50) {
    std::mt19937 random(20240611);
    auto in = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    for (int n = 0; n < 2000; ++n) {
        const Primaries primaries = {{in(0.55, 0.72), in(0.26, 0.36)},
                                     {in(0.15, 0.35), in(0.50, 0.75)},
                                     {in(0.12, 0.17), in(0.03, 0.12)}};
        const Chromaticity white = {in(0.26, 0.36), in(0.27, 0.38)};
        const XYZ expected = {white.x / white.y, 1.0, (1 - white.x - white.y) / white.y};

        Colorants c = UnadaptedColorants(primaries, white);
        const XYZ sums = ColumnSums(c.matrix);
        EXPECT_NEAR(sums.X, expected.X, 1e-12) << n;
        EXPECT_NEAR(sums.Y, 1.0, 1e-12) << n;
        EXPECT_NEAR(sums.Z, expected.Z, 1e-12) << n;
        EXPECT_NEAR(c.white.X, expected.X, 1e-12) << n;
        EXPECT_EQ(c.white.Y, 1.0) << n;
        EXPECT_NEAR(c.white.Z, expected.Z, 1e-12) << n;

        // The four-decimal inverse makes the adapted white only nearly D50.
        BradfordAdapt(c.matrix, c.white, d50AdaptationWhite);
        const XYZ adapted = ColumnSums(c.matrix);
        EXPECT_NEAR(adapted.X, d50AdaptationWhite.X, 1e-3) << n;
        EXPECT_NEAR(adapted.Y, d50AdaptationWhite.Y, 1e-3) << n;
        EXPECT_NEAR(adapted.Z, d50AdaptationWhite.Z, 1e-3) << n;
    }
}

}  // namespace
}  // namespace plx
