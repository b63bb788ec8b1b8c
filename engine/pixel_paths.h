// The ways the pixel pass can run. Every path gives the scalar loop's bytes;
// the fastest one the processor and the system support is taken, for the
// buffer's size.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/processor_support.h"

namespace plx {

// One look-up table per channel, in the pixels' byte order.
struct ChannelTables {
    std::uint8_t blue[256];
    std::uint8_t green[256];
    std::uint8_t red[256];
};

enum class PixelPath { Scalar, Pairs, Avx2, Avx2Pairs, Avx512Vbmi };
constexpr PixelPath kPixelPaths[] = {PixelPath::Scalar, PixelPath::Pairs, PixelPath::Avx2, PixelPath::Avx2Pairs,
                                     PixelPath::Avx512Vbmi};

// The pair tables are built on every pass, in about the time the scalar loop
// takes for ten thousand pixels, and save a sixth to a third of the time of
// the paths without them (gamma_bench): they are repaid from some fifty
// thousand pixels on without AVX2 and some hundred and fifty thousand with it,
// and taken from a megabyte on.
constexpr std::size_t kPairsFrom = std::size_t{1} << 20;

// Whether a processor and system with these features can run the path, and
// the fastest path they can for a buffer of this many bytes.
bool PathSupportedBy(PixelPath path, const ProcessorFeatures& features);
PixelPath BestPathFor(const ProcessorFeatures& features, std::size_t bytes);

// The same for this machine.
bool PathSupported(PixelPath path);
PixelPath BestPixelPath(std::size_t bytes);

// Rewrites bytes bytes of 3- or 4-byte BGR(A) pixels in place; a fourth byte
// is left as it is. The path must be supported.
void CorrectWithPath(PixelPath path, const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                     std::size_t bytesPerPixel);

}  // namespace plx
