// The pixel pass on processors with AVX-512 VBMI; callers check support first.
#pragma once

#include "engine/pixel_paths.h"

namespace plx {

void CorrectAvx512Vbmi(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                       std::size_t bytesPerPixel);

}  // namespace plx
