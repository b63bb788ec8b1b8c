#include "engine/pixels_pairs.h"

#include <atomic>

namespace plx {

namespace {

// Static rather than allocated per call: fresh tables would fault in their
// pages on every pass.
PairTables gPairs;
std::atomic_flag gPairsHeld;

struct Levels {
    std::uint8_t of[256];
};

constexpr Levels IdentityLevels() {
    Levels identity{};
    for (int i = 0; i < 256; ++i) identity.of[i] = static_cast<std::uint8_t>(i);
    return identity;
}

// A 4-byte pixel's fourth byte is kept as it is.
constexpr Levels kFourth = IdentityLevels();

// Widened first, the first bytes make each row one vector OR.
void BuildPairs(const std::uint8_t (&first)[256], const std::uint8_t (&second)[256], PairTable& pairs) {
    std::uint16_t firsts[256];
    for (int i = 0; i < 256; ++i) firsts[i] = first[i];
    std::uint16_t* row = pairs;
    for (int s = 0; s < 256; ++s, row += 256) {
        const auto high = static_cast<std::uint16_t>(second[s] << 8);
        for (int f = 0; f < 256; ++f) row[f] = high | firsts[f];
    }
}

template <std::size_t kBytesPerPixel>
std::size_t CorrectEach(const PairTables& pairs, std::uint8_t* pixels, std::size_t bytes) {
    for (std::size_t done = 0; done != bytes; done += kBytesPerPixel)
        CorrectPairPixel<kBytesPerPixel>(pairs, pixels + done);
    return bytes;
}

}  // namespace

void BuildPairTables(const ChannelTables& tables, PairTables& pairs) {
    BuildPairs(tables.blue, tables.green, pairs.blueGreen);
    BuildPairs(tables.red, kFourth.of, pairs.redFourth);
}

PairTablesHold::PairTablesHold() : tables_(gPairsHeld.test_and_set(std::memory_order_acquire) ? nullptr : &gPairs) {}

PairTablesHold::~PairTablesHold() {
    if (tables_) gPairsHeld.clear(std::memory_order_release);
}

std::size_t CorrectPairs(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                         std::size_t bytesPerPixel) {
    const PairTablesHold hold;
    if (!hold.tables()) return 0;
    BuildPairTables(tables, *hold.tables());
    return bytesPerPixel == 4 ? CorrectEach<4>(*hold.tables(), pixels, bytes)
                              : CorrectEach<3>(*hold.tables(), pixels, bytes);
}

}  // namespace plx
