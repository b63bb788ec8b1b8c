#include "engine/profile/make_profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/dispatch.h"
#include "engine/profile/colorimetry.h"
#include "tests/fake/fake_profile_service.h"
#include "tests/fake/icc_file.h"
#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::Bytes;

constexpr char kMonitor[] = "Generic Non-PnP Monitor";
constexpr char kDeviceId[] = "MONITOR\\Default_Monitor\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000";
constexpr char kFileName[] = "Generic Non-PnP Monitor.icm";
constexpr char kSettingsKey[] = "Software\\Brightvale\\Lumora";
const std::string kFolder = "C:\\Users\\user\\Documents\\My ICC Profiles\\";
const std::string kColorDirectory = "C:\\windows\\system32\\spool\\drivers\\color\\";

void SetText(char (&field)[260], const std::string& text) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), text.size());
}

// The request as the entry point hands it over for the program's start values.
PLXRequest ValidatedStartRequest() {
    PLXRequest request = fake::StartRequest();
    request.function = MakeProfileFunction;
    std::strcpy(request.copyright, "Vantor Quell");
    request.copyrightLength = 12;
    return request;
}

// One engine over the fake platform, with the colorimetry and monitor Wine reports.
struct Maker {
    fake::TestEngine t;
    fake::FakeProfileService service{t.os.calls, t.os.files};
    PLXRequest request = ValidatedStartRequest();

    Maker() {
        EngineState& s = t.engine.state;
        s.redX = 0.64, s.redY = 0.33, s.greenX = 0.30, s.greenY = 0.60, s.blueX = 0.15, s.blueY = 0.06;
        s.whiteX = 0.3127, s.whiteY = 0.3290;
        SetText(s.monitorName, kMonitor);
        SetText(s.monitorDeviceId, kDeviceId);
    }
    int Make() { return MakeProfile(t.engine, request, service); }
    std::map<std::string, std::string>& Settings() { return t.os.userRegistry.keys[kSettingsKey]; }
    bool Exists(const std::string& path) { return t.os.files.files.count(path) == 1; }
    const Bytes& File(const std::string& path) { return t.os.files.files.at(path); }
    bool Associated(const std::string& fileName) {
        return t.os.colorService.associations.count({fileName, kDeviceId}) == 1;
    }
};

struct ProfileMaker : ::testing::Test, Maker {};

TEST_F(ProfileMaker, StartValuesMakeInstallAssociateAndRecordTheProfile) {
    PLXRequest start = fake::StartRequest();
    start.function = MakeProfileFunction;
    ASSERT_EQ(Dispatch(t.engine, &start), ResultProfileMade);

    const std::string fullPath = kFolder + kFileName;
    EXPECT_TRUE(t.os.files.directories.count("C:\\Users\\user\\Documents\\My ICC Profiles"));
    ASSERT_TRUE(Exists(fullPath));
    EXPECT_EQ(fake::IccStructureFault(File(fullPath)), "");
    ASSERT_TRUE(Exists(kColorDirectory + kFileName));
    EXPECT_EQ(File(kColorDirectory + kFileName), File(fullPath));
    EXPECT_TRUE(Associated(kFileName));
    EXPECT_EQ(Settings()["DefaultProfileName"], kFileName);
    EXPECT_EQ(Settings()["DefaultProfilePath"], fullPath);
    EXPECT_EQ(t.os.userRegistry.openKeys, 0);
    EXPECT_EQ(t.os.files.openFiles, 0);

    EXPECT_STREQ(start.description, kMonitor);
    EXPECT_EQ(start.descriptionLength, 23u);
    EXPECT_STREQ(start.profileName, kMonitor);
    EXPECT_EQ(start.profileNameLength, 23u);

    const std::vector<std::string> steps = {
        "SHGetFolderPathA", "CreateDirectoryA", "GetLocalTime", "CreateFileA", "WriteFile", "CloseHandle",
        "DisassociateColorProfileFromDeviceA", "GetColorDirectoryA", "UninstallColorProfileA",
        "InstallColorProfileA", "AssociateColorProfileWithDeviceA", "RegCreateKeyExA", "RegSetValueExA",
        "RegSetValueExA", "RegCloseKey"};
    EXPECT_EQ(t.os.calls.log, steps);
}

