// The pixel pass of processors without the wide registers, for large buffers:
// blue and green looked up together in a table of every byte pair, red alone.
#pragma once

#include "engine/pixel_paths.h"

namespace plx {

// The one table of byte pairs, held by one pass at a time. The engine is
// called from one thread, but a second caller must never rebuild the table
// under a pass that is reading it.
class PairTableHold {
public:
    PairTableHold();
    ~PairTableHold();
    PairTableHold(const PairTableHold&) = delete;
    PairTableHold& operator=(const PairTableHold&) = delete;

    // 65,536 entries; null while another pass holds the table.
    std::uint16_t* table() const { return table_; }

private:
    std::uint16_t* table_;
};

// Corrects the pixels from the start and returns how many bytes it did: all
// of them, or none while another pass holds the table.
std::size_t CorrectPairs(const ChannelTables& tables, std::uint8_t* pixels, std::size_t bytes,
                         std::size_t bytesPerPixel);

}  // namespace plx
