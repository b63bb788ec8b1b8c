// Pixel checks on the shipped bitmaps: the formats the resource compiler
// embeds, the exact levels the gamma step depends on, and the places where
// controls are drawn over the pictures. And the icon's images, in the
// formats the systems that ask for them read.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/test_circle.h"
#include "bmp_reader.h"

#if !defined(LUMORA_BITMAP_DIR) || !defined(LUMORA_ICON_FILE)
#error "LUMORA_BITMAP_DIR and LUMORA_ICON_FILE must name the bitmap directory and the icon"
#endif

namespace {

using artwork_test::Bmp;
using artwork_test::read_bmp;
using artwork_test::Rgb;

constexpr int kGammaLevel = 186;  // round(255 * 0.5^(1/2.2))

// Pictures are read once; several tables refer to the same page.
const Bmp& load(const std::string& name) {
    static std::map<std::string, Bmp> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.emplace(name, read_bmp(std::string(LUMORA_BITMAP_DIR) + "/" + name)).first;
    return it->second;
}

struct Rect {
    int x0, y0, x1, y1;  // x1/y1 exclusive
};

std::string where(const std::string& file, int x, int y) {
    std::ostringstream s;
    s << file << " at (" << x << "," << y << ")";
    return s.str();
}

// Counts pixels in r that differ from want; reports the first one.
int count_mismatches(const Bmp& b, const Rect& r, Rgb want, std::string* first) {
    int bad = 0;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            if (!(b.at(x, y) == want) && bad++ == 0)
                *first = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    return bad;
}

// ------------------------------------------------------------------ formats

struct Format {
    const char* stem;   // pictures: the file name less ".bmp"; buttons: the caption
    const char* looks;  // "" for pictures, else the look suffixes shipped
    int width, height, bpp;
};

const Format kFormats[] = {
    {"page102", "", 736, 589, 24},  {"page103", "", 736, 589, 24},   {"page105", "", 736, 589, 24},
    {"page107", "", 736, 589, 24},  {"circle182", "", 82, 82, 24},   {"circle183", "", 82, 82, 24},
    {"circle184", "", 82, 82, 24},  {"exit116", "", 443, 363, 24},   {"notice108", "", 443, 363, 24},
    {"START", "UDF", 73, 28, 24},   {"SAVE", "UDF", 73, 28, 24},     {"NEXT1", "UDF", 73, 28, 24},
    {"NEXT2", "UDF", 73, 28, 24},   {"BACK0", "U", 73, 28, 24},      {"BACK1", "UDF", 73, 28, 24},
    {"BACK2", "UDF", 73, 28, 24},   {"BACK3", "UDF", 73, 28, 24},    {"EXIT", "UDF", 59, 30, 24},
    {"HELP", "UDF", 56, 30, 8},     {"ABOUT", "UDF", 61, 30, 24},    {"PBC", "U", 112, 12, 24},
    {"EXITYES", "UDF", 191, 28, 24}, {"EXITNO", "UDF", 191, 28, 24}, {"NOINT", "UDF", 94, 28, 24},
    {"reminder130", "", 443, 363, 24}, {"REMINDNOW", "UDF", 191, 28, 24}, {"REMINDLATER", "UDF", 191, 28, 24},
};

TEST(Bitmaps, SizesDepthsAndHeaders) {
    int files = 0;
    for (const Format& f : kFormats) {
        std::vector<std::string> names;
        if (!*f.looks) names.push_back(std::string(f.stem) + ".bmp");
        for (const char* l = f.looks; *l; ++l) names.push_back(std::string(f.stem) + *l + ".bmp");
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            ++files;
            const Bmp& b = load(name);
            ASSERT_TRUE(b.ok) << b.error;
            EXPECT_EQ(b.info_size, 40u);  // BITMAPINFOHEADER
            EXPECT_EQ(b.width, f.width);
            EXPECT_EQ(b.height, f.height);  // positive: bottom-up
            EXPECT_EQ(b.planes, 1);
            EXPECT_EQ(b.bpp, f.bpp);
            EXPECT_EQ(b.compression, 0u);
            if (f.bpp == 8) {
                EXPECT_EQ(b.palette.size(), 256u);
            }
        }
    }
    EXPECT_EQ(files, 57);
}

