// LumoraResume.exe running from a folder that holds the recording stand-in as
// its PLX.dll, driven from here as the system would drive it: the broadcasts
// go to its hidden window, found by class name; the reminder is found by its
// own dialog class. Its applies are runs of the loader next to it, which end
// on their own: the tests wait for them before they look at the calls.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "companion_sandbox.h"
#include "process_usage.h"
#include "companions/reminder_dialog.h"
#include "companions/resume_exit.h"
#include "companions/resume_window.h"

namespace {

using namespace companion_test;
using companions::kReminderClass;
using companions::kResumeAlreadyRunning;
using companions::kResumeEnded;
using companions::kResumeWindowClass;

const std::vector<std::string> kOneApply = {"1 150 220 300"};
constexpr char kAfterSave[] = " \" \"";  // the single-space argument, quoted

struct Event {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
// What may have reset the display's ramp.
constexpr Event kResets[] = {
    {"resume, automatic", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0},
    {"resume by the user", WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0},
    {"unlock", WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1},
    {"display change", WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024)},
};
constexpr Event kDisplayChange = kResets[3];

// The id of a LumoraLoader.exe that `parent` started and that still runs, or 0.
DWORD RunningLoader(DWORD parent) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parent && lstrcmpiA(entry.szExeFile, "LumoraLoader.exe") == 0)
            found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

// With LUMORA_SCREENSHOT_SYNC naming a folder (tests/e2e/reminder_screenshot.sh),
// says there that the reminder is up, and keeps it up until the picture is taken.
void HoldForScreenshot() {
    char folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LUMORA_SCREENSHOT_SYNC", folder, sizeof folder);
    if (!length || length >= sizeof folder) return;
    const std::string sync = std::string(folder) + "\\";
    const HANDLE shown = CreateFileA((sync + "shown").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (shown != INVALID_HANDLE_VALUE) CloseHandle(shown);
    for (DWORD waited = 0; !Exists(sync + "taken") && waited < kPatienceMs; waited += 100) Sleep(100);
}

class Resume : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(sandbox_.ready());
        ASSERT_TRUE(EndLeftoverResume(kResumeWindowClass));
        settings_.SetDword("RedGamma", 150);
        settings_.SetDword("GreenGamma", 220);
        settings_.SetDword("BlueGamma", 300);
        StoreReminder(0, 0);
    }

    void TearDown() override {
        if (HWND window = FindWindowA(kResumeWindowClass, nullptr)) Send(window, WM_ENDSESSION, TRUE, 0);
        if (resume_) resume_->WaitForExit();
    }

    void StoreReminder(DWORD interval, DWORD date) {
        settings_.SetDword("RemindInterval", interval);
        settings_.SetDword("RemindDate", date);
    }

    // Starts the program and waits for its hidden window.
    HWND Start(const std::string& arguments = "") {
        resume_ = std::make_unique<Process>(sandbox_.Path("LumoraResume.exe"), arguments);
        HWND window = WaitForWindow(kResumeWindowClass, nullptr);
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        EXPECT_EQ(owner, resume_->id());
        return window;
    }

    static LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kPatienceMs, &result));
        return LRESULT(result);
    }
    static LRESULT Send(HWND window, const Event& e) { return Send(window, e.message, e.wParam, e.lParam); }

    // Until no loader runs and none follows: a request that came while one
    // ran starts the next run within the program's 20 ms watch of it.
    bool WaitForApplies() const {
        constexpr DWORD kQuietMs = 200;
        DWORD quietSince = GetTickCount();
        for (const DWORD start = quietSince; GetTickCount() - start < kPatienceMs; Sleep(5)) {
            if (RunningLoader(resume_->id()))
                quietSince = GetTickCount();
            else if (GetTickCount() - quietSince >= kQuietMs)
                return true;
        }
        return false;
    }

    static HWND Reminder() {
        HWND reminder = FindWindowA(kReminderClass, "Lumora");
        return reminder && IsWindowVisible(reminder) ? reminder : nullptr;
    }

    Sandbox sandbox_;
    RegistryValues settings_{kSettingsKey};
    std::unique_ptr<Process> resume_;
};

TEST_F(Resume, ASecondInstanceExitsAtOnce) {
    HWND first = Start();
    ASSERT_NE(first, nullptr);
    Process second(sandbox_.Path("LumoraResume.exe"), "");
    EXPECT_EQ(second.WaitForExit(), DWORD(kResumeAlreadyRunning));
    EXPECT_TRUE(IsWindow(first));
    EXPECT_TRUE(sandbox_.Calls().empty());
}

