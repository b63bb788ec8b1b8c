// The values the wizard stores under HKEY_CURRENT_USER "Software\Brightvale\Lumora"
// that the companions act on. They are read afresh at every use, so a new
// calibration is picked up without restarting anything.
#pragma once

#include <cstdint>

namespace companions {

enum class Stored { Present, Missing, Invalid };

struct StoredGammas {
    Stored status = Stored::Missing;  // Present only if all three are usable
    std::uint32_t red = 0, green = 0, blue = 0;
};

// The three channel gammas. Each must be a 4-byte REG_DWORD within 140..310;
// the first value (red, green, blue) that is not decides the status.
StoredGammas ReadStoredGammas();

struct ReminderSettings {
    std::uint32_t interval = 0;  // days; 0: no reminder
    std::uint32_t date = 0;      // YYYYMMDD on which to remind; 0: not set
};

// A missing or unusable RemindInterval reads as 0 (no reminder); an unusable
// RemindDate as 0.
ReminderSettings ReadReminderSettings();

// "WatchRamp", a REG_DWORD: 0 turns the watch of the ramp off (for a night
// light that sets the identity, say); missing or anything else leaves it on.
bool ReadWatchRamp();

}  // namespace companions
