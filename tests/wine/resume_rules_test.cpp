// The resume program's decisions at start (was it started right after Save, is
// a reminder due), and its log of what it did.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "companions/action_log.h"
#include "companions/reminder.h"
#include "companions/resume_arguments.h"

namespace {

using companions::ActionLog;
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

std::string Contents(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Thousands of actions in a folder whose name the ANSI code page may not spell:
// the log and the one before it stay under the limit together, and the last
// line is the last action, whole.
TEST(ActionLog, RotatesToStayUnderItsLimit) {
    wchar_t temp[MAX_PATH];
    ASSERT_TRUE(GetTempPathW(MAX_PATH, temp));
    const std::wstring folder = std::wstring(temp) + L"lumora-log-\u0418\u0432\u0430\u043d";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring log = folder + L"\\LumoraResume.log", old = folder + L"\\LumoraResume.old";
    DeleteFileW(log.c_str());
    DeleteFileW(old.c_str());

    ActionLog actions(folder.c_str());
    for (int action = 1; action <= 5000; ++action)
        actions.Write("putting the calibration back failed: the loader ended with exit code %d", action);

    const std::string current = Contents(log), before = Contents(old);
    EXPECT_LT(current.size() + before.size(), ActionLog::kLimitBytes);
    EXPECT_GT(before.size(), ActionLog::kLimitBytes / 2 - 100);
    EXPECT_TRUE(current.ends_with(" exit code 5000\r\n"));
    EXPECT_EQ(current.find(" exit code 1\r\n"), std::string::npos);
    EXPECT_EQ(current[4], '-');  // 2026-12-09 06:15:42, then two spaces
    EXPECT_EQ(current.substr(19, 2), "  ");
    DeleteFileW(log.c_str());
    DeleteFileW(old.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
