// The pixel pass is three table look-ups per pixel; it is measured beside a
// plain copy of the same 4K frame, the floor any in-place pass could reach.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <vector>

#include "engine/gamma.h"
#include "engine/pixel_paths.h"
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

// Each path on a frame of 4- or 3-byte pixels, with a copy of the same frame
// timed between passes: x_memcpy is the pass's processor time over the copy's,
// which other work on a shared machine disturbs less than elapsed time.
plx::ChannelTables SomeTables() {
    plx::ChannelTables tables{};
    for (int i = 0; i < 256; ++i) {
        tables.blue[i] = static_cast<std::uint8_t>(255 - i);
        tables.green[i] = static_cast<std::uint8_t>(i / 2);
        tables.red[i] = static_cast<std::uint8_t>(i * 3);
    }
    return tables;
}

void BM_CorrectPath4K(benchmark::State& state, plx::PixelPath path, std::size_t bytesPerPixel) {
    if (!plx::PathSupported(path)) return state.SkipWithError("not supported on this machine");
    const plx::ChannelTables tables = SomeTables();
    auto frame = Frame();
    const std::size_t bytes = kFrameBytes / 4 * bytesPerPixel;
    std::vector<std::uint8_t> copy(bytes);
    std::clock_t passes = 0, copies = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        plx::CorrectWithPath(path, tables, frame.data(), bytes, bytesPerPixel);
        benchmark::ClobberMemory();
        passes += std::clock() - start;
        state.PauseTiming();
        const std::clock_t copyStart = std::clock();
        std::memcpy(copy.data(), frame.data(), bytes);
        benchmark::ClobberMemory();
        copies += std::clock() - copyStart;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    const double iterations = static_cast<double>(state.iterations());
    state.counters["memcpy_ms"] = 1000.0 * static_cast<double>(copies) / CLOCKS_PER_SEC / iterations;
    state.counters["x_memcpy"] = static_cast<double>(passes) / static_cast<double>(copies);
}
BENCHMARK_CAPTURE(BM_CorrectPath4K, scalar_32, plx::PixelPath::Scalar, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, pairs_32, plx::PixelPath::Pairs, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, avx2_32, plx::PixelPath::Avx2, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, avx2pairs_32, plx::PixelPath::Avx2Pairs, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, avx512vbmi_32, plx::PixelPath::Avx512Vbmi, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, scalar_24, plx::PixelPath::Scalar, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, pairs_24, plx::PixelPath::Pairs, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, avx2_24, plx::PixelPath::Avx2, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, avx2pairs_24, plx::PixelPath::Avx2Pairs, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorrectPath4K, avx512vbmi_24, plx::PixelPath::Avx512Vbmi, 3)->Unit(benchmark::kMillisecond);

// Small buffers, where whatever a path prepares per call is not repaid: one
// pixel, 64 pixels and one row of a 1920-pixel screen.
void BM_CorrectPathSmall(benchmark::State& state, plx::PixelPath path, std::size_t bytesPerPixel) {
    if (!plx::PathSupported(path)) return state.SkipWithError("not supported on this machine");
    const plx::ChannelTables tables = SomeTables();
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * bytesPerPixel;
    auto frame = Frame();
    for (auto _ : state) {
        plx::CorrectWithPath(path, tables, frame.data(), bytes, bytesPerPixel);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
#define PLX_SMALL(name, path, bytesPerPixel) \
    BENCHMARK_CAPTURE(BM_CorrectPathSmall, name, path, bytesPerPixel)->Arg(1)->Arg(64)->Arg(1920)
PLX_SMALL(scalar_32, plx::PixelPath::Scalar, 4);
PLX_SMALL(pairs_32, plx::PixelPath::Pairs, 4);
PLX_SMALL(avx2_32, plx::PixelPath::Avx2, 4);
PLX_SMALL(avx2pairs_32, plx::PixelPath::Avx2Pairs, 4);
PLX_SMALL(avx512vbmi_32, plx::PixelPath::Avx512Vbmi, 4);
PLX_SMALL(scalar_24, plx::PixelPath::Scalar, 3);
PLX_SMALL(pairs_24, plx::PixelPath::Pairs, 3);
PLX_SMALL(avx2_24, plx::PixelPath::Avx2, 3);
PLX_SMALL(avx2pairs_24, plx::PixelPath::Avx2Pairs, 3);
PLX_SMALL(avx512vbmi_24, plx::PixelPath::Avx512Vbmi, 3);

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
