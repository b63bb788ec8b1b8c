// Function code 2 through PLX.dll where the profile's path is unusual: the
// user's name, which the documents folder carries, outside the ANSI code
// page, or under the UTF-8 code page; a profile name of reserved characters
// or a device's name; a documents folder too long for the path; a "My ICC
// Profiles" that nothing can be written into. run-as-users runs this program as several
// users in a Wine prefix of its own.
#include <windows.h>
#include <icm.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/request.h"
#include "tests/support/code_page.h"

namespace {

using test_support::SpelledByTheCodePage;

constexpr char kFileName[] = "Generic Non-PnP Monitor.icm";

using Bytes = std::vector<char>;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring WideDocuments() {
    wchar_t path[MAX_PATH] = {};
    EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return path;
}

// The documents folder as the ANSI call gives it: characters the code page
// lacks become look-alikes where it has them, else '?'.
std::string AnsiDocuments() {
    char path[MAX_PATH] = {};
    EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return path;
}

std::string ColorDirectory() {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    EXPECT_TRUE(GetColorDirectoryA(nullptr, path, &size));
    return path;
}

std::string CurrentDirectory() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

class ProfilePaths : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = LoadLibraryA("PLX.dll");
        ASSERT_NE(library_, nullptr);
        plx_ = reinterpret_cast<PLXEntry>(reinterpret_cast<void*>(GetProcAddress(library_, "PLX")));
        ASSERT_NE(plx_, nullptr);
    }
    // The program's start values, with a profile name of our own if given.
    int MakeProfile(const char* profileName = "") {
        PLXRequest request{};
        request.function = MakeProfileFunction;
        request.redGamma = request.greenGamma = request.blueGamma = 220;
        request.targetGamma = 220;
        request.whitePoint = 6500;
        std::strcpy(request.profileName, profileName);
        request.profileNameLength = static_cast<std::uint32_t>(std::strlen(profileName));
        return plx_(&request);
    }
    HMODULE library_ = nullptr;
    PLXEntry plx_ = nullptr;
};

// A user whose name the code page spells gets the profile in the documents
// folder; any other gets result 14 and no file anywhere, not even in the
// folder that the look-alike name points to, which we create to tempt it.
TEST_F(ProfilePaths, UserNameOutsideTheCodePageGetsNoProfileAnywhere) {
    const std::string documents = AnsiDocuments();
    const std::string profile = documents + "\\My ICC Profiles\\" + kFileName;
    const std::string installed = ColorDirectory() + "\\" + kFileName;
    const std::string stray = CurrentDirectory() + "\\" + kFileName;
    DeleteFileA(profile.c_str());
    DeleteFileA(installed.c_str());
    DeleteFileA(stray.c_str());

    if (SpelledByTheCodePage(WideDocuments())) {
        std::printf("documents folder %s: in the code page\n", documents.c_str());
        ASSERT_EQ(MakeProfile(), ResultProfileMade);
        EXPECT_TRUE(Exists(profile));
        EXPECT_EQ(ReadFile(installed), ReadFile(profile));
        return;
    }
    std::printf("documents folder %s: not in the code page\n", documents.c_str());
    const bool lookAlike = documents.find('?') == std::string::npos;
    if (lookAlike) {
        const int created = SHCreateDirectoryExA(nullptr, (documents + "\\My ICC Profiles").c_str(), nullptr);
        ASSERT_TRUE(created == ERROR_SUCCESS || created == ERROR_ALREADY_EXISTS) << created;
    }
    EXPECT_EQ(MakeProfile(), ResultProfileOpenFailed);
    EXPECT_FALSE(Exists(profile)) << "written into the look-alike folder";
    EXPECT_FALSE(Exists(installed));
    EXPECT_FALSE(Exists(stray));
}

TEST_F(ProfilePaths, ReservedCharactersBecomeUnderscores) {
    const std::string profile = AnsiDocuments() + "\\My ICC Profiles\\_____________.icm";
    if (!SpelledByTheCodePage(WideDocuments())) GTEST_SKIP() << "no usable documents folder for this user";
    DeleteFileA(profile.c_str());
    ASSERT_EQ(MakeProfile("\"/\\[]:;|=,^*?"), ResultProfileMade);
    EXPECT_TRUE(Exists(profile));
    EXPECT_TRUE(Exists(ColorDirectory() + "\\_____________.icm"));
}

// Wine, like Windows, takes "NUL.icm" and "COM1.icm" in any folder for the
// devices: the profile would go to the null device or the serial port.
TEST_F(ProfilePaths, DeviceNamesGive14) {
    for (const char* device : {"NUL", "COM1", "aux", "CONOUT$"})
        EXPECT_EQ(MakeProfile(device), ResultProfileOpenFailed) << device;
}

