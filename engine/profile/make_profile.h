// Function code 2: builds the monitor profile, installs it and makes it the
// monitor's default.
#pragma once

#include "engine/engine_state.h"
#include "engine/request.h"

namespace plx {

int MakeProfile(Engine& engine, PLXRequest& request);

}  // namespace plx
