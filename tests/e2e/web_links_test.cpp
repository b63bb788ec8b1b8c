// Help, About and the credit picture open their web addresses through the
// shell. A recording program stands in as the handler of web addresses for
// the test's duration.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/wizard_session.h"

namespace {

using e2e::WizardSession;

constexpr char kHelp[] = "https://lumora.example/support";
constexpr char kAbout[] = "https://lumora.example/about";
constexpr char kCredit[] = "https://brightvale.example/";

class WebLinks : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(wizard_.ready());
        // Wine's shell takes the handler from the machine's classes only.
        handler_.SetString("", "\"" + companion_test::BinFolder() + "url_recorder.exe\" \"%1\"");
        SetEnvironmentVariableA("LUMORA_OPENED_LOG", log_.c_str());
        ASSERT_TRUE(wizard_.Start());
    }
    void TearDown() override { SetEnvironmentVariableA("LUMORA_OPENED_LOG", nullptr); }

    // Presses `button` and waits until the recorder has noted one more address.
    void Open(UINT button) {
        ASSERT_TRUE(wizard_.Click(button));
        const size_t expected = ++opened_;
        EXPECT_TRUE(e2e::WaitUntil([&] { return Opened().size() >= expected; }));
    }
    std::vector<std::string> Opened() const {
        std::vector<std::string> lines;
        std::ifstream log(log_);
        for (std::string line; std::getline(log, line);) lines.push_back(line);
        return lines;
    }

    WizardSession wizard_;
    companion_test::RegistryValues handler_{"https\\shell\\open\\command", HKEY_CLASSES_ROOT};
    std::string log_ = wizard_.sandbox().Path("opened.log");
    size_t opened_ = 0;
};

TEST_F(WebLinks, HelpAboutAndCreditOpenTheirAddresses) {
    Open(ID_HELP);
    Open(IDC_ABOUT);
    Open(IDC_POWERED_BY);
    EXPECT_EQ(Opened(), (std::vector<std::string>{kHelp, kAbout, kCredit}));
    EXPECT_TRUE(wizard_.Exit());
}

TEST_F(WebLinks, HelpOpensTheSamePageFromEveryPage) {
    for (UINT next : {IDC_START, IDC_NEXT1, IDC_NEXT2}) {
        Open(ID_HELP);
        ASSERT_TRUE(wizard_.Click(next));
    }
    Open(ID_HELP);
    EXPECT_EQ(Opened(), std::vector<std::string>(4, kHelp));
    EXPECT_TRUE(wizard_.Exit());
}

}  // namespace
