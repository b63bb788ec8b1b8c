// What every monitor profile the engine writes must satisfy, checked on the
// file's bytes with the tests' independent ICC reader. Used by the fuzz
// targets that reach function code 2.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/profile/colorimetry.h"
#include "engine/request.h"
#include "fuzz/fuzz_check.h"
#include "tests/fake/icc_file.h"

namespace plx::fuzz {

// s15Fixed16Number after the clamp to -32768..32767.
constexpr std::int32_t kLowestEncoded = -2147483647;    // -32768.0
constexpr std::int32_t kHighestEncoded = 0x7FFF0000;    // 32767.0
constexpr std::int32_t kOne = 0x00010000;

inline double Decoded(std::int32_t value) { return value / 65536.0; }

struct Xyz {
    std::int32_t X, Y, Z;
    bool Clamped() const {
        for (std::int32_t v : {X, Y, Z})
            if (v <= kLowestEncoded || v >= kHighestEncoded) return true;
        return false;
    }
};

inline Xyz ReadXyzTag(const fake::IccBytes& file, const fake::IccTag& tag) {
    FUZZ_CHECK(tag.size == 20 && fake::ReadSignature(file, tag.offset) == "XYZ " && fake::ReadU32(file, tag.offset + 4) == 0);
    auto at = [&](std::size_t i) { return static_cast<std::int32_t>(fake::ReadU32(file, tag.offset + 8 + 4 * i)); };
    const Xyz xyz{at(0), at(1), at(2)};
    for (std::int32_t v : {xyz.X, xyz.Y, xyz.Z}) FUZZ_CHECK(v >= kLowestEncoded && v <= kHighestEncoded);
    return xyz;
}

// A text record's bytes: the text up to its length or its terminator, then zeros.
inline void CheckText(const fake::IccBytes& file, std::size_t at, std::size_t room, const char* text,
                      std::uint32_t length) {
    const std::size_t used = strnlen(text, length);
    for (std::size_t i = 0; i < room; ++i) FUZZ_CHECK(file[at + i] == (i < used ? static_cast<std::uint8_t>(text[i]) : 0));
}

// A profile written in full for request (its defaults filled in) with the
// engine's profile white: header, nine tags in order, colorants that are
// finite, within the clamp and consistent with the white they describe.
inline void CheckCompleteProfile(const fake::IccBytes& file, const PLXRequest& request, Chromaticity profileWhite) {
    FUZZ_CHECK(fake::IccStructureFault(file).empty());
    FUZZ_CHECK(fake::ReadU32(file, 8) == 0x02100000 && fake::ReadSignature(file, 12) == "mntr" &&
          fake::ReadSignature(file, 40) == "MSFT" && fake::ReadSignature(file, 48) == "TNRK");
    const auto tags = fake::ReadTagTable(file);
    const char* order[] = {"rXYZ", "gXYZ", "bXYZ", "wtpt", "rTRC", "gTRC", "bTRC", "cprt", "desc"};
    FUZZ_CHECK(tags.size() == 9);
    for (std::size_t i = 0; i < 9; ++i) FUZZ_CHECK(tags[i].signature == order[i]);

    const Xyz red = ReadXyzTag(file, tags[0]), green = ReadXyzTag(file, tags[1]), blue = ReadXyzTag(file, tags[2]);
    const Xyz white = ReadXyzTag(file, tags[3]);
    FUZZ_CHECK(white.Y == kOne);

    // Unclamped values come from finite doubles: the white point is the
    // target white (or the default that replaced a degenerate one), and the
    // colorants add up to the white they are relative to.
    if (!red.Clamped() && !green.Clamped() && !blue.Clamped() && !white.Clamped()) {
        const double sum = Decoded(white.X) + 1.0 + Decoded(white.Z);
        const double x = Decoded(white.X) / sum, y = 1.0 / sum;
        auto near = [](Chromaticity a, double x, double y) { return std::fabs(a.x - x) < 1e-4 && std::fabs(a.y - y) < 1e-4; };
        FUZZ_CHECK(near(profileWhite, x, y) || near(defaultWhite, x, y));

        const XYZ reference = request.whitePoint == 5000
                                  ? XYZ{Decoded(white.X), 1.0, Decoded(white.Z)}
                                  : d50AdaptationWhite;
        FUZZ_CHECK(std::fabs(Decoded(red.X) + Decoded(green.X) + Decoded(blue.X) - reference.X) < 1e-3);
        FUZZ_CHECK(std::fabs(Decoded(red.Y) + Decoded(green.Y) + Decoded(blue.Y) - reference.Y) < 1e-3);
        FUZZ_CHECK(std::fabs(Decoded(red.Z) + Decoded(green.Z) + Decoded(blue.Z) - reference.Z) < 1e-3);
    }

    const fake::IccBytes trc = fake::TagData(file, tags[4]);
    FUZZ_CHECK(trc.size() == 14 && fake::TagData(file, tags[5]) == trc && fake::TagData(file, tags[6]) == trc);
    FUZZ_CHECK(fake::ReadU32(trc, 8) == 1);
    FUZZ_CHECK(std::fabs(fake::ReadU16(trc, 12) / 256.0 - request.targetGamma / 100.0) <= 0.5 / 256);

    FUZZ_CHECK(tags[7].size == request.copyrightLength + 9 && fake::ReadSignature(file, tags[7].offset) == "text");
    CheckText(file, tags[7].offset + 8, request.copyrightLength + 1, request.copyright, request.copyrightLength);
    FUZZ_CHECK(tags[8].size == request.descriptionLength + 91 && fake::ReadSignature(file, tags[8].offset) == "desc");
    FUZZ_CHECK(fake::ReadU32(file, tags[8].offset + 8) == request.descriptionLength + 1);
    CheckText(file, tags[8].offset + 12, request.descriptionLength + 1 + 78, request.description,
              request.descriptionLength);
}

}  // namespace plx::fuzz
