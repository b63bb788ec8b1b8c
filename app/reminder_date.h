// The date on which to remind: a local calendar date as the decimal number
// year * 10000 + month * 100 + day, the form the companions read.
#pragma once

#include <cstdint>

struct CalendarDate {
    int year;
    int month;  // 1 to 12
    int day;    // 1 to 31
};

// Converts seconds since 1 January 1970 UTC to a calendar date; false when
// the time cannot be converted.
using DateConversion = bool (*)(std::int64_t seconds, CalendarDate& date);

// The local date of `seconds`, by the C library's local time.
bool LocalDate(std::int64_t seconds, CalendarDate& date);

// Now, in seconds since 1 January 1970 UTC.
std::int64_t SecondsSince1970();

// The date `interval` days after `now`, converted by `toDate`. A time that
// cannot be converted gives 0, and so does a year of more than four digits,
// which the decimal form cannot hold.
std::uint32_t RemindDateFor(std::int64_t now, std::uint32_t interval, DateConversion toDate = LocalDate);
