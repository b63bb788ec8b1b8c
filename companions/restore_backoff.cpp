#include "companions/restore_backoff.h"

#include <algorithm>
#include <iterator>

namespace companions {

bool RestoreBackoff::Paused(Tick now) const { return pauseMs_ != 0 && now - pauseStart_ < pauseMs_; }

Tick RestoreBackoff::Restored(Tick now) {
    const bool tooMany = recentCount_ == kRestoresAllowed && now - recent_[0] < kWindowMs;
    if (tooMany) {
        pauseStart_ = now;
        pauseMs_ = nextPauseMs_;
        nextPauseMs_ = std::min(nextPauseMs_ * 2, kLongestPauseMs);
        recentCount_ = 0;  // after the pause the count starts afresh
        return pauseMs_;
    }
    if (recentCount_ == kRestoresAllowed) {
        std::shift_left(std::begin(recent_), std::end(recent_), 1);
        --recentCount_;
    }
    recent_[recentCount_++] = now;
    return 0;
}

}  // namespace companions