TEST_F(Resume, ReappliesOnceForEachWakeUnlockAndDisplayChange) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    for (const auto& e : kResets) {
        const std::size_t before = sandbox_.Calls().size();
        Send(window, e);
        ASSERT_TRUE(WaitForApplies()) << e.what;
        const auto calls = sandbox_.Calls();
        ASSERT_EQ(calls.size(), before + 1) << e.what;
        EXPECT_EQ(calls.back(), kOneApply.front()) << e.what;
    }
}

TEST_F(Resume, LeavesTheDisplayAloneOnSuspendAndLock) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Send(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0), TRUE);
    Send(window, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    Send(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    Send(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOGON, 1);
    ASSERT_TRUE(WaitForApplies());
    EXPECT_TRUE(sandbox_.Calls().empty());
}

// A calibration saved while the program runs is the one it puts back.
TEST_F(Resume, ReappliesWhatIsStoredAtThatMoment) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    settings_.SetDword("RedGamma", 160);
    Send(window, kDisplayChange);
    ASSERT_TRUE(WaitForApplies());
    settings_.SetDword("BlueGamma", 400);
    Send(window, kDisplayChange);
    ASSERT_TRUE(WaitForApplies());
    EXPECT_EQ(sandbox_.Calls(), std::vector<std::string>{"1 160 220 300"});
}

// A display that flaps sends changes faster than a loader runs: they are
// served by one run after another, not one each, and the last run puts back
// what is stored once they have stopped.
TEST_F(Resume, ABurstOfDisplayChangesEndsWithTheStoredValues) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    for (int change = 0; change < 50; ++change) {
        if (change == 25) settings_.SetDword("RedGamma", 160);
        Send(window, kDisplayChange);
    }
    ASSERT_TRUE(WaitForApplies());
    const auto calls = sandbox_.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_LE(calls.size(), 3u);
    EXPECT_EQ(calls.back(), "1 160 220 300");
}

// Without the loader nothing is applied, and the program goes on.
TEST_F(Resume, WithoutItsLoaderAppliesNothingUntilItIsBack) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    sandbox_.Delete("LumoraLoader.exe");
    Send(window, kDisplayChange);
    ASSERT_TRUE(WaitForApplies());
    EXPECT_TRUE(sandbox_.Calls().empty());
    ASSERT_TRUE(sandbox_.Copy(BinFolder() + "LumoraLoader.exe", "LumoraLoader.exe"));
    Send(window, kDisplayChange);
    ASSERT_TRUE(WaitForApplies());
    EXPECT_EQ(sandbox_.Calls(), kOneApply);
}

// A session of weeks, in under a minute, with the real engine: wakes, unlocks
// and display changes a little faster than the loader runs leave the
// program's memory, handles and GDI/USER objects where they were.
TEST_F(Resume, StaysFlatOverThousandsOfResets) {
    ASSERT_TRUE(sandbox_.Copy(BinFolder() + "PLX.dll", "PLX.dll"));
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    int runs = 0;
    const auto drive = [&](int resets) {
        for (DWORD reset = 0, last = 0; reset < DWORD(resets); ++reset, Sleep(10)) {
            Send(window, kResets[reset % std::size(kResets)]);
            const DWORD loader = RunningLoader(resume_->id());
            runs += loader && loader != last;
            last = loader;
        }
        return WaitForApplies();
    };
    ASSERT_TRUE(drive(50));  // what the first runs leave behind stays for good
    const auto before = soak::UsageOf(resume_->id(), sandbox_.Path("LumoraResume.exe"));
    ASSERT_GT(before.residentKb, 0);
    runs = 0;
    ASSERT_TRUE(drive(2000));
    const auto after = soak::UsageOf(resume_->id(), sandbox_.Path("LumoraResume.exe"));
    std::cout << "2000 resets, " << runs << " loader runs with the real engine\n  before: " << before
              << "\n  after:  " << after << std::endl;
    EXPECT_GE(runs, 100) << "too few applies for a soak";
    EXPECT_LE(after.residentKb, before.residentKb + 1024);
    EXPECT_LE(after.handles, before.handles + 8);
    if (before.guiObjects && after.guiObjects) {
        EXPECT_LE(*after.guiObjects, *before.guiObjects + 8);
    }
}

