// Save of Lumora.exe under Wine with each thing it depends on failing in
// turn: the engine's profile operation, the engine itself, the resume
// program, the settings key, the logon key and the profile folder. Save goes
// on past each failure; every stored value is afterwards either the earlier
// run's, whole, or this save's, and the wizard ends. Each case prints its row
// of the matrix: fault, what the user is told, the state left.
#include <aclapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/step4_page.h"
#include "app/workflow_state.h"
#include "tests/e2e/page_session.h"

namespace {

using e2e::kRunKey;
using e2e::kSettingsKey;
using e2e::LocalDateIn;
using e2e::PageSession;
using e2e::StoredDword;
using e2e::StoredString;

constexpr char kSaveCaption[] = "Lumora";
constexpr char kGammaCaption[] = "Tintsprite";

// What an earlier successful save left behind.
constexpr DWORD kEarlierInterval = 7;
constexpr DWORD kEarlierDate = 20090108;
constexpr DWORD kEarlierGamma = 200;
constexpr char kEarlierProfileName[] = "Earlier Monitor.icm";
constexpr char kEarlierProfilePath[] = "C:\\Earlier\\My ICC Profiles\\Earlier Monitor.icm";
constexpr char kEarlierLoader[] = "C:\\Earlier\\LumoraLoader.exe";
constexpr char kEarlierResume[] = "C:\\Earlier\\LumoraResume.exe";

// A key the user may read but no longer write, as an administrator's lock
// leaves it; its own access list is put back at the end.
class WriteDeniedKey {
public:
    explicit WriteDeniedKey(const char* path) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, READ_CONTROL | WRITE_DAC, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD size = 0;
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
        original_.resize(size);
        if (!size || RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, original_.data(), &size) != ERROR_SUCCESS)
            original_.clear();
        denied_ = !original_.empty() && Deny();
    }
    ~WriteDeniedKey() {
        if (denied_) RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, original_.data());
        if (key_) RegCloseKey(key_);
    }
    WriteDeniedKey(const WriteDeniedKey&) = delete;
    WriteDeniedKey& operator=(const WriteDeniedKey&) = delete;

    bool denied() const { return denied_; }

private:
    // Everyone may do all but set values and create subkeys.
    bool Deny() {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return false;
        alignas(ACL) BYTE list[256];
        auto* acl = reinterpret_cast<PACL>(list);
        SECURITY_DESCRIPTOR descriptor;
        const bool set = InitializeAcl(acl, sizeof list, ACL_REVISION) &&
                         AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone) &&
                         AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
                         InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                         SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
                         RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
        FreeSid(everyone);
        return set;
    }

    HKEY key_ = nullptr;
    std::vector<BYTE> original_;
    bool denied_ = false;
};

// Each group of stored values is this save's, the earlier run's, or a mix:
// a mix is a half-written save.
enum class Stored { ThisSave, Earlier, Mixed };

const char* NameOf(Stored stored) {
    switch (stored) {
        case Stored::ThisSave: return "this save's";
        case Stored::Earlier: return "earlier kept";
        default: return "HALF-WRITTEN";
    }
}

Stored Classify(const std::vector<bool>& thisSave, const std::vector<bool>& earlier) {
    if (std::all_of(thisSave.begin(), thisSave.end(), [](bool is) { return is; })) return Stored::ThisSave;
    if (std::all_of(earlier.begin(), earlier.end(), [](bool is) { return is; })) return Stored::Earlier;
    return Stored::Mixed;
}

// What Save left, as the matrix shows it.
struct SaveState {
    Stored reminders, gammas, logonEntries, profileValues;
    bool profileAsked, resumeStarted, ended;

    bool operator==(const SaveState& other) const {
        return reminders == other.reminders && gammas == other.gammas && logonEntries == other.logonEntries &&
               profileValues == other.profileValues && profileAsked == other.profileAsked &&
               resumeStarted == other.resumeStarted && ended == other.ended;
    }
};

