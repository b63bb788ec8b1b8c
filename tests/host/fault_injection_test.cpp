// Every platform call of the start-up and of function code 2 failed in turn:
// the call log of a clean run gives the calls, each one is failed alone, and
// the result and the state left behind are compared with the table. The
// tables are printed as the fault matrix.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/dispatch.h"
#include "engine/gamma.h"
#include "engine/profile/make_profile.h"
#include "engine/startup.h"
#include "tests/fake/fake_profile_service.h"
#include "tests/fake/icc_file.h"
#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::Bytes;
using fake::Ramp;

// The nth call of its name, from 1.
struct Call {
    std::string name;
    int number;
};

// The clean run's calls, each with its number among the calls of its name.
std::vector<Call> Numbered(const std::vector<std::string>& log) {
    std::vector<Call> calls;
    for (std::size_t i = 0; i < log.size(); ++i)
        calls.push_back({log[i], static_cast<int>(std::count(log.begin(), log.begin() + i + 1, log[i]))});
    return calls;
}

std::string Name(const Call& call) { return call.name + " #" + std::to_string(call.number); }

void PrintMatrix(const std::string& title, const std::string& header, const std::vector<std::string>& rows) {
    std::cout << "\n" << title << "\n\n" << header << "\n";
    for (const std::string& row : rows) std::cout << row << "\n";
    std::cout << std::endl;
}

// --- start-up

Ramp RampFor(std::uint32_t gamma) {
    PLXRequest request{};
    request.redGamma = request.greenGamma = request.blueGamma = gamma;
    buildRamp(request);
    Ramp ramp;
    std::copy(std::begin(request.gammaRamp), std::end(request.gammaRamp), ramp.begin());
    return ramp;
}

constexpr char kDeviceId[] = "MONITOR\\QLW2401\\{4d36e96e-e325-11ce-bfc1-08002be10318}\\0001";
const std::string kClassPath = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\QLW2401\\";
const std::string kInstanceList = "SYSTEM\\CurrentControlSet\\Services\\monitor\\Enum\\";
const std::string kInstance = "DISPLAY\\QLW2401\\5&1f2e3d&0&UID4352";
constexpr std::array<double, 8> kDecoded = {0.640, 0.330, 0.300, 0.600, 0.150, 0.060, 0.313, 0.329};
constexpr std::array<double, 8> kDefaults = {0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0.3127, 0.3290};

Bytes Edid() {
    Bytes edid = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    edid.resize(128);
    edid[18] = 1;
    const std::uint8_t chromaticity[10] = {0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54};
    std::copy(chromaticity, chromaticity + 10, edid.begin() + 25);
    return edid;
}

// A system of each family with a primary monitor whose EDID decodes; the
// display was found at the ramp for 2.00.
struct System {
    const char* name;
    OsVersion version;
    std::function<void(fake::FakeMachineRegistry&)> registry;
};

const System kSystems[] = {
    {"Windows 98", {kPlatformWin9x, 4, 10},
     [](fake::FakeMachineRegistry& r) { r.SetBinary(std::string("Enum\\") + kDeviceId, "EDID", Edid()); }},
    {"Windows XP", {kPlatformNt, 5, 1},
     [](fake::FakeMachineRegistry& r) {
         // An earlier monitor's instance without EDID, then this one's.
         r.Key(kClassPath).subkeys = {"0000", "0001"};
         r.Key(kClassPath + "0000\\Device Parameters");
         r.SetBinary(kClassPath + "0001\\Device Parameters", "EDID", Edid());
     }},
    {"Windows 7", {kPlatformNt, 6, 1},
     [](fake::FakeMachineRegistry& r) {
         r.SetDword(kInstanceList, "Count", 2);
         r.SetString(kInstanceList, "0", "DISPLAY\\ABC0042\\4&2a1b&0&UID256");
         r.SetString(kInstanceList, "1", kInstance);
         r.SetBinary("SYSTEM\\CurrentControlSet\\Enum\\" + kInstance + "\\Device Parameters", "EDID", Edid());
     }},
};

struct StartUpState {
    bool gammaSupported;
    std::int32_t edidStatus;
    bool monitorFound;  // name and device id
    bool rampAsFound;   // else the last probe ramp stays loaded
    bool operator==(const StartUpState&) const = default;
};

