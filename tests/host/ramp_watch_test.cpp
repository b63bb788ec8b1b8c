// What the resume program makes of the ramps it reads: ours, a reset to the
// identity, or another program's; and when resets keep coming, backing off.
#include "companions/ramp_watch.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

namespace companions {
namespace {

// A calibration as a driver that keeps 8 bits reads it back.
Ramp Calibrated() {
    Ramp ramp = IdentityRamp();
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint16_t>(ramp[i] / 3 * 2 >> 8 << 8);
    return ramp;
}

// A night light's warm ramp: blue held well below the identity.
Ramp Warm() {
    Ramp ramp = IdentityRamp();
    for (std::size_t i = 512; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint16_t>(ramp[i] / 2);
    return ramp;
}

Ramp Shifted(Ramp ramp, std::size_t entry, int by) {
    ramp[entry] = static_cast<std::uint16_t>(ramp[entry] + by);
    return ramp;
}

TEST(ClassifyRamp, OursThenTheIdentityEachWithinTwoLevelsOfEveryEntry) {
    const Ramp ours = Calibrated();
    const Ramp identity = IdentityRamp();
    struct Case {
        const char* what;
        Ramp read;
        std::optional<Ramp> ours;
        RampKind kind;
    } cases[] = {
        {"ours as read back", ours, ours, RampKind::Ours},
        {"ours, one entry 512 up", Shifted(ours, 300, 512), ours, RampKind::Ours},
        {"ours, one entry 512 down", Shifted(ours, 300, -512), ours, RampKind::Ours},
        {"ours, the last entry 513 down", Shifted(ours, 767, -513), ours, RampKind::Foreign},
        {"ours, the first green entry 513 up", Shifted(ours, 256, 513), ours, RampKind::Foreign},
        {"the identity", identity, ours, RampKind::Identity},
        {"the identity, 8 bits kept", Shifted(identity, 128, -128), ours, RampKind::Identity},
        {"the identity, one entry 512 up", Shifted(identity, 1, 512), ours, RampKind::Identity},
        {"the identity, one entry 513 down", Shifted(identity, 700, -513), ours, RampKind::Foreign},
        {"a night light", Warm(), ours, RampKind::Foreign},
        {"a calibration of gamma 2.2 is the identity, and ours", identity, identity, RampKind::Ours},
        {"nothing of ours yet: the identity", identity, std::nullopt, RampKind::Identity},
        {"nothing of ours yet: anything else", ours, std::nullopt, RampKind::Foreign},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyRamp(c.read, c.ours), c.kind) << c.what;
}

TEST(RestoreBackoff, MoreThanThreeRestoresInAMinutePauseTenMinutesThenTwiceAsLongEachTime) {
    constexpr Tick kMinute = 60 * 1000;
    constexpr Tick kStart = 0xFFFF0000u;  // the tick count wraps during the run
    struct Step {
        Tick at;  // after kStart
        bool paused;
        Tick pauseBegun;
    } steps[] = {
        {0, false, 0},
        {20000, false, 0},
        {40000, false, 0},
        {kMinute, false, 0},  // the first has left the minute
        {kMinute + 10000, false, 10 * kMinute},
        {kMinute + 20000, true, 0},
        {11 * kMinute + 9999, true, 0},
        {11 * kMinute + 10000, false, 0},  // the count starts afresh
        {11 * kMinute + 11000, false, 0},
        {11 * kMinute + 12000, false, 0},
        {11 * kMinute + 13000, false, 20 * kMinute},
        {31 * kMinute + 13000, false, 0},
        {31 * kMinute + 14000, false, 0},
        {33 * kMinute, false, 0},
        {33 * kMinute + 1000, false, 0},
        {33 * kMinute + 2000, false, 0},  // the one at 31:14 has left the minute
        {33 * kMinute + 3000, false, 40 * kMinute},
    };
    RestoreBackoff backoff;
    for (const auto& s : steps) {
        const Tick now = kStart + s.at;
        EXPECT_EQ(backoff.Paused(now), s.paused) << "at " << s.at;
        if (!s.paused) {
            EXPECT_EQ(backoff.Restored(now), s.pauseBegun) << "at " << s.at;
        }
    }
}

TEST(RestoreBackoff, ThePauseDoublesUpToADay) {
    RestoreBackoff backoff;
    Tick now = 0, pause = 0;
    std::vector<Tick> pauses;
    for (int fight = 0; fight < 10; ++fight) {
        now += pause;
        for (int restore = 0; restore < 4; ++restore) pause = backoff.Restored(now += 1000);
        pauses.push_back(pause / 60000);
    }
    EXPECT_EQ(pauses, (std::vector<Tick>{10, 20, 40, 80, 160, 320, 640, 1280, 1440, 1440}));
}

TEST(RampWatch, PutsBackConfirmedResetsAndLeavesOtherProgramsRampsAlone) {
    const Ramp ours = Calibrated(), identity = IdentityRamp(), warm = Warm(), warmer = Shifted(Warm(), 600, -4000);
    struct Step {
        Tick at;
        const Ramp* read;
        WatchStep step;
        WatchNote note;
    } steps[] = {
        {0, &ours, WatchStep::None, WatchNote::None},  // before any apply: taken as ours
        {2000, &ours, WatchStep::None, WatchNote::None},
        {4000, &identity, WatchStep::Confirm, WatchNote::None},
        {4100, &identity, WatchStep::None, WatchNote::None},  // too soon to confirm
        {4300, &identity, WatchStep::Apply, WatchNote::None},
        {6000, &ours, WatchStep::None, WatchNote::None},
        // A reset that a driver takes back at once is no reset.
        {8000, &identity, WatchStep::Confirm, WatchNote::None},
        {8300, &ours, WatchStep::None, WatchNote::None},
        {10000, &identity, WatchStep::Confirm, WatchNote::None},
        {10300, &ours, WatchStep::None, WatchNote::None},
        // A night light comes on, changes, stays: noted once, never set.
        {12000, &warm, WatchStep::None, WatchNote::ForeignSeen},
        {14000, &warmer, WatchStep::None, WatchNote::None},
        {16000, &warm, WatchStep::None, WatchNote::None},
        // ... and goes off, leaving the identity: ours comes back.
        {18000, &identity, WatchStep::Confirm, WatchNote::None},
        {18300, &identity, WatchStep::Apply, WatchNote::None},
        {20000, &ours, WatchStep::None, WatchNote::None},
        {22000, &warm, WatchStep::None, WatchNote::ForeignSeen},  // a new occurrence
    };
    RampWatch watch;
    for (const auto& s : steps) {
        const WatchDecision decision = watch.Read(*s.read, s.at);
        EXPECT_EQ(decision.step, s.step) << "at " << s.at;
        EXPECT_EQ(decision.note, s.note) << "at " << s.at;
        if (decision.step == WatchStep::Apply) watch.Applied(ours);
    }
}

// A program that resets the ramp every second, against a read every 2 s and
// a confirmation 0.3 s later, for a minute.
TEST(RampWatch, ResetsEverySecondGetAtMostFiveRestoresAMinuteAndOneBackingOff) {
    const Ramp ours = Calibrated();
    RampWatch watch;
    watch.Applied(ours);
    Ramp display = ours;
    int restores = 0, backingOff = 0;
    Tick confirmAt = 0;  // none
    for (Tick now = 1; now <= 60000; ++now) {
        if (now % 1000 == 0) display = IdentityRamp();
        if (now % 2000 != 0 && now != confirmAt) continue;
        const WatchDecision decision = watch.Read(display, now);
        confirmAt = decision.step == WatchStep::Confirm ? now + RampWatch::kConfirmMs : 0;
        if (decision.note == WatchNote::BackingOff) ++backingOff;
        if (decision.step != WatchStep::Apply) continue;
        ++restores;
        display = ours;
        watch.Applied(ours);
    }
    EXPECT_LE(restores, 5);
    EXPECT_GE(restores, 1);
    EXPECT_EQ(backingOff, 1);
}

}  // namespace
}  // namespace companions
