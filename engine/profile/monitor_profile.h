// Writing the monitor profile through the colour-profile service.
#pragma once

#include "engine/platform/platform.h"
#include "engine/profile/colorimetry.h"
#include "engine/profile/color_profile_service.h"
#include "engine/request.h"

namespace plx {

// Writes the profile for the request (defaults filled in) and the colorants
// to path. Returns ResultProfileMade when the file is complete, else
// ResultProfileOpenFailed, ResultProfileCloseFailed or ResultProfileTagsFailed.
int WriteMonitorProfile(ColorProfileService& service, Clock& clock, const char* path, const PLXRequest& request,
                        const ProfileColorants& colorants);

}  // namespace plx