std::string Describe(const StartUpState& s) {
    std::ostringstream out;
    out << (s.gammaSupported ? "gamma supported" : "gamma unsupported") << ", EDID status " << s.edidStatus
        << (s.edidStatus == EdidDecoded ? " (EDID colorimetry)" : " (defaults)")
        << (s.monitorFound ? "" : ", no monitor name or id") << (s.rampAsFound ? "" : ", probe ramp left loaded");
    return out.str();
}

struct StartUpRun {
    explicit StartUpRun(const System& system) {
        t.engine.state = EngineState{};
        t.os.system.version = system.version;
        t.os.system.AddPrimaryMonitor("Quell 24 Wide", kDeviceId);
        t.os.display.ramp = found;
        system.registry(t.os.machineRegistry);
    }
    StartUpState Run() {
        StartUp(t.engine);
        const EngineState& s = t.engine.state;
        // Whatever failed: every key closed, the colorimetry one of the two.
        EXPECT_EQ(t.os.machineRegistry.openKeys, 0);
        const std::array<double, 8> colorimetry = {s.redX, s.redY, s.greenX, s.greenY,
                                                   s.blueX, s.blueY, s.whiteX, s.whiteY};
        EXPECT_EQ(colorimetry, s.edidStatus == EdidDecoded ? kDecoded : kDefaults);
        return {s.gammaSupported, s.edidStatus, s.monitorName[0] != '\0' && s.monitorDeviceId[0] != '\0',
                t.os.display.ramp == found};
    }
    fake::TestEngine t;
    Ramp found = RampFor(200);
};

struct StartUpRow {
    const char* call;
    int number;
    StartUpState left;
};

// What failing each call of the clean run leaves. Without a version the
// system is of no known family: the display is probed actively and no
// registry key is looked for. A primary adapter's context that cannot be made
// or takes no ramp gives way to the whole desktop's, which the display's ramp
// reaches as well.
const std::vector<StartUpRow> kStartUpMatrix[] = {
    {
        // Windows 98: the primary adapter, the active probe, then the key under Enum.
        {"EnumDisplayDevicesA", 1, {true, EdidNoKey, false, true}},
        {"CreateDCA", 1, {true, EdidDecoded, true, true}},
        {"GetVersionExA", 1, {true, EdidNoKey, true, true}},
        {"GetDeviceGammaRamp", 1, {true, EdidDecoded, true, true}},
        {"SetDeviceGammaRamp", 1, {true, EdidDecoded, true, true}},
        {"GetDeviceGammaRamp", 2, {true, EdidDecoded, true, true}},
        // The restore: the desktop's probe finds the probe ramp and puts that back.
        {"SetDeviceGammaRamp", 2, {true, EdidDecoded, true, false}},
        {"EnumDisplayDevicesA", 2, {true, EdidNoKey, false, true}},
        {"RegOpenKeyExA", 1, {true, EdidNoKey, true, true}},
        {"RegQueryValueExA", 1, {true, EdidNoValue, true, true}},
        {"RegCloseKey", 1, {true, EdidDecoded, true, true}},
    },
    {
        // Windows XP: the capability, then the last instance under the model's key.
        {"EnumDisplayDevicesA", 1, {true, EdidNoKey, false, true}},
        {"CreateDCA", 1, {true, EdidDecoded, true, true}},
        {"GetVersionExA", 1, {true, EdidNoKey, true, true}},
        {"GetDeviceCaps", 1, {true, EdidDecoded, true, true}},
        {"EnumDisplayDevicesA", 2, {true, EdidNoKey, false, true}},
        {"RegOpenKeyExA", 1, {true, EdidNoKey, true, true}},
        {"RegEnumKeyExA", 1, {true, EdidNoKey, true, true}},
        {"RegEnumKeyExA", 2, {true, EdidNoValue, true, true}},  // the earlier instance is taken
        {"RegEnumKeyExA", 3, {true, EdidDecoded, true, true}},  // the end of the list anyway
        {"RegCloseKey", 1, {true, EdidDecoded, true, true}},
        {"RegOpenKeyExA", 2, {true, EdidNoKey, true, true}},
        {"RegQueryValueExA", 1, {true, EdidNoValue, true, true}},
        {"RegCloseKey", 2, {true, EdidDecoded, true, true}},
    },
    {
        // Windows 7: the capability, then the listed instances of the model.
        {"EnumDisplayDevicesA", 1, {true, EdidNoKey, false, true}},
        {"CreateDCA", 1, {true, EdidDecoded, true, true}},
        {"GetVersionExA", 1, {true, EdidNoKey, true, true}},
        {"GetDeviceCaps", 1, {true, EdidDecoded, true, true}},
        {"EnumDisplayDevicesA", 2, {true, EdidNoKey, false, true}},
        {"RegOpenKeyExA", 1, {true, EdidNoKey, true, true}},
        {"RegQueryValueExA", 1, {true, EdidNoKey, true, true}},     // Count
        {"RegQueryValueExA", 2, {true, EdidDecoded, true, true}},   // another model's entry
        {"RegQueryValueExA", 3, {true, EdidNoKey, true, true}},     // this model's entry
        {"RegCloseKey", 1, {true, EdidDecoded, true, true}},
        {"RegOpenKeyExA", 2, {true, EdidNoKey, true, true}},
        {"RegQueryValueExA", 4, {true, EdidNoValue, true, true}},   // EDID
        {"RegCloseKey", 2, {true, EdidDecoded, true, true}},
    },
};

