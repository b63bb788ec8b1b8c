// The engine's own colour-profile service: keeps the header and the tags in
// memory and lays out an ICC.1 file when the profile is closed. The same bytes
// on every platform, written through the platform's file calls.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "engine/platform/platform.h"
#include "engine/profile/color_profile_service.h"

namespace plx {

struct ProfileTag {
    TagSignature signature;
    std::vector<std::uint8_t> data;
};

class IccProfileWriter : public ColorProfileService {
public:
    explicit IccProfileWriter(Files& files) : files_(files) {}
    ~IccProfileWriter() override;  // closes, without writing, what was left open
    IccProfileWriter(const IccProfileWriter&) = delete;
    IccProfileWriter& operator=(const IccProfileWriter&) = delete;

    Handle OpenColorProfileA(const char* path) override;
    bool SetColorProfileHeader(Handle profile, const ProfileHeader& header) override;
    bool SetColorProfileElementSize(Handle profile, TagSignature tag, std::uint32_t size) override;
    bool SetColorProfileElement(Handle profile, TagSignature tag, std::uint32_t offset, std::uint32_t size,
                                const void* data) override;
    bool CloseColorProfile(Handle profile) override;

private:
    struct Profile {
        Handle file;
        ProfileHeader header;
        std::vector<ProfileTag> tags;  // in the order they were added
    };

    Profile* Find(Handle profile);

    Files& files_;
    std::map<Handle, Profile> open_;
    Handle next_ = 1;
};

}  // namespace plx
