// Save's logon entries and the companions they start, for a user whose name
// the ANSI code page cannot spell: the companions installed where the
// installer puts them, in that user's local application data, next to the
// recording stand-in; Save run in this process as the introduction page
// leaves it for a wizard in that folder; each entry then run as the system
// runs it at logon. run-as-users runs this program as Иван.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/companion_paths.h"
#include "app/step4_page.h"
#include "app/workflow_state.h"
#include "companions/apply.h"
#include "companions/resume_exit.h"
#include "companions/resume_window.h"
#include "tests/support/code_page.h"
#include "tests/wine/companion_sandbox.h"

namespace {

using namespace companion_test;
using test_support::SpelledByTheCodePage;
using Calls = std::vector<std::string>;

const wchar_t* const kInstalled[] = {L"LumoraLoader.exe", L"LumoraResume.exe", L"PLX.dll"};

std::wstring Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// %LOCALAPPDATA%\Programs\Lumora\, made, or "".
std::wstring InstallFolder() {
    wchar_t local[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, local) != S_OK)
        return L"";
    std::wstring folder = std::wstring(local) + L"\\Programs\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"Lumora\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// A logon entry as the system reads it: a REG_SZ, wide.
std::wstring RunEntry(const wchar_t* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return L"";
    wchar_t text[2 * MAX_PATH] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = REG_NONE;
    const LONG read = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ ? text : L"";
}

class LogonEntries : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(EndLeftoverResume(companions::kResumeWindowClass));
        folder_ = InstallFolder();
        ASSERT_FALSE(folder_.empty());
        ASSERT_FALSE(SpelledByTheCodePage(folder_)) << "run this as a user whose name the code page cannot spell";
        const std::string from[] = {BinFolder() + "LumoraLoader.exe", BinFolder() + "LumoraResume.exe",
                                    BuildFolder() + "stand-in\\PLX.dll"};
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(CopyFileW(Wide(from[i]).c_str(), (folder_ + kInstalled[i]).c_str(), FALSE));
        for (const char* gamma : {"RedGamma", "GreenGamma", "BlueGamma"}) settings_.Keep(gamma);
        settings_.SetDword("RemindInterval", 0);
        settings_.SetDword("RemindDate", 0);
        run_.Keep("PLXLoader");
        run_.Keep("LumoraResume");
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("PLX_RECORD_LOG", log_.c_str());
    }
    void TearDown() override {
        EndLeftoverResume(companions::kResumeWindowClass);
        for (const wchar_t* name : kInstalled) DeleteFileW((folder_ + name).c_str());
        RemoveDirectoryW(folder_.c_str());
        DeleteFileA(log_.c_str());
    }

    // The stand-in's calls, once there are `count` (or the wait runs out).
    Calls WaitForCalls(std::size_t count) const {
        Calls calls;
        for (DWORD waited = 0; calls.size() < count && waited < kPatienceMs; waited += 50) {
            Sleep(50);
            calls.clear();
            std::ifstream log(log_);
            for (std::string line; std::getline(log, line);) calls.push_back(line);
        }
        return calls;
    }

    std::wstring folder_;
    // The stand-in writes its log through the ANSI runtime: a folder of the build.
    const std::string log_ = BuildFolder() + "companion-paths.log";
    RegistryValues settings_{kSettingsKey};
    RegistryValues run_{kRunKey};
};

TEST_F(LogonEntries, StartTheCompanionsFromAFolderTheCodePageCannotSpell) {
    const CompanionPaths paths = CompanionPathsFor(folder_ + L"Lumora.exe");
    loaderPath = paths.loader;
    resumePath = paths.resume;
    engineRequest.redGamma = 150, engineRequest.greenGamma = 220, engineRequest.blueGamma = 300;
    EXPECT_TRUE(Step4Page().OnPageFinish());
    EXPECT_EQ(RunEntry(L"PLXLoader"), L"\"" + folder_ + L"LumoraLoader.exe\"");
    EXPECT_EQ(RunEntry(L"LumoraResume"), L"\"" + folder_ + L"LumoraResume.exe\"");
    // Save started the resume program; the logon entry starts the next one.
    EXPECT_NE(WaitForWindow(companions::kResumeWindowClass, nullptr), nullptr);
    ASSERT_TRUE(EndLeftoverResume(companions::kResumeWindowClass));

    const Process loader(RunEntry(L"PLXLoader"));
    EXPECT_EQ(loader.WaitForExit(), DWORD(companions::kApplied));
    EXPECT_EQ(WaitForCalls(1), Calls{"1 150 220 300"});

    const Process resume(RunEntry(L"LumoraResume"));
    HWND window = WaitForWindow(companions::kResumeWindowClass, nullptr);
    ASSERT_NE(window, nullptr);
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024), SMTO_ABORTIFHUNG, kPatienceMs, &ignored);
    EXPECT_EQ(WaitForCalls(2), (Calls{"1 150 220 300", "1 150 220 300"}));
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, kPatienceMs, &ignored);
    EXPECT_EQ(resume.WaitForExit(), DWORD(companions::kResumeEnded));
}

}  // namespace