TEST(FaultInjection, StartUpSurvivesEveryFailingCall) {
    std::vector<std::string> rows;
    for (std::size_t s = 0; s < std::size(kSystems); ++s) {
        const System& system = kSystems[s];
        StartUpRun clean(system);
        EXPECT_EQ(clean.Run(), (StartUpState{true, EdidDecoded, true, true})) << system.name;
        const std::vector<Call> calls = Numbered(clean.t.os.calls.log);
        const std::vector<StartUpRow>& matrix = kStartUpMatrix[s];
        ASSERT_EQ(calls.size(), matrix.size()) << system.name;

        for (std::size_t i = 0; i < calls.size(); ++i) {
            const StartUpRow& row = matrix[i];
            ASSERT_EQ(calls[i].name, row.call) << system.name << ", call " << i + 1;
            ASSERT_EQ(calls[i].number, row.number) << system.name << ", call " << i + 1;
            StartUpRun run(system);
            run.t.os.calls.failingAt[row.call] = {row.number};
            const StartUpState left = run.Run();
            EXPECT_EQ(Describe(left), Describe(row.left)) << system.name << ", " << Name(calls[i]) << " fails";
            EXPECT_EQ(run.t.os.display.openContexts, 1) << system.name << ", " << Name(calls[i]) << " fails";
            rows.push_back("| " + std::string(system.name) + " | " + Name(calls[i]) + " | " + Describe(left) + " |");
        }
    }
    PrintMatrix("Start-up (it never fails), each call failed alone", "| system | call failed | state left |\n|---|---|---|",
                rows);
}

// Memory that runs out anywhere in the start-up ends it there, inside the
// library: the load goes on, with the defaults for what was not found. The
// closing calls run on the way out of every scope and, like the system's,
// never throw.
TEST(FaultInjection, StartUpLetsNoExceptionOut) {
    for (const System& system : kSystems) {
        StartUpRun clean(system);
        clean.Run();
        for (const Call& call : Numbered(clean.t.os.calls.log)) {
            if (call.name == "RegCloseKey") continue;
            StartUpRun run(system);
            run.t.os.calls.throwingAt[call.name] = {call.number};
            EXPECT_NE(run.Run().edidStatus, EdidDecoded) << system.name << ", " << Name(call) << " throws";
        }
    }
}

// --- function code 2

constexpr char kMonitor[] = "Generic Non-PnP Monitor";
constexpr char kMonitorId[] = "MONITOR\\Default_Monitor\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000";
constexpr char kSettingsKey[] = "Software\\Brightvale\\Lumora";
const std::string kFolder = "C:\\Users\\user\\Documents\\My ICC Profiles\\";
const std::string kColorDirectory = "C:\\windows\\system32\\spool\\drivers\\color\\";
const std::string kFileName = std::string(kMonitor) + ".icm";

