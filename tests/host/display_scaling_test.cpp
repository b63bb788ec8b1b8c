// The wizard's scaling arithmetic: 96-dpi pixels at any dpi, dialog-unit
// layouts taken back to 96 dpi, the dialog font's size at 96 dpi, and the
// gamma page's test circle drawn at device pixels.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/display_scaling.h"

namespace {

TEST(DisplayScaling, ScalesFromNinetySixDpiRoundingHalvesUp) {
    const struct {
        int dpi, pixels, scaled;
    } cases[] = {
        // dpi, 96-dpi pixels, scaled
        {96, 736, 736},   {96, 589, 589},   {120, 736, 920},  {120, 589, 736},  {144, 736, 1104},
        {144, 589, 884},  {144, 35, 53},    {192, 589, 1178}, {168, 82, 144},   {120, 1, 1},
        {144, 1, 2},      {0, 589, 589},    {-5, 7, 7},       {144, -3, -5},
    };
    for (const auto& c : cases) EXPECT_EQ(DisplayScaling(c.dpi).Scale(c.pixels), c.scaled) << c.dpi << " " << c.pixels;
    EXPECT_TRUE(DisplayScaling().Unscaled());
    EXPECT_TRUE(DisplayScaling(0).Unscaled());
    EXPECT_FALSE(DisplayScaling(120).Unscaled());
    EXPECT_EQ(DisplayScaling(144).Scale(LayoutRect{100, 260, 73, 28}), (LayoutRect{150, 390, 110, 42}));
}

// A dialog font's pixel height at some dpi (-MulDiv(points, dpi, 72)) gives
// the height the same font has at 96 dpi.
TEST(DisplayScaling, DialogFontHeightAt96) {
    for (int points : {8, 9, 10, 12}) {
        const int at96 = -(points * 96 * 2 + 72) / 144;
        for (int dpi : {96, 110, 120, 144, 168, 192, 240, 288}) {
            const int atDpi = -(points * dpi * 2 + 72) / 144;
            EXPECT_EQ(FontHeightAt96(atDpi, dpi), at96) << points << " pt at " << dpi;
        }
    }
}

int DialogManagerPixels(int units, int base, int per) { return (units * base * 2 + per) / (2 * per); }

// Every position and size the templates can hold, placed by the dialog
// manager with the base units of a larger dpi, comes back to exactly where
// the 96-dpi base units put it.
TEST(DisplayScaling, LayoutsComeBackToTheirNinetySixDpiPixels) {
    const struct {
        DialogBaseUnits placed, at96;
    } fonts[] = {
        // base units at the larger dpi, at 96 dpi
        {{7, 16}, {6, 13}},  {{9, 19}, {6, 13}},  {{12, 26}, {6, 13}}, {{10, 19}, {8, 15}},
        {{12, 23}, {8, 15}}, {{16, 30}, {8, 15}}, {{5, 9}, {6, 13}},
    };
    for (const auto& f : fonts) {
        SCOPED_TRACE(testing::Message() << f.placed.x << "x" << f.placed.y);
        for (int units = 0; units <= 500; ++units) {
            const LayoutRect placed{DialogManagerPixels(units, f.placed.x, 4), DialogManagerPixels(units, f.placed.y, 8),
                                    DialogManagerPixels(units, f.placed.x, 4), DialogManagerPixels(units, f.placed.y, 8)};
            const LayoutRect at96{DialogManagerPixels(units, f.at96.x, 4), DialogManagerPixels(units, f.at96.y, 8),
                                  DialogManagerPixels(units, f.at96.x, 4), DialogManagerPixels(units, f.at96.y, 8)};
            ASSERT_EQ(RectAt96(placed, f.placed, f.at96), at96) << units << " dialog units";
        }
    }
    const LayoutRect any{3, 5, 7, 11};
    EXPECT_EQ(RectAt96(any, {6, 13}, {6, 13}), any);
    EXPECT_EQ(RectAt96(any, {0, 0}, {6, 13}), any);
}

TEST(DisplayScaling, BaseUnitsFromTheAlphabetAndTheFontHeight) {
    EXPECT_EQ(BaseUnitsOf(311, 13), (DialogBaseUnits{6, 13}));  // average 5.98 rounds to 6
    EXPECT_EQ(BaseUnitsOf(285, 13), (DialogBaseUnits{5, 13}));  // 5.48 rounds to 5
    EXPECT_EQ(BaseUnitsOf(468, 19), (DialogBaseUnits{9, 19}));
}

// At every dpi: the circle's size and radius grow with it, inside it lines
// of one device pixel alternate 255 (even rows) and 0, and around it lies
// the field of 186; the centre columns hold as many lit rows as dark ones.
TEST(TestCircle, LinesOfOneDevicePixelOnTheFieldAtEveryDpi) {
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        SCOPED_TRACE(dpi);
        const DisplayScaling scaling(dpi);
        const TestCircle circle = TestCircleAt(scaling);
        const int size = scaling.Scale(kTestCircleSize);
        ASSERT_EQ(circle.size, size);
        ASSERT_EQ(circle.levels.size(), std::size_t(size) * size);
        const double centre = size / 2.0, radius = scaling.Scale(kTestCircleRadius);
        int bad = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
                const int want = dx * dx + dy * dy <= radius * radius ? (y % 2 == 0 ? 255 : 0) : kTestFieldLevel;
                if (circle.levels[std::size_t(y) * size + x] != want && bad++ == 0)
                    ADD_FAILURE() << "(" << x << "," << y << ") is " << int(circle.levels[std::size_t(y) * size + x]);
            }
        EXPECT_EQ(bad, 0);
        for (int x : {size / 2 - 1, size / 2}) {
            int lit = 0, dark = 0;
            for (int y = 0; y < size; ++y) {
                const int level = circle.levels[std::size_t(y) * size + x];
                lit += level == 255;
                dark += level == 0;
            }
            EXPECT_NEAR(lit + dark, 2 * radius, 2) << "column " << x;
            EXPECT_LE(std::abs(lit - dark), 1) << "column " << x;
        }
        for (std::size_t corner : {0, size - 1, size * size - size, size * size - 1})
            EXPECT_EQ(circle.levels[corner], kTestFieldLevel);
    }
}

}  // namespace
