// What the library does before it serves its first request: everything the
// handlers need lands in EngineState. It never fails; what it cannot find
// becomes a default.
#pragma once

#include <atomic>

#include "engine/engine_state.h"

namespace plx {

// Lets no exception out: it runs inside the export. The display context is
// the primary adapter's own, or the whole desktop's when that one cannot be
// made or the probe finds that it takes no ramp.
void StartUp(Engine& engine);

// Runs StartUp once per process, on the thread of the first call rather than
// in the library's attach, where the loader's lock forbids the display and
// registry calls it makes. That thread owns the display context, which the
// system invalidates when the thread ends. A call that arrives while another
// thread is starting the engine returns once the start-up has finished.
class FirstCallStartUp {
public:
    void Ensure(Engine& engine);

private:
    enum Stage : int { kNotStarted, kStarting, kStarted };
    std::atomic<int> stage_{kNotStarted};
};

// Sets gammaSupported: the capability query on NT 5 and later, otherwise an
// active probe that loads two test ramps and always puts the found one back.
void probeGammaSupport(Engine& engine);

}  // namespace plx