// The documents folder as Wine finds it in the user's shell folders, for the
// life of the object.
class DocumentsFolderSetting {
public:
    explicit DocumentsFolderSetting(const std::string& folder) {
        RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
        RegQueryValueExA(key_, "Personal", nullptr, &type_, reinterpret_cast<BYTE*>(old_), &size_);
        RegSetValueExA(key_, "Personal", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
    }
    ~DocumentsFolderSetting() {
        RegSetValueExA(key_, "Personal", 0, type_, reinterpret_cast<const BYTE*>(old_), size_);
        RegCloseKey(key_);
    }

private:
    static constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY key_ = nullptr;
    DWORD type_ = REG_EXPAND_SZ, size_ = MAX_PATH;
    char old_[MAX_PATH] = "%USERPROFILE%\\Documents";
};

// Folder, "\My ICC Profiles\" and file name beyond 259 characters: the path
// is neither used nor cut to fit.
TEST_F(ProfilePaths, DocumentsFolderTooLongGives14AndNoFile) {
    // Made here: a documents folder Wine has to make links to the home folder.
    const std::string folder = "C:\\" + std::string(230, 'd');
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string installed = ColorDirectory() + "\\" + kFileName;
    const std::string stray = CurrentDirectory() + "\\" + kFileName;
    const Bytes installedBefore = ReadFile(installed);
    DeleteFileA(stray.c_str());
    RemoveDirectoryA((folder + "\\My ICC Profiles").c_str());
    {
        DocumentsFolderSetting documents(folder);
        ASSERT_EQ(AnsiDocuments(), folder);
        EXPECT_EQ(MakeProfile(), ResultProfileOpenFailed);
    }
    const std::string fullPath = folder + "\\My ICC Profiles\\" + kFileName;
    EXPECT_FALSE(Exists(fullPath.substr(0, MAX_PATH - 1))) << "written at the cut path";
    EXPECT_FALSE(Exists(folder + "\\My ICC Profiles")) << "a folder made for nothing";
    EXPECT_FALSE(Exists(stray));
    EXPECT_EQ(ReadFile(installed), installedBefore);
}

// Under the UTF-8 code page (run-as-users sets it for one run) every name is
// spelled, so the user's own folder holds the profile (the first test), but
// spelled in up to three bytes a character: a documents folder that the wide
// path buffer holds may not fit the ANSI one. That gives 14 as well, not a
// profile in the current directory.
TEST_F(ProfilePaths, Utf8CodePageDocumentsFolderTooLongForTheAnsiBufferGives14) {
    if (std::getenv("LUMORA_UTF8_CODE_PAGE") == nullptr) GTEST_SKIP() << "not the UTF-8 code page run";
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    // 3 + 200 + 1 + 80 bytes in UTF-8 (Linux takes no name over 255 bytes), 143 characters.
    const std::wstring outer = L"C:\\" + std::wstring(100, L'\u0416');
    const std::wstring inner = outer + L"\\" + std::wstring(40, L'\u0416');
    CreateDirectoryW(outer.c_str(), nullptr);
    CreateDirectoryW(inner.c_str(), nullptr);
    const std::string stray = CurrentDirectory() + "\\" + kFileName;
    DeleteFileA(stray.c_str());
    char utf8[512];
    ASSERT_GT(WideCharToMultiByte(CP_UTF8, 0, inner.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr), MAX_PATH);
    {
        DocumentsFolderSetting documents(utf8);
        EXPECT_EQ(WideDocuments(), inner);
        EXPECT_EQ(MakeProfile(), ResultProfileOpenFailed);
    }
    EXPECT_FALSE(Exists(stray)) << "written into the current directory";
    EXPECT_EQ(GetFileAttributesW((inner + L"\\My ICC Profiles").c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveDirectoryW(inner.c_str());
    RemoveDirectoryW(outer.c_str());
}

// Wine, run by root, honours neither the read-only attribute nor the Unix
// permissions; run-as-users makes the folder immutable instead and says so.
TEST_F(ProfilePaths, FolderNothingCanBeWrittenIntoGives14AndNoFileElsewhere) {
    if (std::getenv("LUMORA_READ_ONLY_PROFILES") == nullptr) GTEST_SKIP() << "the profile folder is writable";
    const std::string profile = AnsiDocuments() + "\\My ICC Profiles\\" + kFileName;
    const std::string installed = ColorDirectory() + "\\" + kFileName;
    const std::string stray = CurrentDirectory() + "\\" + kFileName;
    const Bytes profileBefore = ReadFile(profile), installedBefore = ReadFile(installed);
    DeleteFileA(stray.c_str());

    EXPECT_EQ(MakeProfile(), ResultProfileOpenFailed);
    EXPECT_EQ(ReadFile(profile), profileBefore) << "an earlier profile is left as it was";
    EXPECT_EQ(ReadFile(installed), installedBefore) << "and so is its installed copy";
    EXPECT_FALSE(Exists(stray));
}

}  // namespace