TEST_F(Resume, EndsCleanlyAtLogoff) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Send(window, WM_QUERYENDSESSION, 0, 0), TRUE);
    Send(window, WM_ENDSESSION, FALSE, 0);  // the logoff was cancelled
    EXPECT_FALSE(resume_->WaitForExit(200));
    Send(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(resume_->WaitForExit(), DWORD(kResumeEnded));
    EXPECT_TRUE(sandbox_.Calls().empty());
    // The session is free again for the next one.
    EXPECT_NE(Start(), nullptr);
}

// The installer closes the program before it replaces the files: an apply
// under way is finished first, as the engine's files are in use until then.
TEST_F(Resume, EndsOnlyOnceItsApplyIsDone) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    Send(window, kDisplayChange);
    Send(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(resume_->WaitForExit(), DWORD(kResumeEnded));
    EXPECT_EQ(sandbox_.Calls(), kOneApply);
}

TEST_F(Resume, RemindsWhenTheDateHasCome) {
    struct Case {
        const char* what;
        DWORD interval;
        DWORD date;
        const char* arguments;
        bool shown;
    } cases[] = {
        {"date is today", 7, LocalDateIn(0), "", true},
        {"date has passed", 14, LocalDateIn(-3), "", true},
        {"no date yet", 2, 0, "", true},
        {"date is tomorrow", 7, LocalDateIn(1), "", false},
        {"no reminder chosen", 0, 0, "", false},
        {"right after Save, quoted space", 7, LocalDateIn(0), kAfterSave, false},
        {"right after Save, bare space", 7, LocalDateIn(0), "  ", false},
    };
    for (const auto& c : cases) {
        StoreReminder(c.interval, c.date);
        HWND window = Start(c.arguments);
        ASSERT_NE(window, nullptr) << c.what;
        EXPECT_EQ(Reminder() != nullptr, c.shown) << c.what;
        Send(window, WM_ENDSESSION, TRUE, 0);
        EXPECT_EQ(resume_->WaitForExit(), DWORD(kResumeEnded)) << c.what;
    }
}

TEST_F(Resume, LaterOnlyClosesTheReminder) {
    StoreReminder(7, LocalDateIn(-1));
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    HWND reminder = Reminder();
    ASSERT_NE(reminder, nullptr);
    HoldForScreenshot();
    Send(GetDlgItem(reminder, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntilGone(kReminderClass, nullptr));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(resume_->WaitForExit(200));
    const DWORD date = LocalDateIn(-1);
    EXPECT_EQ(settings_.Read("RemindDate"), std::vector<BYTE>(reinterpret_cast<const BYTE*>(&date),
                                                               reinterpret_cast<const BYTE*>(&date) + 4));
    EXPECT_FALSE(Exists(sandbox_.Path("record.log")));
}

TEST_F(Resume, EscapeMeansLater) {
    StoreReminder(7, 0);
    ASSERT_NE(Start(), nullptr);
    HWND reminder = Reminder();
    ASSERT_NE(reminder, nullptr);
    PostMessageA(GetDlgItem(reminder, 1001), WM_KEYDOWN, VK_ESCAPE, 0);  // the focused control
    EXPECT_TRUE(WaitUntilGone(kReminderClass, nullptr));
}

// "Calibrate now" starts the Lumora.exe next to the program. A copy of the
// loader stands in for the wizard here: its one call shows that it ran.
TEST_F(Resume, NowStartsLumoraFromItsOwnFolder) {
    ASSERT_TRUE(sandbox_.Copy(BinFolder() + "LumoraLoader.exe", "Lumora.exe"));
    StoreReminder(30, LocalDateIn(0));
    ASSERT_NE(Start(), nullptr);
    HWND reminder = Reminder();
    ASSERT_NE(reminder, nullptr);
    Send(GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntilGone(kReminderClass, nullptr));
    EXPECT_EQ(sandbox_.WaitForCalls(1), kOneApply);
}

TEST_F(Resume, EndsCleanlyAtLogoffWhileReminding) {
    StoreReminder(7, 0);
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(Reminder(), nullptr);
    Send(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(resume_->WaitForExit(), DWORD(kResumeEnded));
    EXPECT_EQ(FindWindowA(kReminderClass, nullptr), nullptr);
}

}  // namespace