std::string Describe(const SaveState& state) {
    return std::string("reminders ") + NameOf(state.reminders) + ", gammas " + NameOf(state.gammas) +
           ", Run entries " + NameOf(state.logonEntries) + ", profile values " + NameOf(state.profileValues) +
           (state.profileAsked ? ", profile asked" : ", no profile call") +
           (state.resumeStarted ? ", resume started" : ", resume not started") +
           (state.ended ? ", wizard ended" : ", WIZARD STILL RUNNING");
}

void PrintTo(const SaveState& state, std::ostream* out) { *out << Describe(state); }

void PrintMatrixRow(const std::string& fault, const std::string& told, const SaveState& state) {
    std::cout << "[ matrix ] " << fault << " | " << told << " | " << Describe(state) << std::endl;
}

std::string DocumentsFolder() {
    char documents[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK) return "";
    return documents;
}

class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(wizard_.ready());
        wizard_.settings().SetDword("RemindInterval", kEarlierInterval);
        wizard_.settings().SetDword("RemindDate", kEarlierDate);
        for (const char* name : {"RedGamma", "GreenGamma", "BlueGamma"})
            wizard_.settings().SetDword(name, kEarlierGamma);
        wizard_.settings().SetString("DefaultProfileName", kEarlierProfileName);
        wizard_.settings().SetString("DefaultProfilePath", kEarlierProfilePath);
        earlierRun_.SetString("PLXLoader", kEarlierLoader);
        earlierRun_.SetString("LumoraResume", kEarlierResume);
    }

    // Through to the save page with a red slider moved one step on, and Save
    // pressed; the gamma page's warning, when one is `expected`, is taken and
    // returned, and otherwise there is none.
    std::optional<std::string> SaveAfterMovingRed(bool expected) {
        if (!wizard_.Start() || !wizard_.OpenGammaPage()) return {};
        const std::optional<std::string> warning = expected ? wizard_.TakeMessage(kGammaCaption) : std::nullopt;
        if (!wizard_.WaitForPage(IDD_STEP2_PAGE)) return {};
        EXPECT_FALSE(wizard_.MessageShown(kGammaCaption));
        wizard_.SliderKey(IDC_RED_SLIDER, VK_RIGHT);
        if (!wizard_.OpenSavePage() || !wizard_.Click(IDC_SAVE)) return {};
        return warning;
    }

    // The state once the wizard has ended; `gammas` are those this save stores.
    SaveState StateAfterSave(DWORD red, DWORD green, DWORD blue, bool expectResume) {
        const DWORD dateBefore = LocalDateIn(int(kEarlierInterval));
        SaveState state{};
        state.ended = wizard_.WaitForEnd();
        const DWORD dateAfter = LocalDateIn(int(kEarlierInterval));
        const auto date = StoredDword(kSettingsKey, "RemindDate");
        const auto interval = StoredDword(kSettingsKey, "RemindInterval");
        state.reminders = Classify({interval == kEarlierInterval && (date == dateBefore || date == dateAfter)},
                                   {interval == kEarlierInterval && date == kEarlierDate});
        const auto r = StoredDword(kSettingsKey, "RedGamma");
        const auto g = StoredDword(kSettingsKey, "GreenGamma");
        const auto b = StoredDword(kSettingsKey, "BlueGamma");
        state.gammas = Classify({r == red, g == green, b == blue},
                                {r == kEarlierGamma, g == kEarlierGamma, b == kEarlierGamma});
        const auto loader = StoredString(kRunKey, "PLXLoader");
        const auto resume = StoredString(kRunKey, "LumoraResume");
        state.logonEntries = Classify(
            {loader == wizard_.sandbox().Path("LumoraLoader.exe"), resume == wizard_.sandbox().Path("LumoraResume.exe")},
            {loader == kEarlierLoader, resume == kEarlierResume});
        state.profileValues = ProfileValues();
        const auto calls = wizard_.Calls();
        state.profileAsked = std::find_if(calls.begin(), calls.end(), [](const std::string& call) {
                                 return call.rfind("2 ", 0) == 0;
                             }) != calls.end();
        // The resume program runs on its own: wait for its record only when
        // there is one to come.
        state.resumeStarted = (expectResume ? wizard_.WaitForResumeStart() : wizard_.ResumeStarts()).size() == 3;
        return state;
    }

    // The profile's name and path, which only the engine writes: the earlier
    // run's, or a new pair naming a profile that is there.
    static Stored ProfileValues() {
        const auto name = StoredString(kSettingsKey, "DefaultProfileName");
        const auto path = StoredString(kSettingsKey, "DefaultProfilePath");
        const bool newPair = name && path && *name != kEarlierProfileName && path->size() > name->size() &&
                             path->compare(path->size() - name->size(), name->size(), *name) == 0 &&
                             companion_test::Exists(*path);
        return Classify({newPair}, {name == kEarlierProfileName, path == kEarlierProfilePath});
    }

    PageSession wizard_;
    companion_test::RegistryValues earlierRun_{kRunKey};
};

