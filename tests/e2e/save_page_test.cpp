// The save page of Lumora.exe under Wine, with the recording stand-in for
// PLX.dll and a recording resume program: what Save stores, asks of the
// engine, reports and starts, and what Exit puts back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "companions/resume_arguments.h"
#include "tests/e2e/page_session.h"

namespace {

using e2e::kRunKey;
using e2e::kSettingsKey;
using e2e::PageSession;
using e2e::StoredDword;
using e2e::StoredString;
using Calls = std::vector<std::string>;

constexpr char kSaveCaption[] = "Lumora";

class SavePage : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(wizard_.ready());
    }
    // Through to the save page with the engine's answers; the read finds
    // 180, 250, 300 and the red slider is moved one step on.
    void OpenSavePageAfterMovingRed(const std::string& results = "") {
        wizard_.ScriptEngine(results, "180,250,300");
        ASSERT_TRUE(wizard_.Start());
        ASSERT_TRUE(wizard_.OpenGammaPage());
        ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
        wizard_.SliderKey(IDC_RED_SLIDER, VK_RIGHT);
        ASSERT_TRUE(wizard_.OpenSavePage());
    }
    // Everything a save stores, whatever the engine answered.
    void ExpectEverythingStored() {
        EXPECT_EQ(StoredDword(kSettingsKey, "RedGamma"), 181u);
        EXPECT_EQ(StoredDword(kSettingsKey, "GreenGamma"), 250u);
        EXPECT_EQ(StoredDword(kSettingsKey, "BlueGamma"), 300u);
        EXPECT_EQ(StoredString(kRunKey, "PLXLoader"), wizard_.sandbox().Path("LumoraLoader.exe"));
        EXPECT_EQ(StoredString(kRunKey, "LumoraResume"), wizard_.sandbox().Path("LumoraResume.exe"));
        EXPECT_EQ(wizard_.Calls(), (Calls{"0 220 220 220", "1 181 250 300", "2 181 250 300"}));
    }

    PageSession wizard_;
};

TEST_F(SavePage, StoresTheGammasAndLogonEntriesMakesTheProfileStartsResumeAndEnds) {
    OpenSavePageAfterMovingRed();
    ASSERT_TRUE(wizard_.Click(IDC_SAVE));
    EXPECT_TRUE(wizard_.WaitForEnd());
    EXPECT_FALSE(wizard_.MessageShown(kSaveCaption));
    ExpectEverythingStored();

    // Once, detached, with one argument that is a single space.
    const std::string resume = wizard_.sandbox().Path("LumoraResume.exe");
    const std::vector<std::string> starts = wizard_.WaitForResumeStart();
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[0], "\"" + resume + "\" \" \"");
    EXPECT_EQ(starts[1], "[" + resume + "]");
    EXPECT_EQ(starts[2], "[ ]");
    EXPECT_TRUE(companions::IsStartedAfterSave(starts[0].c_str()));
}

struct ProfileFailure {
    int result;
    const char* message;
};
void PrintTo(const ProfileFailure& failure, std::ostream* out) { *out << "result " << failure.result; }

class FailedProfile : public SavePage, public ::testing::WithParamInterface<ProfileFailure> {};

// The message, and then the same as a success: all stored, resume started,
// the wizard ended.
TEST_P(FailedProfile, ShowsItsMessageAndSavesAllTheSame) {
    OpenSavePageAfterMovingRed("2:" + std::to_string(GetParam().result));
    ASSERT_TRUE(wizard_.Click(IDC_SAVE));
    EXPECT_EQ(wizard_.TakeMessage(kSaveCaption), GetParam().message);
    EXPECT_TRUE(wizard_.WaitForEnd());
    ExpectEverythingStored();
    EXPECT_EQ(wizard_.WaitForResumeStart().size(), 3u);
}

constexpr char kUnknown[] = "Unknown return code...";

