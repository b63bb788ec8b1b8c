// The gamma page of Lumora.exe under Wine, with the recording stand-in for
// PLX.dll: the read on the first showing and its warnings, the live gamma of
// every slider movement, and a wizard without an engine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/page_session.h"

namespace {

using e2e::PageSession;
using Calls = std::vector<std::string>;

constexpr char kGammaCaption[] = "Tintsprite";
constexpr char kEngineMissing[] =
    "The Lumora engine (PLX.dll) could not be loaded. Gamma cannot be adjusted; the rest of the wizard still works.";

class GammaPage : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(wizard_.ready());
    }
    // Starts the wizard with the engine's answers and shows the gamma page,
    // expecting no warning.
    void OpenGammaPage(const std::string& results, const std::string& gammas = "220,220,220") {
        wizard_.ScriptEngine(results, gammas);
        ASSERT_TRUE(wizard_.Start());
        ASSERT_TRUE(wizard_.OpenGammaPage());
        ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
        ASSERT_FALSE(wizard_.MessageShown(kGammaCaption));
    }
    void ExpectSliders(int red, int green, int blue) {
        EXPECT_EQ(wizard_.Position(IDC_RED_SLIDER), red);
        EXPECT_EQ(wizard_.Position(IDC_GREEN_SLIDER), green);
        EXPECT_EQ(wizard_.Position(IDC_BLUE_SLIDER), blue);
    }

    PageSession wizard_;
};

TEST_F(GammaPage, FirstShowingReadsOnceAndPutsTheSlidersThere) {
    OpenGammaPage("", "180,250,300");
    EXPECT_EQ(wizard_.Calls(), Calls{"0 220 220 220"});
    ExpectSliders(180, 250, 300);

    // Back and Next, Next and Back: the page is shown again, not read again.
    ASSERT_TRUE(wizard_.Click(IDC_BACK2));
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP1_PAGE));
    ASSERT_TRUE(wizard_.Click(IDC_NEXT1));
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    ASSERT_TRUE(wizard_.OpenSavePage());
    ASSERT_TRUE(wizard_.Click(IDC_BACK3));
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    EXPECT_EQ(wizard_.Calls(), Calls{"0 220 220 220"});
    ExpectSliders(180, 250, 300);
    EXPECT_FALSE(wizard_.MessageShown(kGammaCaption));
    EXPECT_TRUE(wizard_.Exit());
}

// Each failed read: its warning once, or nothing, and the sliders at 140.
struct ReadFailure {
    int result;
    const char* warning;  // nullptr: none
};
void PrintTo(const ReadFailure& failure, std::ostream* out) { *out << "result " << failure.result; }

class FailedRead : public GammaPage, public ::testing::WithParamInterface<ReadFailure> {};

TEST_P(FailedRead, WarnsOnceAsTheResultSaysAndLeavesTheSlidersAtTheMinimum) {
    wizard_.ScriptEngine("0:" + std::to_string(GetParam().result));
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.OpenGammaPage());
    if (GetParam().warning) {
        EXPECT_EQ(wizard_.TakeMessage(kGammaCaption), GetParam().warning);
    }
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    EXPECT_FALSE(wizard_.MessageShown(kGammaCaption));
    EXPECT_EQ(wizard_.Calls(), Calls{"0 220 220 220"});
    ExpectSliders(140, 140, 140);
    EXPECT_TRUE(wizard_.Exit());
}

INSTANTIATE_TEST_SUITE_P(Results, FailedRead,
                         ::testing::Values(ReadFailure{0, "Gamma ramp could not be retrieved."},
                                           ReadFailure{2, "Invalid function code, please contact the author of this program."},
                                           ReadFailure{6, "Gamma correction is not supported by this computer."},
                                           ReadFailure{19, "Internal DLL failure, please contact the author of this program."},
                                           ReadFailure{3, nullptr}, ReadFailure{5, nullptr}, ReadFailure{20, nullptr},
                                           ReadFailure{-1, nullptr}),
                         [](const auto& info) {
                             const int result = info.param.result;
                             return (result < 0 ? "minus" + std::to_string(-result) : std::to_string(result));
                         });

TEST_F(GammaPage, EachKeyThatMovesASliderSendsTheMovedChannelWithTheOthersUnchanged) {
    OpenGammaPage("", "180,250,300");
    wizard_.SliderKey(IDC_RED_SLIDER, VK_RIGHT);
    wizard_.SliderKey(IDC_GREEN_SLIDER, VK_LEFT);
    wizard_.SliderKey(IDC_BLUE_SLIDER, VK_HOME);
    wizard_.SliderKey(IDC_BLUE_SLIDER, VK_END);
    wizard_.SliderKey(IDC_RED_SLIDER, VK_HOME);
    // Keys that cannot move the slider any further.
    wizard_.SliderKey(IDC_RED_SLIDER, VK_HOME);
    wizard_.SliderKey(IDC_RED_SLIDER, VK_LEFT);
    wizard_.SliderKey(IDC_BLUE_SLIDER, VK_END);
    wizard_.SliderKey(IDC_BLUE_SLIDER, VK_RIGHT);
    EXPECT_EQ(wizard_.Calls(),
              (Calls{"0 220 220 220", "1 181 250 300", "1 181 249 300", "1 181 249 140", "1 181 249 310",
                     "1 140 249 310"}));
    ExpectSliders(140, 249, 310);
    EXPECT_TRUE(wizard_.Exit());
}

