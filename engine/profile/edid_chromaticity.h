// The chromaticity block of an EDID: ten bytes, eight 10-bit coordinates.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plx {

// Decodes the ten bytes at edid[index] into the primaries' and white's CIE xy,
// each rounded to three decimals. The caller guarantees index + 10 bytes.
// Always returns 1.
int DecodeEdidChromaticity(const std::uint8_t* edid, std::size_t index, double& redX, double& redY, double& greenX,
                           double& greenY, double& blueX, double& blueY, double& whiteX, double& whiteY);

}  // namespace plx
