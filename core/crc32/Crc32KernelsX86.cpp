#include "core/crc32/Crc32KernelsX86.h"

namespace core {

#if defined(__x86_64__) || defined(__i386__)

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

#else

std::vector<Crc32Kernel> carrylessCrc32Kernels() {
    return {};
}

#endif

}  // namespace core
