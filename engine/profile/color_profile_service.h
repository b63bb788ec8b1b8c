// The colour-profile service the profile is written through: open, header,
// element size, element, close, each with a success flag. The engine brings
// its own implementation (IccProfileWriter); the interface lets a test stand
// between the profile maker and the writer.
#pragma once

#include <cstdint>

#include "engine/platform/platform.h"

namespace plx {

using TagSignature = std::uint32_t;

// A four-letter signature as the number whose big-endian bytes spell it.
constexpr std::uint32_t Signature(const char (&text)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

// The 128-byte profile header in host byte order, word for word as it lies in
// the file; the service writes every word big-endian.
struct ProfileHeader {
    std::uint32_t size;
    std::uint32_t cmmType;
    std::uint32_t version;
    std::uint32_t deviceClass;
    std::uint32_t dataColorSpace;
    std::uint32_t connectionSpace;
    std::uint32_t dateTime[3];  // (year, month), (day, hours), (minutes, seconds)
    std::uint32_t signature;
    std::uint32_t platform;
    std::uint32_t flags;
    std::uint32_t manufacturer;
    std::uint32_t model;
    std::uint32_t attributes[2];
    std::uint32_t renderingIntent;
    std::int32_t illuminant[3];  // X, Y, Z as s15Fixed16Number
    std::uint32_t creator;
    std::uint8_t reserved[44];
};
static_assert(sizeof(ProfileHeader) == 128);

class ColorProfileService {
public:
    virtual ~ColorProfileService() = default;
    // Creates the file, replacing any existing one; kNoHandle on failure.
    virtual Handle OpenColorProfileA(const char* path) = 0;
    virtual bool SetColorProfileHeader(Handle profile, const ProfileHeader& header) = 0;
    // Adds the tag (listed after those already present) or resizes it.
    virtual bool SetColorProfileElementSize(Handle profile, TagSignature tag, std::uint32_t size) = 0;
    // Copies size bytes of tag data, as they go into the file, to offset within the tag.
    virtual bool SetColorProfileElement(Handle profile, TagSignature tag, std::uint32_t offset, std::uint32_t size,
                                        const void* data) = 0;
    // Writes the file and closes it; the handle is gone afterwards, also on failure.
    virtual bool CloseColorProfile(Handle profile) = 0;
};

}  // namespace plx
