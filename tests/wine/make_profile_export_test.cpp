// Function code 2 through PLX.dll's export, as the program calls it: the
// profile in "My ICC Profiles", its installed copy, the monitor's association
// and the two settings values.
#include <windows.h>
#include <icm.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "companion_sandbox.h"
#include "engine/request.h"

namespace {

constexpr char kFileName[] = "Generic Non-PnP Monitor.icm";
constexpr char kSettingsKey[] = "Software\\Brightvale\\Lumora";

using Bytes = std::vector<unsigned char>;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t BigEndian32(const Bytes& b, std::size_t at) {
    return std::uint32_t{b.at(at)} << 24 | std::uint32_t{b.at(at + 1)} << 16 | std::uint32_t{b.at(at + 2)} << 8 |
           b.at(at + 3);
}

std::string DocumentsFolder() {
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

std::string Setting(const char* name) {
    char text[MAX_PATH] = {};
    DWORD size = sizeof text, type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return "(no value)";
    return text;
}

// The profile the display's device context reports as its own.
std::string DisplayProfile() {
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    const BOOL found = GetICMProfileA(dc, &size, path);
    DeleteDC(dc);
    return found ? path : "(none)";
}

class MakeProfileExport : public ::testing::Test {
protected:
    void SetUp() override {
        // The association is read back from a display device context.
        SKIP_WITHOUT_DISPLAY();
        library_ = LoadLibraryA("PLX.dll");
        ASSERT_NE(library_, nullptr);
        plx_ = reinterpret_cast<PLXEntry>(reinterpret_cast<void*>(GetProcAddress(library_, "PLX")));
        ASSERT_NE(plx_, nullptr);
    }
    HMODULE library_ = nullptr;
    PLXEntry plx_ = nullptr;
};

TEST_F(MakeProfileExport, StartValuesMakeInstallAndAssociateTheProfile) {
    const std::string profilePath = DocumentsFolder() + "\\My ICC Profiles\\" + kFileName;
    const std::string installedPath = ColorDirectory() + "\\" + kFileName;
    // Whatever an earlier run left, this run must make anew; the user's
    // settings are put back at the end.
    DeleteFileA(profilePath.c_str());
    companion_test::RegistryValues settings{kSettingsKey};
    settings.Remove("DefaultProfileName");
    settings.Remove("DefaultProfilePath");

    // The program's start values: gammas and target gamma 220, 6500 K, no texts.
    PLXRequest request{};
    request.function = MakeProfileFunction;
    request.redGamma = request.greenGamma = request.blueGamma = 220;
    request.targetGamma = 220;
    request.whitePoint = 6500;

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        ASSERT_EQ(plx_(&request), ResultProfileMade);

        const Bytes profile = ReadFile(profilePath);
        ASSERT_GE(profile.size(), 132u);
        EXPECT_EQ(BigEndian32(profile, 0), profile.size());
        EXPECT_EQ(BigEndian32(profile, 36), 0x61637370u);  // acsp
        EXPECT_EQ(BigEndian32(profile, 128), 9u);
        EXPECT_EQ(ReadFile(installedPath), profile);

        const std::string associated = DisplayProfile();
        ASSERT_GE(associated.size(), sizeof kFileName - 1) << associated;
        EXPECT_EQ(associated.substr(associated.size() - (sizeof kFileName - 1)), kFileName) << associated;

        EXPECT_EQ(Setting("DefaultProfileName"), kFileName);
        EXPECT_EQ(Setting("DefaultProfilePath"), profilePath);
    }
    EXPECT_STREQ(request.profileName, "Generic Non-PnP Monitor");
}

}  // namespace
