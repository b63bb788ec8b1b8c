// Gamma correction of a caller's pixels against the ramp the display holds.
#pragma once

#include "engine/engine_state.h"
#include "engine/request.h"

namespace plx {

// Function code 3: rewrites pixelBytes bytes of 24- or 32-bit BGR(A) pixels
// in place, moving each level opposite to the way the display's ramp moves it.
int CorrectPixels(Engine& engine, PLXRequest& request);

}  // namespace plx
