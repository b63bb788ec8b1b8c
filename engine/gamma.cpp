#include "engine/gamma.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace plx {

namespace {

constexpr double kReferenceGamma = 2.2;
constexpr std::size_t kMidpoint = 128;

std::uint16_t* Channel(PLXRequest& request, int c) { return request.gammaRamp + c * kRampLevels; }

// Clamps one gamma into the valid range; true when it had to change.
bool Clamp(std::uint32_t& gamma) {
    if (gamma > kMaxGamma) {
        gamma = kMaxGamma;
        return true;
    }
    if (gamma < kMinGamma) {
        gamma = kMinGamma;
        return true;
    }
    return false;
}

// Drivers keep as few as 8 bits of an entry and read them back as v >> 8 << 8
// (Windows: the identity's i * 257 as i * 256) or (v >> 8) * 257 (Xorg): both
// stay within one 8-bit level of the ramp's scale, 65535 / 255 = 257.
constexpr int kReadBackTolerance = 257;

// A load counts once the display reads the ramp back: a driver may accept a
// ramp and silently keep its own.
bool LoadRamp(Engine& engine, const PLXRequest& request) {
    Display& display = engine.os.display;
    if (!display.SetDeviceGammaRamp(engine.state.displayDc, request.gammaRamp)) return false;
    std::uint16_t shown[kRampEntries] = {};
    if (!display.GetDeviceGammaRamp(engine.state.displayDc, shown)) return false;
    return std::equal(std::begin(shown), std::end(shown), std::begin(request.gammaRamp),
                      [](int a, int b) { return std::abs(a - b) <= kReadBackTolerance; });
}

}  // namespace

void buildRamp(PLXRequest& request) {
    const double gammas[3] = {static_cast<double>(request.redGamma) / 100.0,
                              static_cast<double>(request.greenGamma) / 100.0,
                              static_cast<double>(request.blueGamma) / 100.0};
    for (std::size_t i = 0; i < kRampLevels; ++i) {
        const double x = static_cast<double>(i) * 257.0 / 65535.0;
        const double t = std::pow(x, kReferenceGamma);
        for (int c = 0; c < 3; ++c) {
            const double value = std::floor((x + (t - std::pow(x, gammas[c]))) * 65535.0 + 0.5);
            Channel(request, c)[i] = static_cast<std::uint16_t>(value);
        }
    }
}

void estimateGammas(PLXRequest& request) {
    const double x = 128.0 / 255.0;
    const double m = x + std::pow(x, kReferenceGamma);
    const double logX = std::log(x);
    std::uint32_t* gammas[3] = {&request.redGamma, &request.greenGamma, &request.blueGamma};
    for (int c = 0; c < 3; ++c) {
        const double a = m - static_cast<double>(Channel(request, c)[kMidpoint]) / 65535.0;
        // A midpoint brighter than any curve of the family has no gamma: 0.
        *gammas[c] = a > 0 ? static_cast<std::uint32_t>(std::floor(100.0 * std::log(a) / logX + 0.5)) : 0;
    }
}

int ReadGamma(Engine& engine, PLXRequest& request) {
    const bool ok = engine.os.display.GetDeviceGammaRamp(engine.state.displayDc, request.gammaRamp);
    if (ok) estimateGammas(request);

    bool clamped = Clamp(request.redGamma);
    clamped = Clamp(request.greenGamma) || clamped;
    clamped = Clamp(request.blueGamma) || clamped;
    if (!clamped) return ok ? ResultOk : ResultRampRefused;

    buildRamp(request);
    if (!LoadRamp(engine, request)) return ResultRampRefused;
    estimateGammas(request);
    return ResultOk;
}

int SetGamma(Engine& engine, PLXRequest& request) {
    buildRamp(request);
    return LoadRamp(engine, request) ? ResultOk : ResultRampRefused;
}

}  // namespace plx