TEST(Bitmaps, PushedAndFocusedLooksDifferFromNormal) {
    const char* captions[] = {"START", "SAVE",  "NEXT1",   "NEXT2",  "BACK1", "BACK2", "BACK3",
                              "EXIT",  "HELP",  "ABOUT",   "EXITYES", "EXITNO", "NOINT",
                              "REMINDNOW", "REMINDLATER"};
    for (const char* c : captions) {
        SCOPED_TRACE(c);
        const Bmp& u = load(std::string(c) + "U.bmp");
        const Bmp& d = load(std::string(c) + "D.bmp");
        const Bmp& f = load(std::string(c) + "F.bmp");
        ASSERT_TRUE(u.ok && d.ok && f.ok);
        EXPECT_NE(u.pixels, d.pixels);
        EXPECT_NE(u.pixels, f.pixels);
        EXPECT_NE(d.pixels, f.pixels);
    }
}

// ------------------------------------------------------------- test circles
//
// Inside a circle of radius 35 centred on the 82 x 82 image, even rows are
// full intensity and odd rows are black; outside it the field is level 186.

struct Circle {
    const char* file;
    int channel;  // 0 red, 1 green, 2 blue
};

const Circle kCircles[] = {{"circle182.bmp", 0}, {"circle183.bmp", 2}, {"circle184.bmp", 1}};

double distance_from_centre(int x, int y) { return std::hypot(x + 0.5 - 41.0, y + 0.5 - 41.0); }

TEST(TestCircles, OwnChannelOnlyFieldAndLinesByDistance) {
    for (const Circle& c : kCircles) {
        SCOPED_TRACE(c.file);
        const Bmp& b = load(c.file);
        ASSERT_TRUE(b.ok) << b.error;
        ASSERT_EQ(b.width, 82);
        ASSERT_EQ(b.height, 82);
        for (auto [x, y] : {std::pair{0, 0}, {81, 0}, {0, 81}, {81, 81}})
            EXPECT_EQ(b.at(x, y).channel(c.channel), kGammaLevel) << where(c.file, x, y);
        int bad = 0;
        for (int y = 0; y < 82; ++y)
            for (int x = 0; x < 82; ++x) {
                const double d = distance_from_centre(x, y);
                const int v = b.at(x, y).channel(c.channel);
                int want = -1;  // the edge band is left to the exact rasterisation
                if (d > 36.0) want = kGammaLevel;
                if (d < 34.0) want = y % 2 == 0 ? 255 : 0;
                const bool own_ok = want >= 0 ? v == want : (v == 0 || v == 255 || v == kGammaLevel);
                const bool others_ok = b.at(x, y).channel((c.channel + 1) % 3) == 0 &&
                                       b.at(x, y).channel((c.channel + 2) % 3) == 0;
                if (!(own_ok && others_ok) && bad++ == 0)
                    ADD_FAILURE() << where(c.file, x, y) << ": own channel " << v << ", want " << want;
            }
        EXPECT_EQ(bad, 0);
    }
}

