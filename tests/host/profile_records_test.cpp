#include "engine/profile/profile_records.h"

#include <gtest/gtest.h>

#include <string>

namespace plx {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Spell(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(ProfileRecords, ThreeLetterCopyrightAndDescription) {
    const char abc[128] = "abc";
    EXPECT_EQ(BuildTextRecord(abc, 3), Concat({Spell("text"), Bytes(4, 0), Spell("abc"), Bytes(1, 0)}));

    const Bytes desc = BuildDescRecord(abc, 3);
    ASSERT_EQ(desc.size(), 94u);
    EXPECT_EQ(desc, Concat({Spell("desc"), Bytes(4, 0), Bytes{0, 0, 0, 4}, Spell("abc"), Bytes(1 + 78, 0)}));
}

TEST(ProfileRecords, LongestDescription) {
    char text[128] = {};
    std::fill(text, text + 127, 'D');
    const Bytes desc = BuildDescRecord(text, 127);
    ASSERT_EQ(desc.size(), 218u);
    EXPECT_EQ(Bytes(desc.begin() + 8, desc.begin() + 12), (Bytes{0, 0, 0, 128}));
    EXPECT_EQ(Bytes(desc.begin() + 12, desc.begin() + 139), Bytes(127, 'D'));
    EXPECT_EQ(Bytes(desc.begin() + 139, desc.end()), Bytes(79, 0));
}

TEST(ProfileRecords, TextsAreSizedByTheirLengthFields) {
    struct Case {
        const char* text;
        std::uint32_t length;
        std::string carried;  // what lands in the record before the zero fill
    } cases[] = {
        {"abcdef", 3, "abc"},  // longer than its length: cut
        {"ab", 5, "ab"},       // shorter: the rest stays zero
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        char field[128] = {};
        std::copy(c.text, c.text + std::char_traits<char>::length(c.text), field);
        const Bytes padding(c.length - c.carried.size(), 0);
        EXPECT_EQ(BuildTextRecord(field, c.length),
                  Concat({Spell("text"), Bytes(4, 0), Spell(c.carried), padding, Bytes(1, 0)}))
            << c.text;
        const Bytes desc = BuildDescRecord(field, c.length);
        ASSERT_EQ(desc.size(), c.length + 91u) << c.text;
        EXPECT_EQ(desc[11], c.length + 1) << c.text;
        EXPECT_EQ(Bytes(desc.begin() + 12, desc.begin() + 12 + c.length), Concat({Spell(c.carried), padding}))
            << c.text;
    }
}

TEST(ProfileRecords, CurvCarriesTheTargetGammaAsU8Fixed8) {
    struct Case {
        std::uint32_t targetGamma;
        std::uint8_t high, low;
    } cases[] = {{140, 0x01, 0x66}, {220, 0x02, 0x33}, {250, 0x02, 0x80}, {310, 0x03, 0x1A}};
    for (const auto& c : cases) {
        EXPECT_EQ(BuildCurvRecord(c.targetGamma),
                  (CurvRecord{'c', 'u', 'r', 'v', 0, 0, 0, 0, 0, 0, 0, 1, c.high, c.low}))
            << c.targetGamma;
    }
    for (std::uint32_t gamma = 140; gamma <= 310; ++gamma) {
        const CurvRecord curv = BuildCurvRecord(gamma);
        const auto expected = static_cast<unsigned>(gamma / 100.0 * 256 + 0.5);
        EXPECT_EQ(curv[12] << 8 | curv[13], expected) << gamma;
    }
}

TEST(ProfileRecords, XyzCarriesS15Fixed16Numbers) {
    EXPECT_EQ(BuildXyzRecord(0x0000F6D6, 0x00010000, static_cast<std::int32_t>(0xFFFF0001)),
              (XyzRecord{'X', 'Y', 'Z', ' ', 0, 0, 0, 0, 0x00, 0x00, 0xF6, 0xD6, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xFF,
                         0x00, 0x01}));
}

}  // namespace
}  // namespace plx
