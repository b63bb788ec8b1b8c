#include "engine/processor_support.h"

#include <cpuid.h>

#include <cstdint>

namespace plx {

namespace {

// XCR0 bits the system sets for the register state it saves.
constexpr std::uint64_t kSseAvxState = 0x6;
constexpr std::uint64_t kAvx512State = 0xE0;  // opmask, upper ZMM0-15, ZMM16-31

// Only valid once CPUID reports OSXSAVE; older systems fault on XGETBV.
std::uint64_t SavedStates() {
    std::uint32_t low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (std::uint64_t{high} << 32) | low;
}

bool SystemSaves(std::uint64_t states) {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || !(ecx & bit_OSXSAVE)) return false;
    return (SavedStates() & states) == states;
}

struct ExtendedFeatures {
    unsigned ebx = 0, ecx = 0;
};

// CPUID leaf 7; none on processors without it.
ExtendedFeatures ExtendedFeaturesOfProcessor() {
    unsigned eax = 0, edx = 0;
    ExtendedFeatures features;
    if (!__get_cpuid_count(7, 0, &eax, &features.ebx, &features.ecx, &edx)) return {};
    return features;
}

}  // namespace

bool Avx2Usable() {
    const ExtendedFeatures f = ExtendedFeaturesOfProcessor();
    return (f.ebx & bit_AVX2) && SystemSaves(kSseAvxState);
}

bool Avx512VbmiUsable() {
    const ExtendedFeatures f = ExtendedFeaturesOfProcessor();
    const bool processor = (f.ebx & bit_AVX512F) && (f.ebx & bit_AVX512BW) && (f.ecx & bit_AVX512VBMI);
    return processor && SystemSaves(kSseAvxState | kAvx512State);
}

}  // namespace plx
