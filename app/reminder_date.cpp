#include "app/reminder_date.h"

#include <ctime>

// The arithmetic below must not wrap in 2038.
static_assert(sizeof(std::time_t) == 8, "a 64-bit time_t is needed");

bool LocalDate(std::int64_t seconds, CalendarDate& date) {
    const std::time_t time = seconds;
    const std::tm* local = std::localtime(&time);
    if (!local) return false;
    date = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
    return true;
}

std::int64_t SecondsSince1970() { return std::time(nullptr); }

std::uint32_t RemindDateFor(std::int64_t now, std::uint32_t interval, DateConversion toDate) {
    constexpr std::int64_t kSecondsPerDay = 86400;
    CalendarDate date{};
    if (!toDate(now + std::int64_t{interval} * kSecondsPerDay, date) || date.year < 0 || date.year > 9999) return 0;
    return std::uint32_t(date.year) * 10000 + std::uint32_t(date.month) * 100 + std::uint32_t(date.day);
}
