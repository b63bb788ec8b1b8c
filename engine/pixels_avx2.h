// The pixel pass on processors with AVX2; callers check support first.
#pragma once

#include "engine/pixel_paths.h"

namespace plx {

// Corrects whole blocks from the start of the pixels and returns how many
// bytes it did, a whole number of pixels; the caller corrects the rest.
std::size_t CorrectAvx2Blocks(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                              std::size_t bytesPerPixel);

// The same with pair look-ups beside the blocks, whose tables take a few
// microseconds to build: for large buffers.
std::size_t CorrectAvx2PairBlocks(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                                  std::size_t bytesPerPixel);

}  // namespace plx
