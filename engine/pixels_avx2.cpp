// Without byte permutes over several registers, a 256-entry table is sixteen
// 16-entry rows for pshufb, one per high nibble. A row serves one channel's
// table, so the pixels' bytes are first rearranged into one register per
// channel, and back after the look-ups. The shuffles and blends keep two
// vector ports busy and leave the integer and load ports nearly idle: on large
// buffers, the same loop has those correct pixels by pair look-ups after each
// block.
#include "engine/pixels_avx2.h"

#include <immintrin.h>

#include "engine/pixels_pairs.h"

// Per function, not for the whole build; helpers are always inlined, so no
// vector goes through the stack, which MinGW's x86-64 compiler cannot align
// beyond 16 bytes.
#define PLX_AVX2 __attribute__((target("avx2")))
#define PLX_AVX2_INLINE PLX_AVX2 __attribute__((always_inline)) inline

namespace plx {

namespace {

PLX_AVX2_INLINE __m256i Row(const std::uint8_t (&table)[256], std::size_t h) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 16 * h)));
}

// Every row is looked up by the low nibble, then the high nibble picks one of
// the sixteen results a bit at a time. pshufb gives 0 where bit 7 is set, so
// bit 7 costs an OR: row h answers the lower half, row h + 8 the upper half
// through the index with bit 7 flipped. Bits 6 to 4 are blends on each bit
// moved up to bit 7, where blendv reads it.
PLX_AVX2_INLINE __m256i LookUp(__m256i index, const std::uint8_t (&table)[256]) {
    const __m256i upper = _mm256_xor_si256(index, _mm256_set1_epi8(static_cast<char>(0x80)));
    __m256i rows[8];
#pragma GCC unroll 8
    for (int h = 0; h < 8; ++h)
        rows[h] =
            _mm256_or_si256(_mm256_shuffle_epi8(Row(table, h), index), _mm256_shuffle_epi8(Row(table, h + 8), upper));
    __m256i bit = index;
#pragma GCC unroll 3
    for (int half = 4; half >= 1; half /= 2) {
        bit = _mm256_add_epi8(bit, bit);
#pragma GCC unroll 4
        for (int h = 0; h < half; ++h) rows[h] = _mm256_blendv_epi8(rows[h], rows[h + half], bit);
    }
    return rows[0];
}

struct Block {
    __m256i v0, v1, v2, v3;
};

// Per 16-byte lane, the four 4-byte groups of four registers swap places: group
// c of register k goes to group k of register c. Its own inverse.
PLX_AVX2_INLINE Block Transpose(const Block& b) {
    const __m256i t0 = _mm256_unpacklo_epi32(b.v0, b.v1), t1 = _mm256_unpackhi_epi32(b.v0, b.v1);
    const __m256i t2 = _mm256_unpacklo_epi32(b.v2, b.v3), t3 = _mm256_unpackhi_epi32(b.v2, b.v3);
    return {_mm256_unpacklo_epi64(t0, t2), _mm256_unpackhi_epi64(t0, t2), _mm256_unpacklo_epi64(t1, t3),
            _mm256_unpackhi_epi64(t1, t3)};
}

// Takes a block whose lanes each hold the blue, green, red and fourth bytes of
// four pixels as groups 0 to 3.
PLX_AVX2_INLINE Block LookUpGrouped(const Block& grouped, const ChannelTables& tables) {
    const Block channels = Transpose(grouped);
    return Transpose({LookUp(channels.v0, tables.blue), LookUp(channels.v1, tables.green),
                      LookUp(channels.v2, tables.red), channels.v3});
}

PLX_AVX2_INLINE Block Shuffle(const Block& b, __m256i order) {
    return {_mm256_shuffle_epi8(b.v0, order), _mm256_shuffle_epi8(b.v1, order), _mm256_shuffle_epi8(b.v2, order),
            _mm256_shuffle_epi8(b.v3, order)};
}

PLX_AVX2_INLINE __m256i Lanes(const std::uint8_t (&order)[16]) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(order)));
}

// The pixels looked up in pairs after each block, where there are pair
// tables: as many as the load ports take in the time of a block, beside the
// block's own loads (gamma_bench). A 4-byte pixel takes four loads and stores
// of the pixel and its pairs, a 3-byte pixel six.
template <std::size_t kBytesPerPixel>
constexpr std::size_t kPairPixelsPerBlock = kBytesPerPixel == 4 ? 12 : 8;

template <std::size_t kBytesPerPixel>
PLX_AVX2_INLINE void CorrectPairPixels(const PairTables& pairs, std::uint8_t* at) {
#pragma GCC unroll 16
    for (std::size_t p = 0; p < kPairPixelsPerBlock<kBytesPerPixel>; ++p)
        CorrectPairPixel<kBytesPerPixel>(pairs, at + kBytesPerPixel * p);
}

// A block's bytes, and with pair tables those of the pixels after it.
template <std::size_t kBytesPerPixel, bool kWithPairs>
constexpr std::size_t StepBytes(std::size_t blockBytes) {
    return blockBytes + (kWithPairs ? kBytesPerPixel * kPairPixelsPerBlock<kBytesPerPixel> : 0);
}

