#include "app/reminder_date.h"

#include <ctime>

namespace {

// Times must not wrap in 2038. The 32-bit Windows C library keeps a 32-bit
// time_t and names its 64-bit functions apart.
#ifdef _WIN32
using Time64 = __time64_t;
const std::tm* LocalTime(const Time64* time) { return _localtime64(time); }
Time64 Now() { return _time64(nullptr); }
#else
using Time64 = std::time_t;
static_assert(sizeof(Time64) == 8, "a 64-bit time_t is needed");
const std::tm* LocalTime(const Time64* time) { return std::localtime(time); }
Time64 Now() { return std::time(nullptr); }
#endif

}  // namespace

bool LocalDate(std::int64_t seconds, CalendarDate& date) {
    const Time64 time = seconds;
    const std::tm* local = LocalTime(&time);
    if (!local) return false;
    date = {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
    return true;
}

std::int64_t SecondsSince1970() { return Now(); }

std::uint32_t RemindDateFor(std::int64_t now, std::uint32_t interval, DateConversion toDate) {
    constexpr std::int64_t kSecondsPerDay = 86400;
    CalendarDate date{};
    if (!toDate(now + std::int64_t{interval} * kSecondsPerDay, date) || date.year < 0 || date.year > 9999) return 0;
    return std::uint32_t(date.year) * 10000 + std::uint32_t(date.month) * 100 + std::uint32_t(date.day);
}
