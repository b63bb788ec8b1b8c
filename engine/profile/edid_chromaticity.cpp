#include "engine/profile/edid_chromaticity.h"

namespace plx {

namespace {

// Byte positions within the chromaticity block.
constexpr std::size_t kLowBitsRedGreen = 0;
constexpr std::size_t kLowBitsBlueWhite = 1;
constexpr std::size_t kHighBits = 2;  // red x, red y, green x, ... white y

// Two low bits of coordinate k (0..3) of a low-bits byte, from bits 7-6 down.
unsigned LowBits(std::uint8_t byte, int k) { return (byte >> (6 - 2 * k)) & 3u; }

double Coordinate(const std::uint8_t* block, int k) {
    const std::uint8_t low = block[k < 4 ? kLowBitsRedGreen : kLowBitsBlueWhite];
    const unsigned n = block[kHighBits + k] * 4u + LowBits(low, k % 4);
    // n / 1024 to three decimals, halves rounded up.
    return static_cast<int>(n * 0.0009765625 * 1000.0 + 0.5) / 1000.0;
}

}  // namespace

int DecodeEdidChromaticity(const std::uint8_t* edid, std::size_t index, double& redX, double& redY, double& greenX,
                           double& greenY, double& blueX, double& blueY, double& whiteX, double& whiteY) {
    const std::uint8_t* block = edid + index;
    double* targets[8] = {&redX, &redY, &greenX, &greenY, &blueX, &blueY, &whiteX, &whiteY};
    for (int k = 0; k < 8; ++k) *targets[k] = Coordinate(block, k);
    return 1;
}

}  // namespace plx
