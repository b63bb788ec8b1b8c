// From the monitor's chromaticities to the twelve fixed-point numbers the
// profile carries: target white, colorant matrix, Bradford adaptation to D50.
// Double precision throughout.
#pragma once

#include <array>
#include <cstdint>

#include "engine/engine_state.h"

namespace plx {

struct XYZ {
    double X, Y, Z;
};

// Red X, Y, Z, green X, Y, Z, blue X, Y, Z, white X, Y, Z as s15Fixed16Number.
using ProfileColorants = std::array<std::int32_t, 12>;

// The white that the colorants are adapted to: the 5000 K preset's xy with Y = 1.
extern const XYZ d50AdaptationWhite;

// CIE daylight locus: correlated colour temperature in kelvin to x, y.
void DaylightChromaticity(std::uint32_t kelvin, double& x, double& y);

// Stores the profile's white for whitePoint (0: the monitor's own) into
// profileWhiteX, profileWhiteY.
void ResolveTargetWhite(EngineState& state, std::uint32_t whitePoint);

// Colorants of the monitor's primaries for the profile white, adapted to D50
// unless whitePoint is exactly 5000, and the unadapted white.
ProfileColorants ComputeColorants(const EngineState& state, std::uint32_t whitePoint);

// Replaces each column of matrix (a primary's XYZ) by its linear Bradford
// adaptation from source to destination white.
void BradfordAdapt(double matrix[3][3], const XYZ& source, const XYZ& destination);

// ICC s15Fixed16Number: clamped to -32768..32767, then v * 65536 + 0.5
// truncated toward zero. Defined for every double, NaN included.
std::int32_t ToS15Fixed16(double value);

}  // namespace plx