TEST_F(ProfileMaker, ColorantsAndWhiteComeFromTheColorimetry) {
    request.whitePoint = 6500;
    ASSERT_EQ(Make(), ResultProfileMade);
    EXPECT_EQ(t.engine.state.profileWhiteX, 0.312713);
    EXPECT_EQ(t.engine.state.profileWhiteY, 0.329016);

    const ProfileColorants expected = ComputeColorants(t.engine.state, 6500);
    const Bytes& file = File(kFolder + kFileName);
    const auto tags = fake::ReadTagTable(file);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(fake::ReadU32(file, tags[i / 3].offset + 8 + 4 * (i % 3)), static_cast<std::uint32_t>(expected[i]))
            << i;
    }
    EXPECT_EQ(fake::ReadU32(file, tags[3].offset + 12), 0x00010000u);  // white Y
}

TEST_F(ProfileMaker, FileNames) {
    struct Case {
        const char* profileName;
        const char* fileName;
    } cases[] = {
        {"Office/Left monitor?", "Office_Left monitor_.icm"},
        {"<left> & <right>", "<left> & <right>.icm"},
        {"\"/\\[]:;|=,^*?", "_____________.icm"},
        {"a.b~c%d\t\x7f\xe9", "a.b~c%d\t\x7f\xe9.icm"},
    };
    for (const auto& c : cases) {
        Maker m;
        std::strcpy(m.request.profileName, c.profileName);
        m.request.profileNameLength = static_cast<std::uint32_t>(std::strlen(c.profileName));
        EXPECT_EQ(m.Make(), ResultProfileMade) << c.profileName;
        EXPECT_TRUE(m.Exists(kFolder + c.fileName)) << c.profileName;
        EXPECT_EQ(m.Settings()["DefaultProfileName"], c.fileName) << c.profileName;
        EXPECT_TRUE(m.Associated(c.fileName)) << c.profileName;
        EXPECT_STREQ(m.request.profileName, c.profileName) << "the name itself stays";
        EXPECT_STREQ(m.request.description, kMonitor) << "description defaults on its own";
    }
    EXPECT_EQ(Maker().request.profileNameLength, 0u);
}

TEST_F(ProfileMaker, EmptyMonitorNameGivesABareExtension) {
    SetText(t.engine.state.monitorName, "");
    ASSERT_EQ(Make(), ResultProfileMade);
    EXPECT_TRUE(Exists(kFolder + ".icm"));
    EXPECT_EQ(request.descriptionLength, 0u);
    EXPECT_EQ(request.profileNameLength, 0u);
}

TEST_F(ProfileMaker, LongMonitorNameIsCutTo127InBothDefaults) {
    SetText(t.engine.state.monitorName, std::string(140, 'M'));
    ASSERT_EQ(Make(), ResultProfileMade);
    const std::string cut(127, 'M');
    EXPECT_EQ(request.description, cut);
    EXPECT_EQ(request.descriptionLength, 127u);
    EXPECT_EQ(request.profileName, cut);
    EXPECT_EQ(request.profileNameLength, 127u);
    const Bytes& file = File(kFolder + cut + ".icm");
    EXPECT_EQ(fake::ReadTagTable(file)[8].size, 218u);
}

TEST_F(ProfileMaker, WithoutDocumentsFolderTheProfileGoesToTheCurrentDirectory) {
    t.os.calls.failing.insert("SHGetFolderPathA");
    ASSERT_EQ(Make(), ResultProfileMade);
    EXPECT_EQ(t.os.calls.Count("CreateDirectoryA"), 0);
    EXPECT_TRUE(Exists(kFileName));
    EXPECT_EQ(File(kColorDirectory + kFileName), File(kFileName));
    EXPECT_EQ(Settings()["DefaultProfilePath"], kFileName);
}

TEST_F(ProfileMaker, SecondRequestReplacesTheFirst) {
    ASSERT_EQ(Make(), ResultProfileMade);
    const Bytes first = File(kFolder + kFileName);
    t.os.calls.log.clear();
    request.targetGamma = 250;
    ASSERT_EQ(Make(), ResultProfileMade);

    const Bytes& second = File(kFolder + kFileName);
    EXPECT_NE(second, first);
    EXPECT_EQ(fake::ReadU16(second, fake::ReadTagTable(second)[4].offset + 12), 0x0280);
    EXPECT_EQ(File(kColorDirectory + kFileName), second);
    EXPECT_TRUE(Associated(kFileName));
    for (const char* step : {"DisassociateColorProfileFromDeviceA", "UninstallColorProfileA", "InstallColorProfileA",
                             "AssociateColorProfileWithDeviceA"})
        EXPECT_EQ(t.os.calls.Count(step), 1) << step;
}

