// The pixel pass is three table look-ups per pixel; it is measured beside a
// plain copy of the same 4K frame, the floor any in-place pass could reach.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "engine/gamma.h"
#include "engine/pixels.h"
#include "tests/fake/test_engine.h"

namespace {

constexpr std::size_t kFrameBytes = 3840 * 2160 * 4;

std::vector<std::uint8_t> Frame() {
    std::vector<std::uint8_t> frame(kFrameBytes);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 31);
    return frame;
}

void BM_CorrectPixels4K(benchmark::State& state) {
    plx::fake::TestEngine t;
    PLXRequest display{};
    display.redGamma = 150, display.greenGamma = 220, display.blueGamma = 300;
    plx::buildRamp(display);
    std::copy(std::begin(display.gammaRamp), std::end(display.gammaRamp), t.os.display.ramp.begin());
    auto frame = Frame();
    PLXRequest request{};
    request.pixels = frame.data();
    request.pixelBytes = static_cast<std::uint32_t>(frame.size());
    request.bitsPerPixel = 32;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plx::CorrectPixels(t.engine, request));
        benchmark::ClobberMemory();
        t.os.calls.log.clear();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_CorrectPixels4K)->Unit(benchmark::kMillisecond);

void BM_Memcpy4K(benchmark::State& state) {
    auto from = Frame();
    std::vector<std::uint8_t> to(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_Memcpy4K)->Unit(benchmark::kMillisecond);

void BM_SetGamma(benchmark::State& state) {
    plx::fake::TestEngine t;
    PLXRequest request{};
    request.redGamma = 150, request.greenGamma = 220, request.blueGamma = 300;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plx::SetGamma(t.engine, request));
        t.os.display.loads.clear();  // the fake records every load
        t.os.calls.log.clear();
    }
}
BENCHMARK(BM_SetGamma)->Unit(benchmark::kMicrosecond);

}  // namespace
