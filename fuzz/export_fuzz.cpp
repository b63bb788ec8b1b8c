// The export with arbitrary request bytes, function codes and platform
// answers: results stay in the table of their function, the request is never
// written outside its block, and refused calls leave it as documented.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "engine/dispatch.h"
#include "fuzz/fuzz_input.h"
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

void Check(bool condition) {
    if (!condition) std::abort();
}

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    plx::fake::TestEngine t;
    t.engine.state.gammaSupported = in.Flag();
    t.engine.state.edidStatus = 100 + in.Take<std::uint8_t>() % 4;
    t.engine.state.whiteX = in.Take<double>();
    t.engine.state.whiteY = in.Take<double>();
    const auto failures = in.Take<std::uint16_t>();
    const char* calls[] = {"GetDeviceGammaRamp", "SetDeviceGammaRamp", "SHGetFolderPathA", "CreateFileA",
                           "WriteFile", "CloseHandle", "InstallColorProfileA", "AssociateColorProfileWithDeviceA",
                           "RegCreateKeyExA", "GetColorDirectoryA"};
    for (int i = 0; i < 10; ++i)
        if (failures & (1u << i)) t.os.calls.failing.insert(calls[i]);
    for (auto& entry : t.os.display.ramp) entry = in.Take<std::uint16_t>();

    // The request on the heap, exactly its size, so any write past it is caught.
    auto request = std::make_unique<PLXRequest>();
    const std::size_t fill = in.Left() < sizeof(PLXRequest) ? in.Left() : sizeof(PLXRequest);
    std::memcpy(request.get(), data + (size - in.Left()), fill);
    if (request->function > 4 && (request->function & 0x100)) request->function %= 5;
    std::vector<std::uint8_t> pixels(request->pixelBytes % 4097);
    request->pixelBytes = static_cast<std::uint32_t>(pixels.size());
    request->pixels = request->pixels != nullptr ? pixels.data() : nullptr;

    const PLXRequest before = *request;
    const int result = plx::Dispatch(t.engine, request.get());
    Check(ResultsOf(before.function).count(result) == 1);

    const bool refusedUntouched = result == 2 || result == 21 || result == 22 ||
                                  (result >= 3 && result <= 6) ||
                                  (result == 23 && (before.pixelBytes == 0));
    if (refusedUntouched) Check(std::memcmp(&before, request.get(), sizeof before) == 0);
    if (result >= 7 && result <= 11) Check(OnlyProfileWriteBacksChanged(before, *request));
    if (before.function == 4 && result == 27) Check(request->whitePoint == before.whitePoint);
    return 0;
}
