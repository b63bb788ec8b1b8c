// Correlated colour temperature of the monitor's white (Robertson's method).
#pragma once

#include "engine/engine_state.h"
#include "engine/request.h"

namespace plx {

// Function code 4: writes the temperature of whiteX, whiteY into whitePoint.
int MonitorWhiteTemperature(const EngineState& state, PLXRequest& request);

}  // namespace plx
