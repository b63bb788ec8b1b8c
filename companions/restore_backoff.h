// Never fight: when resets keep coming (a program that sets the identity over
// and over, a driver that resets at every poll), restoring pauses, for longer
// each time it happens again.
#pragma once

#include <cstdint>

namespace companions {

// Milliseconds of the system's tick count, which wraps every 49.7 days: only
// differences of ticks are ever compared.
using Tick = std::uint32_t;

class RestoreBackoff {
public:
    static constexpr int kRestoresAllowed = 3;  // within one window
    static constexpr Tick kWindowMs = 60 * 1000;
    static constexpr Tick kFirstPauseMs = 10 * 60 * 1000;
    static constexpr Tick kLongestPauseMs = 24 * 60 * 60 * 1000;  // far below the tick's wrap

    bool Paused(Tick now) const;
    // Records a restore made at now; answers the pause that it begins, 0 if none.
    Tick Restored(Tick now);

private:
    Tick recent_[kRestoresAllowed] = {};  // the last restores, oldest first
    int recentCount_ = 0;
    Tick pauseStart_ = 0;
    Tick pauseMs_ = 0;  // 0: not paused
    Tick nextPauseMs_ = kFirstPauseMs;
};

}  // namespace companions
