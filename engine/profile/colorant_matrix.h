// The unadapted colorant matrix: each primary's XYZ scaled so that the three
// add up to the white with Y = 1.
#pragma once

#include <limits>

#include "engine/profile/colorimetry.h"

namespace plx {

struct Colorants {
    double matrix[3][3];  // [X, Y, Z][red, green, blue]
    XYZ white;            // sum of the columns, Y = 1
};

// NaN wherever a denominator is zero (a y of 0, collinear primaries), so that
// degenerate input shows as a non-finite result rather than a division by zero.
Colorants UnadaptedColorants(const Primaries& primaries, Chromaticity white);

// a / b, NaN when b is zero.
inline double Quotient(double a, double b) { return b != 0 ? a / b : std::numeric_limits<double>::quiet_NaN(); }

}  // namespace plx
