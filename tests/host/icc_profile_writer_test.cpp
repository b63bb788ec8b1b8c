#include "engine/profile/icc_profile_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fake/fake_platform.h"
#include "tests/fake/icc_file.h"

namespace plx {
namespace {

using fake::Bytes;
using fake::IccStructureFault;
using fake::ReadSignature;
using fake::ReadTagTable;
using fake::ReadU32;

constexpr char kPath[] = "C:\\profiles\\test.icm";

ProfileHeader SignedHeader() {
    ProfileHeader header{};
    header.signature = Signature("acsp");
    return header;
}

struct Writer : ::testing::Test {
    fake::FakePlatform os;
    IccProfileWriter writer{os.files};

    bool AddTag(Handle profile, const char (&signature)[5], const Bytes& data) {
        const auto size = static_cast<std::uint32_t>(data.size());
        return writer.SetColorProfileElementSize(profile, Signature(signature), size) &&
               writer.SetColorProfileElement(profile, Signature(signature), 0, size, data.data());
    }
    const Bytes& File() { return os.files.files.at(kPath); }
};

TEST_F(Writer, LaysOutHeaderTableAndAlignedTagsInTheOrderAdded) {
    ProfileHeader header = SignedHeader();
    header.cmmType = 0x01020304;
    header.deviceClass = Signature("mntr");
    header.illuminant[0] = -2;
    header.creator = Signature("TNRK");
    header.reserved[43] = 0x7E;
    const Handle profile = writer.OpenColorProfileA(kPath);
    ASSERT_NE(profile, kNoHandle);
    ASSERT_TRUE(writer.SetColorProfileHeader(profile, header));
    ASSERT_TRUE(AddTag(profile, "zzzz", Bytes(5, 0xAA)));  // not sorted: the table keeps this order
    ASSERT_TRUE(AddTag(profile, "aaaa", Bytes(14, 0xBB)));
    ASSERT_TRUE(AddTag(profile, "mmmm", Bytes(1, 0xCC)));
    ASSERT_TRUE(writer.CloseColorProfile(profile));

    const Bytes& file = File();
    EXPECT_EQ(IccStructureFault(file), "");
    EXPECT_EQ(ReadU32(file, 0), file.size());
    EXPECT_EQ(ReadU32(file, 4), 0x01020304u);
    EXPECT_EQ(ReadSignature(file, 12), "mntr");
    EXPECT_EQ(ReadU32(file, 68), 0xFFFFFFFEu);
    EXPECT_EQ(ReadSignature(file, 80), "TNRK");
    EXPECT_EQ(file[127], 0x7E);
    EXPECT_EQ(ReadU32(file, 128), 3u);

    const auto tags = ReadTagTable(file);
    ASSERT_EQ(tags.size(), 3u);
    const std::uint32_t tableEnd = 132 + 3 * 12;
    EXPECT_EQ(tags[0].signature, "zzzz");
    EXPECT_EQ(tags[0].offset, tableEnd);
    EXPECT_EQ(tags[0].size, 5u);
    EXPECT_EQ(tags[1].signature, "aaaa");
    EXPECT_EQ(tags[1].offset, tableEnd + 8);
    EXPECT_EQ(tags[1].size, 14u);
    EXPECT_EQ(tags[2].signature, "mmmm");
    EXPECT_EQ(tags[2].offset, tableEnd + 8 + 16);
    EXPECT_EQ(file.size(), tableEnd + 8 + 16 + 4u);
    EXPECT_EQ(file[tags[1].offset + 13], 0xBB);
    EXPECT_EQ(file[tags[2].offset], 0xCC);
}

TEST_F(Writer, ElementsAreFilledInPiecesAndResizedInPlace) {
    const Handle profile = writer.OpenColorProfileA(kPath);
    ASSERT_TRUE(writer.SetColorProfileHeader(profile, SignedHeader()));
    ASSERT_TRUE(writer.SetColorProfileElementSize(profile, Signature("aaaa"), 4));
    ASSERT_TRUE(writer.SetColorProfileElementSize(profile, Signature("bbbb"), 4));
    const std::uint8_t piece[2] = {1, 2};
    EXPECT_TRUE(writer.SetColorProfileElement(profile, Signature("aaaa"), 2, 2, piece));
    EXPECT_TRUE(writer.SetColorProfileElementSize(profile, Signature("aaaa"), 6));  // grows, keeps its place
    ASSERT_TRUE(writer.CloseColorProfile(profile));

    const auto tags = ReadTagTable(File());
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0].signature, "aaaa");
    EXPECT_EQ(fake::TagData(File(), tags[0]), (Bytes{0, 0, 1, 2, 0, 0}));
    EXPECT_EQ(IccStructureFault(File()), "");
}