enum class Fault { ProfileRefused, NoEngine, NoResumeProgram, SettingsKeyLocked, RunKeyLocked };

struct SaveFault {
    const char* name;
    Fault fault;
    int result;           // the stand-in's answer to the profile request
    const char* message;  // Save's message, or none
    SaveState expected;
};
void PrintTo(const SaveFault& fault, std::ostream* out) { *out << fault.name; }

class FailingDependency : public SaveFaults, public ::testing::WithParamInterface<SaveFault> {};

TEST_P(FailingDependency, SaveGoesOnAndLeavesEveryValueWhole) {
    const SaveFault& row = GetParam();
    const bool engine = row.fault != Fault::NoEngine;
    if (!engine) wizard_.sandbox().Delete("PLX.dll");
    if (row.fault == Fault::NoResumeProgram) wizard_.sandbox().Delete("LumoraResume.exe");
    std::optional<WriteDeniedKey> locked;
    if (row.fault == Fault::SettingsKeyLocked) locked.emplace(kSettingsKey);
    if (row.fault == Fault::RunKeyLocked) locked.emplace(kRunKey);
    if (locked) {
        ASSERT_TRUE(locked->denied());
    }
    wizard_.ScriptEngine("2:" + std::to_string(row.result), "180,250,300");

    const std::optional<std::string> warning = SaveAfterMovingRed(!engine);
    if (!engine) {
        EXPECT_EQ(warning, "The Lumora engine (PLX.dll) could not be loaded. Gamma cannot be adjusted; the rest of "
                           "the wizard still works.");
    }
    std::string told = warning ? "gamma page: \"" + *warning + "\"; " : "";
    if (row.message) {
        const auto message = wizard_.TakeMessage(kSaveCaption);
        EXPECT_EQ(message, row.message);
        told += "Save: \"" + message.value_or("(none)") + "\"";
    } else {
        told += "Save: no message";
    }
    const SaveState state = engine ? StateAfterSave(181, 250, 300, row.expected.resumeStarted)
                                   : StateAfterSave(141, 220, 220, row.expected.resumeStarted);
    locked.reset();
    PrintMatrixRow(row.name, told, state);
    EXPECT_EQ(state, row.expected);
}

constexpr SaveState kAllStored{Stored::ThisSave, Stored::ThisSave, Stored::ThisSave, Stored::Earlier, true, true, true};

