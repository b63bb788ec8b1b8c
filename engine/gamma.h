// Gamma ramps: the identity plus the difference between the gamma-2.2 curve and
// the channel's own curve, so that 2.2 loads the identity and both ends stay put.
#pragma once

#include "engine/engine_state.h"
#include "engine/request.h"

namespace plx {

// Fills gammaRamp from the three channel gammas.
void buildRamp(PLXRequest& request);

// Sets the three channel gammas from entry 128 of each channel of gammaRamp.
void estimateGammas(PLXRequest& request);

// Function code 0: reads the display's ramp and reports its gammas, clamped
// to 140..310; a clamped ramp is loaded back into the display.
int ReadGamma(Engine& engine, PLXRequest& request);

// Function code 1: builds the ramp of the request's gammas and loads it.
// Both codes count a load only when the display reads the ramp back.
int SetGamma(Engine& engine, PLXRequest& request);

}  // namespace plx
