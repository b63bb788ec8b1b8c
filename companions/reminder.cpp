#include "companions/reminder.h"

#include <windows.h>

namespace companions {

std::uint32_t Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear * 10000u + now.wMonth * 100u + now.wDay;
}

bool IsReminderDue(const ReminderSettings& reminder, std::uint32_t today) {
    return reminder.interval != 0 && today >= reminder.date;
}

}  // namespace companions
