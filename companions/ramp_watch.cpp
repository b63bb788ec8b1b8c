#include "companions/ramp_watch.h"

#include <cstdlib>

namespace companions {

namespace {

// A second read sooner than this after the first confirms nothing: the
// confirmation's own timer may fire a little early.
constexpr Tick kConfirmAtLeastMs = RampWatch::kConfirmMs * 5 / 6;

Ramp MakeIdentity() {
    Ramp ramp{};
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint16_t>(i % 256 * 257);
    return ramp;
}

}  // namespace

bool IsCloseTo(const Ramp& read, const Ramp& other) {
    for (std::size_t i = 0; i < read.size(); ++i)
        if (std::abs(int{read[i]} - int{other[i]}) > kRampTolerance) return false;
    return true;
}

const Ramp& IdentityRamp() {
    static const Ramp identity = MakeIdentity();
    return identity;
}

RampKind ClassifyRamp(const Ramp& read, const std::optional<Ramp>& ours) {
    if (ours && IsCloseTo(read, *ours)) return RampKind::Ours;
    if (IsCloseTo(read, IdentityRamp())) return RampKind::Identity;
    return RampKind::Foreign;
}

WatchDecision RampWatch::Read(const Ramp& read, Tick now) {
    const RampKind kind = ClassifyRamp(read, ours_);
    if (kind == RampKind::Identity) return ResetSeen(now);
    resetSeenAt_.reset();
    if (kind == RampKind::Ours) {
        foreignNoted_ = false;
        return {};
    }
    // Before our first apply there is nothing to tell our calibration, loaded
    // at logon, from another program's ramp: what is there is taken as ours
    // and kept; when it is reset, ours is put back and read back.
    if (!ours_) {
        ours_ = read;
        return {};
    }
    if (foreignNoted_) return {};
    foreignNoted_ = true;
    return {WatchStep::None, WatchNote::ForeignSeen};
}

WatchDecision RampWatch::ResetSeen(Tick now) {
    if (backoff_.Paused(now)) {
        resetSeenAt_.reset();
        return {};
    }
    if (!resetSeenAt_) {
        resetSeenAt_ = now;
        return {WatchStep::Confirm};
    }
    if (now - *resetSeenAt_ < kConfirmAtLeastMs) return {};
    resetSeenAt_.reset();
    foreignNoted_ = false;
    const Tick pauseMs = backoff_.Restored(now);
    return {WatchStep::Apply, pauseMs ? WatchNote::BackingOff : WatchNote::None, pauseMs};
}

}  // namespace companions
