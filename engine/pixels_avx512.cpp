// 64 bytes at a time. A 256-entry table is four registers: vpermi2b looks up
// the low 7 bits of an index in a pair of them, and bit 7 picks the pair. Each
// look-up is masked to the bytes of its channel and half, and leaves every
// other byte as it was, so a fourth byte passes through as its own index and a
// byte not yet looked up still holds its index for the next look-up.
#include "engine/pixels_avx512.h"

#include <immintrin.h>

// Per function, not for the whole build: the rest of the engine runs on any
// processor. Helpers are always inlined, so no vector goes through the stack,
// which MinGW's x86-64 compiler cannot align beyond 16 bytes.
#define PLX_AVX512 __attribute__((target("avx512vbmi,avx512bw,avx512f")))
#define PLX_AVX512_INLINE PLX_AVX512 __attribute__((always_inline)) inline

namespace plx {

namespace {

// A table's 256 entries in four registers.
struct Quarters {
    __m512i q0, q1, q2, q3;
};

// The bytes of a block that belong to each channel.
struct ChannelMasks {
    __mmask64 blue, green, red;
};

// For the block starting at byte offset of the frame.
constexpr ChannelMasks MasksAt(std::size_t offset, std::size_t bytesPerPixel) {
    std::uint64_t masks[4] = {};
    for (std::size_t k = 0; k < 64; ++k) masks[(offset + k) % bytesPerPixel] |= std::uint64_t{1} << k;
    return {masks[0], masks[1], masks[2]};
}

PLX_AVX512_INLINE Quarters Load(const std::uint8_t (&table)[256]) {
    return {_mm512_loadu_si512(table), _mm512_loadu_si512(table + 64), _mm512_loadu_si512(table + 128),
            _mm512_loadu_si512(table + 192)};
}

PLX_AVX512_INLINE __m512i LookUp(__m512i bytes, __m512i index, __mmask64 channel, const Quarters& table) {
    const __m512i top = _mm512_set1_epi8(static_cast<char>(0x80));
    const __mmask64 low = _mm512_mask_testn_epi8_mask(channel, index, top);
    const __mmask64 high = _mm512_mask_test_epi8_mask(channel, index, top);
    bytes = _mm512_mask2_permutex2var_epi8(table.q0, bytes, low, table.q1);
    return _mm512_mask2_permutex2var_epi8(table.q2, bytes, high, table.q3);
}

PLX_AVX512_INLINE void Correct64(std::uint8_t* at, const ChannelMasks& masks, const Quarters& blue,
                                 const Quarters& green, const Quarters& red) {
    const __m512i index = _mm512_loadu_si512(at);
    __m512i bytes = LookUp(index, index, masks.blue, blue);
    bytes = LookUp(bytes, index, masks.green, green);
    bytes = LookUp(bytes, index, masks.red, red);
    _mm512_storeu_si512(at, bytes);
}

}  // namespace

PLX_AVX512 std::size_t CorrectAvx512VbmiBlocks(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                                               std::size_t bytesPerPixel) {
    const Quarters blue = Load(tables.blue), green = Load(tables.green), red = Load(tables.red);
    // 64 is a multiple of 4 but 1 more than a multiple of 3: the channels of
    // 3-byte pixels come round again every third register, so a block of them
    // is three registers.
    static constexpr ChannelMasks kMasks[2][3] = {{MasksAt(0, 3), MasksAt(64, 3), MasksAt(128, 3)},
                                                  {MasksAt(0, 4), MasksAt(64, 4), MasksAt(128, 4)}};
    const ChannelMasks(&masks)[3] = kMasks[bytesPerPixel == 4];
    const std::size_t registers = bytesPerPixel == 4 ? 1 : 3;
    std::size_t done = 0;
    for (; bytes - done >= 64 * registers; done += 64 * registers)
        for (std::size_t k = 0; k < registers; ++k) Correct64(pixels + done + 64 * k, masks[k], blue, green, red);
    return done;
}

}  // namespace plx