INSTANTIATE_TEST_SUITE_P(
    Results, FailedProfile,
    ::testing::Values(
        ProfileFailure{7, "The target gamma is invalid. Valid gamma values are 140 to 310. Note: Valid gamma values are "
                          "actual gamma values multiplied by 100."},
        ProfileFailure{8, "The white point is invalid. Valid white point values are 5000 to 9300."},
        ProfileFailure{9, "The lenght value of the copyright string is invalid. Valid length values are 0 to 127."},
        ProfileFailure{10, "The lenght value of the description string is invalid. Valid length values are 0 to 127."},
        ProfileFailure{11, "The lenght value of the profile name string is invalid. Valid length values are 0 to 127."},
        ProfileFailure{14, "ICC monitor profile open failure."},
        ProfileFailure{15, "ICC monitor profile close failure."},
        ProfileFailure{16, "ICC monitor profile tag(s) could no be created."},
        ProfileFailure{17, "The new ICC monitor profile could not be installed into Windows."},
        ProfileFailure{18, "The new ICC monitor profile could not be made the default monitor profile."},
        ProfileFailure{19, "Internal DLL failure, please contact the author of this program."},
        ProfileFailure{12, kUnknown}, ProfileFailure{13, kUnknown}, ProfileFailure{0, kUnknown},
        ProfileFailure{6, kUnknown}, ProfileFailure{21, kUnknown}, ProfileFailure{-3, kUnknown}),
    [](const auto& info) {
        const int result = info.param.result;
        return (result < 0 ? "minus" + std::to_string(-result) : std::to_string(result));
    });

TEST_F(SavePage, ExitPutsBackTheGammasReadWhenTheGammaPageOpened) {
    OpenSavePageAfterMovingRed();
    ASSERT_TRUE(wizard_.Click(IDC_BACK3));
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    wizard_.SliderKey(IDC_BLUE_SLIDER, VK_HOME);
    EXPECT_TRUE(wizard_.Exit());
    EXPECT_EQ(wizard_.Calls(), (Calls{"0 220 220 220", "1 181 250 300", "1 181 250 140", "1 180 250 300"}));
}

// From each page before the gamma page was ever shown.
TEST_F(SavePage, ExitBeforeTheGammaPageCallsNoEngine) {
    ASSERT_TRUE(wizard_.Start());
    EXPECT_TRUE(wizard_.Exit());
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.Click(IDC_START));
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP1_PAGE));
    EXPECT_TRUE(wizard_.Exit());
    EXPECT_EQ(wizard_.Calls(), Calls{});
}

// Gammas that were never read are not loaded: the display keeps the ramp the
// user last moved it to.
TEST_F(SavePage, ExitAfterAFailedReadPutsNothingBack) {
    wizard_.ScriptEngine("0:0");
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.OpenGammaPage());
    EXPECT_TRUE(wizard_.TakeMessage("Tintsprite").has_value());
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    wizard_.SliderKey(IDC_RED_SLIDER, VK_END);
    EXPECT_TRUE(wizard_.Exit());
    EXPECT_EQ(wizard_.Calls(), (Calls{"0 220 220 220", "1 310 220 220"}));
}

// "exitno" leaves the wizard as it was, on the page where Exit was pressed;
// the page's Next-type button pressed under the question does nothing.
TEST_F(SavePage, AnsweringNoToTheExitQuestionStaysOnThePage) {
    wizard_.ScriptEngine("", "180,250,300");
    ASSERT_TRUE(wizard_.Start());
    const UINT pages[] = {IDD_INTRO_PAGE, IDD_STEP1_PAGE, IDD_STEP2_PAGE, IDD_STEP4_PAGE};
    const UINT next[] = {IDC_START, IDC_NEXT1, IDC_NEXT2, IDC_SAVE};
    for (int page = 0; page < 4; ++page) {
        SCOPED_TRACE("page " + std::to_string(page + 1));
        ASSERT_TRUE(wizard_.WaitForPage(pages[page]));
        ASSERT_TRUE(wizard_.Click(IDCANCEL));
        HWND question = wizard_.WaitForExitQuestion();
        ASSERT_NE(question, nullptr);
        EXPECT_FALSE(IsWindowEnabled(wizard_.Frame()));
        EXPECT_TRUE(wizard_.Click(next[page]));
        ASSERT_TRUE(wizard_.Click(IDCANCEL, question));
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(question); }));
        EXPECT_TRUE(IsWindowEnabled(wizard_.Frame()));
        EXPECT_EQ(wizard_.ActivePageTemplate(), pages[page]);
        EXPECT_FALSE(wizard_.Ended());
        if (page < 3) {
            ASSERT_TRUE(wizard_.Click(next[page]));
        }
    }
    EXPECT_EQ(wizard_.Calls(), Calls{"0 220 220 220"});
    EXPECT_TRUE(wizard_.Exit());
}

}  // namespace
