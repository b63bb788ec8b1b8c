#include "engine/profile/colorant_matrix.h"

#include <cmath>

namespace plx {

namespace {

// Chromaticities decoded from an EDID lie on a 0.001 grid, where three
// primaries that enclose any triangle at all give a determinant of at least
// 1e-6. Collinear ones leave only rounding noise, which must count as zero:
// dividing by it would give finite nonsense instead of the NaN that lets
// the caller fall back to defaults.
constexpr double kCollinear = 1e-9;

}  // namespace

Colorants UnadaptedColorants(const Primaries& primaries, Chromaticity white) {
    const auto [xr, yr] = primaries.red;
    const auto [xg, yg] = primaries.green;
    const auto [xb, yb] = primaries.blue;
    const auto [xw, yw] = white;

    const double determinant = (xg - xb) * yr - (xr - xb) * yg + (xr - xg) * yb;
    const double D = std::fabs(determinant) < kCollinear ? 0.0 : yw * determinant;
    const double luminance[3] = {
        Quotient(yr * (yw * (xg - xb) - yg * (xw - xb) + yb * (xw - xg)), D),
        Quotient(-yg * (yw * (xr - xb) - yr * (xw - xb) + yb * (xw - xr)), D),
        Quotient(yb * (yw * (xr - xg) - yr * (xw - xg) + yg * (xw - xr)), D),
    };
    const Chromaticity xy[3] = {primaries.red, primaries.green, primaries.blue};

    Colorants c{};
    for (int i = 0; i < 3; ++i) {
        const double Y = luminance[i];
        c.matrix[0][i] = Quotient(Y * xy[i].x, xy[i].y);
        c.matrix[1][i] = Y;
        c.matrix[2][i] = Y * (Quotient(1 - xy[i].x, xy[i].y) - 1);
    }
    c.white = {c.matrix[0][0] + c.matrix[0][1] + c.matrix[0][2], 1.0, c.matrix[2][0] + c.matrix[2][1] + c.matrix[2][2]};
    return c;
}

}  // namespace plx
