#include "engine/white_temperature.h"

#include <cmath>

namespace plx {

namespace {

struct IsotemperatureLine {
    double reciprocal;  // 1/K
    double u, v;        // CIE 1960 point on the Planckian locus
    double t;           // slope
};

// Robertson's table, 10000 K down to 4444 K.
constexpr IsotemperatureLine kIsotemperatureLines[] = {
    // reciprocal temperature, u, v, t
    {0.0001, 0.19032, 0.29326, -0.47888},  {0.000125, 0.19462, 0.30141, -0.58204},
    {0.00015, 0.19962, 0.30921, -0.70471}, {0.000175, 0.20525, 0.31647, -0.84901},
    {0.0002, 0.21142, 0.32312, -1.0182},   {0.000225, 0.21807, 0.32909, -1.2168},
};
constexpr int kLines = sizeof kIsotemperatureLines / sizeof kIsotemperatureLines[0];

double SignedDistance(const IsotemperatureLine& line, double u, double v) {
    return ((v - line.v) - line.t * (u - line.u)) / std::sqrt(1 + line.t * line.t);
}

// The distances change sign between the lines that enclose the white. A white
// exactly on a line (distance 0) belongs to that line: dividing the distances,
// as the sign test is often written, would divide by that zero or skip it.
bool Encloses(double before, double after) { return after == 0 || (before < 0) != (after < 0); }

}  // namespace

int MonitorWhiteTemperature(const EngineState& state, PLXRequest& request) {
    const double x = state.whiteX, y = state.whiteY;
    const double D = -2 * x + 12 * y + 3;
    if (D == 0) return ResultWhiteOutOfRange;
    const double u = 4 * x / D, v = 6 * y / D;

    double before = SignedDistance(kIsotemperatureLines[0], u, v);
    for (int i = 1; i < kLines; ++i) {
        const double after = SignedDistance(kIsotemperatureLines[i], u, v);
        if (Encloses(before, after)) {
            const double r0 = kIsotemperatureLines[i - 1].reciprocal, r1 = kIsotemperatureLines[i].reciprocal;
            // Within 0..1 for enclosing distances, so 1 / r stays within the table;
            // a white on line i (both distances 0 where lines 0 and 1 cross) takes r(i).
            const double fraction = after == 0 ? 1.0 : before / (before - after);
            const double r = r0 + fraction * (r1 - r0);
            request.whitePoint = static_cast<std::uint32_t>(std::floor(1 / r + 0.5));
            return state.edidStatus == EdidDecoded ? ResultWhiteFromEdid : ResultWhiteFromDefault;
        }
        before = after;
    }
    return ResultWhiteOutOfRange;
}

}  // namespace plx
