// A whole run of Lumora.exe next to the real PLX.dll under Wine, whose display
// answers that gamma cannot be set: the gamma page says so and the wizard
// goes on, and Save leaves the profile, the settings and the logon entries.
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/request.h"
#include "tests/e2e/page_session.h"

namespace {

using e2e::kRunKey;
using e2e::kSettingsKey;
using e2e::StoredDword;
using e2e::StoredString;

// What the engine names the profile of Wine's only monitor.
constexpr char kProfileFile[] = "Generic Non-PnP Monitor.icm";

std::string ProfilePath() {
    char documents[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK) return "";
    return std::string(documents) + "\\My ICC Profiles\\" + kProfileFile;
}

std::vector<char> Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(WithTheRealEngine, GammaIsUnsupportedAndSaveLeavesProfileSettingsAndLogonEntries) {
    SKIP_WITHOUT_DISPLAY();
    e2e::PageSession wizard;
    ASSERT_TRUE(wizard.sandbox().Copy(companion_test::BinFolder() + "PLX.dll", "PLX.dll"));
    ASSERT_TRUE(wizard.ready());
    const std::string profile = ProfilePath();
    ASSERT_FALSE(profile.empty());
    DeleteFileA(profile.c_str());

    ASSERT_TRUE(wizard.Start());
    ASSERT_TRUE(wizard.OpenGammaPage());
    EXPECT_EQ(wizard.TakeMessage("Tintsprite"), "Gamma correction is not supported by this computer.");
    ASSERT_TRUE(wizard.WaitForPage(IDD_STEP2_PAGE));
    EXPECT_EQ(wizard.Position(IDC_RED_SLIDER), 140);
    // Still usable: the sliders move (the engine's refusal is not reported),
    // and the pages turn both ways.
    wizard.SliderKey(IDC_RED_SLIDER, VK_RIGHT);
    EXPECT_EQ(wizard.Position(IDC_RED_SLIDER), 141);
    ASSERT_TRUE(wizard.Click(IDC_BACK2));
    ASSERT_TRUE(wizard.WaitForPage(IDD_STEP1_PAGE));
    ASSERT_TRUE(wizard.Click(IDC_NEXT1));
    ASSERT_TRUE(wizard.WaitForPage(IDD_STEP2_PAGE));
    ASSERT_TRUE(wizard.OpenSavePage());
    ASSERT_TRUE(wizard.Click(IDC_SAVE));
    EXPECT_TRUE(wizard.WaitForEnd());
    EXPECT_FALSE(wizard.MessageShown("Lumora"));
    EXPECT_FALSE(wizard.MessageShown("Tintsprite"));

    const std::vector<char> bytes = Contents(profile);
    ASSERT_GE(bytes.size(), 132u) << profile;
    EXPECT_EQ(std::string(&bytes[36], 4), "acsp");
    EXPECT_EQ(StoredString(kSettingsKey, "DefaultProfilePath"), profile);
    EXPECT_EQ(StoredDword(kSettingsKey, "RedGamma"), 141u);
    EXPECT_EQ(StoredDword(kSettingsKey, "GreenGamma"), 220u);
    EXPECT_EQ(StoredDword(kSettingsKey, "BlueGamma"), 220u);
    EXPECT_EQ(StoredString(kRunKey, "PLXLoader"), wizard.sandbox().Path("LumoraLoader.exe"));
    EXPECT_EQ(StoredString(kRunKey, "LumoraResume"), wizard.sandbox().Path("LumoraResume.exe"));
    EXPECT_EQ(wizard.WaitForResumeStart().size(), 3u);
    DeleteFileA(profile.c_str());
}

}  // namespace
