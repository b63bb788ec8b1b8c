// Lumora-Setup.exe under Wine, silently, as a user would run it: where it
// installs, that the installed programs find each other, and that the
// uninstaller takes away what it should and nothing of the user's.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "companion_sandbox.h"
#include "companions/apply.h"
#include "companions/resume_exit.h"
#include "companions/resume_window.h"

#ifndef LUMORA_SETUP_HAS_WIZARD
#error "LUMORA_SETUP_HAS_WIZARD must say whether the setup packages Lumora.exe"
#endif

namespace {

using namespace companion_test;

constexpr bool kWithWizard = LUMORA_SETUP_HAS_WIZARD;
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora";
constexpr DWORD kInstallerPatienceMs = 60000;

std::string ShellFolder(int csidl) {
    char path[MAX_PATH];
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? std::string(path) + "\\" : "";
}

// Polls until `path` is gone or the wait runs out.
bool WaitUntilRemoved(const std::string& path) {
    for (DWORD waited = 0; Exists(path); waited += 100) {
        if (waited >= kInstallerPatienceMs) return false;
        Sleep(100);
    }
    return true;
}

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisibleWindowOf(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    search->found = owner == search->processId && IsWindowVisible(window);
    return !search->found;
}

// Whether a process shows a top-level window within the wait.
bool ShowsAWindow(DWORD processId) {
    WindowSearch search{processId, false};
    for (DWORD waited = 0; waited < kPatienceMs && !search.found; waited += 100) {
        EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(100);
    }
    return search.found;
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(Exists(setup_)) << setup_;
        ASSERT_FALSE(installFolder_.empty());
        ASSERT_FALSE(Exists(installFolder_)) << "left over from an earlier run: " << installFolder_;
        ASSERT_TRUE(EndLeftoverResume(companions::kResumeWindowClass));
        // The user's own things, which the uninstaller must leave.
        profilesCreated_ = CreateDirectoryA(profiles_.c_str(), nullptr) != FALSE;
        HANDLE profile = CreateFileA(profile_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(profile, INVALID_HANDLE_VALUE);
        CloseHandle(profile);
        settings_.SetDword("RedGamma", 150);
        settings_.SetDword("GreenGamma", 220);
        settings_.SetDword("BlueGamma", 300);
        // The installed wizard stores a reminder when it first starts.
        settings_.Keep("RemindInterval");
        settings_.Keep("RemindDate");
    }

    void TearDown() override {
        for (const char* name : {"Lumora.exe", "PLX.dll", "LumoraLoader.exe", "LumoraResume.exe", "Uninstall.exe"})
            DeleteFileA((installFolder_ + name).c_str());
        RemoveDirectoryA(installFolder_.c_str());
        DeleteFileA(shortcut_.c_str());
        DeleteFileA(profile_.c_str());
        if (profilesCreated_) RemoveDirectoryA(profiles_.c_str());
    }

    ULONGLONG InstalledBytes() const {
        ULONGLONG bytes = 0;
        for (const char* name : {"Lumora.exe", "PLX.dll", "LumoraLoader.exe", "LumoraResume.exe", "Uninstall.exe"}) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            if (GetFileAttributesExA((installFolder_ + name).c_str(), GetFileExInfoStandard, &data))
                bytes += (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        }
        return bytes;
    }

    const std::string setup_ = BuildFolder() + "Lumora-Setup.exe";
    const std::string installFolder_ = ShellFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Lumora\\";
    const std::string shortcut_ = ShellFolder(CSIDL_PROGRAMS) + "Lumora.lnk";
    const std::string profiles_ = ShellFolder(CSIDL_PERSONAL) + "My ICC Profiles";
    const std::string profile_ = profiles_ + "\\Installer check.icm";
    bool profilesCreated_ = false;
    RegistryValues settings_{kSettingsKey};
    RegistryValues run_{kRunKey};
    RegistryValues uninstall_{kUninstallKey};
};

TEST_F(Installer, InstallsForTheUserAndUninstallsWhatItInstalled) {
    Process setup(setup_, " /S");
    ASSERT_EQ(setup.WaitForExit(kInstallerPatienceMs), 0u);

    for (const char* name : {"PLX.dll", "LumoraLoader.exe", "LumoraResume.exe", "Uninstall.exe"})
        EXPECT_TRUE(Exists(installFolder_ + name)) << name;
    EXPECT_EQ(Exists(installFolder_ + "Lumora.exe"), kWithWizard);
    EXPECT_EQ(Exists(shortcut_), kWithWizard);
    EXPECT_TRUE(uninstall_.Read("UninstallString"));
    // What Apps shows: the wizard's icon, and the size of the installed files in KB.
    const auto icon = uninstall_.Read("DisplayIcon");
    EXPECT_EQ(icon.has_value(), kWithWizard);
    if (icon) {
        EXPECT_STREQ(reinterpret_cast<const char*>(icon->data()), (installFolder_ + "Lumora.exe").c_str());
    }
    const auto size = uninstall_.Read("EstimatedSize");
    ASSERT_TRUE(size && size->size() == sizeof(DWORD));
    DWORD kilobytes = 0;
    std::memcpy(&kilobytes, size->data(), sizeof kilobytes);
    EXPECT_NEAR(double(kilobytes), double(InstalledBytes()) / 1024, 8);

    // Started from there, the programs find the engine next to them.
    if (kWithWizard) {
        Process wizard(installFolder_ + "Lumora.exe", "");
        EXPECT_TRUE(ShowsAWindow(wizard.id()));
    }
    Process loader(installFolder_ + "LumoraLoader.exe", "");
    const auto loaded = loader.WaitForExit();
    ASSERT_TRUE(loaded);
    EXPECT_NE(*loaded, DWORD(companions::kEngineMissing));
    EXPECT_TRUE(*loaded == companions::kApplied || *loaded >= companions::kEngineResultBase) << *loaded;

    // What the wizard's Save adds, and a resume program running meanwhile.
    run_.SetString("PLXLoader", installFolder_ + "LumoraLoader.exe");
    run_.SetString("LumoraResume", installFolder_ + "LumoraResume.exe");
    Process resume(installFolder_ + "LumoraResume.exe", " \" \"");
    ASSERT_NE(WaitForWindow(companions::kResumeWindowClass, nullptr), nullptr);

    Process uninstaller(installFolder_ + "Uninstall.exe", " /S");
    EXPECT_EQ(uninstaller.WaitForExit(kInstallerPatienceMs), 0u);
    EXPECT_TRUE(WaitUntilRemoved(installFolder_));
    EXPECT_EQ(resume.WaitForExit(), DWORD(companions::kResumeEnded));
    EXPECT_FALSE(Exists(shortcut_));
    EXPECT_FALSE(run_.Read("PLXLoader"));
    EXPECT_FALSE(run_.Read("LumoraResume"));
    EXPECT_FALSE(uninstall_.Read("UninstallString"));

    EXPECT_TRUE(Exists(profile_));
    EXPECT_TRUE(settings_.Read("RedGamma"));
}

}  // namespace
