// The reminder intervals offered on the intro page, in list order.
#pragma once

#include <cstdint>

struct ReminderChoice {
    const char* text;  // the list item's data: it lives as long as the program
    std::uint32_t days;
};

inline constexpr ReminderChoice kReminderChoices[] = {
    // text, interval in days
    {"Don't remind me", 0}, {"Two days", 2}, {"One week", 7}, {"Two weeks", 14}, {"One month", 30},
};

// The list index that stands for `interval`, or -1 (no selection) for a
// stored interval that is none of the choices.
int ReminderIndexOf(std::uint32_t interval);

// The interval of the list's selection `index`; with no selection the interval
// read at start, `unchanged`, stays.
std::uint32_t ReminderIntervalAt(int index, std::uint32_t unchanged);
