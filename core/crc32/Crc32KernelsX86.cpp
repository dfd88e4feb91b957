#include "core/crc32/Crc32KernelsX86.h"

#if defined(__x86_64__) || defined(__i386__)

#include "core/crc32/Crc32Fold.h"
#include "core/crc32/X86Vectors.h"

namespace core {

// Accumulators cover the multiplier's latency times its issue rate: a 512-bit multiply may
// issue twice a cycle on recent cores, with four to six cycles of latency.
std::uint32_t crc32_vpclmulqdq_avx512(std::uint32_t reg, std::span<const std::byte> bytes) {
    return crc32::crc32Fold<crc32::Zmm512, 8>(reg, bytes);
}

// The 256-bit multiply issues at most once a cycle where there is no AVX-512.
std::uint32_t crc32_vpclmulqdq_avx2(std::uint32_t reg, std::span<const std::byte> bytes) {
    return crc32::crc32Fold<crc32::Ymm256, 4>(reg, bytes);
}

// Older cores issue the 128-bit multiply once a cycle with up to seven cycles of latency.
std::uint32_t crc32_pclmulqdq(std::uint32_t reg, std::span<const std::byte> bytes) {
    return crc32::crc32Fold<crc32::Xmm128, 8>(reg, bytes);
}

std::vector<Crc32Kernel> carrylessCrc32Kernels() {
    return {
        {"vpclmulqdq_avx512", crc32_vpclmulqdq_avx512,
         [](const CpuFeatures& f) {
             return f.avx512f && f.avx512bw && f.avx512vl && f.avx2 && f.vpclmulqdq &&
                    f.pclmulqdq && f.sse41;
         }},
        {"vpclmulqdq_avx2", crc32_vpclmulqdq_avx2,
         [](const CpuFeatures& f) { return f.avx2 && f.vpclmulqdq && f.pclmulqdq && f.sse41; }},
        {"pclmulqdq", crc32_pclmulqdq,
         [](const CpuFeatures& f) { return f.pclmulqdq && f.ssse3 && f.sse41; }},
    };
}

}  // namespace core

#else

namespace core {

std::vector<Crc32Kernel> carrylessCrc32Kernels() {
    return {};
}

}  // namespace core

#endif
