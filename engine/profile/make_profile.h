// Function code 2: builds the monitor profile, installs it and makes it the
// monitor's default.
#pragma once

#include "engine/engine_state.h"
#include "engine/profile/color_profile_service.h"
#include "engine/request.h"

namespace plx {

// Writes the profile with the engine's own colour-profile service.
int MakeProfile(Engine& engine, PLXRequest& request);

// The same through any colour-profile service writing to engine's files.
int MakeProfile(Engine& engine, PLXRequest& request, ColorProfileService& service);

}  // namespace plx
