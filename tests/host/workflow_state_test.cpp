// The program's state before and right after start-up, before the gamma page
// was ever shown.
#include "app/workflow_state.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(WorkflowState, LoadValues) {
    PLXRequest zero{};
    EXPECT_EQ(std::memcmp(&engineRequest, &zero, sizeof zero), 0);
    EXPECT_EQ(engineEntry, nullptr);
    EXPECT_EQ(savedGammas.red, 220u);
    EXPECT_EQ(savedGammas.green, 220u);
    EXPECT_EQ(savedGammas.blue, 220u);
    EXPECT_STREQ(settingsKeyPath, "Software\\Brightvale\\Lumora");
    EXPECT_TRUE(loaderPath.empty());
    EXPECT_TRUE(resumePath.empty());
    EXPECT_EQ(remindInterval, 0u);
    EXPECT_EQ(remindDate, 0u);
}

// Target gamma 2.20, a 6500 K white and the engine's own texts; everything
// else stays as it was, for the engine to fill.
TEST(WorkflowState, StartValuesOfTheRequest) {
    PLXRequest request;
    std::memset(&request, 0x5A, sizeof request);
    PLXRequest expected = request;
    expected.redGamma = expected.greenGamma = expected.blueGamma = 220;
    expected.targetGamma = 220;
    expected.whitePoint = 6500;
    expected.copyrightLength = expected.descriptionLength = expected.profileNameLength = 0;

    SetRequestStartValues(request);
    EXPECT_EQ(std::memcmp(&request, &expected, sizeof request), 0);
}

}  // namespace
