#include "engine/pixels_pairs.h"

#include <atomic>
#include <bit>
#include <cstring>

namespace plx {

namespace {

// Static rather than allocated per call: a fresh 128 KB would fault in its
// pages on every pass.
std::uint16_t gPairs[65536];
std::atomic_flag gPairsHeld;

// A pixel's blue and green bytes read as one 16-bit word are blue + 256 green.
static_assert(std::endian::native == std::endian::little);

// Entry blue + 256 green holds the corrected blue and green as such a word.
// Widened first, the blues make each row one vector OR.
void BuildPairs(const ChannelTables& tables, std::uint16_t* pairs) {
    std::uint16_t blues[256];
    for (int blue = 0; blue < 256; ++blue) blues[blue] = tables.blue[blue];
    std::uint16_t* row = pairs;
    for (int green = 0; green < 256; ++green, row += 256) {
        const auto high = static_cast<std::uint16_t>(tables.green[green] << 8);
        for (int blue = 0; blue < 256; ++blue) row[blue] = high | blues[blue];
    }
}

template <std::size_t kBytesPerPixel>
void CorrectEach(const std::uint16_t* pairs, const std::uint8_t (&red)[256], std::uint8_t* pixels, std::size_t bytes) {
    std::uint8_t* const end = pixels + bytes;
    for (std::uint8_t* pixel = pixels; pixel != end; pixel += kBytesPerPixel) {
        std::uint16_t blueGreen;
        std::memcpy(&blueGreen, pixel, 2);
        blueGreen = pairs[blueGreen];
        const std::uint8_t r = red[pixel[2]];
        std::memcpy(pixel, &blueGreen, 2);
        pixel[2] = r;
    }
}

}  // namespace

PairTableHold::PairTableHold() : table_(gPairsHeld.test_and_set(std::memory_order_acquire) ? nullptr : gPairs) {}

PairTableHold::~PairTableHold() {
    if (table_) gPairsHeld.clear(std::memory_order_release);
}

std::size_t CorrectPairs(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                         std::size_t bytesPerPixel) {
    const PairTableHold hold;
    if (!hold.table()) return 0;
    BuildPairs(tables, hold.table());
    if (bytesPerPixel == 4)
        CorrectEach<4>(hold.table(), tables.red, pixels, bytes);
    else
        CorrectEach<3>(hold.table(), tables.red, pixels, bytes);
    return bytes;
}

}  // namespace plx
