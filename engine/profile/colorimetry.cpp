#include "engine/profile/colorimetry.h"

#include <algorithm>
#include <cmath>

#include "engine/profile/colorant_matrix.h"

namespace plx {

namespace {

struct PresetWhitePoint {
    std::uint32_t kelvin;
    Chromaticity white;
};

// Used instead of the daylight locus for exactly these temperatures.
constexpr PresetWhitePoint presetWhitePoints[] = {
    // kelvin, x, y
    {5000, {0.3457, 0.3585}},
    {5500, {0.3324, 0.3474}},
    {6500, {0.312713, 0.329016}},
    {7500, {0.299, 0.3149}},
};
constexpr Chromaticity kD50 = presetWhitePoints[0].white;

// Linear Bradford cone response and its published four-decimal inverse, which
// is used as given rather than computed.
constexpr double kBradford[3][3] = {
    {0.8951, 0.2664, -0.1614},
    {-0.7502, 1.7135, 0.0367},
    {0.0389, -0.0685, 1.0296},
};
constexpr double kBradfordInverse[3][3] = {
    {0.9870, -0.1471, 0.1600},
    {0.4323, 0.5184, 0.0493},
    {-0.0085, 0.0400, 0.9685},
};

constexpr double kDaylightMin = 4000, kDaylightBranch = 7000, kDaylightMax = 25000;

XYZ Multiply(const double m[3][3], const XYZ& v) {
    return {m[0][0] * v.X + m[0][1] * v.Y + m[0][2] * v.Z, m[1][0] * v.X + m[1][1] * v.Y + m[1][2] * v.Z,
            m[2][0] * v.X + m[2][1] * v.Y + m[2][2] * v.Z};
}

Colorants AdaptedColorants(const Primaries& primaries, Chromaticity white, bool adapt) {
    Colorants c = UnadaptedColorants(primaries, white);
    if (adapt) BradfordAdapt(c.matrix, c.white, d50AdaptationWhite);
    return c;
}

bool Finite(const Colorants& c) {
    bool finite = std::isfinite(c.white.X) && std::isfinite(c.white.Z);
    for (const auto& row : c.matrix)
        for (double v : row) finite = finite && std::isfinite(v);
    return finite;
}

}  // namespace

const XYZ d50AdaptationWhite = {kD50.x / kD50.y, 1.0, (1 - kD50.x - kD50.y) / kD50.y};

void DaylightChromaticity(std::uint32_t kelvin, double& x, double& y) {
    const double T = std::clamp(static_cast<double>(kelvin), kDaylightMin, kDaylightMax);
    const double T2 = T * T, T3 = T2 * T;
    if (T <= kDaylightBranch)
        x = -4.6070e9 / T3 + 2.9678e6 / T2 + 0.09911e3 / T + 0.244063;
    else
        x = -2.0064e9 / T3 + 1.9018e6 / T2 + 0.24748e3 / T + 0.23704;
    y = 2.87 * x - 3.0 * x * x - 0.275;
}

void ResolveTargetWhite(EngineState& state, std::uint32_t whitePoint) {
    if (whitePoint == 0) {
        state.profileWhiteX = state.whiteX, state.profileWhiteY = state.whiteY;
        return;
    }
    for (const PresetWhitePoint& preset : presetWhitePoints) {
        if (preset.kelvin == whitePoint) {
            state.profileWhiteX = preset.white.x, state.profileWhiteY = preset.white.y;
            return;
        }
    }
    DaylightChromaticity(whitePoint, state.profileWhiteX, state.profileWhiteY);
}

ProfileColorants ComputeColorants(const EngineState& state, std::uint32_t whitePoint) {
    const Primaries primaries = {{state.redX, state.redY}, {state.greenX, state.greenY}, {state.blueX, state.blueY}};
    const Chromaticity white = {state.profileWhiteX, state.profileWhiteY};
    const bool adapt = whitePoint != 5000;

    // Only a corrupt EDID gets here with a zero denominator; whichever part is
    // degenerate, primaries or white, gives way to its default.
    Colorants c = AdaptedColorants(primaries, white, adapt);
    if (!Finite(c)) c = AdaptedColorants(primaries, defaultWhite, adapt);
    if (!Finite(c)) c = AdaptedColorants(defaultPrimaries, white, adapt);
    if (!Finite(c)) c = AdaptedColorants(defaultPrimaries, defaultWhite, adapt);

    ProfileColorants out{};
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) out[column * 3 + row] = ToS15Fixed16(c.matrix[row][column]);
    out[9] = ToS15Fixed16(c.white.X);
    out[10] = ToS15Fixed16(1.0);
    out[11] = ToS15Fixed16(c.white.Z);
    return out;
}

void BradfordAdapt(double matrix[3][3], const XYZ& source, const XYZ& destination) {
    const XYZ s = Multiply(kBradford, source), d = Multiply(kBradford, destination);
    const double scale[3] = {Quotient(d.X, s.X), Quotient(d.Y, s.Y), Quotient(d.Z, s.Z)};

    double A[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            A[r][c] = 0;
            for (int k = 0; k < 3; ++k) A[r][c] += kBradfordInverse[r][k] * scale[k] * kBradford[k][c];
        }

    double adapted[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            adapted[r][c] = 0;
            for (int k = 0; k < 3; ++k) adapted[r][c] += A[r][k] * matrix[k][c];
        }
    std::copy(&adapted[0][0], &adapted[0][0] + 9, &matrix[0][0]);
}

std::int32_t ToS15Fixed16(double value) {
    if (std::isnan(value)) return 0;
    const double v = std::clamp(value, -32768.0, 32767.0);
    // Lies within -2147483647.5..2147418112.5, so truncation always fits.
    return static_cast<std::int32_t>(v * 65536.0 + 0.5);
}

}  // namespace plx
