// Pixel correction over arbitrary buffers, pixel sizes and display ramps:
// exactly pixelBytes bytes are touched, and only whole pixels.
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/pixels.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "tests/fake/test_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plx::fuzz::Input in(data, size);
    plx::fake::TestEngine t;
    if (in.Flag()) t.os.calls.failing.insert("GetDeviceGammaRamp");
    if (in.Flag()) t.os.calls.failing.insert("SetDeviceGammaRamp");
    for (auto& entry : t.os.display.ramp) entry = in.Take<std::uint16_t>();

    PLXRequest request{};
    request.redGamma = in.Take<std::uint32_t>();
    request.greenGamma = in.Take<std::uint32_t>();
    request.blueGamma = in.Take<std::uint32_t>();
    request.bitsPerPixel = in.Flag() ? 32 : 24;
    std::vector<std::uint8_t> pixels = in.Bytes(8192);
    if (pixels.empty()) return 0;  // refused by the export before the handler
    // Exactly sized allocation: a pass beyond pixelBytes is caught.
    std::vector<std::uint8_t> buffer(pixels);
    request.pixels = buffer.data();
    request.pixelBytes = static_cast<std::uint32_t>(buffer.size());

    const int result = plx::CorrectPixels(t.engine, request);
    const std::uint32_t bytesPerPixel = request.bitsPerPixel / 8;
    if (request.pixelBytes % bytesPerPixel != 0) {
        FUZZ_CHECK(result == 23 && buffer == pixels);
        return 0;
    }
    FUZZ_CHECK(result == 24);
    for (std::size_t i = 3; bytesPerPixel == 4 && i < buffer.size(); i += 4) FUZZ_CHECK(buffer[i] == pixels[i]);
    for (std::size_t i = 0; i < buffer.size(); ++i)
        FUZZ_CHECK((pixels[i] != 0 || buffer[i] == 0) && (pixels[i] != 255 || buffer[i] == 255));
    return 0;
}