// Two profiles made earlier: one under the name the new one gets (target
// gamma 2.50), then "Older" (2.00), the one the settings name.
struct ProfileRun {
    ProfileRun() {
        EngineState& s = t.engine.state;
        s.redX = 0.64, s.redY = 0.33, s.greenX = 0.30, s.greenY = 0.60, s.blueX = 0.15, s.blueY = 0.06;
        s.whiteX = 0.3127, s.whiteY = 0.3290;
        std::strcpy(s.monitorName, kMonitor);
        std::strcpy(s.monitorDeviceId, kMonitorId);
        EXPECT_EQ(Make(250, ""), ResultProfileMade);
        EXPECT_EQ(Make(200, "Older"), ResultProfileMade);
        before = t.os.files.files;
        t.os.calls.log.clear();
    }
    // The request as the entry point hands over the program's start values.
    int Make(std::uint32_t targetGamma, const char* profileName) {
        PLXRequest request = fake::StartRequest();
        request.function = MakeProfileFunction;
        request.targetGamma = targetGamma;
        std::strcpy(request.copyright, "Vantor Quell");
        request.copyrightLength = 12;
        std::strcpy(request.profileName, profileName);
        request.profileNameLength = static_cast<std::uint32_t>(std::strlen(profileName));
        return MakeProfile(t.engine, request, service);
    }

    fake::TestEngine t;
    fake::FakeProfileService service{t.os.calls, t.os.files};
    std::map<std::string, Bytes> before;
};

struct ProfileState {
    int result;
    std::string profile;    // the file in "My ICC Profiles"
    std::string installed;  // its copy in the colour directory
    bool associated;
    std::string settings;
    std::string elsewhere;  // any other file written
};

std::string DescribeFile(const std::map<std::string, Bytes>& files, const std::string& path, const Bytes& old,
                         const Bytes& made) {
    const auto it = files.find(path);
    if (it == files.end()) return "absent";
    if (it->second == old) return "old";
    if (it->second == made) return "new";
    if (it->second.empty()) return "empty";
    // Whatever is missing, the layout of what was set is sound.
    const std::string fault = fake::IccStructureFault(it->second);
    EXPECT_TRUE(fault.empty() || fault == "no acsp signature") << path << ": " << fault;
    return "partial, " + std::to_string(fake::ReadU32(it->second, 128)) + " tags";
}

ProfileState Left(const ProfileRun& run, int result, const Bytes& made) {
    const auto& files = run.t.os.files.files;
    const Bytes& old = run.before.at(kFolder + kFileName);
    ProfileState s{result,
                   DescribeFile(files, kFolder + kFileName, old, made),
                   DescribeFile(files, kColorDirectory + kFileName, old, made),
                   run.t.os.colorService.associations.count({kFileName, kMonitorId}) == 1,
                   "",
                   ""};
    auto settings = run.t.os.userRegistry.keys.at(kSettingsKey);
    const bool nameNew = settings["DefaultProfileName"] == kFileName;
    const bool pathNew = settings["DefaultProfilePath"].ends_with(kFileName);
    s.settings = nameNew == pathNew ? (nameNew ? "new" : "old") : (nameNew ? "name new, path old" : "name old, path new");
    if (pathNew && settings["DefaultProfilePath"] != kFolder + kFileName) s.settings += " (bare file name)";
    for (const auto& [path, bytes] : files) {
        if (run.before.count(path) == 0 && path != kColorDirectory + kFileName)
            s.elsewhere += (s.elsewhere.empty() ? "" : ", ") + path;
        // The other profile and its installed copy are never touched.
        if (path.find("Older") != std::string::npos) {
            EXPECT_EQ(bytes, run.before.at(path)) << path;
        }
    }
    if (s.elsewhere.empty()) s.elsewhere = "-";
    return s;
}

std::string Row(const Call& call, const ProfileState& s) {
    std::ostringstream out;
    out << "| " << Name(call) << " | " << s.result << " | " << s.profile << " | " << s.installed << " | "
        << (s.associated ? "yes" : "no") << " | " << s.settings << " | " << s.elsewhere << " |";
    return out.str();
}

struct ProfileRow {
    const char* call;
    int number;  // 0: any number (the tag calls)
    int result;
    const char* profile;
    const char* installed;
    bool associated;
    const char* settings;
    const char* elsewhere;
};

