#include "app/reminder_choices.h"

#include <iterator>

int ReminderIndexOf(std::uint32_t interval) {
    for (int index = 0; index < int(std::size(kReminderChoices)); ++index)
        if (kReminderChoices[index].days == interval) return index;
    return -1;
}

std::uint32_t ReminderIntervalAt(int index, std::uint32_t unchanged) {
    if (index < 0 || index >= int(std::size(kReminderChoices))) return unchanged;
    return kReminderChoices[index].days;
}