// The colour service deletes the file it is given: the earlier installed copy
// goes, the profile just written stays.
TEST_F(ProfileMaker, EarlierInstalledCopyIsRemovedNotTheNewFile) {
    t.os.files.files[kColorDirectory + kFileName] = Bytes(7, 0xEE);
    t.os.calls.failing.insert("InstallColorProfileA");
    ASSERT_EQ(Make(), ResultProfileInstallFailed);
    EXPECT_FALSE(Exists(kColorDirectory + kFileName));
    EXPECT_TRUE(Exists(kFolder + kFileName));

    t.os.calls.failing.clear();
    ASSERT_EQ(Make(), ResultProfileMade);
    EXPECT_EQ(File(kColorDirectory + kFileName), File(kFolder + kFileName));
}

TEST_F(ProfileMaker, UnknownColorDirectorySkipsTheUninstall) {
    t.os.calls.failing.insert("GetColorDirectoryA");
    EXPECT_EQ(Make(), ResultProfileMade);
    EXPECT_EQ(t.os.calls.Count("UninstallColorProfileA"), 0);
    EXPECT_EQ(t.os.calls.Count("DisassociateColorProfileFromDeviceA"), 1);
    EXPECT_TRUE(Exists(kFolder + kFileName));
}

TEST_F(ProfileMaker, SettingsFailuresDoNotChangeTheResult) {
    for (const char* failing : {"RegSetValueExA", "RegCreateKeyExA"}) {
        Maker m;
        m.t.os.calls.failing.insert(failing);
        EXPECT_EQ(m.Make(), ResultProfileMade) << failing;
        EXPECT_TRUE(m.Settings().empty()) << failing;
        EXPECT_EQ(m.t.os.userRegistry.openKeys, 0) << failing;
        EXPECT_TRUE(m.Associated(kFileName)) << failing;
    }
}

TEST_F(ProfileMaker, FailuresLeaveWhatWasDoneBeforeThem) {
    struct Case {
        const char* failing;
        int result;
        bool fileWritten;  // the profile file with its complete contents
        bool fileLeft;     // the profile file in any state
        bool installed, associated;
    } cases[] = {
        {"CreateFileA", ResultProfileOpenFailed, false, false, false, false},
        {"WriteFile", ResultProfileCloseFailed, false, true, false, false},
        {"CloseHandle", ResultProfileCloseFailed, true, true, false, false},
        {"SetColorProfileHeader", ResultProfileTagsFailed, false, true, false, false},
        {"SetColorProfileElement", ResultProfileTagsFailed, false, true, false, false},
        {"InstallColorProfileA", ResultProfileInstallFailed, true, true, false, false},
        {"AssociateColorProfileWithDeviceA", ResultProfileAssociateFailed, true, true, true, false},
    };
    Bytes complete;
    {
        Maker m;
        ASSERT_EQ(m.Make(), ResultProfileMade);
        complete = m.File(kFolder + kFileName);
    }
    for (const auto& c : cases) {
        Maker m;
        m.t.os.calls.failing.insert(c.failing);
        EXPECT_EQ(m.Make(), c.result) << c.failing;
        EXPECT_EQ(m.Exists(kFolder + kFileName), c.fileLeft) << c.failing;
        if (c.fileLeft) {
            EXPECT_EQ(m.File(kFolder + kFileName) == complete, c.fileWritten) << c.failing;
        }
        EXPECT_EQ(m.Exists(kColorDirectory + kFileName), c.installed) << c.failing;
        EXPECT_EQ(m.Associated(kFileName), c.associated) << c.failing;
        EXPECT_TRUE(m.Settings().empty()) << c.failing;
        EXPECT_EQ(m.t.os.files.openFiles, 0) << c.failing;
        // Installation steps follow only a complete profile.
        const bool reachedInstall = c.result >= ResultProfileInstallFailed;
        EXPECT_EQ(m.t.os.calls.Count("DisassociateColorProfileFromDeviceA"), reachedInstall ? 1 : 0) << c.failing;
    }
}