TEST(TestCircles, CentreColumnAlternatesAndBalances) {
    for (const Circle& c : kCircles) {
        SCOPED_TRACE(c.file);
        const Bmp& b = load(c.file);
        ASSERT_TRUE(b.ok) << b.error;
        for (int x : {40, 41}) {
            int top = 0;
            while (top < 82 && b.at(x, top).channel(c.channel) == kGammaLevel) ++top;
            int bottom = 81;
            while (bottom >= 0 && b.at(x, bottom).channel(c.channel) == kGammaLevel) --bottom;
            ASSERT_LT(top, bottom);
            const int rows = bottom - top + 1;
            EXPECT_NEAR(rows, 70, 2) << "circle diameter";
            EXPECT_NEAR(top, 81 - bottom, 1) << "circle not centred";
            EXPECT_EQ(b.at(x, top).channel(c.channel), top % 2 == 0 ? 255 : 0);
            int lit = 0, dark = 0;
            for (int y = top; y <= bottom; ++y) {
                const int v = b.at(x, y).channel(c.channel);
                EXPECT_EQ(v, y % 2 == 0 ? 255 : 0) << where(c.file, x, y);
                (v == 255 ? lit : dark)++;
                if (y > top) {
                    EXPECT_NE(v, b.at(x, y - 1).channel(c.channel)) << where(c.file, x, y);
                }
            }
            EXPECT_EQ(lit, dark) << "lines must average to half light";
        }
    }
}

// At 96 dpi the wizard shows these bitmaps; at any other dpi it draws the
// circles itself, and drawn at 96 dpi they are these bitmaps.
TEST(TestCircles, DrawnByTheWizardAtNinetySixDpiAreTheseBitmaps) {
    const TestCircle drawn = TestCircleAt(DisplayScaling());
    ASSERT_EQ(drawn.size, 82);
    for (const Circle& c : kCircles) {
        const Bmp& b = load(c.file);
        ASSERT_TRUE(b.ok) << b.error;
        int bad = 0;
        for (int y = 0; y < 82; ++y)
            for (int x = 0; x < 82; ++x)
                if (b.at(x, y).channel(c.channel) != drawn.levels[std::size_t(y) * 82 + x] && bad++ == 0)
                    ADD_FAILURE() << where(c.file, x, y);
        EXPECT_EQ(bad, 0) << c.file;
    }
}

// --------------------------------------------------------------- gamma page
//
// The gamma dialog puts a slider and a test picture for each channel on the
// page; both, with 10 px to spare, must sit on a field of exactly level 186.
// Dialog units map to pixels through the base units; a few variants cover
// systems whose base units differ slightly.

struct BaseUnits {
    double x, y;
};
const BaseUnits kBaseUnits[] = {{6.0, 13.0}, {6.0, 13.02}, {5.99, 13.0}};

struct GammaControl {
    const char* name;
    int channel;
    int slider_x, slider_y;    // dialog units, 86 x 14 du
    int picture_x, picture_y;  // dialog units, shown at 82 x 82 px
};
const GammaControl kGammaControls[] = {
    {"red", 0, 50, 140, 67, 86},
    {"blue", 2, 201, 140, 218, 86},
    {"green", 1, 352, 140, 369, 86},
};

Rect du_rect(BaseUnits bu, int x, int y, int w, int h) {
    return {static_cast<int>(std::floor(x * bu.x / 4)), static_cast<int>(std::floor(y * bu.y / 8)),
            static_cast<int>(std::ceil((x + w) * bu.x / 4)), static_cast<int>(std::ceil((y + h) * bu.y / 8))};
}

Rect picture_rect(BaseUnits bu, int x, int y) {
    const double px = x * bu.x / 4, py = y * bu.y / 8;
    return {static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py)),
            static_cast<int>(std::ceil(px)) + 82, static_cast<int>(std::ceil(py)) + 82};
}

Rect grow(Rect r, int m) { return {r.x0 - m, r.y0 - m, r.x1 + m, r.y1 + m}; }

TEST(GammaPage, ControlsSitOnExactFields) {
    const Bmp& page = load("page105.bmp");
    ASSERT_TRUE(page.ok) << page.error;
    for (const BaseUnits& bu : kBaseUnits)
        for (const GammaControl& c : kGammaControls) {
            Rgb want;
            (c.channel == 0 ? want.r : c.channel == 1 ? want.g : want.b) = kGammaLevel;
            const struct {
                const char* what;
                Rect r;
            } areas[] = {
                {"slider", du_rect(bu, c.slider_x, c.slider_y, 86, 14)},
                {"picture", picture_rect(bu, c.picture_x, c.picture_y)},
                {"slider margin", grow(du_rect(bu, c.slider_x, c.slider_y, 86, 14), 10)},
                {"picture margin", grow(picture_rect(bu, c.picture_x, c.picture_y), 10)},
            };
            for (const auto& a : areas) {
                SCOPED_TRACE(std::string(c.name) + " " + a.what + " @" + std::to_string(bu.x) + "x" +
                             std::to_string(bu.y));
                std::string first;
                EXPECT_EQ(count_mismatches(page, a.r, want, &first), 0) << "first at " << first;
            }
        }
}

