// What the resume program makes of each read of the display's gamma ramp.
// Ours is what the display read back after our last apply, never a ramp
// computed from the gammas: drivers keep fewer bits than they are given.
//
// - close to ours: in force, nothing to do;
// - close to the identity: a reset (by the system, a driver, a program that
//   ended). Confirmed by a second read a moment later, since some drivers
//   pass through the identity while they load a ramp; then put back;
// - anything else: another program's deliberate ramp (a night light, a game,
//   a video player), left alone until the ramp returns to the identity.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "companions/restore_backoff.h"

namespace companions {

// Red, green, blue, 256 entries each: the layout of the system's ramp calls.
using Ramp = std::array<std::uint16_t, 768>;

enum class RampKind { Ours, Identity, Foreign };

// Within two 8-bit levels of each entry.
constexpr int kRampTolerance = 2 * 256;

bool IsCloseTo(const Ramp& read, const Ramp& other);
const Ramp& IdentityRamp();
// Ours wins over the identity: a calibration of gamma 2.2 is the identity.
RampKind ClassifyRamp(const Ramp& read, const std::optional<Ramp>& ours);

enum class WatchStep {
    None,
    Confirm,  // read again in kConfirmMs
    Apply,    // put the calibration back, then report the read-back to Applied
};

enum class WatchNote {
    None,
    ForeignSeen,  // another program's ramp, once per occurrence
    BackingOff,   // restoring pauses for pauseMs
};

struct WatchDecision {
    WatchStep step = WatchStep::None;
    WatchNote note = WatchNote::None;
    Tick pauseMs = 0;
};

class RampWatch {
public:
    static constexpr Tick kConfirmMs = 300;

    WatchDecision Read(const Ramp& read, Tick now);
    void Applied(const Ramp& readBack) { ours_ = readBack; }

private:
    WatchDecision ResetSeen(Tick now);

    std::optional<Ramp> ours_;
    std::optional<Tick> resetSeenAt_;  // awaiting confirmation since
    bool foreignNoted_ = false;
    RestoreBackoff backoff_;
};

}  // namespace companions
