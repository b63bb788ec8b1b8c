// The engine's colour-profile writer with the fake platform's fault
// injection: each of the five operations is logged by name into Calls and
// fails, without reaching the writer, when its name is in calls.failing.
#pragma once

#include "engine/profile/icc_profile_writer.h"
#include "tests/fake/fake_platform.h"

namespace plx::fake {

class FakeProfileService : public ColorProfileService {
public:
    FakeProfileService(Calls& calls, Files& files) : calls_(calls), writer_(files) {}

    Handle OpenColorProfileA(const char* path) override {
        return calls_.Enter("OpenColorProfileA") ? writer_.OpenColorProfileA(path) : kNoHandle;
    }
    bool SetColorProfileHeader(Handle profile, const ProfileHeader& header) override {
        return calls_.Enter("SetColorProfileHeader") && writer_.SetColorProfileHeader(profile, header);
    }
    bool SetColorProfileElementSize(Handle profile, TagSignature tag, std::uint32_t size) override {
        return calls_.Enter("SetColorProfileElementSize") && writer_.SetColorProfileElementSize(profile, tag, size);
    }
    bool SetColorProfileElement(Handle profile, TagSignature tag, std::uint32_t offset, std::uint32_t size,
                                const void* data) override {
        return calls_.Enter("SetColorProfileElement") &&
               writer_.SetColorProfileElement(profile, tag, offset, size, data);
    }
    bool CloseColorProfile(Handle profile) override {
        // A refused close still closes, as the writer's own close does.
        const bool ok = calls_.Enter("CloseColorProfile");
        return writer_.CloseColorProfile(profile) && ok;
    }

private:
    Calls& calls_;
    IccProfileWriter writer_;
};

}  // namespace plx::fake
