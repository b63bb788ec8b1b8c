#include "engine/pixel_paths.h"

#include <cpuid.h>

#include "engine/pixels_avx2.h"
#include "engine/pixels_avx512.h"
#include "engine/pixels_pairs.h"

namespace plx {

namespace {

// Register state the system saves (XCR0 bits): SSE and AVX for the YMM
// registers; opmask and both parts of the upper ZMM registers as well for
// AVX-512. A processor's instructions without the system saving their
// registers corrupt other programs' state or fault.
constexpr std::uint64_t kYmmState = 0x6;
constexpr std::uint64_t kZmmState = kYmmState | 0xE0;

// What each path needs, and the smallest buffer it is worth taking for,
// fastest first.
struct Requirements {
    PixelPath path;
    std::uint32_t highestLeaf, leaf1Ecx, leaf7Ebx, leaf7Ecx;
    std::uint64_t savedStates;
    std::size_t fromBytes;
};
// The CPUID bits of AVX with its registers enabled, and of AVX-512's basics.
constexpr std::uint32_t kAvx = bit_OSXSAVE | bit_AVX;
constexpr std::uint32_t kAvx512 = bit_AVX2 | bit_AVX512F | bit_AVX512BW;
constexpr Requirements kRequirements[] = {
    // path, highest CPUID leaf, CPUID 1 ECX, CPUID 7 EBX, CPUID 7 ECX, XCR0, from bytes
    {PixelPath::Avx512Vbmi, 7, kAvx, kAvx512, bit_AVX512VBMI, kZmmState, 0},
    {PixelPath::Avx2Pairs, 7, kAvx, bit_AVX2, 0, kYmmState, kPairsFrom},
    {PixelPath::Avx2, 7, kAvx, bit_AVX2, 0, kYmmState, 0},
    {PixelPath::Pairs, 0, 0, 0, 0, 0, kPairsFrom},
    {PixelPath::Scalar, 0, 0, 0, 0, 0, 0},
};

bool HasAll(std::uint64_t value, std::uint64_t bits) { return (value & bits) == bits; }

bool Meets(const ProcessorFeatures& f, const Requirements& r) {
    return f.highestLeaf >= r.highestLeaf && HasAll(f.leaf1Ecx, r.leaf1Ecx) && HasAll(f.leaf7Ebx, r.leaf7Ebx) &&
           HasAll(f.leaf7Ecx, r.leaf7Ecx) && HasAll(f.savedStates, r.savedStates);
}

const ProcessorFeatures& ThisMachine() {
    static const ProcessorFeatures features = ReadProcessorFeatures();
    return features;
}

// The reference every other path is held to, and the path of processors
// without the wide registers. All three look-ups come before the stores: a
// store could otherwise be taken to change the next table, which keeps the
// compiler from joining the stores.
void CorrectScalar(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes, std::size_t bytesPerPixel) {
    std::uint8_t* pixel = pixels;
    std::uint8_t* const end = pixels + bytes;
    for (; pixel != end; pixel += bytesPerPixel) {
        const std::uint8_t blue = tables.blue[pixel[0]], green = tables.green[pixel[1]], red = tables.red[pixel[2]];
        pixel[0] = blue;
        pixel[1] = green;
        pixel[2] = red;
    }
}

}  // namespace

bool PathSupportedBy(PixelPath path, const ProcessorFeatures& features) {
    for (const Requirements& r : kRequirements)
        if (r.path == path) return Meets(features, r);
    return false;
}

PixelPath BestPathFor(const ProcessorFeatures& features, std::size_t bytes) {
    for (const Requirements& r : kRequirements)
        if (Meets(features, r) && bytes >= r.fromBytes) return r.path;
    return PixelPath::Scalar;
}

bool PathSupported(PixelPath path) { return PathSupportedBy(path, ThisMachine()); }

PixelPath BestPixelPath(std::size_t bytes) { return BestPathFor(ThisMachine(), bytes); }

// The other paths correct whole pixels from the start: the vector paths whole
// blocks, the pairs whole groups or, while another pass holds their tables,
// none. The scalar loop finishes what is left.
void CorrectWithPath(PixelPath path, const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                     std::size_t bytesPerPixel) {
    std::size_t done = 0;
    switch (path) {
    case PixelPath::Scalar: break;
    case PixelPath::Pairs: done = CorrectPairs(tables, pixels, bytes, bytesPerPixel); break;
    case PixelPath::Avx2: done = CorrectAvx2Blocks(tables, pixels, bytes, bytesPerPixel); break;
    case PixelPath::Avx2Pairs: done = CorrectAvx2PairBlocks(tables, pixels, bytes, bytesPerPixel); break;
    case PixelPath::Avx512Vbmi: done = CorrectAvx512VbmiBlocks(tables, pixels, bytes, bytesPerPixel); break;
    }
    CorrectScalar(tables, pixels + done, bytes - done, bytesPerPixel);
}

}  // namespace plx
