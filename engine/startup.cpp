#include "engine/startup.h"

#include <optional>
#include <string>
#include <thread>

#include "engine/display_context.h"
#include "engine/gamma.h"
#include "engine/monitor_edid.h"
#include "engine/profile/colorimetry.h"

namespace plx {

namespace {

constexpr int kColorMgmtCaps = 121;
constexpr int kCmGammaRamp = 2;

void UseDefaultColorimetry(EngineState& state) {
    state.redX = defaultPrimaries.red.x, state.redY = defaultPrimaries.red.y;
    state.greenX = defaultPrimaries.green.x, state.greenY = defaultPrimaries.green.y;
    state.blueX = defaultPrimaries.blue.x, state.blueY = defaultPrimaries.blue.y;
    state.whiteX = defaultWhite.x, state.whiteY = defaultWhite.y;
}

// Loads the ramp for `gamma` on all channels and reads back the red estimate.
bool LoadAndReadBack(Engine& engine, PLXRequest& probe, std::uint32_t gamma) {
    Display& display = engine.os.display;
    probe.redGamma = probe.greenGamma = probe.blueGamma = gamma;
    buildRamp(probe);
    if (!display.SetDeviceGammaRamp(engine.state.displayDc, probe.gammaRamp)) return false;
    if (!display.GetDeviceGammaRamp(engine.state.displayDc, probe.gammaRamp)) return false;
    estimateGammas(probe);
    return true;
}

}  // namespace

void probeGammaSupport(Engine& engine) {
    EngineState& state = engine.state;
    Display& display = engine.os.display;
    state.gammaSupported = false;

    if (state.osVersion.platformId >= kPlatformNt && state.osVersion.majorVersion >= 5) {
        state.gammaSupported = display.GetDeviceCaps(state.displayDc, kColorMgmtCaps) == kCmGammaRamp;
        return;
    }

    PLXRequest saved{}, probe{};
    if (!display.GetDeviceGammaRamp(state.displayDc, saved.gammaRamp)) return;
    estimateGammas(saved);
    const std::uint32_t found = saved.redGamma;

    // A first load that fails changed nothing, so there is nothing to restore.
    probe.redGamma = probe.greenGamma = probe.blueGamma = 227;
    buildRamp(probe);
    if (!display.SetDeviceGammaRamp(state.displayDc, probe.gammaRamp)) return;

    if (display.GetDeviceGammaRamp(state.displayDc, probe.gammaRamp)) {
        estimateGammas(probe);
        // Unchanged: the display held the 227 ramp already, or it ignores
        // loads. Only a change after a different load tells them apart;
        // comparing with 227 would take a display that ignores loads for one
        // that works whenever its ramp was not the 227 one.
        if (probe.redGamma != found || (LoadAndReadBack(engine, probe, 235) && probe.redGamma != found))
            state.gammaSupported = true;
    }
    if (!display.SetDeviceGammaRamp(state.displayDc, saved.gammaRamp)) state.gammaSupported = false;
}

void StartUp(Engine& engine) {
    EngineState& state = engine.state;
    // Nothing may leave the export. Without memory for the adapter's name or
    // the monitor lookup's paths the monitor stays undecoded, and the
    // defaults apply.
    try {
        const std::optional<std::string> primaryAdapter = findPrimaryAdapter(engine.os.system);
        DisplayContext context = OpenDisplayContext(engine.os.display, primaryAdapter);
        state.displayDc = context.dc;
        if (!engine.os.system.GetVersionExA(state.osVersion)) state.osVersion = OsVersion{};
        probeGammaSupport(engine);
        if (!state.gammaSupported && FallBackToDesktop(engine.os.display, context)) {
            state.displayDc = context.dc;
            probeGammaSupport(engine);
        }
        findMonitorEdid(engine, primaryAdapter);
    } catch (...) {  // NOLINT(bugprone-empty-catch): the lookup never marks a monitor decoded before it ends
    }
    if (state.edidStatus != EdidDecoded) UseDefaultColorimetry(state);
}

void FirstCallStartUp::Ensure(Engine& engine) {
    if (stage_.load(std::memory_order_acquire) == kStarted) return;
    int expected = kNotStarted;
    if (stage_.compare_exchange_strong(expected, kStarting, std::memory_order_acquire)) {
        StartUp(engine);
        stage_.store(kStarted, std::memory_order_release);
        return;
    }
    // InitOnceExecuteOnce came with Vista, and this runtime's win32 thread
    // model has no std::call_once or mutex: hence one atomic word. A second
    // caller during a start-up of a few milliseconds is rare, so it simply
    // yields its time slices until the start-up is done: nothing to create in
    // DllMain or free later, and no import beyond Sleep.
    while (stage_.load(std::memory_order_acquire) != kStarted) std::this_thread::yield();
}

}  // namespace plx
