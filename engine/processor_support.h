// What the processor reports and which register state the operating system
// saves across task switches, read as they are: choosing a path from them is
// pixel_paths' business.
#pragma once

#include <cstdint>

namespace plx {

struct ProcessorFeatures {
    std::uint32_t highestLeaf = 0;  // 0 without CPUID
    std::uint32_t leaf1Ecx = 0;     // AVX, OSXSAVE
    std::uint32_t leaf7Ebx = 0;     // AVX2, AVX-512 F and BW; meaningless above the highest leaf
    std::uint32_t leaf7Ecx = 0;     // AVX-512 VBMI; likewise
    std::uint64_t savedStates = 0;  // XCR0; 0 unless OSXSAVE
};

ProcessorFeatures ReadProcessorFeatures();

}  // namespace plx
