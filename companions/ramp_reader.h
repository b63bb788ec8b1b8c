// Reads the primary monitor's gamma ramp through the display context the
// engine uses (engine/display_context.h): the primary adapter's own, the whole
// desktop's when that one takes no ramp. The context is kept between reads
// and made afresh after a display change.
#pragma once

#include <optional>

#include "companions/ramp_watch.h"
#include "engine/display_context.h"
#include "engine/platform/win32_platform.h"

namespace companions {

class RampReader {
public:
    RampReader() = default;
    ~RampReader() { Reopen(); }
    RampReader(const RampReader&) = delete;
    RampReader& operator=(const RampReader&) = delete;

    bool Read(Ramp& ramp);
    // The display may have changed: the next read opens its context anew.
    void Reopen();

private:
    bool Open();

    plx::Win32Display display_;
    plx::Win32System system_;
    std::optional<plx::DisplayContext> context_;
};

}  // namespace companions
