// Without byte permutes over several registers, a 256-entry table is sixteen
// 16-entry rows for pshufb, one per high nibble. A row serves one channel's
// table, so pixels are first transposed: four registers of interleaved
// pixels become one register per channel, and back after the look-ups.
#include "engine/pixels_avx2.h"

#include <immintrin.h>

// Per function, not for the whole build; helpers are always inlined, so no
// vector goes through the stack, which MinGW's x86-64 compiler cannot align
// beyond 16 bytes.
#define PLX_AVX2 __attribute__((target("avx2")))
#define PLX_AVX2_INLINE PLX_AVX2 __attribute__((always_inline)) inline

namespace plx {

namespace {

// Rows that telescope: row h is table row h XOR row h + 1, except rows 7 and
// 15, which are the table's own. A byte with high nibble H takes rows H to 7
// (or H to 15 for the upper half), and their XOR is row H.
struct Steps {
    std::uint8_t rows[16][16];
};

Steps StepsOf(const std::uint8_t (&table)[256]) {
    Steps steps{};
    for (int i = 0; i < 256; ++i) steps.rows[i / 16][i % 16] = i / 16 % 8 == 7 ? table[i] : table[i] ^ table[i + 16];
    return steps;
}

PLX_AVX2_INLINE __m256i Row(const Steps& steps, int h) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(steps.rows[h])));
}

// pshufb reads a byte's low nibble, or gives 0 when its bit 7 is set. Adding
// 0x70 - 16h with saturation sets bit 7 exactly for high nibbles above h; the
// upper half works on the byte with bit 7 flipped, so each half sees only its
// own bytes.
PLX_AVX2_INLINE __m256i LookUp(__m256i index, const Steps& steps) {
    const __m256i upper = _mm256_xor_si256(index, _mm256_set1_epi8(static_cast<char>(0x80)));
    __m256i value = _mm256_setzero_si256();
#pragma GCC unroll 8
    for (int h = 0; h < 8; ++h) {
        const __m256i lift = _mm256_set1_epi8(static_cast<char>(0x70 - 16 * h));
        value = _mm256_xor_si256(value, _mm256_shuffle_epi8(Row(steps, h), _mm256_adds_epu8(index, lift)));
        value = _mm256_xor_si256(value, _mm256_shuffle_epi8(Row(steps, h + 8), _mm256_adds_epu8(upper, lift)));
    }
    return value;
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
PLX_AVX2_INLINE Block LookUpGrouped(const Block& grouped, const Steps& blue, const Steps& green, const Steps& red) {
    const Block channels = Transpose(grouped);
    return Transpose({LookUp(channels.v0, blue), LookUp(channels.v1, green), LookUp(channels.v2, red), channels.v3});
}

PLX_AVX2_INLINE Block Shuffle(const Block& b, __m256i order) {
    return {_mm256_shuffle_epi8(b.v0, order), _mm256_shuffle_epi8(b.v1, order), _mm256_shuffle_epi8(b.v2, order),
            _mm256_shuffle_epi8(b.v3, order)};
}

PLX_AVX2_INLINE __m256i LoadLanes(const std::uint8_t* low, const std::uint8_t* high) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
}

PLX_AVX2_INLINE void StoreLanes(std::uint8_t* low, std::uint8_t* high, __m256i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(low), _mm256_castsi256_si128(v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(high), _mm256_extracti128_si256(v, 1));
}

PLX_AVX2_INLINE __m256i Lanes(const std::uint8_t (&order)[16]) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(order)));
}

// 4-byte pixels, 128 bytes at a time: four pixels per lane, grouped by a 4x4
// byte transpose, which is its own inverse.
PLX_AVX2_INLINE std::size_t Correct32(const Steps& blue, const Steps& green, const Steps& red, std::uint8_t* pixels,
                                      std::size_t bytes) {
    constexpr std::uint8_t kGroup[16] = {0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};
    const __m256i group = Lanes(kGroup);
    std::size_t done = 0;
    for (; bytes - done >= 128; done += 128) {
        auto* at = reinterpret_cast<__m256i*>(pixels + done);
        const Block loaded = {_mm256_loadu_si256(at), _mm256_loadu_si256(at + 1), _mm256_loadu_si256(at + 2),
                              _mm256_loadu_si256(at + 3)};
        const Block b = Shuffle(LookUpGrouped(Shuffle(loaded, group), blue, green, red), group);
        _mm256_storeu_si256(at, b.v0);
        _mm256_storeu_si256(at + 1, b.v1);
        _mm256_storeu_si256(at + 2, b.v2);
        _mm256_storeu_si256(at + 3, b.v3);
    }
    return done;
}

// The last four pixels of a 3-byte block without the four bytes after them:
// a store over those would stall the next block's first load.
PLX_AVX2_INLINE void StoreLastLanes(std::uint8_t* low, std::uint8_t* high, __m256i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(low), _mm256_castsi256_si128(v));
    const __m128i last = _mm256_extracti128_si256(v, 1);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(high), last);
    _mm_storeu_si32(high + 8, _mm_srli_si128(last, 8));
}

// 3-byte pixels, 96 bytes at a time: each lane loads four pixels and the four
// bytes after them, which pass through as the fourth group. Lanes are stored
// in address order, so those bytes are overwritten by the next lane.
PLX_AVX2_INLINE std::size_t Correct24(const Steps& blue, const Steps& green, const Steps& red, std::uint8_t* pixels,
                                      std::size_t bytes) {
    constexpr std::uint8_t kGroup[16] = {0, 3, 6, 9, 1, 4, 7, 10, 2, 5, 8, 11, 12, 13, 14, 15};
    constexpr std::uint8_t kUngroup[16] = {0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, 12, 13, 14, 15};
    const __m256i group = Lanes(kGroup), ungroup = Lanes(kUngroup);
    std::size_t done = 0;
    for (; bytes - done >= 96 + 4; done += 96) {
        std::uint8_t* const at = pixels + done;
        const Block loaded = {LoadLanes(at, at + 12), LoadLanes(at + 24, at + 36), LoadLanes(at + 48, at + 60),
                              LoadLanes(at + 72, at + 84)};
        const Block b = Shuffle(LookUpGrouped(Shuffle(loaded, group), blue, green, red), ungroup);
        StoreLanes(at, at + 12, b.v0);
        StoreLanes(at + 24, at + 36, b.v1);
        StoreLanes(at + 48, at + 60, b.v2);
        StoreLastLanes(at + 72, at + 84, b.v3);
    }
    return done;
}

}  // namespace

PLX_AVX2 std::size_t CorrectAvx2Blocks(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                                       std::size_t bytesPerPixel) {
    const Steps blue = StepsOf(tables.blue), green = StepsOf(tables.green), red = StepsOf(tables.red);
    return bytesPerPixel == 4 ? Correct32(blue, green, red, pixels, bytes) : Correct24(blue, green, red, pixels, bytes);
}

}  // namespace plx