INSTANTIATE_TEST_SUITE_P(
    Faults, FailingDependency,
    ::testing::Values(
        SaveFault{"ProfileOpen14", Fault::ProfileRefused, 14, "ICC monitor profile open failure.", kAllStored},
        SaveFault{"ProfileClose15", Fault::ProfileRefused, 15, "ICC monitor profile close failure.", kAllStored},
        SaveFault{"ProfileTags16", Fault::ProfileRefused, 16, "ICC monitor profile tag(s) could no be created.",
                  kAllStored},
        SaveFault{"ProfileInstall17", Fault::ProfileRefused, 17,
                  "The new ICC monitor profile could not be installed into Windows.", kAllStored},
        SaveFault{"ProfileDefault18", Fault::ProfileRefused, 18,
                  "The new ICC monitor profile could not be made the default monitor profile.", kAllStored},
        SaveFault{"NoEngine", Fault::NoEngine, 20, nullptr,
                  {Stored::ThisSave, Stored::ThisSave, Stored::ThisSave, Stored::Earlier, false, true, true}},
        SaveFault{"NoResumeProgram", Fault::NoResumeProgram, 20, nullptr,
                  {Stored::ThisSave, Stored::ThisSave, Stored::ThisSave, Stored::Earlier, true, false, true}},
        SaveFault{"SettingsKeyLocked", Fault::SettingsKeyLocked, 20, nullptr,
                  {Stored::Earlier, Stored::Earlier, Stored::ThisSave, Stored::Earlier, true, true, true}},
        SaveFault{"RunKeyLocked", Fault::RunKeyLocked, 20, nullptr,
                  {Stored::ThisSave, Stored::ThisSave, Stored::Earlier, Stored::Earlier, true, true, true}}),
    [](const auto& info) { return std::string(info.param.name); });

// The user's documents folder moved into the sandbox for the test, so that
// the real engine's profile folder there can be blocked without touching the
// user's own.
class DocumentsIn {
public:
    explicit DocumentsIn(const std::string& folder) {
        userShellFolders_.SetString("Personal", folder);
        shellFolders_.SetString("Personal", folder);
    }

private:
    companion_test::RegistryValues userShellFolders_{"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders"};
    companion_test::RegistryValues shellFolders_{"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
};

TEST_F(SaveFaults, RealEngineWithTheProfileFolderBlockedReportsTheOpenFailure) {
    ASSERT_TRUE(wizard_.sandbox().Copy(companion_test::BinFolder() + "PLX.dll", "PLX.dll"));
    const DocumentsIn documents(wizard_.sandbox().Path("Documents"));
    ASSERT_TRUE(CreateDirectoryA(wizard_.sandbox().Path("Documents").c_str(), nullptr));
    ASSERT_EQ(DocumentsFolder(), wizard_.sandbox().Path("Documents"));
    // A file where the engine's profile folder goes: the folder cannot be
    // made, nor the profile opened in it.
    const std::string blocker = wizard_.sandbox().Path("Documents\\My ICC Profiles");
    std::ofstream(blocker).put('x');
    ASSERT_FALSE(GetFileAttributesA(blocker.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_EQ(SaveAfterMovingRed(true), "Gamma correction is not supported by this computer.");
    const auto message = wizard_.TakeMessage(kSaveCaption);
    EXPECT_EQ(message, "ICC monitor profile open failure.");
    // The real engine keeps no call log: whether it was asked shows in its message.
    SaveState state = StateAfterSave(141, 220, 220, true);
    state.profileAsked = message.has_value();
    PrintMatrixRow("RealEngineProfileFolderBlocked", "Save: \"" + message.value_or("(none)") + "\"", state);
    EXPECT_EQ(state, kAllStored);
    DeleteFileA(blocker.c_str());
    RemoveDirectoryA(wizard_.sandbox().Path("Documents").c_str());
}

// A program path that fills its buffer leaves the companions unnamed. Wine
// starts no program from such a path, so the save page runs here, in this
// process, as the introduction page leaves it: Save writes no Run entry (the
// earlier ones stay) and stores the rest.
TEST_F(SaveFaults, ProgramPathFillingItsBufferWritesNoRunEntries) {
    loaderPath.clear();
    resumePath.clear();
    engineRequest.redGamma = 181, engineRequest.greenGamma = 250, engineRequest.blueGamma = 300;
    EXPECT_TRUE(Step4Page().OnPageFinish());
    EXPECT_EQ(StoredDword(kSettingsKey, "RedGamma"), 181u);
    EXPECT_EQ(StoredString(kRunKey, "PLXLoader"), kEarlierLoader);
    EXPECT_EQ(StoredString(kRunKey, "LumoraResume"), kEarlierResume);
}

}  // namespace
