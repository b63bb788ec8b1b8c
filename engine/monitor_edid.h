// Finding the primary monitor, its registry key and its EDID block.
#pragma once

#include "engine/engine_state.h"

namespace plx {

// Sets edidStatus, monitorName, monitorDeviceId, monitorKeyPath and, when an
// EDID block is decoded, the monitor's primaries and white.
void findMonitorEdid(Engine& engine);

}  // namespace plx