// ------------------------------------------------------- controls on pages
//
// Buttons are blitted as rectangles; their bottom corners must show exactly
// the picture colour they cover, or the button's box shows as a seam.

struct Placement {
    const char* button;
    const char* picture;
    int x, y;
};

const Placement kPlacements[] = {
    {"START", "page102.bmp", 594, 260},  {"BACK0", "page102.bmp", 520, 260},
    {"NEXT1", "page103.bmp", 594, 260},  {"BACK1", "page103.bmp", 520, 260},
    {"NEXT2", "page105.bmp", 594, 260},  {"BACK2", "page105.bmp", 520, 260},
    {"SAVE", "page107.bmp", 594, 260},   {"BACK3", "page107.bmp", 520, 260},
    {"EXITNO", "exit116.bmp", 28, 308},  {"EXITYES", "exit116.bmp", 225, 308},
    {"NOINT", "notice108.bmp", 28, 308},
    {"REMINDNOW", "reminder130.bmp", 28, 308}, {"REMINDLATER", "reminder130.bmp", 225, 308},
    {"EXIT", "page102.bmp", 4, 4},       {"HELP", "page102.bmp", 64, 4},
    {"ABOUT", "page102.bmp", 123, 4},    {"EXIT", "page103.bmp", 4, 4},
    {"HELP", "page103.bmp", 64, 4},      {"ABOUT", "page103.bmp", 123, 4},
    {"EXIT", "page105.bmp", 4, 4},       {"HELP", "page105.bmp", 64, 4},
    {"ABOUT", "page105.bmp", 123, 4},    {"EXIT", "page107.bmp", 4, 4},
    {"HELP", "page107.bmp", 64, 4},      {"ABOUT", "page107.bmp", 123, 4},
    {"PBC", "page102.bmp", 621, 479},    {"PBC", "page103.bmp", 621, 479},
    {"PBC", "page105.bmp", 621, 479},    {"PBC", "page107.bmp", 621, 479},
};

TEST(Placement, ButtonCornersMatchThePictureBeneath) {
    for (const Placement& p : kPlacements) {
        const Bmp& page = load(p.picture);
        ASSERT_TRUE(page.ok) << p.picture;
        for (const char* look : {"U", "D", "F"}) {
            const std::string file = std::string(p.button) + look + ".bmp";
            const Bmp& b = load(file);
            if (!b.ok && look[0] != 'U') continue;  // some buttons have a normal look only
            SCOPED_TRACE(file + " on " + p.picture);
            ASSERT_TRUE(b.ok) << b.error;
            const int bottom = b.height - 1, right = b.width - 1;
            EXPECT_EQ(b.at(0, bottom), page.at(p.x, p.y + bottom));
            EXPECT_EQ(b.at(right, bottom), page.at(p.x + right, p.y + bottom));
        }
    }
}

// Areas other controls paint over, or that must read as plain backdrop.
struct PlainArea {
    const char* picture;
    const char* what;
    Rect r;
};

