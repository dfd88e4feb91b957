#include "core/crc32/Crc32Kernels.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "core/crc32/Crc32FoldConstants.h"
#include "core/crc32/Crc32Target.h"

SUMORA_CRC32_TARGET_BEGIN("avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1")
#include "core/crc32/Crc32Fold.h"
#include "core/crc32/Crc32Zmm512.h"
#include "core/crc32/X86Avx512.h"
SUMORA_CRC32_TARGET_END

namespace core {

// Accumulators cover the multiplier's latency times its issue rate: a 512-bit multiply may
// issue twice a cycle on recent cores, with four to six cycles of latency.
std::uint32_t crc32_vpclmulqdq_avx512(std::uint32_t reg, std::span<const std::byte> bytes) {
    return crc32::crc32Fold<crc32::Zmm512<crc32::X86Avx512>, 8>(reg, bytes);
}

}  // namespace core

#endif
