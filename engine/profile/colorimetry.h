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

// CIE 1931 x, y.
struct Chromaticity {
    double x, y;
};

struct Primaries {
    Chromaticity red, green, blue;
};

// The sRGB-like colorimetry of a monitor whose EDID was not decoded.
inline constexpr Primaries defaultPrimaries = {{0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}};
inline constexpr Chromaticity defaultWhite = {0.3127, 0.3290};

// Red X, Y, Z, green X, Y, Z, blue X, Y, Z, white X, Y, Z as s15Fixed16Number.
using ProfileColorants = std::array<std::int32_t, 12>;

// The white that the colorants are adapted to: the 5000 K preset's xy with Y = 1.
extern const XYZ d50AdaptationWhite;

// CIE daylight locus: correlated colour temperature in kelvin to x, y.
// Temperatures outside the locus' 4000..25000 K are taken at its nearer end.
void DaylightChromaticity(std::uint32_t kelvin, double& x, double& y);

// Stores the profile's white for whitePoint (0: the monitor's own) into
// profileWhiteX, profileWhiteY.
void ResolveTargetWhite(EngineState& state, std::uint32_t whitePoint);

// Colorants of the monitor's primaries for the profile white, adapted to D50
// unless whitePoint is exactly 5000, and the unadapted white. Degenerate
// primaries (a y of 0, collinear) or a degenerate white are replaced by their
// defaults, so every value is finite.
ProfileColorants ComputeColorants(const EngineState& state, std::uint32_t whitePoint);

// Replaces each column of matrix (a primary's XYZ; matrix[row X, Y, Z][column
// red, green, blue]) by its linear Bradford adaptation from source to
// destination white. A source white with a zero cone response has no
// adaptation: the matrix becomes NaN.
void BradfordAdapt(double matrix[3][3], const XYZ& source, const XYZ& destination);

// ICC s15Fixed16Number: clamped to -32768..32767, then v * 65536 + 0.5
// truncated toward zero. Defined for every double, NaN included (0).
std::int32_t ToS15Fixed16(double value);

}  // namespace plx
