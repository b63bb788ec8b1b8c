// The introduction page of Lumora.exe under Wine: the reminder list, the
// stored reminder it shows and creates, and the reminder Save stores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/page_session.h"

namespace {

using e2e::kSettingsKey;
using e2e::LocalDateIn;
using e2e::PageSession;
using e2e::StoredDword;

constexpr const char* kItems[] = {"Don't remind me", "Two days", "One week", "Two weeks", "One month"};

class IntroPage : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(wizard_.ready());
    }
    HWND List() const { return GetDlgItem(wizard_.Page(IDD_INTRO_PAGE), IDC_REMINDER_LIST); }
    int Selection() const { return int(SendMessageA(List(), CB_GETCURSEL, 0, 0)); }
    // An item's data is the address of its text in the program.
    std::string ItemText(int index) const {
        const auto address = SendMessageA(List(), CB_GETITEMDATA, index, 0);
        DWORD id = 0;
        GetWindowThreadProcessId(List(), &id);
        HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, id);
        char text[64] = {};
        SIZE_T read = 0;
        if (process) {
            ReadProcessMemory(process, reinterpret_cast<const void*>(address), text, sizeof text - 1, &read);
            CloseHandle(process);
        }
        return text;
    }
    // No settings key at all, as for a user who never ran the program.
    void RemoveSettings() {
        for (const char* name : {"RemindInterval", "RemindDate", "RedGamma", "GreenGamma", "BlueGamma",
                                 "DefaultProfileName", "DefaultProfilePath"})
            wizard_.settings().Remove(name);
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    }
    // Through every page to Save, and the wizard's end.
    void Save() {
        ASSERT_TRUE(wizard_.OpenGammaPage());
        ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
        ASSERT_TRUE(wizard_.OpenSavePage());
        ASSERT_TRUE(wizard_.Click(IDC_SAVE));
        ASSERT_TRUE(wizard_.WaitForEnd());
        wizard_.WaitForResumeStart();
    }
    // Saves, expecting `interval` and the date that many days ahead.
    void ExpectSavedReminder(DWORD interval) {
        const DWORD before = LocalDateIn(int(interval));
        Save();
        const DWORD after = LocalDateIn(int(interval));
        EXPECT_EQ(StoredDword(kSettingsKey, "RemindInterval"), interval);
        const auto date = StoredDword(kSettingsKey, "RemindDate");
        ASSERT_TRUE(date.has_value());
        EXPECT_TRUE(*date == before || *date == after) << *date << " is not " << before;
    }

    PageSession wizard_;
};

TEST_F(IntroPage, ListsTheFiveIntervalsAsTexts) {
    ASSERT_TRUE(wizard_.Start());
    ASSERT_EQ(SendMessageA(List(), CB_GETCOUNT, 0, 0), 5);
    for (int index = 0; index < 5; ++index) EXPECT_EQ(ItemText(index), kItems[index]) << index;
    EXPECT_TRUE(wizard_.Exit());
}

TEST_F(IntroPage, FirstRunStoresNoReminderAndSelectsDontRemindMe) {
    RemoveSettings();
    ASSERT_TRUE(wizard_.Start());
    EXPECT_EQ(StoredDword(kSettingsKey, "RemindDate"), 0u);
    EXPECT_EQ(StoredDword(kSettingsKey, "RemindInterval"), 0u);
    EXPECT_EQ(Selection(), 0);
    EXPECT_TRUE(wizard_.Exit());
}

// What the page shows for a stored interval; a read interval is not written
// back, and RemindDate is neither read nor written at start.
struct StoredInterval {
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
    int selection;
    bool storedAnew;  // the start wrote RemindInterval 0 and RemindDate 0
    std::optional<DWORD> intervalAfterStart;  // as a REG_DWORD
};
void PrintTo(const StoredInterval& stored, std::ostream* out) { *out << stored.name; }

class ShownInterval : public IntroPage, public ::testing::WithParamInterface<StoredInterval> {};

TEST_P(ShownInterval, SelectsItsItemOrNone) {
    const StoredInterval& stored = GetParam();
    wizard_.settings().Remove("RemindInterval");
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "RemindInterval", 0, stored.type, stored.data.data(), DWORD(stored.data.size()));
    RegCloseKey(key);
    wizard_.settings().SetDword("RemindDate", 12345678);

    ASSERT_TRUE(wizard_.Start());
    EXPECT_EQ(Selection(), stored.selection);
    EXPECT_EQ(StoredDword(kSettingsKey, "RemindInterval"), stored.intervalAfterStart);
    EXPECT_EQ(StoredDword(kSettingsKey, "RemindDate"), stored.storedAnew ? 0u : 12345678u);
    EXPECT_TRUE(wizard_.Exit());
}

std::vector<BYTE> Dword(DWORD value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    // cppcheck-suppress returnDanglingLifetime ; the vector copies the bytes
    return {bytes, bytes + 4};
}

INSTANTIATE_TEST_SUITE_P(
    Stored, ShownInterval,
    ::testing::Values(StoredInterval{"OneWeek", REG_DWORD, Dword(7), 2, false, 7},
                      StoredInterval{"OneMonth", REG_DWORD, Dword(30), 4, false, 30},
                      StoredInterval{"DontRemind", REG_DWORD, Dword(0), 0, false, 0},
                      StoredInterval{"FiveDays", REG_DWORD, Dword(5), -1, false, 5},
                      // At most four bytes are read, whatever the type.
                      StoredInterval{"OneByteOfTwoWeeks", REG_BINARY, {14}, 3, false, std::nullopt},
                      // Longer data cannot be read: as on a first run.
                      StoredInterval{"EightBytes", REG_BINARY, {2, 0, 0, 0, 0, 0, 0, 0}, 0, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IntroPage, SaveKeepsAnIntervalNoItemStandsFor) {
    wizard_.settings().SetDword("RemindInterval", 5);
    ASSERT_TRUE(wizard_.Start());
    ASSERT_EQ(Selection(), -1);
    ExpectSavedReminder(5);
}

// Chosen with the keyboard, as a user does with the list closed.
TEST_F(IntroPage, SaveStoresTheChosenIntervalAndItsDate) {
    wizard_.settings().SetDword("RemindInterval", 0);
    ASSERT_TRUE(wizard_.Start());
    for (int step = 0; step < 3; ++step) {
        wizard_.Post(List(), WM_KEYDOWN, VK_DOWN, 1);
        wizard_.Post(List(), WM_KEYUP, VK_DOWN, 0xC0000001);
    }
    ASSERT_EQ(Selection(), 3);
    // The choice counts only on Save.
    EXPECT_EQ(StoredDword(kSettingsKey, "RemindInterval"), 0u);
    ExpectSavedReminder(14);
}

// The date of an interval of 0 days: today.
TEST_F(IntroPage, SaveWithDontRemindMeStoresTodaysDate) {
    wizard_.settings().SetDword("RemindInterval", 30);
    ASSERT_TRUE(wizard_.Start());
    wizard_.Post(List(), WM_KEYDOWN, VK_HOME, 1);
    ASSERT_EQ(Selection(), 0);
    ExpectSavedReminder(0);
}

}  // namespace
