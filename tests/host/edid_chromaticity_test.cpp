#include "engine/profile/edid_chromaticity.h"

#include <gtest/gtest.h>

namespace plx {
namespace {

struct Decoded {
    double v[8];
};

Decoded Decode(const std::uint8_t* edid, std::size_t index) {
    Decoded d{};
    EXPECT_EQ(DecodeEdidChromaticity(edid, index, d.v[0], d.v[1], d.v[2], d.v[3], d.v[4], d.v[5], d.v[6], d.v[7]),
              1);
    return d;
}

TEST(DecodeEdidChromaticity, SrgbLikeBlock) {
    const std::uint8_t block[10] = {0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54};
    Decoded d = Decode(block, 0);
    // red, green, blue, white; the white x is n = 320, exactly 312.5 thousandths, rounded up
    const double expected[8] = {0.640, 0.330, 0.300, 0.600, 0.150, 0.060, 0.313, 0.329};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(d.v[k], expected[k]) << k;
}

TEST(DecodeEdidChromaticity, ReadsFromTheGivenIndex) {
    std::uint8_t edid[128] = {};
    const std::uint8_t block[10] = {0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54};
    std::copy(block, block + 10, edid + 94);
    EXPECT_EQ(Decode(edid, 94).v[6], 0.313);
    EXPECT_EQ(Decode(edid, 25).v[0], 0.0);
}

TEST(DecodeEdidChromaticity, AllZeroBlockDecodesToZeros) {
    const std::uint8_t block[10] = {};
    Decoded d = Decode(block, 0);
    for (double v : d.v) EXPECT_EQ(v, 0.0);
}

TEST(DecodeEdidChromaticity, LargestCoordinate) {
    std::uint8_t block[10];
    std::fill(block, block + 10, 0xFF);
    for (double v : Decode(block, 0).v) EXPECT_EQ(v, 0.999);  // 1023 / 1024
}

}  // namespace
}  // namespace plx
