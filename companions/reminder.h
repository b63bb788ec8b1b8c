// When the resume program reminds the user to calibrate again.
#pragma once

#include <cstdint>

#include "companions/settings.h"

namespace companions {

// Today's local date as YYYYMMDD, the form of RemindDate.
std::uint32_t Today();

// Due when an interval is set and its date has come; a date of 0 (no save
// has set one yet) counts as come.
bool IsReminderDue(const ReminderSettings& reminder, std::uint32_t today);

}  // namespace companions
