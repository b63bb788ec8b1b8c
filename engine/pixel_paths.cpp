#include "engine/pixel_paths.h"

#include "engine/pixels_avx2.h"
#include "engine/pixels_avx512.h"
#include "engine/processor_support.h"

namespace plx {

namespace {

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

bool PathSupported(PixelPath path) {
    switch (path) {
        case PixelPath::Scalar: return true;
        case PixelPath::Avx2: return Avx2Usable();
        case PixelPath::Avx512Vbmi: return Avx512VbmiUsable();
    }
    return false;
}

PixelPath BestPixelPath() {
    static const PixelPath best = PathSupported(PixelPath::Avx512Vbmi) ? PixelPath::Avx512Vbmi
                                  : PathSupported(PixelPath::Avx2)     ? PixelPath::Avx2
                                                                       : PixelPath::Scalar;
    return best;
}

void CorrectWithPath(PixelPath path, const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                     std::size_t bytesPerPixel) {
    switch (path) {
        case PixelPath::Scalar: return CorrectScalar(tables, pixels, bytes, bytesPerPixel);
        case PixelPath::Avx2: {
            const std::size_t done = CorrectAvx2Blocks(tables, pixels, bytes, bytesPerPixel);
            return CorrectScalar(tables, pixels + done, bytes - done, bytesPerPixel);
        }
        case PixelPath::Avx512Vbmi: return CorrectAvx512Vbmi(tables, pixels, bytes, bytesPerPixel);
    }
}

}  // namespace plx
