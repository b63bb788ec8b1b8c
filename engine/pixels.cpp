#include "engine/pixels.h"

#include <cmath>

#include "engine/gamma.h"
#include "engine/pixel_paths.h"

namespace plx {

namespace {

using Table = std::uint8_t[256];

void BuildTable(std::uint32_t gamma, Table& table) {
    const double g = static_cast<double>(gamma) / 100.0;
    for (int i = 0; i < 256; ++i) {
        const double x = i / 255.0;
        const double t = std::pow(x, 2.2);
        const auto v = static_cast<int>(std::floor((t - std::pow(x, g) + x) * 255.0 + 0.5));
        table[i] = static_cast<std::uint8_t>(2 * i - v);
    }
}

}  // namespace

int CorrectPixels(Engine& engine, PLXRequest& request) {
    // Work with what the display holds now; the caller's gammas only stand in
    // when the display cannot be read.
    ReadGamma(engine, request);

    const std::uint32_t bytesPerPixel = request.bitsPerPixel / 8;
    if (request.pixelBytes % bytesPerPixel != 0) return ResultBadPixelBytes;

    ChannelTables tables;
    BuildTable(request.redGamma, tables.red);
    BuildTable(request.greenGamma, tables.green);
    BuildTable(request.blueGamma, tables.blue);
    CorrectWithPath(BestPixelPath(request.pixelBytes), tables, request.pixels, request.pixelBytes, bytesPerPixel);
    return ResultPixelsCorrected;
}

}  // namespace plx
