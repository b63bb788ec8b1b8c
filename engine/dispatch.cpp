#include "engine/dispatch.h"

#include <cstring>

#include "engine/gamma.h"
#include "engine/pixels.h"
#include "engine/profile/make_profile.h"
#include "engine/white_temperature.h"

namespace plx {

namespace {

constexpr char kDefaultCopyright[] = "Vantor Quell";
constexpr std::uint32_t kMaxTextLength = kTextField - 1;

bool InGammaRange(std::uint32_t gamma) { return gamma >= kMinGamma && gamma <= kMaxGamma; }

int ValidateSetGamma(const PLXRequest& request) {
    if (!InGammaRange(request.redGamma)) return ResultBadRedGamma;
    if (!InGammaRange(request.greenGamma)) return ResultBadGreenGamma;
    if (!InGammaRange(request.blueGamma)) return ResultBadBlueGamma;
    return ResultOk;
}

// Profile requests are partly completed in place: these write-backs stay in
// the caller's block even when a later check refuses the call.
int ValidateMakeProfile(PLXRequest& request) {
    if (request.targetGamma == 0) request.targetGamma = 220;
    if (!InGammaRange(request.targetGamma)) return ResultBadTargetGamma;
    if (request.whitePoint != 0 && (request.whitePoint < 5000 || request.whitePoint > 9300)) return ResultBadWhitePoint;

    request.copyright[kMaxTextLength] = '\0';
    request.description[kMaxTextLength] = '\0';
    request.profileName[kMaxTextLength] = '\0';

    if (request.copyrightLength == 0) {
        std::memset(request.copyright, 0, kMaxTextLength);
        std::memcpy(request.copyright, kDefaultCopyright, sizeof kDefaultCopyright - 1);
        request.copyrightLength = static_cast<std::uint32_t>(std::strlen(request.copyright));
    }
    if (request.copyrightLength > kMaxTextLength) return ResultBadCopyrightLength;
    if (request.descriptionLength > kMaxTextLength) return ResultBadDescriptionLength;
    if (request.profileNameLength > kMaxTextLength) return ResultBadProfileNameLength;
    return ResultOk;
}

int ValidateCorrectPixels(const PLXRequest& request) {
    if (request.bitsPerPixel != 24 && request.bitsPerPixel != 32) return ResultBadBitsPerPixel;
    if (request.pixels == nullptr) return ResultNoPixels;
    if (request.pixelBytes == 0) return ResultBadPixelBytes;
    return ResultOk;
}

int Serve(Engine& engine, PLXRequest& r) {
    if (r.function > MonitorWhiteTemperatureFunction) return ResultBadFunction;
    if (r.function == SetGammaFunction) {
        if (int result = ValidateSetGamma(r); result != ResultOk) return result;
    }
    if ((r.function == ReadGammaFunction || r.function == SetGammaFunction) && !engine.state.gammaSupported)
        return ResultGammaUnsupported;
    if (r.function == MakeProfileFunction) {
        if (int result = ValidateMakeProfile(r); result != ResultOk) return result;
    }
    if (r.function == CorrectPixelsFunction) {
        if (int result = ValidateCorrectPixels(r); result != ResultOk) return result;
    }

    switch (r.function) {
    case ReadGammaFunction: return ReadGamma(engine, r);
    case SetGammaFunction: return SetGamma(engine, r);
    case MakeProfileFunction: return MakeProfile(engine, r);
    case CorrectPixelsFunction: return CorrectPixels(engine, r);
    case MonitorWhiteTemperatureFunction: return MonitorWhiteTemperature(engine.state, r);
    }
    return ResultNoHandler;
}

}  // namespace

int Dispatch(Engine& engine, PLXRequest* request) {
    // Not a case the interface names; refusing is the only safe answer.
    if (request == nullptr) return ResultNoHandler;
    // No exception may cross the export into a caller that knows none. A call
    // that cannot finish (out of memory) answers as a profile that could not
    // be written, or as an internal failure; the process lives on.
    try {
        return Serve(engine, *request);
    } catch (...) {
        return request->function == MakeProfileFunction ? ResultProfileCloseFailed : ResultNoHandler;
    }
}

}  // namespace plx
