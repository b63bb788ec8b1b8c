// The order of Save's effects, seen by Wine itself: run with Wine's registry
// and file traces on, the wizard's writes of the stored values, the engine's
// call (the recording stand-in opens its log) and the resume program's start
// (the recording resume program opens its log) appear in the order they
// happened. Run through stderr_log.sh, which collects the traces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/page_session.h"

namespace {

using e2e::PageSession;
using e2e::ScopedVariable;

// The events of a traced run that Save is made of, in trace order.
std::vector<std::string> SaveEvents(const std::vector<std::string>& trace) {
    const char* values[] = {"RemindDate", "RemindInterval", "RedGamma", "GreenGamma", "BlueGamma", "PLXLoader",
                            "LumoraResume"};
    std::vector<std::string> events;
    for (const std::string& line : trace) {
        if (line.find(":NtSetValueKey ") != std::string::npos) {
            for (const char* value : values)
                if (line.find("L\"" + std::string(value) + "\"") != std::string::npos) events.push_back(value);
        } else if (line.find(":NtCreateFile ") != std::string::npos) {
            if (line.find("record.log\"") != std::string::npos) events.push_back("engine call");
            if (line.find("resume.log\"") != std::string::npos) events.push_back("resume start");
        }
    }
    return events;
}

TEST(SaveOrder, ReminderThenGammasThenLogonEntriesThenProfileThenResume) {
    SKIP_WITHOUT_DISPLAY();
    char log[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LUMORA_STDERR_LOG", log, sizeof log);
    if (length == 0 || length >= sizeof log) GTEST_SKIP() << "run through stderr_log.sh to collect Wine's traces";

    PageSession wizard;
    ASSERT_TRUE(wizard.ready());
    // A stored interval: the start writes nothing.
    wizard.settings().SetDword("RemindInterval", 7);
    {
        const ScopedVariable trace("WINEDEBUG", "trace+reg,trace+file");
        ASSERT_TRUE(wizard.Start());
    }
    ASSERT_TRUE(wizard.OpenGammaPage());
    ASSERT_TRUE(wizard.WaitForPage(IDD_STEP2_PAGE));
    ASSERT_TRUE(wizard.OpenSavePage());
    ASSERT_TRUE(wizard.Click(IDC_SAVE));
    ASSERT_TRUE(wizard.WaitForEnd());
    ASSERT_EQ(wizard.WaitForResumeStart().size(), 3u);

    // The read on the gamma page is the first engine call.
    EXPECT_EQ(SaveEvents(e2e::LinesOf(log)),
              (std::vector<std::string>{"engine call", "RemindDate", "RemindInterval", "RedGamma", "GreenGamma",
                                        "BlueGamma", "PLXLoader", "LumoraResume", "engine call", "resume start"}));
}

}  // namespace
