// The program's workflow rules that need no window: reminder choices and
// dates, and the companions' paths. (The words for the engine's results are
// checked where the user reads them, in the end-to-end tests.)
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "app/companion_paths.h"
#include "app/reminder_choices.h"
#include "app/reminder_date.h"

namespace {

TEST(ReminderChoices, ListTheFiveIntervalsInOrder) {
    const struct {
        const char* text;
        std::uint32_t days;
    } expected[] = {
        {"Don't remind me", 0}, {"Two days", 2}, {"One week", 7}, {"Two weeks", 14}, {"One month", 30},
    };
    ASSERT_EQ(std::size(kReminderChoices), std::size(expected));
    for (int index = 0; index < int(std::size(expected)); ++index) {
        EXPECT_STREQ(kReminderChoices[index].text, expected[index].text);
        EXPECT_EQ(kReminderChoices[index].days, expected[index].days);
        EXPECT_EQ(ReminderIndexOf(expected[index].days), index);
        EXPECT_EQ(ReminderIntervalAt(index, 5), expected[index].days);
    }
}

TEST(ReminderChoices, OtherIntervalsShowNoSelectionAndAreKept) {
    for (std::uint32_t interval : {1u, 5u, 31u, 0xFFFFFFFFu}) EXPECT_EQ(ReminderIndexOf(interval), -1) << interval;
    EXPECT_EQ(ReminderIntervalAt(-1, 5), 5u);
    EXPECT_EQ(ReminderIntervalAt(5, 5), 5u);
}

// A fixed time zone for the arithmetic: UTC, in 64 bits on every platform.
bool UtcDate(std::int64_t seconds, CalendarDate& date) {
#ifdef _WIN32
    const __time64_t time = seconds;
    const std::tm* utc = _gmtime64(&time);
#else
    const std::time_t time = seconds;
    const std::tm* utc = std::gmtime(&time);
#endif
    if (!utc) return false;
    date = {utc->tm_year + 1900, utc->tm_mon + 1, utc->tm_mday};
    return true;
}

bool NoDate(std::int64_t, CalendarDate&) { return false; }

constexpr std::int64_t kChristmas2008Noon = 1230206400;  // 25 December 2008 12:00 UTC

TEST(RemindDate, CountsWholeDaysFromNow) {
    const struct {
        std::int64_t now;
        std::uint32_t interval;
        std::uint32_t date;
    } cases[] = {
        // now, interval, date
        {kChristmas2008Noon, 14, 20090108},
        {kChristmas2008Noon, 0, 20081225},
        {kChristmas2008Noon, 2, 20081227},
        {kChristmas2008Noon, 5, 20081230},
        {kChristmas2008Noon, 7, 20090101},
        {kChristmas2008Noon, 30, 20090124},
        {1230249599, 0, 20081225},    // the day's last second
        {1230249599, 1, 20081226},
        {2214043200, 2, 20400301},    // 28 February 2040, past 2038, in a leap year
    };
    for (const auto& c : cases) EXPECT_EQ(RemindDateFor(c.now, c.interval, UtcDate), c.date) << c.now << " + " << c.interval;
}

TEST(RemindDate, IsZeroWhenTheDateCannotBeHad) {
    EXPECT_EQ(RemindDateFor(kChristmas2008Noon, 14, NoDate), 0u);
    // Millions of years ahead: no C library converts it, or it has no 8-digit form.
    EXPECT_EQ(RemindDateFor(kChristmas2008Noon, 0xFFFFFFFFu, UtcDate), 0u);
}

TEST(CompanionPaths, AreNamedAfterTheProgram) {
    const struct {
        const wchar_t* program;
        const wchar_t* loader;
        const wchar_t* resume;
    } cases[] = {
        {LR"(C:\Programs\Lumora\Lumora.exe)", LR"(C:\Programs\Lumora\LumoraLoader.exe)",
         LR"(C:\Programs\Lumora\LumoraResume.exe)"},
        {LR"(C:\Programs\Lumora\Lumora)", LR"(C:\Programs\Lumora\LumoraLoader.exe)",
         LR"(C:\Programs\Lumora\LumoraResume.exe)"},
        {LR"(C:\My.Programs\Lumora)", LR"(C:\My.Programs\LumoraLoader.exe)", LR"(C:\My.Programs\LumoraResume.exe)"},
        {LR"(C:\x\Lumora.v2.exe)", LR"(C:\x\Lumora.v2Loader.exe)", LR"(C:\x\Lumora.v2Resume.exe)"},
        {L"Lumora.exe", L"LumoraLoader.exe", L"LumoraResume.exe"},
        // A folder the ANSI code page cannot spell.
        {LR"(C:\users\Иван\Lumora.exe)", LR"(C:\users\Иван\LumoraLoader.exe)", LR"(C:\users\Иван\LumoraResume.exe)"},
    };
    for (const auto& c : cases) {
        const CompanionPaths paths = CompanionPathsFor(c.program);
        EXPECT_EQ(paths.loader, c.loader) << c.program;
        EXPECT_EQ(paths.resume, c.resume) << c.program;
    }
}

}  // namespace
