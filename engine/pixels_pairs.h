// Every two bytes of the pixels looked up as one, in tables of every byte
// pair: the pixel pass of processors without the wide registers, and the work
// that runs beside the AVX2 path's vector blocks, for large buffers.
#pragma once

#include <bit>
#include <cstring>

#include "engine/pixel_paths.h"

namespace plx {

// Entry first + 256 second holds the two bytes as corrected, read as one
// little-endian word.
using PairTable = std::uint16_t[65536];
static_assert(std::endian::native == std::endian::little);

// Read as two-byte words, pixels are blue-green and red-fourth pairs; a
// 3-byte pixel's red is looked up alone, as the pair of red and 0.
struct PairTables {
    PairTable blueGreen, redFourth;
};

void BuildPairTables(const ChannelTables& tables, PairTables& pairs);

// The look-ups below are compiled into the AVX2 path as well: always inlined,
// so that no vector there is kept across a call, and with internal linkage, so
// that the linker can never take that copy for a processor without AVX2.

// Four bytes, a look-up for each half.
[[gnu::always_inline]] static inline std::uint32_t LookUpPairs(const PairTable& first, const PairTable& second,
                                                               const std::uint8_t* at) {
    std::uint32_t word;
    std::memcpy(&word, at, 4);
    return first[word & 0xFFFF] | static_cast<std::uint32_t>(second[word >> 16]) << 16;
}

// Corrects the pixel at the given place, looking everything up before the
// stores: a 4-byte pixel in four loads and a store, where byte by byte it
// takes seven loads and four stores.
template <std::size_t kBytesPerPixel>
[[gnu::always_inline]] static inline void CorrectPairPixel(const PairTables& pairs, std::uint8_t* at) {
    if constexpr (kBytesPerPixel == 4) {
        const std::uint32_t pixel = LookUpPairs(pairs.blueGreen, pairs.redFourth, at);
        std::memcpy(at, &pixel, 4);
    } else {
        std::uint16_t blueGreen;
        std::memcpy(&blueGreen, at, 2);
        blueGreen = pairs.blueGreen[blueGreen];
        const auto red = static_cast<std::uint8_t>(pairs.redFourth[at[2]]);
        std::memcpy(at, &blueGreen, 2);
        at[2] = red;
    }
}

// The one set of pair tables, held by one pass at a time. The engine is
// called from one thread, but a second caller must never rebuild the tables
// under a pass that is reading them.
class PairTablesHold {
public:
    PairTablesHold();
    ~PairTablesHold();
    PairTablesHold(const PairTablesHold&) = delete;
    PairTablesHold& operator=(const PairTablesHold&) = delete;

    // Null while another pass holds the tables.
    PairTables* tables() const { return tables_; }

private:
    PairTables* tables_;
};

// Corrects the pixels and returns how many bytes it did: all of them, or none
// while another pass holds the tables.
std::size_t CorrectPairs(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                         std::size_t bytesPerPixel);

}  // namespace plx
