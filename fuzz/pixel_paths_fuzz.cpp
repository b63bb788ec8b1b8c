// Every pixel path the machine supports against the scalar loop, on any
// tables, pixel size, frame length and start within the buffer: the same bytes,
// and nothing touched outside the frame.
#include <cstdint>
#include <vector>

#include "engine/pixel_paths.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plx::fuzz::Input in(data, size);
    const std::size_t start = in.Take<std::uint8_t>() % 64;
    const std::size_t bytesPerPixel = in.Flag() ? 4 : 3;
    plx::ChannelTables tables{};
    for (auto* table : {tables.blue, tables.green, tables.red})
        for (int i = 0; i < 256; ++i) table[i] = in.Take<std::uint8_t>();
    std::vector<std::uint8_t> frame = in.Bytes(8192);
    frame.resize(frame.size() - frame.size() % bytesPerPixel);

    // Exactly sized buffers: a look beyond the frame's end is caught.
    std::vector<std::uint8_t> reference(start);
    reference.insert(reference.end(), frame.begin(), frame.end());
    plx::CorrectWithPath(plx::PixelPath::Scalar, tables, reference.data() + start, frame.size(), bytesPerPixel);
    for (plx::PixelPath path : plx::kPixelPaths) {
        if (!plx::PathSupported(path)) continue;
        std::vector<std::uint8_t> buffer(start);
        buffer.insert(buffer.end(), frame.begin(), frame.end());
        plx::CorrectWithPath(path, tables, buffer.data() + start, frame.size(), bytesPerPixel);
        FUZZ_CHECK(buffer == reference);
    }
    return 0;
}
