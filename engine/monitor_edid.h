// Finding the primary monitor, its registry key and its EDID block.
#pragma once

#include <optional>
#include <string>

#include "engine/engine_state.h"

namespace plx {

// Sets edidStatus, monitorName, monitorDeviceId, monitorKeyPath and, when an
// EDID block is decoded, the monitor's primaries and white. The monitor is
// the first of primaryAdapter (findPrimaryAdapter's answer), the adapter
// whose context the engine tried first.
void findMonitorEdid(Engine& engine, const std::optional<std::string>& primaryAdapter);

}  // namespace plx
