#include "engine/pixels.h"

#include <cpuid.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/gamma.h"
#include "engine/pixel_paths.h"
#include "engine/pixels_pairs.h"
#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::TestEngine;

// Corrects one 24-bit pixel per level with the display at the given red gamma.
std::vector<std::uint8_t> RedTable(std::uint32_t gamma) {
    TestEngine t;
    PLXRequest display{};
    display.redGamma = gamma, display.greenGamma = 220, display.blueGamma = 220;
    buildRamp(display);
    std::copy(std::begin(display.gammaRamp), std::end(display.gammaRamp), t.os.display.ramp.begin());

    std::vector<std::uint8_t> pixels(256 * 3);
    for (int i = 0; i < 256; ++i) pixels[i * 3 + 2] = static_cast<std::uint8_t>(i);
    PLXRequest request{};
    request.pixels = pixels.data();
    request.pixelBytes = static_cast<std::uint32_t>(pixels.size());
    request.bitsPerPixel = 24;
    EXPECT_EQ(CorrectPixels(t.engine, request), ResultPixelsCorrected);
    EXPECT_EQ(request.redGamma, gamma);  // estimated from the display
    std::vector<std::uint8_t> table(256);
    for (int i = 0; i < 256; ++i) table[i] = pixels[i * 3 + 2];
    return table;
}

TEST(CorrectPixels, TablesOfEachGamma) {
    const int levels[] = {0, 1, 64, 128, 192, 254, 255};
    struct Case {
        std::uint32_t gamma;
        std::uint8_t values[7];
    } cases[] = {
        // gamma, table at levels 0, 1, 64, 128, 192, 254, 255
        {140, {0, 1, 89, 169, 227, 255, 255}},
        {180, {0, 1, 73, 146, 208, 254, 255}},
        {260, {0, 1, 59, 115, 177, 254, 255}},
        {310, {0, 1, 55, 102, 161, 253, 255}},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> table = RedTable(c.gamma);
        for (int k = 0; k < 7; ++k) EXPECT_EQ(table[levels[k]], c.values[k]) << c.gamma << " level " << levels[k];
    }
}

TEST(CorrectPixels, TablesAreMonotonicAndKeepTheEnds) {
    for (std::uint32_t g = kMinGamma; g <= kMaxGamma; g += 10) {
        std::vector<std::uint8_t> table = RedTable(g);
        EXPECT_EQ(table[0], 0);
        EXPECT_EQ(table[255], 255);
        for (int i = 1; i < 256; ++i) EXPECT_LE(table[i - 1], table[i]) << g;
    }
}

TEST(CorrectPixels, IdentityRampLeavesPixelsUnchanged) {
    TestEngine t;
    std::vector<std::uint8_t> pixels(1024);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7);
    const auto original = pixels;
    PLXRequest request{};
    request.pixels = pixels.data();
    request.pixelBytes = 1024;
    request.bitsPerPixel = 32;
    EXPECT_EQ(CorrectPixels(t.engine, request), ResultPixelsCorrected);
    EXPECT_EQ(pixels, original);
}

TEST(CorrectPixels, ThirtyTwoBitPixelsKeepTheirFourthByte) {
    TestEngine t;
    PLXRequest display{};
    display.redGamma = display.greenGamma = display.blueGamma = 140;
    buildRamp(display);
    std::copy(std::begin(display.gammaRamp), std::end(display.gammaRamp), t.os.display.ramp.begin());

    std::uint8_t pixels[8 + 4] = {64, 128, 192, 64, 128, 192, 64, 128, 0xEE, 0xEE, 0xEE, 0xEE};
    PLXRequest request{};
    request.pixels = pixels;
    request.pixelBytes = 8;
    request.bitsPerPixel = 32;
    EXPECT_EQ(CorrectPixels(t.engine, request), ResultPixelsCorrected);
    const std::uint8_t expected[12] = {89, 169, 227, 64, 169, 227, 89, 128, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(std::vector<std::uint8_t>(pixels, pixels + 12), std::vector<std::uint8_t>(expected, expected + 12));
}

TEST(CorrectPixels, PartialPixelIsRefusedUntouched) {
    TestEngine t;
    t.os.display.ramp[128] = 0;  // gamma 1.40 on red: would change pixels
    std::uint8_t pixels[10] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    PLXRequest request{};
    request.pixels = pixels;
    request.pixelBytes = 10;
    request.bitsPerPixel = 24;
    EXPECT_EQ(CorrectPixels(t.engine, request), ResultBadPixelBytes);
    const std::uint8_t original[10] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    EXPECT_EQ(0, std::memcmp(pixels, original, 10));
}

TEST(CorrectPixels, UnreadableDisplayUsesTheCallersGammas) {
    TestEngine t;
    t.os.calls.failing.insert("GetDeviceGammaRamp");
    std::uint8_t pixel[3] = {0, 0, 128};
    PLXRequest request{};
    request.redGamma = 140, request.greenGamma = 220, request.blueGamma = 220;
    request.pixels = pixel;
    request.pixelBytes = 3;
    request.bitsPerPixel = 24;
    EXPECT_EQ(CorrectPixels(t.engine, request), ResultPixelsCorrected);
    EXPECT_EQ(pixel[2], 169);
}

// Every level in every channel: pixel i holds i, 255 - i, 7i and, as its
// fourth byte, i ^ 0x5A.
std::vector<std::uint8_t> AllLevels(std::size_t bytesPerPixel) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t pixel[4] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                       static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i ^ 0x5A)};
        pixels.insert(pixels.end(), pixel, pixel + bytesPerPixel);
    }
    return pixels;
}

