// The export with arbitrary request bytes, function codes, monitor names,
// colorimetry and platform answers: results stay in the table of their
// function, the request is never written outside its block, refused calls
// leave it as documented, and every profile written is complete and finite.
//
// Input: u8 gamma support (bit 0), u8 colorimetry (bit 0: ten EDID
// chromaticity bytes follow, else the defaults), monitor name and device id
// (u16 length and bytes), u16 failing calls, u8 ramp (bit 0: 768 entries
// follow, else the identity), u8 shape, then the request's bytes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/dispatch.h"
#include "engine/profile/edid_chromaticity.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/profile_checks.h"
#include "tests/fake/test_engine.h"

namespace {

using plx::fuzz::Input;

const std::set<int>& ResultsOf(std::uint32_t function) {
    static const std::set<int> byFunction[5] = {
        {0, 1, 6},
        {0, 1, 3, 4, 5, 6},
        {7, 8, 9, 10, 11, 14, 15, 16, 17, 18, 20},
        {21, 22, 23, 24},
        {25, 26, 27},
    };
    static const std::set<int> refused = {2};
    return function <= 4 ? byFunction[function] : refused;
}

const char* const kFailableCalls[] = {
    "GetDeviceGammaRamp", "SetDeviceGammaRamp", "SHGetFolderPathA", "CreateDirectoryA", "CreateFileA", "WriteFile",
    "CloseHandle", "GetColorDirectoryA", "DisassociateColorProfileFromDeviceA", "UninstallColorProfileA",
    "InstallColorProfileA", "AssociateColorProfileWithDeviceA", "RegCreateKeyExA", "RegSetValueExA"};

// Bytes of the request that the call may have changed for a refused result.
bool OnlyProfileWriteBacksChanged(const PLXRequest& before, const PLXRequest& after) {
    PLXRequest expected = before;
    expected.targetGamma = after.targetGamma;
    expected.copyright[127] = after.copyright[127];
    expected.description[127] = after.description[127];
    expected.profileName[127] = after.profileName[127];
    if (after.copyrightLength != before.copyrightLength) {
        std::memcpy(expected.copyright, after.copyright, sizeof expected.copyright);
        expected.copyrightLength = after.copyrightLength;
    }
    return std::memcmp(&expected, &after, sizeof expected) == 0;
}

void SetText(char (&field)[plx::kTextBuffer], const std::string& text) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
}

// The colorimetry the engine can hold: decoded from an EDID (status 100) or
// the defaults with one of the other statuses.
void SetColorimetry(Input& in, plx::EngineState& s) {
    const auto state = in.Take<std::uint8_t>();
    if (state & 1) {
        std::uint8_t block[10];
        for (auto& b : block) b = in.Take<std::uint8_t>();
        plx::DecodeEdidChromaticity(block, 0, s.redX, s.redY, s.greenX, s.greenY, s.blueX, s.blueY, s.whiteX,
                                    s.whiteY);
        s.edidStatus = plx::EdidDecoded;
    } else {
        const plx::Primaries& p = plx::defaultPrimaries;
        s.redX = p.red.x, s.redY = p.red.y, s.greenX = p.green.x, s.greenY = p.green.y;
        s.blueX = p.blue.x, s.blueY = p.blue.y, s.whiteX = plx::defaultWhite.x, s.whiteY = plx::defaultWhite.y;
        s.edidStatus = plx::EdidNoValue + (state >> 1) % 3;
    }
}

// Nudges the raw bytes towards requests that get past validation, so that the
// handlers behind it are reached as often as the checks themselves.
void Shape(std::uint8_t shape, PLXRequest& r) {
    if ((shape & 1) && r.function > 4) r.function %= 5;
    if (shape & 2) {
        r.copyrightLength %= 128, r.descriptionLength %= 128, r.profileNameLength %= 128;
    }
    if (shape & 4) r.targetGamma = r.targetGamma % 172 == 171 ? 0 : 140 + r.targetGamma % 171;
    if (shape & 8) {
        static const std::uint32_t whites[] = {0, 5000, 5500, 6500, 7500, 9300, 7000, 7001};
        r.whitePoint = (shape & 16) ? whites[r.whitePoint % 8] : 5000 + r.whitePoint % 4301;
    }
}

void CheckProfiles(const plx::fake::TestEngine& t, const PLXRequest& request, int result) {
    const plx::Chromaticity white{t.engine.state.profileWhiteX, t.engine.state.profileWhiteY};
    if (result == 20) FUZZ_CHECK(!t.os.files.files.empty());
    for (const auto& [path, bytes] : t.os.files.files) {
        if (result == 16) FUZZ_CHECK(plx::fake::IccStructureFault(bytes).empty());
        if (result == 17 || result == 18 || result == 20) plx::fuzz::CheckCompleteProfile(bytes, request, white);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    plx::fake::TestEngine t;
    t.engine.state.gammaSupported = in.Flag();
    SetColorimetry(in, t.engine.state);
    SetText(t.engine.state.monitorName, in.Text(plx::kTextBuffer));
    SetText(t.engine.state.monitorDeviceId, in.Text(plx::kTextBuffer));
    const auto failures = in.Take<std::uint16_t>();
    for (std::size_t i = 0; i < std::size(kFailableCalls); ++i)
        if (failures & (1u << i)) t.os.calls.failing.insert(kFailableCalls[i]);
    if (in.Flag())
        for (auto& entry : t.os.display.ramp) entry = in.Take<std::uint16_t>();
    const auto shape = in.Take<std::uint8_t>();

    // The request on the heap, exactly its size, so any write past it is caught.
    auto request = std::make_unique<PLXRequest>();
    const std::size_t fill = in.Left() < sizeof(PLXRequest) ? in.Left() : sizeof(PLXRequest);
    std::memcpy(request.get(), data + (size - in.Left()), fill);
    Shape(shape, *request);
    std::vector<std::uint8_t> pixels(request->pixelBytes % 4097);
    request->pixelBytes = static_cast<std::uint32_t>(pixels.size());
    request->pixels = request->pixels != nullptr ? pixels.data() : nullptr;

    const PLXRequest before = *request;
    const int result = plx::Dispatch(t.engine, request.get());
    FUZZ_CHECK(ResultsOf(before.function).count(result) == 1);

    const bool refusedUntouched = result == 2 || result == 21 || result == 22 ||
                                  (result >= 3 && result <= 6) ||
                                  (result == 23 && (before.pixelBytes == 0));
    if (refusedUntouched) FUZZ_CHECK(std::memcmp(&before, request.get(), sizeof before) == 0);
    if (result >= 7 && result <= 11) {
        FUZZ_CHECK(OnlyProfileWriteBacksChanged(before, *request));
        FUZZ_CHECK(t.os.calls.log.empty());  // refused before any effect
    }
    if (before.function == 2 && result >= 14) CheckProfiles(t, *request, result);
    if (before.function == 4) {
        if (result == 27) FUZZ_CHECK(request->whitePoint == before.whitePoint);
        else FUZZ_CHECK(request->whitePoint >= 4444 && request->whitePoint <= 10000);
    }
    FUZZ_CHECK(t.os.files.openFiles == 0 && t.os.userRegistry.openKeys == 0);
    return 0;
}