// A drag reports every step of the thumb; the press and release around it
// report the position the thumb already has.
TEST_F(GammaPage, EveryStepOfADragSendsItsPositionAndNothingElseDoes) {
    OpenGammaPage("", "180,250,300");
    wizard_.SliderNotifies(IDC_GREEN_SLIDER, TB_THUMBTRACK, 250);  // the press
    wizard_.SliderNotifies(IDC_GREEN_SLIDER, TB_THUMBTRACK, 262);
    wizard_.SliderNotifies(IDC_GREEN_SLIDER, TB_THUMBTRACK, 275);
    wizard_.SliderNotifies(IDC_GREEN_SLIDER, TB_THUMBTRACK, 275);
    wizard_.SliderNotifies(IDC_GREEN_SLIDER, TB_THUMBPOSITION, 275);
    wizard_.SliderNotifies(IDC_GREEN_SLIDER, TB_ENDTRACK, 275);
    // A click on the thumb that does not move it.
    wizard_.SliderNotifies(IDC_RED_SLIDER, TB_THUMBPOSITION, 180);
    wizard_.SliderNotifies(IDC_RED_SLIDER, TB_ENDTRACK, 180);
    EXPECT_EQ(wizard_.Calls(), (Calls{"0 220 220 220", "1 180 262 300", "1 180 275 300"}));
    EXPECT_TRUE(wizard_.Exit());
}

TEST_F(GammaPage, ScrollNotificationsOfOtherControlsChangeNothing) {
    OpenGammaPage("", "180,250,300");
    HWND page = wizard_.Page(IDD_STEP2_PAGE);
    HWND picture = FindWindowExA(page, nullptr, "Static", nullptr);
    ASSERT_NE(picture, nullptr);
    for (HWND other : {picture, HWND{}})
        wizard_.Post(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 300), reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(wizard_.Calls(), Calls{"0 220 220 220"});
    // The request kept its gammas: the next movement sends them.
    wizard_.SliderKey(IDC_BLUE_SLIDER, VK_LEFT);
    EXPECT_EQ(wizard_.Calls(), (Calls{"0 220 220 220", "1 180 250 299"}));
    EXPECT_TRUE(wizard_.Exit());
}

// The sliders start at the minimum, while the request keeps its start gammas.
TEST_F(GammaPage, AfterAFailedReadRedMovesWithGreenAndBlueAt220) {
    wizard_.ScriptEngine("0:0");
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.OpenGammaPage());
    EXPECT_EQ(wizard_.TakeMessage(kGammaCaption), "Gamma ramp could not be retrieved.");
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    wizard_.SliderKey(IDC_RED_SLIDER, VK_RIGHT);
    EXPECT_EQ(wizard_.Calls(), (Calls{"0 220 220 220", "1 141 220 220"}));
    EXPECT_TRUE(wizard_.Exit());
}

// No PLX.dll, or one without the export: one warning, then the wizard works
// on without ever calling an engine, Save included.
class WithoutEngine : public GammaPage, public ::testing::WithParamInterface<const char*> {};

TEST_P(WithoutEngine, WarnsOnceAndSavesEverythingButTheProfile) {
    const std::string replacement = GetParam();
    if (replacement.empty())
        wizard_.sandbox().Delete("PLX.dll");
    else
        ASSERT_TRUE(wizard_.sandbox().Copy(companion_test::BuildFolder() + replacement, "PLX.dll"));
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.OpenGammaPage());
    EXPECT_EQ(wizard_.TakeMessage(kGammaCaption), kEngineMissing);
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    ExpectSliders(140, 140, 140);
    wizard_.SliderKey(IDC_RED_SLIDER, VK_RIGHT);
    wizard_.SliderKey(IDC_GREEN_SLIDER, VK_END);
    ExpectSliders(141, 310, 140);

    ASSERT_TRUE(wizard_.OpenSavePage());
    ASSERT_TRUE(wizard_.Click(IDC_SAVE));
    EXPECT_TRUE(wizard_.WaitForEnd());
    EXPECT_FALSE(wizard_.MessageShown("Lumora"));
    EXPECT_EQ(e2e::StoredDword(e2e::kSettingsKey, "RedGamma"), 141u);
    EXPECT_EQ(e2e::StoredDword(e2e::kSettingsKey, "GreenGamma"), 310u);
    EXPECT_EQ(e2e::StoredDword(e2e::kSettingsKey, "BlueGamma"), 220u);
    EXPECT_EQ(e2e::StoredString(e2e::kRunKey, "LumoraResume"), wizard_.sandbox().Path("LumoraResume.exe"));
    EXPECT_EQ(wizard_.WaitForResumeStart().size(), 3u);
    EXPECT_EQ(wizard_.Calls(), Calls{});
}

TEST_P(WithoutEngine, ExitsWithoutCallingAnEngine) {
    const std::string replacement = GetParam();
    if (replacement.empty())
        wizard_.sandbox().Delete("PLX.dll");
    else
        ASSERT_TRUE(wizard_.sandbox().Copy(companion_test::BuildFolder() + replacement, "PLX.dll"));
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.OpenGammaPage());
    EXPECT_EQ(wizard_.TakeMessage(kGammaCaption), kEngineMissing);
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    wizard_.SliderKey(IDC_BLUE_SLIDER, VK_RIGHT);
    EXPECT_TRUE(wizard_.Exit());
    EXPECT_EQ(wizard_.Calls(), Calls{});
}

INSTANTIATE_TEST_SUITE_P(Engines, WithoutEngine, ::testing::Values("", "stand-in\\no-export\\PLX.dll"),
                         [](const auto& info) { return std::string(*info.param ? "NoExport" : "NoLibrary"); });

}  // namespace