// The first bytes of the pixels, placed at start in a buffer: each byte takes
// its channel's table, and no other byte moves.
void ExpectCorrected(PixelPath path, const ChannelTables& tables, const std::vector<std::uint8_t>& pixels,
                     std::size_t bytes, std::size_t bytesPerPixel, std::size_t start) {
    const std::uint8_t* const byChannel[3] = {tables.blue, tables.green, tables.red};
    std::vector<std::uint8_t> buffer(start + pixels.size() + 64, 0xC3);
    std::copy(pixels.begin(), pixels.end(), buffer.begin() + start);
    auto expected = buffer;
    for (std::size_t k = 0; k < bytes; ++k)
        if (k % bytesPerPixel < 3) expected[start + k] = byChannel[k % bytesPerPixel][pixels[k]];
    CorrectWithPath(path, tables, buffer.data() + start, bytes, bytesPerPixel);
    ASSERT_EQ(buffer, expected) << bytesPerPixel << "-byte pixels, " << bytes << " bytes from " << start;
}

// Every length from none to 256 pixels, from three starts.
void ExpectTablesApplied(PixelPath path, const ChannelTables& tables) {
    for (std::size_t bytesPerPixel : {3, 4}) {
        const std::vector<std::uint8_t> levels = AllLevels(bytesPerPixel);
        for (std::size_t start : {0, 1, 13})
            for (std::size_t bytes = 0; bytes <= levels.size(); bytes += bytesPerPixel)
                ASSERT_NO_FATAL_FAILURE(ExpectCorrected(path, tables, levels, bytes, bytesPerPixel, start));
    }
}

class CorrectWithPathTest : public testing::TestWithParam<PixelPath> {
protected:
    void SetUp() override {
        if (!PathSupported(GetParam())) GTEST_SKIP() << "not supported on this machine";
    }
};

TEST_P(CorrectWithPathTest, EveryLevelOfTheFourGammas) {
    const std::uint32_t gammas[] = {140, 180, 260, 310};
    for (int g = 0; g < 4; ++g) {
        ChannelTables tables{};
        std::uint8_t* const byChannel[3] = {tables.blue, tables.green, tables.red};
        for (int c = 0; c < 3; ++c) {
            const auto table = RedTable(gammas[(g + c) % 4]);
            std::copy(table.begin(), table.end(), byChannel[c]);
        }
        SCOPED_TRACE(gammas[g]);
        ExpectTablesApplied(GetParam(), tables);
    }
}

// Permutations: a look-up of any other entry gives another value, where the
// flat stretches of the gamma tables would hide it.
ChannelTables ScrambledTables() {
    ChannelTables tables{};
    for (int i = 0; i < 256; ++i) {
        tables.blue[i] = static_cast<std::uint8_t>(i * 167 + 13);
        tables.green[i] = static_cast<std::uint8_t>(i * 59 + 101);
        tables.red[i] = static_cast<std::uint8_t>(255 - i * 3);
    }
    return tables;
}

TEST_P(CorrectWithPathTest, EveryLevelOfScrambledTables) { ExpectTablesApplied(GetParam(), ScrambledTables()); }