// The new profile's file, old or new installed copy, association, settings.
const ProfileRow kProfileMatrix[] = {
    {"SHGetFolderPathA", 1, 20, "old", "new", true, "new (bare file name)", "Generic Non-PnP Monitor.icm"},
    {"CreateDirectoryA", 1, 20, "new", "new", true, "new", "-"},
    {"GetLocalTime", 1, 20, "new", "new", true, "new", "-"},  // cannot fail: no result
    {"OpenColorProfileA", 1, 14, "old", "old", true, "old", "-"},
    {"CreateFileA", 1, 14, "old", "old", true, "old", "-"},
    {"SetColorProfileHeader", 1, 16, "partial, 0 tags", "old", true, "old", "-"},
    {"SetColorProfileElementSize", 0, 16, nullptr, "old", true, "old", "-"},
    {"SetColorProfileElement", 0, 16, nullptr, "old", true, "old", "-"},
    {"CloseColorProfile", 1, 15, "new", "old", true, "old", "-"},  // the writer closes all the same
    {"WriteFile", 1, 15, "empty", "old", true, "old", "-"},
    {"CloseHandle", 1, 15, "new", "old", true, "old", "-"},
    {"DisassociateColorProfileFromDeviceA", 1, 20, "new", "new", true, "new", "-"},
    {"GetColorDirectoryA", 1, 20, "new", "new", true, "new", "-"},  // no uninstall; the install replaces
    {"UninstallColorProfileA", 1, 20, "new", "new", true, "new", "-"},
    {"InstallColorProfileA", 1, 17, "new", "absent", false, "old", "-"},
    {"AssociateColorProfileWithDeviceA", 1, 18, "new", "new", false, "old", "-"},
    {"RegCreateKeyExA", 1, 20, "new", "new", true, "old", "-"},
    {"RegSetValueExA", 1, 20, "new", "new", true, "name old, path new", "-"},
    {"RegSetValueExA", 2, 20, "new", "new", true, "name new, path old", "-"},
    {"RegCloseKey", 1, 20, "new", "new", true, "new", "-"},
};

const ProfileRow& RowFor(const Call& call) {
    for (const ProfileRow& row : kProfileMatrix)
        if (row.call == call.name && (row.number == 0 || row.number == call.number)) return row;
    ADD_FAILURE() << "no row for " << Name(call);
    return kProfileMatrix[0];
}

// A tag call that fails leaves the tags before it, and for the data call the
// tag whose size was set.
std::string PartialTags(const Call& call) {
    const int tags = call.name == "SetColorProfileElement" ? call.number : call.number - 1;
    return "partial, " + std::to_string(tags) + " tags";
}

TEST(FaultInjection, MakeProfileLosesNothingStoredBeforeTheFailure) {
    ProfileRun clean;
    ASSERT_EQ(clean.Make(220, ""), ResultProfileMade);
    const Bytes made = clean.t.os.files.files.at(kFolder + kFileName);
    const std::vector<Call> calls = Numbered(clean.t.os.calls.log);
    ASSERT_EQ(calls.size(), 36u);  // 18 of them for the nine tags

    std::vector<std::string> rows;
    for (const Call& call : calls) {
        const ProfileRow& row = RowFor(call);
        ProfileRun run;
        run.t.os.calls.failingAt[call.name] = {call.number};
        const ProfileState left = Left(run, run.Make(220, ""), made);
        const ProfileState expected{row.result,  row.profile ? row.profile : PartialTags(call),
                                    row.installed, row.associated, row.settings, row.elsewhere};
        EXPECT_EQ(Row(call, left), Row(call, expected));
        EXPECT_EQ(run.t.os.files.openFiles, 0) << Name(call);
        EXPECT_EQ(run.t.os.userRegistry.openKeys, 0) << Name(call);
        rows.push_back(Row(call, left));
    }
    PrintMatrix("Function code 2 over two earlier profiles, each call failed alone",
                "| call failed | result | profile file | installed copy | associated | settings | written elsewhere |\n"
                "|---|---|---|---|---|---|---|",
                rows);
}

// The same through the export with the engine's own profile writer: memory
// that runs out anywhere answers 15, as a profile that could not be written,
// and leaves no file open to lock the next attempt out.
TEST(FaultInjection, MakeProfileLetsNoExceptionOutOfTheExport) {
    auto request = [] {
        PLXRequest r = fake::StartRequest();
        r.function = MakeProfileFunction;
        return r;
    };
    ProfileRun clean;
    PLXRequest first = request();
    ASSERT_EQ(Dispatch(clean.t.engine, &first), ResultProfileMade);
    for (const Call& call : Numbered(clean.t.os.calls.log)) {
        if (call.name == "CloseHandle" || call.name == "RegCloseKey") continue;
        ProfileRun run;
        run.t.os.calls.throwingAt[call.name] = {call.number};
        PLXRequest r = request();
        EXPECT_EQ(Dispatch(run.t.engine, &r), ResultProfileCloseFailed) << Name(call) << " throws";
        EXPECT_EQ(run.t.os.files.openFiles, 0) << Name(call) << " throws";
    }
}

}  // namespace
}  // namespace plx