const PlainArea kPlainAreas[] = {
    {"page102.bmp", "reminder drop-down", {178, 378, 332, 405}},
    {"page102.bmp", "navigation buttons", {515, 255, 672, 293}},
    {"page103.bmp", "navigation buttons", {515, 255, 672, 293}},
    // On the gamma page the green field's margin reaches the buttons' top row.
    {"page105.bmp", "navigation buttons", {515, 262, 672, 293}},
    {"page107.bmp", "navigation buttons", {515, 255, 672, 293}},
    {"page102.bmp", "web pane", {0, 492, 736, 589}},
    {"page103.bmp", "web pane", {0, 492, 736, 589}},
    {"page105.bmp", "web pane", {0, 492, 736, 589}},
    {"page107.bmp", "web pane", {0, 492, 736, 589}},
    {"exit116.bmp", "answer buttons", {24, 304, 420, 340}},
    {"notice108.bmp", "OK button", {24, 304, 126, 340}},
    {"reminder130.bmp", "answer buttons", {24, 304, 420, 340}},
};

TEST(Placement, AreasUnderControlsArePlain) {
    for (const PlainArea& a : kPlainAreas) {
        SCOPED_TRACE(std::string(a.picture) + " " + a.what);
        const Bmp& page = load(a.picture);
        ASSERT_TRUE(page.ok) << page.error;
        std::string first;
        EXPECT_EQ(count_mismatches(page, a.r, page.at(a.r.x0, a.r.y0), &first), 0) << "first at " << first;
    }
}

// --------------------------------------------------------------------- icon
//
// Windows XP reads only uncompressed icon images: up to 64 px each is a 32-bit
// DIB whose height is doubled for the AND mask after the colour rows, which
// marks what systems without alpha leave transparent. 256 px, which only
// Vista on asks for, is a PNG.

TEST(Icon, EverySizeInTheFormatItsSystemsRead) {
    using artwork_test::detail::u16;
    using artwork_test::detail::u32;
    std::ifstream file(LUMORA_ICON_FILE, std::ios::binary);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GE(d.size(), 6u);
    EXPECT_EQ(u16(d, 0), 0);
    EXPECT_EQ(u16(d, 2), 1);  // an icon, not a cursor
    std::vector<int> sizes;
    for (size_t i = 0, entry = 6; i < u16(d, 4); ++i, entry += 16) {
        ASSERT_LE(entry + 16, d.size());
        const int size = d[entry] ? d[entry] : 256;
        SCOPED_TRACE(size);
        sizes.push_back(size);
        EXPECT_EQ(d[entry + 1], d[entry]);
        EXPECT_EQ(u16(d, entry + 4), 1);   // planes
        EXPECT_EQ(u16(d, entry + 6), 32);  // bits per pixel
        const size_t bytes = u32(d, entry + 8), at = u32(d, entry + 12);
        ASSERT_LE(at + bytes, d.size());
        if (size == 256) {
            EXPECT_EQ(std::memcmp(&d[at], "\x89PNG\r\n\x1a\n", 8), 0);
            continue;
        }
        EXPECT_EQ(u32(d, at), 40u);  // BITMAPINFOHEADER
        EXPECT_EQ(static_cast<int>(u32(d, at + 4)), size);
        EXPECT_EQ(static_cast<int>(u32(d, at + 8)), 2 * size);
        EXPECT_EQ(u16(d, at + 14), 32);
        EXPECT_EQ(u32(d, at + 16), 0u);  // uncompressed
        const size_t maskStride = (size + 31) / 32 * 4, colours = at + 40, mask = colours + size_t(size) * size * 4;
        ASSERT_EQ(bytes, 40 + size_t(size) * size * 4 + maskStride * size);
        // Rows are bottom-up: the top-left corner lies outside the monitor,
        // the centre on its screen, and the mask says so too.
        const auto alpha = [&](int x, int y) { return d[colours + (size_t(size - 1 - y) * size + x) * 4 + 3]; };
        const auto masked = [&](int x, int y) { return (d[mask + size_t(size - 1 - y) * maskStride + x / 8] >> (7 - x % 8)) & 1; };
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_EQ(masked(0, 0), 1);
        EXPECT_EQ(alpha(size / 2, size / 2), 255);
        EXPECT_EQ(masked(size / 2, size / 2), 0);
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
}

}  // namespace
