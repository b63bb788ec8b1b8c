// The program's scaling arithmetic: 96-dpi pixels at any dpi, what a dialog
// template says of its font and rectangles and where those stand at 96 dpi,
// and the gamma page's test circle drawn at device pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/test_circle.h"
#include "ui/scaling/dialog_template.h"

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

// The bytes of a template as the resource compiler writes them: `extended`
// for DIALOGEX, two controls, each on a DWORD boundary with class and title
// by name or ordinal.
std::vector<std::uint8_t> Template(bool extended, std::uint32_t style, const std::vector<std::uint16_t>& names) {
    std::vector<std::uint8_t> bytes;
    const auto word = [&](std::uint16_t w) { bytes.insert(bytes.end(), {std::uint8_t(w), std::uint8_t(w >> 8)}); };
    const auto dword = [&](std::uint32_t d) { word(std::uint16_t(d)), word(std::uint16_t(d >> 16)); };
    const auto align = [&] { bytes.resize((bytes.size() + 3) & ~std::size_t{3}); };
    if (extended) word(1), word(0xFFFF), dword(0), dword(0), dword(style);
    else dword(style), dword(0);
    for (int w : {2, 0, 0, 491, 362}) word(std::uint16_t(w));  // count, x, y, cx, cy
    for (std::uint16_t w : names) word(w);                     // menu, class, title
    if (style & 0x40) {
        word(8);
        if (extended) word(400), word(0);                                    // weight, italic and character set
        for (char c : std::string("MS Shell Dlg") + '\0') word(std::uint16_t(c));  // face
    }
    const std::vector<std::vector<std::uint16_t>> controls = {{396, 160, 50, 14}, {0xFFFF - 1, 3, 38, 14}};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        align();
        dword(0), dword(0);  // (help id,) extended style, style
        if (extended) dword(0);
        for (std::uint16_t w : controls[i]) word(w);
        extended ? dword(1001) : word(1001);                             // id
        i == 0 ? (word('B'), word('u'), word(0)) : (word(0xFFFF), word(0x82));  // class by name or ordinal
        word(0xFFFF), word(116), word(i == 0 ? 2 : 0);                  // title, creation data
        if (i == 0) word(0xABCD);
    }
    return bytes;
}

TEST(DialogTemplate, FontAndRectanglesOfEitherKindAndNothingWhereItEnds) {
    constexpr std::uint32_t kSetFont = 0x40, kPopup = 0x80000000;
    const std::vector<std::uint16_t> plain = {0, 0, 0};                                   // no menu, class, title
    const std::vector<std::uint16_t> named = {0xFFFF, 7, 'C', 'l', 0, 'L', 'u', 'm', 0};  // ordinal menu, strings
    const std::vector<DialogUnitRect> controls = {{396, 160, 50, 14}, {-2, 3, 38, 14}};
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "DIALOGEX" : "DIALOG");
        for (const auto& [names, style] : {std::pair{plain, kPopup | kSetFont}, {named, kPopup | kSetFont}, {plain, kPopup}}) {
            const std::vector<std::uint8_t> bytes = Template(extended, style, names);
            const auto read = ReadDialogTemplate(bytes.data(), bytes.size());
            ASSERT_TRUE(read);
            EXPECT_EQ(read->face, style & kSetFont ? "MS Shell Dlg" : "");
            EXPECT_EQ(read->points, style & kSetFont ? 8 : 0);
            EXPECT_EQ(read->dialog, (DialogUnitRect{0, 0, 491, 362}));
            EXPECT_EQ(read->controls, controls);
            // Cut anywhere before the last control's creation data, there is nothing.
            for (std::size_t size = 0; size < bytes.size(); ++size)
                EXPECT_EQ(ReadDialogTemplate(bytes.data(), size), std::nullopt) << size << " bytes";
        }
    }
    EXPECT_EQ(ReadDialogTemplate(nullptr, 100), std::nullopt);
}

// The templates' rectangles with the base units the pictures are drawn for,
// rounded as the dialog manager rounds them on a Western system at 96 dpi.
TEST(DisplayScaling, DialogUnitsInPixelsOfTheDesignBaseUnits) {
    const struct {
        const char* face;
        int points;
        DialogUnitRect units;
        LayoutRect pixels;
    } cases[] = {
        // face, points, dialog units, pixels at 96 dpi
        {"MS Shell Dlg", 8, {0, 0, 491, 362}, {0, 0, 737, 588}},
        {"MS Shell Dlg", 8, {0, 0, 296, 223}, {0, 0, 444, 362}},
        {"MS Shell Dlg", 8, {19, 190, 50, 14}, {29, 309, 75, 23}},
        {"MS Shell Dlg", 8, {2, 304, 487, 57}, {3, 494, 731, 93}},
        {"Microsoft Sans Serif", 10, {89, 202, 77, 64}, {178, 379, 154, 120}},
        {"Arial", 9, {19, 190, 50, 14}, {29, 309, 75, 23}},  // not ours: the standard font's
    };
    for (const auto& c : cases) {
        DialogTemplate source;
        source.face = c.face, source.points = c.points;
        EXPECT_EQ(PixelsOf(c.units, DesignBaseUnits(source)), c.pixels) << c.face << " " << c.units.x;
    }
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
