// The program's scaling arithmetic: 96-dpi pixels at any dpi, dialog-unit
// layouts taken back to 96 dpi, the point size a dialog template gives its
// font, and the gamma page's test circle drawn at device pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/test_circle.h"
#include "app/ui/scaling/dialog_template.h"
#include "app/ui/scaling/display_scaling.h"

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

// The bytes of a template up to its font, as the resource compiler writes
// them: `extended` for DIALOGEX.
std::vector<std::uint8_t> Template(bool extended, std::uint32_t style, const std::vector<std::uint16_t>& names,
                                   std::uint16_t points) {
    std::vector<std::uint8_t> bytes;
    const auto word = [&](std::uint16_t w) { bytes.insert(bytes.end(), {std::uint8_t(w), std::uint8_t(w >> 8)}); };
    const auto dword = [&](std::uint32_t d) { word(std::uint16_t(d)), word(std::uint16_t(d >> 16)); };
    if (extended) word(1), word(0xFFFF), dword(0), dword(0), dword(style);
    else dword(style), dword(0);
    for (int w : {3, 0, 0, 491, 362}) word(std::uint16_t(w));  // count, x, y, cx, cy
    for (std::uint16_t w : names) word(w);                // menu, class, title
    word(points);
    for (std::uint16_t w : {std::uint16_t('M'), std::uint16_t('S'), std::uint16_t(0)}) word(w);
    return bytes;
}

TEST(DialogTemplate, FontPointsOfEitherKindAndNoneWhereItEnds) {
    constexpr std::uint32_t kSetFont = 0x40, kPopup = 0x80000000;
    const std::vector<std::uint16_t> plain = {0, 0, 0};                                   // no menu, class, title
    const std::vector<std::uint16_t> named = {0xFFFF, 7, 'C', 'l', 0, 'L', 'u', 'm', 0};  // ordinal menu, strings
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "DIALOGEX" : "DIALOG");
        for (const auto& names : {plain, named}) {
            const std::vector<std::uint8_t> bytes = Template(extended, kPopup | kSetFont, names, 10);
            EXPECT_EQ(DialogFontPoints(bytes.data(), bytes.size()), 10);
            // Cut anywhere before the point size's last byte, there is none.
            const std::size_t end = bytes.size() - 6;
            for (std::size_t size = 0; size < end; ++size)
                EXPECT_EQ(DialogFontPoints(bytes.data(), size), std::nullopt) << size << " bytes";
        }
        const std::vector<std::uint8_t> noFont = Template(extended, kPopup, plain, 10);
        EXPECT_EQ(DialogFontPoints(noFont.data(), noFont.size()), std::nullopt);
    }
    EXPECT_EQ(DialogFontPoints(nullptr, 100), std::nullopt);
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