// Every byte pair in every place a pair path looks two bytes up as one: each
// 12 bytes (three 4-byte pixels, four 3-byte pixels) repeat one pair.
TEST_P(CorrectWithPathTest, EveryBytePairInEveryPlace) {
    std::vector<std::uint8_t> pixels;
    for (int pair = 0; pair < 65536; ++pair)
        for (int k = 0; k < 6; ++k)
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(pair), static_cast<std::uint8_t>(pair >> 8)});
    for (std::size_t bytesPerPixel : {3, 4})
        ExpectCorrected(GetParam(), ScrambledTables(), pixels, pixels.size(), bytesPerPixel, 1);
}

// As if from another thread: a pass that finds the pair tables held leaves
// them alone and corrects the pixels all the same; once let go, they are
// taken again.
TEST(PairTables, PassesLeaveThemAloneWhileHeldAndTakeThemOnceLetGo) {
    {
        const PairTablesHold held;
        ASSERT_NE(held.tables(), nullptr);
        std::fill_n(held.tables()->blueGreen, 65536, 0xA5A5);
        for (PixelPath path : {PixelPath::Pairs, PixelPath::Avx2Pairs})
            if (PathSupported(path)) ExpectTablesApplied(path, ScrambledTables());
        EXPECT_EQ(std::count(held.tables()->blueGreen, held.tables()->blueGreen + 65536, 0xA5A5), 65536);
        EXPECT_EQ(PairTablesHold().tables(), nullptr);
    }
    EXPECT_NE(PairTablesHold().tables(), nullptr);
}

std::string PathName(const testing::TestParamInfo<PixelPath>& info) {
    const char* const names[] = {"Scalar", "Pairs", "Avx2", "Avx2Pairs", "Avx512Vbmi"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Paths, CorrectWithPathTest, testing::ValuesIn(kPixelPaths), PathName);

TEST(PixelPathChoice, TakesTheFastestPathTheProcessorHasAndTheSystemSaves) {
    constexpr std::uint32_t kAvx = bit_OSXSAVE | bit_AVX;
    constexpr std::uint32_t kAvx512 = bit_AVX2 | bit_AVX512F | bit_AVX512BW;
    // XCR0: x87, SSE, AVX (YMM); opmask and ZMM as well.
    constexpr std::uint64_t kYmm = 0x7, kZmm = 0xE7;
    // Just below and at the size the pair tables are taken from, and a 4K frame.
    constexpr std::size_t kSizes[] = {kPairsFrom - 1, kPairsFrom, 3840 * 2160 * 4};
    using enum PixelPath;
    struct Case {
        const char* name;
        ProcessorFeatures features;
        PixelPath best[std::size(kSizes)];
    } cases[] = {
        // name, {highest leaf, CPUID 1 ECX, CPUID 7 EBX, CPUID 7 ECX, XCR0}, best path for each size
        {"no CPUID", {}, {Scalar, Pairs, Pairs}},
        {"AVX2", {7, kAvx, bit_AVX2, 0, kYmm}, {Avx2, Avx2Pairs, Avx2Pairs}},
        {"AVX-512 VBMI", {13, kAvx, kAvx512, bit_AVX512VBMI, kZmm}, {Avx512Vbmi, Avx512Vbmi, Avx512Vbmi}},
        {"AVX-512 not saved by the system", {13, kAvx, kAvx512, bit_AVX512VBMI, kYmm}, {Avx2, Avx2Pairs, Avx2Pairs}},
        {"AVX-512 opmask saved, ZMM not",
         {13, kAvx, kAvx512, bit_AVX512VBMI, kYmm | 0x20},
         {Avx2, Avx2Pairs, Avx2Pairs}},
        {"AVX-512 without VBMI", {13, kAvx, kAvx512, 0, kZmm}, {Avx2, Avx2Pairs, Avx2Pairs}},
        {"AVX without OSXSAVE", {13, bit_AVX, kAvx512, bit_AVX512VBMI, 0}, {Scalar, Pairs, Pairs}},
        {"AVX2 without AVX", {7, bit_OSXSAVE, bit_AVX2, 0, kYmm}, {Scalar, Pairs, Pairs}},
        // Above the highest leaf CPUID answers with another leaf's bits.
        {"no leaf 7", {6, kAvx, ~0u, ~0u, kZmm}, {Scalar, Pairs, Pairs}},
    };
    for (const Case& c : cases) {
        for (std::size_t size = 0; size < std::size(kSizes); ++size)
            EXPECT_EQ(BestPathFor(c.features, kSizes[size]), c.best[size])
                << c.name << ", " << kSizes[size] << " bytes";
        for (PixelPath path : {Scalar, Pairs}) EXPECT_TRUE(PathSupportedBy(path, c.features)) << c.name;
    }
}

}  // namespace
}  // namespace plx