// 4-byte pixels, 128 bytes at a time: four pixels per lane, grouped by a 4x4
// byte transpose, which is its own inverse.
template <bool kWithPairs>
PLX_AVX2_INLINE std::size_t Correct32(const ChannelTables& tables, const PairTables* pairs, std::uint8_t* pixels,
                                      std::size_t bytes) {
    constexpr std::uint8_t kGroup[16] = {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};
    const __m256i group = Lanes(kGroup);
    constexpr std::size_t kStep = StepBytes<4, kWithPairs>(128);
    std::size_t done = 0;
    for (; bytes - done >= kStep; done += kStep) {
        if constexpr (kWithPairs) CorrectPairPixels<4>(*pairs, pixels + done + 128);
        auto* at = reinterpret_cast<__m256i*>(pixels + done);
        const Block loaded = {_mm256_loadu_si256(at), _mm256_loadu_si256(at + 1), _mm256_loadu_si256(at + 2),
                              _mm256_loadu_si256(at + 3)};
        const Block b = Shuffle(LookUpGrouped(Shuffle(loaded, group), tables), group);
        _mm256_storeu_si256(at, b.v0);
        _mm256_storeu_si256(at + 1, b.v1);
        _mm256_storeu_si256(at + 2, b.v2);
        _mm256_storeu_si256(at + 3, b.v3);
    }
    return done;
}

// The bytes of a register at one position modulo 3.
struct Phase {
    std::uint8_t bytes[32];
};

constexpr Phase PhaseOf(int phase) {
    Phase mask{};
    for (int q = 0; q < 32; ++q) mask.bytes[q] = q % 3 == phase ? 0xFF : 0;
    return mask;
}

struct Phases {
    __m256i one, two;
};

PLX_AVX2_INLINE Phases PhasesOf() {
    static constexpr Phase kOne = PhaseOf(1), kTwo = PhaseOf(2);
    return {_mm256_loadu_si256(reinterpret_cast<const __m256i*>(kOne.bytes)),
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kTwo.bytes))};
}

// The bytes at position 0, 1 and 2 modulo 3 from a, b and c.
PLX_AVX2_INLINE __m256i Merge(const Phases& phases, __m256i a, __m256i b, __m256i c) {
    return _mm256_blendv_epi8(_mm256_blendv_epi8(a, b, phases.one), c, phases.two);
}

// 3-byte pixels, 96 bytes at a time. 32 is 2 more than a multiple of 3, so at
// any position the three registers hold three different channels: byte q of
// register k is channel (q + 2k) % 3. Merging by position gives a register per
// channel, in no particular pixel order, which the look-ups do not need.
template <bool kWithPairs>
PLX_AVX2_INLINE std::size_t Correct24(const ChannelTables& tables, const PairTables* pairs, std::uint8_t* pixels,
                                      std::size_t bytes) {
    const Phases phases = PhasesOf();
    constexpr std::size_t kStep = StepBytes<3, kWithPairs>(96);
    std::size_t done = 0;
    for (; bytes - done >= kStep; done += kStep) {
        if constexpr (kWithPairs) CorrectPairPixels<3>(*pairs, pixels + done + 96);
        auto* at = reinterpret_cast<__m256i*>(pixels + done);
        const __m256i v0 = _mm256_loadu_si256(at), v1 = _mm256_loadu_si256(at + 1), v2 = _mm256_loadu_si256(at + 2);
        const __m256i blue = LookUp(Merge(phases, v0, v1, v2), tables.blue);
        const __m256i green = LookUp(Merge(phases, v2, v0, v1), tables.green);
        const __m256i red = LookUp(Merge(phases, v1, v2, v0), tables.red);
        _mm256_storeu_si256(at, Merge(phases, blue, green, red));
        _mm256_storeu_si256(at + 1, Merge(phases, red, blue, green));
        _mm256_storeu_si256(at + 2, Merge(phases, green, red, blue));
    }
    return done;
}

template <bool kWithPairs>
PLX_AVX2_INLINE std::size_t CorrectBlocks(const ChannelTables& tables, const PairTables* pairs, std::uint8_t* pixels,
                                          std::size_t bytes, std::size_t bytesPerPixel) {
    return bytesPerPixel == 4 ? Correct32<kWithPairs>(tables, pairs, pixels, bytes)
                              : Correct24<kWithPairs>(tables, pairs, pixels, bytes);
}

}  // namespace

PLX_AVX2 std::size_t CorrectAvx2Blocks(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                                       std::size_t bytesPerPixel) {
    return CorrectBlocks<false>(tables, nullptr, pixels, bytes, bytesPerPixel);
}

// Without the tables, while another pass holds them, the blocks alone.
PLX_AVX2 std::size_t CorrectAvx2PairBlocks(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                                           std::size_t bytesPerPixel) {
    const PairTablesHold hold;
    if (!hold.tables()) return CorrectBlocks<false>(tables, nullptr, pixels, bytes, bytesPerPixel);
    BuildPairTables(tables, *hold.tables());
    return CorrectBlocks<true>(tables, hold.tables(), pixels, bytes, bytesPerPixel);
}

}  // namespace plx
