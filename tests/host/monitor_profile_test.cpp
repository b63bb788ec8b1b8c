#include "engine/profile/monitor_profile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/fake/fake_profile_service.h"
#include "tests/fake/icc_file.h"
#include "tests/fake/test_engine.h"

namespace plx {
namespace {

using fake::Bytes;
using fake::ReadSignature;
using fake::ReadTagTable;
using fake::ReadU16;
using fake::ReadU32;

constexpr char kPath[] = "C:\\Users\\user\\Documents\\My ICC Profiles\\Test.icm";

// Distinct values, one negative, so that every position is seen.
constexpr ProfileColorants kColorants = {0x6FA2, 0x38F5, 0x0390, 0x6299, 0xB785, 0x18DA, 0x24A1,
                                         0x0F84, -0x10,  0xF351, 0x10000, 0x116CC};

PLXRequest ProfileRequest(const char* copyright, const char* description) {
    PLXRequest request = fake::StartRequest();
    std::strcpy(request.copyright, copyright);
    request.copyrightLength = static_cast<std::uint32_t>(std::strlen(copyright));
    std::strcpy(request.description, description);
    request.descriptionLength = static_cast<std::uint32_t>(std::strlen(description));
    return request;
}

struct MonitorProfile : ::testing::Test {
    fake::FakePlatform os;
    fake::FakeProfileService service{os.calls, os.files};

    int Write(const PLXRequest& request) {
        return WriteMonitorProfile(service, os.clock, kPath, request, kColorants);
    }
};

TEST_F(MonitorProfile, FixedHeaderFields) {
    ASSERT_EQ(Write(ProfileRequest("abc", "abc")), ResultProfileMade);
    const Bytes& file = os.files.files.at(kPath);
    EXPECT_EQ(ReadU32(file, 0), file.size());
    EXPECT_EQ(ReadU32(file, 4), 0u);
    EXPECT_EQ(ReadU32(file, 8), 0x02100000u);
    EXPECT_EQ(ReadSignature(file, 12), "mntr");
    EXPECT_EQ(ReadSignature(file, 16), "RGB ");
    EXPECT_EQ(ReadSignature(file, 20), "XYZ ");
    // The fake clock's 2008-12-25 14:30:05.
    const std::uint16_t date[6] = {2008, 12, 25, 14, 30, 5};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ReadU16(file, 24 + 2 * i), date[i]) << i;
    EXPECT_EQ(ReadSignature(file, 36), "acsp");
    EXPECT_EQ(ReadSignature(file, 40), "MSFT");
    EXPECT_EQ(ReadU32(file, 44), 0u);
    EXPECT_EQ(ReadSignature(file, 48), "TNRK");
    EXPECT_EQ(ReadU32(file, 52), 0u);
    EXPECT_EQ(ReadU32(file, 56), 0u);
    EXPECT_EQ(ReadU32(file, 60), 0u);
    EXPECT_EQ(ReadU32(file, 64), 0u);
    EXPECT_EQ(ReadU32(file, 68), 0x0000F6D6u);
    EXPECT_EQ(ReadU32(file, 72), 0x00010000u);
    EXPECT_EQ(ReadU32(file, 76), 0x0000D32Du);
    EXPECT_EQ(ReadSignature(file, 80), "TNRK");
    EXPECT_EQ(Bytes(file.begin() + 84, file.begin() + 128), Bytes(44, 0));
}

TEST_F(MonitorProfile, NineTagsInTableOrder) {
    PLXRequest request = ProfileRequest("abc", "abc");
    request.targetGamma = 250;
    ASSERT_EQ(Write(request), ResultProfileMade);
    const Bytes& file = os.files.files.at(kPath);
    EXPECT_EQ(fake::IccStructureFault(file), "");

    const auto tags = ReadTagTable(file);
    const struct {
        const char* signature;
        std::uint32_t size;
    } expected[] = {{"rXYZ", 20}, {"gXYZ", 20}, {"bXYZ", 20}, {"wtpt", 20}, {"rTRC", 14},
                    {"gTRC", 14}, {"bTRC", 14}, {"cprt", 12}, {"desc", 94}};
    ASSERT_EQ(tags.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(tags[i].signature, expected[i].signature) << i;
        EXPECT_EQ(tags[i].size, expected[i].size) << i;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(ReadSignature(file, tags[i].offset), "XYZ ") << i;
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_EQ(ReadU32(file, tags[i].offset + 8 + 4 * k), static_cast<std::uint32_t>(kColorants[3 * i + k]));
    }
    const Bytes trc = fake::TagData(file, tags[4]);
    EXPECT_EQ(fake::TagData(file, tags[5]), trc);
    EXPECT_EQ(fake::TagData(file, tags[6]), trc);
    EXPECT_EQ(ReadU16(trc, 12), 0x0280);
    EXPECT_EQ(ReadSignature(file, tags[7].offset + 8), std::string("abc") + '\0');
    EXPECT_EQ(ReadU32(file, tags[8].offset + 8), 4u);
}

TEST_F(MonitorProfile, FailuresMapToOpenCloseAndTagResults) {
    struct Case {
        std::vector<std::string> failing;
        int result;
        bool fileLeft;
        int setCalls;  // header and element calls made: the sequence stops at the first failure
    } cases[] = {
        {{"CreateFileA"}, ResultProfileOpenFailed, false, 0},
        {{"OpenColorProfileA"}, ResultProfileOpenFailed, false, 0},
        {{"WriteFile"}, ResultProfileCloseFailed, true, 19},
        {{"CloseHandle"}, ResultProfileCloseFailed, true, 19},
        {{"SetColorProfileHeader"}, ResultProfileTagsFailed, true, 1},
        {{"SetColorProfileElementSize"}, ResultProfileTagsFailed, true, 2},
        {{"SetColorProfileElement"}, ResultProfileTagsFailed, true, 3},
        {{"SetColorProfileElement", "WriteFile"}, ResultProfileCloseFailed, true, 3},  // close failing wins
    };
    for (const auto& c : cases) {
        fake::FakePlatform platform;
        fake::FakeProfileService failing{platform.calls, platform.files};
        platform.calls.failing.insert(c.failing.begin(), c.failing.end());
        const std::string what = c.failing.front();
        EXPECT_EQ(WriteMonitorProfile(failing, platform.clock, kPath, ProfileRequest("c", "d"), kColorants), c.result)
            << what;
        EXPECT_EQ(platform.files.files.count(kPath) == 1, c.fileLeft) << what;
        EXPECT_EQ(platform.files.openFiles, 0) << what;
        // Close runs whenever open succeeded, whatever happened in between.
        EXPECT_EQ(platform.calls.Count("CloseColorProfile"), c.result == ResultProfileOpenFailed ? 0 : 1) << what;
        EXPECT_EQ(platform.calls.Count("SetColorProfileHeader") + platform.calls.Count("SetColorProfileElementSize") +
                      platform.calls.Count("SetColorProfileElement"),
                  c.setCalls)
            << what;
    }
}

TEST_F(MonitorProfile, FailedTagsLeaveWhatWasSetOnDisk) {
    os.calls.failing.insert("SetColorProfileElement");
    ASSERT_EQ(Write(ProfileRequest("c", "d")), ResultProfileTagsFailed);
    const Bytes& file = os.files.files.at(kPath);
    EXPECT_EQ(fake::IccStructureFault(file), "");
    const auto tags = ReadTagTable(file);
    ASSERT_EQ(tags.size(), 1u);  // rXYZ sized, its data never set
    EXPECT_EQ(fake::TagData(file, tags[0]), Bytes(20, 0));
}

}  // namespace
}  // namespace plx
