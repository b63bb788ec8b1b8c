#include "engine/processor_support.h"

#include <cpuid.h>

namespace plx {

ProcessorFeatures ReadProcessorFeatures() {
    ProcessorFeatures features;
    // 0 also where CPUID itself is missing (processors before the Pentium).
    features.highestLeaf = __get_cpuid_max(0, nullptr);
    if (features.highestLeaf == 0) return features;

    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid(1, eax, ebx, ecx, edx);
    features.leaf1Ecx = ecx;
    // Any leaf may be asked for; above the highest one the answer is another
    // leaf's, which the choice ignores.
    __cpuid_count(7, 0, eax, ebx, ecx, edx);
    features.leaf7Ebx = ebx;
    features.leaf7Ecx = ecx;
    // XGETBV faults unless the system has enabled it.
    if (features.leaf1Ecx & bit_OSXSAVE) {
        std::uint32_t low = 0, high = 0;
        __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        features.savedStates = (std::uint64_t{high} << 32) | low;
    }
    return features;
}

}  // namespace plx