TEST_F(Writer, RefusesMisuse) {
    const Handle profile = writer.OpenColorProfileA(kPath);
    ASSERT_NE(profile, kNoHandle);
    const Handle unknown = profile + 1;
    const std::uint8_t data[8] = {};
    const TagSignature tag = Signature("tttt");

    EXPECT_FALSE(writer.SetColorProfileElement(profile, tag, 0, 4, data)) << "element before its size";
    ASSERT_TRUE(writer.SetColorProfileElementSize(profile, tag, 4));
    EXPECT_FALSE(writer.SetColorProfileElement(profile, tag, 0, 5, data)) << "size beyond the element";
    EXPECT_FALSE(writer.SetColorProfileElement(profile, tag, 1, 4, data)) << "offset + size beyond";
    EXPECT_FALSE(writer.SetColorProfileElement(profile, tag, 5, 0, data)) << "offset beyond";
    EXPECT_FALSE(writer.SetColorProfileElement(profile, tag, 0xFFFFFFFF, 2, data)) << "offset wraps";
    EXPECT_FALSE(writer.SetColorProfileElement(profile, tag, 0, 4, nullptr)) << "no data";
    EXPECT_FALSE(writer.SetColorProfileElementSize(profile, Signature("eeee"), 0)) << "empty element";
    EXPECT_TRUE(writer.SetColorProfileElement(profile, tag, 4, 0, data)) << "nothing at the end";

    EXPECT_FALSE(writer.SetColorProfileHeader(unknown, ProfileHeader{}));
    EXPECT_FALSE(writer.SetColorProfileElementSize(unknown, tag, 4));
    EXPECT_FALSE(writer.SetColorProfileElement(unknown, tag, 0, 4, data));
    EXPECT_FALSE(writer.CloseColorProfile(unknown));
    EXPECT_FALSE(writer.CloseColorProfile(kNoHandle));

    EXPECT_TRUE(writer.CloseColorProfile(profile));
    EXPECT_FALSE(writer.CloseColorProfile(profile)) << "closed twice";
    EXPECT_FALSE(writer.SetColorProfileHeader(profile, ProfileHeader{})) << "used after close";
    EXPECT_EQ(os.files.openFiles, 0);
}

TEST_F(Writer, OpenReplacesAnExistingFile) {
    os.files.files[kPath] = Bytes(1000, 0xFF);
    const Handle profile = writer.OpenColorProfileA(kPath);
    ASSERT_NE(profile, kNoHandle);
    EXPECT_TRUE(File().empty());
    ASSERT_TRUE(writer.CloseColorProfile(profile));
    EXPECT_EQ(File().size(), 132u);  // header and a tag count of 0
    EXPECT_EQ(ReadU32(File(), 0), 132u);
}

TEST_F(Writer, OpenFailsWithoutAFileAndForPathsTheBufferCannotHoldOrThatNameNoFile) {
    os.calls.failing.insert("CreateFileA");
    EXPECT_EQ(writer.OpenColorProfileA(kPath), kNoHandle);
    os.calls.failing.clear();

    const std::string longest(259, 'a'), tooLong(260, 'a');
    os.calls.log.clear();
    EXPECT_EQ(writer.OpenColorProfileA(tooLong.c_str()), kNoHandle);
    EXPECT_EQ(writer.OpenColorProfileA(nullptr), kNoHandle);
    EXPECT_EQ(writer.OpenColorProfileA("C:\\Users\\????\\Documents\\My ICC Profiles\\p.icm"), kNoHandle);
    EXPECT_EQ(writer.OpenColorProfileA("C:\\profiles\\*.icm"), kNoHandle);
    EXPECT_EQ(writer.OpenColorProfileA("C:\\profiles\\nul.icm"), kNoHandle);
    EXPECT_EQ(os.calls.Count("CreateFileA"), 0);
    EXPECT_NE(writer.OpenColorProfileA(longest.c_str()), kNoHandle);
    EXPECT_TRUE(os.files.files.count(longest));
}

TEST_F(Writer, CloseFailsWhenWritingOrClosingFailsAndStillReleasesTheFile) {
    for (const char* failing : {"WriteFile", "CloseHandle"}) {
        fake::FakePlatform platform;
        IccProfileWriter w(platform.files);
        const Handle profile = w.OpenColorProfileA(kPath);
        platform.calls.failing.insert(failing);
        EXPECT_FALSE(w.CloseColorProfile(profile)) << failing;
        EXPECT_EQ(platform.calls.Count("CloseHandle"), 1) << failing;
        EXPECT_EQ(platform.files.openFiles, 0) << failing;
        EXPECT_FALSE(w.CloseColorProfile(profile)) << failing;
    }
}

TEST_F(Writer, ProfilesLeftOpenAreClosedWithTheWriter) {
    {
        IccProfileWriter w(os.files);
        ASSERT_NE(w.OpenColorProfileA(kPath), kNoHandle);
        EXPECT_EQ(os.files.openFiles, 1);
    }
    EXPECT_EQ(os.files.openFiles, 0);
    EXPECT_EQ(os.calls.Count("WriteFile"), 0);
}

}  // namespace
}  // namespace plx
