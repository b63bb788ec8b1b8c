// The resume program's two decisions at start: was it started right after
// Save, and is a reminder due.
#include <gtest/gtest.h>

#include "companions/reminder.h"
#include "companions/resume_arguments.h"

namespace {

using companions::IsReminderDue;
using companions::IsStartedAfterSave;

TEST(StartedAfterSave, IsTheSingleSpaceArgumentHoweverItWasPassed) {
    struct Case {
        const char* commandLine;
        bool afterSave;
    } cases[] = {
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\" \" \"", true},
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\"  ", true},
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\" ", true},
        {"C:\\Programs\\Lumora\\LumoraResume.exe  ", true},
        {" ", true},  // " " given as the whole command line
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\" \" \"  ", true},
        // Started at logon from the Run entry.
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\"", false},
        {"C:\\Programs\\Lumora\\LumoraResume.exe", false},
        {"C:\\Program Files\\Lumora\\LumoraResume.exe", false},
        // Anything else.
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\" x", false},
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\" \"\"", false},
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\" \"  \"", false},
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe\" \" \" x", false},
        {"\"C:\\Programs\\Lumora\\LumoraResume.exe", false},
        {"", false},
        {nullptr, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsStartedAfterSave(c.commandLine), c.afterSave) << (c.commandLine ? c.commandLine : "(null)");
}

TEST(ReminderDue, WhenAnIntervalIsSetAndItsDateHasCome) {
    constexpr std::uint32_t today = 20090108;
    struct Case {
        std::uint32_t interval, date;
        bool due;
    } cases[] = {
        {14, 20090108, true},  {14, 20081225, true},  {7, 0, true},     {5, 20090107, true},
        {14, 20090109, false}, {30, 20100101, false}, {0, 0, false},    {0, 20090101, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsReminderDue({c.interval, c.date}, today), c.due) << c.interval << " days, date " << c.date;
}

}  // namespace