// A documents folder of 260 characters or more does not even fit the
// lookup's buffer; it goes nowhere else either, not to the current directory.
TEST_F(ProfileMaker, PathTheBufferCannotHoldIsNeverUsed) {
    // folder + "\My ICC Profiles\" + "Generic Non-PnP Monitor.icm": 17 + 27 characters after the documents folder.
    struct Case {
        std::size_t documentsLength;
        int result;
    } cases[] = {{215, ResultProfileMade}, {216, ResultProfileOpenFailed}, {242, ResultProfileOpenFailed},
                 {259, ResultProfileOpenFailed}, {260, ResultProfileOpenFailed}, {400, ResultProfileOpenFailed}};
    for (const auto& c : cases) {
        Maker m;
        m.t.os.files.documents = "C:\\" + std::string(c.documentsLength - 3, 'd');
        EXPECT_EQ(m.Make(), c.result) << c.documentsLength;
        const std::string fullPath = m.t.os.files.documents + "\\My ICC Profiles\\" + kFileName;
        if (c.result == ResultProfileMade) {
            EXPECT_EQ(fullPath.size(), 259u);
            EXPECT_TRUE(m.Exists(fullPath));
            continue;
        }
        EXPECT_TRUE(m.t.os.files.files.empty()) << c.documentsLength;
        EXPECT_TRUE(m.t.os.files.directories.empty()) << c.documentsLength;
        EXPECT_EQ(m.t.os.calls.Count("CreateFileA"), 0) << c.documentsLength;
        EXPECT_TRUE(m.Settings().empty()) << c.documentsLength;
        EXPECT_STREQ(m.request.profileName, kMonitor) << c.documentsLength;
    }
}

// A device's name opens the device in any folder and with any extension:
// "COM1.icm" would send the profile to the serial port.
TEST_F(ProfileMaker, DeviceNamesAreNeverOpened) {
    struct Case {
        const char* profileName;
        int result;
    } cases[] = {
        {"NUL", ResultProfileOpenFailed},    {"con", ResultProfileOpenFailed},
        {"Com1", ResultProfileOpenFailed},   {"LPT9  ", ResultProfileOpenFailed},
        {"aux.old", ResultProfileOpenFailed}, {"CONOUT$", ResultProfileOpenFailed},
        {"COM\xB9", ResultProfileOpenFailed}, {"PRN . x", ResultProfileOpenFailed},
        {"CONSOLE", ResultProfileMade},      {"COM10", ResultProfileMade},
        {"NULL", ResultProfileMade},         {"xNUL", ResultProfileMade},
        {" CON", ResultProfileMade},         {"LPT", ResultProfileMade},
    };
    for (const auto& c : cases) {
        Maker m;
        std::strcpy(m.request.profileName, c.profileName);
        m.request.profileNameLength = static_cast<std::uint32_t>(std::strlen(c.profileName));
        EXPECT_EQ(m.Make(), c.result) << c.profileName;
        if (c.result == ResultProfileOpenFailed) {
            EXPECT_TRUE(m.t.os.files.files.empty()) << c.profileName;
            EXPECT_TRUE(m.t.os.files.directories.empty()) << c.profileName;
            EXPECT_EQ(m.t.os.calls.Count("CreateFileA"), 0) << c.profileName;
        }
    }
}

// A user name the ANSI code page cannot spell comes back as '?': no folder of
// that name exists, and the profile must not go anywhere else instead.
TEST_F(ProfileMaker, DocumentsFolderTheCodePageCannotSpellIsNeverUsed) {
    t.os.files.documents = "C:\\Users\\????\\Documents";
    EXPECT_EQ(Make(), ResultProfileOpenFailed);
    EXPECT_TRUE(t.os.files.files.empty());
    EXPECT_TRUE(t.os.files.directories.empty());
    EXPECT_EQ(t.os.calls.Count("CreateFileA"), 0);
    EXPECT_TRUE(Settings().empty());
    EXPECT_STREQ(request.profileName, kMonitor) << "the defaults are filled in all the same";
}

}  // namespace
}  // namespace plx
