// What the library does when it is loaded: everything the handlers need lands
// in EngineState. It never fails; what it cannot find becomes a default.
#pragma once

#include "engine/engine_state.h"

namespace plx {

// Lets no exception out: it runs in the library's attach. The display
// context is the primary adapter's own, or the whole desktop's when that one
// cannot be made or the probe finds that it takes no ramp.
void StartUp(Engine& engine);

// Sets gammaSupported: the capability query on NT 5 and later, otherwise an
// active probe that loads two test ramps and always puts the found one back.
void probeGammaSupport(Engine& engine);

}  // namespace plx
