// Which display context the gamma ramp goes through. Windows 10 1903 and later
// refuse ramps on the whole desktop's context once the desktop spans two
// monitors, while the primary monitor's own context takes them; some drivers
// do the opposite. So the primary adapter's own context comes first and the
// whole desktop's is the fallback.
#pragma once

#include <optional>
#include <string>

#include "engine/platform/platform.h"

namespace plx {

// The device name of the first display adapter whose state flags hold the
// primary-device flag; none when no adapter is primary.
std::optional<std::string> findPrimaryAdapter(System& system);

struct DisplayContext {
    Handle dc = kNoHandle;
    bool own = false;  // the primary adapter's own, which the whole desktop's may still replace
};

// The primary adapter's own context, or the whole desktop's when no adapter
// is primary or its context cannot be made.
DisplayContext OpenDisplayContext(Display& display, const std::optional<std::string>& primaryAdapter);

// Replaces an own context that takes no ramp by the whole desktop's, deleting
// it; false when the context already is the whole desktop's.
bool FallBackToDesktop(Display& display, DisplayContext& context);

}  // namespace plx
