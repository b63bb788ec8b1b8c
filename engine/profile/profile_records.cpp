#include "engine/profile/profile_records.h"

#include <algorithm>

#include "engine/profile/big_endian.h"

namespace plx {

namespace {

constexpr std::uint32_t kVersion21 = 0x02100000;
constexpr std::uint32_t kPerceptual = 0;
// D50 as the header's PCS illuminant: 0.9642, 1.0, 0.8249.
constexpr std::int32_t kD50[3] = {0x0000F6D6, 0x00010000, 0x0000D32D};

constexpr std::size_t kTypeHeader = 8;                    // type signature, four reserved zero bytes
constexpr std::size_t kDescTrailer = 4 + 4 + 2 + 1 + 67;  // Unicode and ScriptCode parts, all zero

std::uint32_t Pack(std::uint16_t high, std::uint16_t low) { return std::uint32_t{high} << 16 | low; }

std::vector<std::uint8_t> TypedRecord(TagSignature type, std::size_t size) {
    std::vector<std::uint8_t> record(size, 0);
    PutU32(record.data(), type);
    return record;
}

// The text up to length bytes or its terminator, whichever comes first.
void PutText(std::uint8_t* at, const char* text, std::uint32_t length) {
    const char* end = std::find(text, text + length, '\0');
    std::copy(text, end, at);
}

}  // namespace

ProfileHeader BuildMonitorProfileHeader(const LocalTime& now) {
    ProfileHeader header{};
    header.size = 132;  // header and tag count of an empty profile; the writer puts in the final size
    header.cmmType = 0;
    header.version = kVersion21;
    header.deviceClass = Signature("mntr");
    header.dataColorSpace = Signature("RGB ");
    header.connectionSpace = Signature("XYZ ");
    header.dateTime[0] = Pack(now.year, now.month);
    header.dateTime[1] = Pack(now.day, now.hour);
    header.dateTime[2] = Pack(now.minute, now.second);
    header.signature = Signature("acsp");
    header.platform = Signature("MSFT");
    header.manufacturer = Signature("TNRK");
    header.renderingIntent = kPerceptual;
    std::copy(std::begin(kD50), std::end(kD50), header.illuminant);
    header.creator = Signature("TNRK");
    return header;
}

XyzRecord BuildXyzRecord(std::int32_t x, std::int32_t y, std::int32_t z) {
    XyzRecord record{};
    PutU32(record.data(), Signature("XYZ "));
    PutU32(record.data() + 8, static_cast<std::uint32_t>(x));
    PutU32(record.data() + 12, static_cast<std::uint32_t>(y));
    PutU32(record.data() + 16, static_cast<std::uint32_t>(z));
    return record;
}

CurvRecord BuildCurvRecord(std::uint32_t targetGamma) {
    CurvRecord record{};
    PutU32(record.data(), Signature("curv"));
    PutU32(record.data() + 8, 1);  // one entry: a pure gamma
    // In integers, the exact value of int(targetGamma / 100 * 256 + 0.5).
    const std::uint64_t u8Fixed8 = (std::uint64_t{targetGamma} * 256 + 50) / 100;
    PutU16(record.data() + 12, static_cast<std::uint16_t>(u8Fixed8));
    return record;
}

std::vector<std::uint8_t> BuildTextRecord(const char* text, std::uint32_t length) {
    std::vector<std::uint8_t> record = TypedRecord(Signature("text"), kTypeHeader + length + 1);
    PutText(record.data() + kTypeHeader, text, length);
    return record;
}

std::vector<std::uint8_t> BuildDescRecord(const char* text, std::uint32_t length) {
    constexpr std::size_t kCountSize = 4;
    const std::uint32_t asciiCount = length + 1;  // the text and its terminating zero
    std::vector<std::uint8_t> record =
        TypedRecord(Signature("desc"), kTypeHeader + kCountSize + asciiCount + kDescTrailer);
    PutU32(record.data() + kTypeHeader, asciiCount);
    PutText(record.data() + kTypeHeader + kCountSize, text, length);
    return record;
}

}  // namespace plx
