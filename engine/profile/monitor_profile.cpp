#include "engine/profile/monitor_profile.h"

#include <cstdint>
#include <vector>

#include "engine/profile/profile_records.h"

namespace plx {

namespace {

struct MonitorProfileRecords {
    XyzRecord red, green, blue, white;
    CurvRecord trc;
    std::vector<std::uint8_t> copyright, description;
};

MonitorProfileRecords BuildRecords(const PLXRequest& request, const ProfileColorants& c) {
    return {
        BuildXyzRecord(c[0], c[1], c[2]),
        BuildXyzRecord(c[3], c[4], c[5]),
        BuildXyzRecord(c[6], c[7], c[8]),
        BuildXyzRecord(c[9], c[10], c[11]),
        BuildCurvRecord(request.targetGamma),
        BuildTextRecord(request.copyright, request.copyrightLength),
        BuildDescRecord(request.description, request.descriptionLength),
    };
}

struct Element {
    TagSignature tag;
    const std::uint8_t* data;
    std::size_t size;
};

// Stops at the first call that fails.
bool SetHeaderAndTags(ColorProfileService& service, Handle profile, const ProfileHeader& header,
                      const MonitorProfileRecords& r) {
    if (!service.SetColorProfileHeader(profile, header)) return false;
    const Element tagTable[] = {
        {Signature("rXYZ"), r.red.data(), r.red.size()},
        {Signature("gXYZ"), r.green.data(), r.green.size()},
        {Signature("bXYZ"), r.blue.data(), r.blue.size()},
        {Signature("wtpt"), r.white.data(), r.white.size()},
        {Signature("rTRC"), r.trc.data(), r.trc.size()},
        {Signature("gTRC"), r.trc.data(), r.trc.size()},
        {Signature("bTRC"), r.trc.data(), r.trc.size()},
        {Signature("cprt"), r.copyright.data(), r.copyright.size()},
        {Signature("desc"), r.description.data(), r.description.size()},
    };
    for (const Element& e : tagTable) {
        const auto size = static_cast<std::uint32_t>(e.size);
        if (!service.SetColorProfileElementSize(profile, e.tag, size)) return false;
        if (!service.SetColorProfileElement(profile, e.tag, 0, size, e.data)) return false;
    }
    return true;
}

}  // namespace

int WriteMonitorProfile(ColorProfileService& service, Clock& clock, const char* path, const PLXRequest& request,
                        const ProfileColorants& colorants) {
    Handle profile = kNoHandle;
    bool built = false;
    {
        const MonitorProfileRecords records = BuildRecords(request, colorants);
        const ProfileHeader header = BuildMonitorProfileHeader(clock.GetLocalTime());
        profile = service.OpenColorProfileA(path);
        if (profile == kNoHandle) return ResultProfileOpenFailed;
        built = SetHeaderAndTags(service, profile, header, records);
    }  // the text records are released before the profile is closed
    if (!service.CloseColorProfile(profile)) return ResultProfileCloseFailed;
    if (!built) return ResultProfileTagsFailed;
    return ResultProfileMade;
}

}  // namespace plx
