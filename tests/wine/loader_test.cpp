// LumoraLoader.exe run as at logon, from a folder that holds the recording
// stand-in as its PLX.dll: what it sends to the engine and what its exit code
// says.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "companion_sandbox.h"
#include "companions/apply.h"

namespace {

using namespace companion_test;
using companions::kApplied;
using companions::kEngineMissing;
using companions::kEngineResultBase;
using companions::kInvalidValues;
using companions::kNothingStored;

// How a test stores one gamma: not at all, as a DWORD, or as something else.
struct Gamma {
    enum Kind { None, Dword, Text, EightBytes } kind;
    DWORD value = 0;
};
constexpr Gamma Absent{Gamma::None};
constexpr Gamma Dw(DWORD v) { return {Gamma::Dword, v}; }

class Loader : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sandbox_.ready()); }

    void Store(Gamma red, Gamma green, Gamma blue) {
        const std::pair<const char*, Gamma> values[] = {{"RedGamma", red}, {"GreenGamma", green}, {"BlueGamma", blue}};
        for (const auto& [name, gamma] : values) {
            switch (gamma.kind) {
                case Gamma::None: settings_.Remove(name); break;
                case Gamma::Dword: settings_.SetDword(name, gamma.value); break;
                case Gamma::Text: settings_.SetString(name, "220"); break;
                case Gamma::EightBytes: settings_.SetBinary(name, {220, 0, 0, 0, 0, 0, 0, 0}); break;
            }
        }
    }

    std::optional<DWORD> RunLoader(const std::string& folder) {
        Process loader(folder + "LumoraLoader.exe", "");
        return loader.WaitForExit();
    }

    Sandbox sandbox_;
    RegistryValues settings_{kSettingsKey};
};

TEST_F(Loader, SendsThreeUsableValuesAndNothingElse) {
    const Gamma Text{Gamma::Text}, EightBytes{Gamma::EightBytes};
    using Calls = std::vector<std::string>;
    struct Case {
        const char* what;
        Gamma red, green, blue;
        int exitCode;
        Calls calls;
    } cases[] = {
        {"stored", Dw(150), Dw(220), Dw(300), kApplied, {"1 150 220 300"}},
        {"ends of the range", Dw(140), Dw(310), Dw(140), kApplied, {"1 140 310 140"}},
        {"none stored", Absent, Absent, Absent, kNothingStored, {}},
        {"blue missing", Dw(150), Dw(220), Absent, kNothingStored, {}},
        {"red 139", Dw(139), Dw(220), Dw(300), kInvalidValues, {}},
        {"green 311", Dw(150), Dw(311), Dw(300), kInvalidValues, {}},
        {"blue 0", Dw(150), Dw(220), Dw(0), kInvalidValues, {}},
        {"green as text", Dw(150), Text, Dw(300), kInvalidValues, {}},
        {"red as eight bytes", EightBytes, Dw(220), Dw(300), kInvalidValues, {}},
    };
    for (const auto& c : cases) {
        sandbox_.Delete("record.log");
        Store(c.red, c.green, c.blue);
        EXPECT_EQ(RunLoader(sandbox_.Path("")), DWORD(c.exitCode)) << c.what;
        EXPECT_EQ(sandbox_.Calls(), c.calls) << c.what;
    }
}

TEST_F(Loader, PassesTheEnginesRefusalOn) {
    Store(Dw(150), Dw(220), Dw(300));
    SetEnvironmentVariableA("PLX_RECORD_RESULTS", "1:6");
    EXPECT_EQ(RunLoader(sandbox_.Path("")), DWORD(kEngineResultBase + 6));
    EXPECT_EQ(sandbox_.Calls().size(), 1u);
}

TEST_F(Loader, FailsQuietlyWithoutTheEngine) {
    Store(Dw(150), Dw(220), Dw(300));
    sandbox_.Delete("PLX.dll");
    EXPECT_EQ(RunLoader(sandbox_.Path("")), DWORD(kEngineMissing));
}

TEST_F(Loader, FailsQuietlyWhenTheEngineLacksItsExport) {
    Store(Dw(150), Dw(220), Dw(300));
    ASSERT_TRUE(sandbox_.Copy(BinFolder() + "LumoraLoader.exe", "PLX.dll"));
    EXPECT_EQ(RunLoader(sandbox_.Path("")), DWORD(kEngineMissing));
}

// Started from another folder while the stand-in's folder is the current
// one (and so on the search path), the loader still finds no engine.
TEST_F(Loader, TakesTheEngineOnlyFromItsOwnFolder) {
    Store(Dw(150), Dw(220), Dw(300));
    Sandbox elsewhere;
    elsewhere.Delete("PLX.dll");
    SetEnvironmentVariableA("PLX_RECORD_LOG", sandbox_.Path("record.log").c_str());
    Process loader(elsewhere.Path("LumoraLoader.exe"), "", /*workingFolder=*/sandbox_.Path(""));
    EXPECT_EQ(loader.WaitForExit(), DWORD(kEngineMissing));
    EXPECT_TRUE(sandbox_.Calls().empty());
}

}  // namespace
