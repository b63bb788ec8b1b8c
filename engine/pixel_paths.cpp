#include "engine/pixel_paths.h"

#include "engine/pixels_avx512.h"
#include "engine/processor_support.h"

namespace plx {

namespace {

// The reference every other path is held to, and the path of processors
// without the wide registers.
void CorrectScalar(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes, std::size_t bytesPerPixel) {
    std::uint8_t* pixel = pixels;
    std::uint8_t* const end = pixels + bytes;
    for (; pixel != end; pixel += bytesPerPixel) {
        pixel[0] = tables.blue[pixel[0]];
        pixel[1] = tables.green[pixel[1]];
        pixel[2] = tables.red[pixel[2]];
    }
}

}  // namespace

bool PathSupported(PixelPath path) {
    switch (path) {
        case PixelPath::Scalar: return true;
        case PixelPath::Avx512Vbmi: return Avx512VbmiUsable();
    }
    return false;
}

PixelPath BestPixelPath() {
    static const PixelPath best = PathSupported(PixelPath::Avx512Vbmi) ? PixelPath::Avx512Vbmi : PixelPath::Scalar;
    return best;
}

void CorrectWithPath(PixelPath path, const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                     std::size_t bytesPerPixel) {
    switch (path) {
        case PixelPath::Scalar: return CorrectScalar(tables, pixels, bytes, bytesPerPixel);
        case PixelPath::Avx512Vbmi: return CorrectAvx512Vbmi(tables, pixels, bytes, bytesPerPixel);
    }
}

}  // namespace plx
