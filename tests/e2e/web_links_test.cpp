// Help, About and the credit picture open pages installed beside the program
// through the shell. A recording program stands in as the handler of web
// pages (and of web addresses, which none of them may be) for the test's
// duration.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/e2e/wizard_session.h"

namespace {

using e2e::WizardSession;

class WebLinks : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(wizard_.ready());
        // Wine's shell takes the handlers from the machine's classes only.
        const std::string recorder = "\"" + companion_test::BinFolder() + "url_recorder.exe\" \"%1\"";
        webHandler_.SetString("", recorder);
        pageType_.SetString("", "htmlfile");
        pageHandler_.SetString("", recorder);
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
    companion_test::RegistryValues webHandler_{"https\\shell\\open\\command", HKEY_CLASSES_ROOT};
    companion_test::RegistryValues pageType_{".html", HKEY_CLASSES_ROOT};
    companion_test::RegistryValues pageHandler_{"htmlfile\\shell\\open\\command", HKEY_CLASSES_ROOT};
    const std::string help_ = wizard_.sandbox().Path("help\\index.html");
    const std::string about_ = wizard_.sandbox().Path("help\\about.html");
    std::string log_ = wizard_.sandbox().Path("opened.log");
    size_t opened_ = 0;
};

TEST_F(WebLinks, HelpAboutAndCreditOpenTheInstalledPages) {
    Open(ID_HELP);
    Open(IDC_ABOUT);
    Open(IDC_POWERED_BY);
    EXPECT_EQ(Opened(), (std::vector<std::string>{help_, about_, about_}));
    for (const std::string& page : Opened()) EXPECT_TRUE(companion_test::Exists(page)) << page;
    EXPECT_TRUE(wizard_.Exit());
}

TEST_F(WebLinks, HelpOpensTheSamePageFromEveryPage) {
    for (UINT next : {IDC_START, IDC_NEXT1, IDC_NEXT2}) {
        Open(ID_HELP);
        ASSERT_TRUE(wizard_.Click(next));
    }
    Open(ID_HELP);
    EXPECT_EQ(Opened(), std::vector<std::string>(4, help_));
    EXPECT_TRUE(wizard_.Exit());
}

}  // namespace
