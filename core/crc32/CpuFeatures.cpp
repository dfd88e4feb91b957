#include "core/crc32/CpuFeatures.h"

#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace core {

#if defined(__x86_64__) || defined(__i386__)

namespace {

constexpr bool bit(unsigned value, int index) {
    return ((value >> index) & 1u) != 0;
}

std::uint64_t extendedControlRegister0() {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

}  // namespace

CpuFeatures detectCpuFeatures() {
    CpuFeatures features;
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) {
        return features;
    }
    features.pclmulqdq = bit(ecx, 1);
    features.ssse3 = bit(ecx, 9);
    features.sse41 = bit(ecx, 19);
    const bool osSavesState = bit(ecx, 27);
    const bool avx = bit(ecx, 28);

    // XCR0: bits 1-2 are the XMM and YMM state, bits 5-7 the opmask and ZMM state.
    const std::uint64_t saved = osSavesState ? extendedControlRegister0() : 0;
    const bool ymmSaved = avx && (saved & 0x06u) == 0x06u;
    const bool zmmSaved = ymmSaved && (saved & 0xE0u) == 0xE0u;

    if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) {
        return features;
    }
    features.avx2 = ymmSaved && bit(ebx, 5);
    features.vpclmulqdq = ymmSaved && bit(ecx, 10);
    features.avx512f = zmmSaved && bit(ebx, 16);
    features.avx512bw = zmmSaved && bit(ebx, 30);
    features.avx512vl = zmmSaved && bit(ebx, 31);
    return features;
}

#else

CpuFeatures detectCpuFeatures() {
    return {};
}

#endif

const CpuFeatures& cpuFeatures() {
    static const CpuFeatures features = detectCpuFeatures();
    return features;
}

}  // namespace core
