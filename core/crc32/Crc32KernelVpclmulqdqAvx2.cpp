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

SUMORA_CRC32_TARGET_BEGIN("avx2,vpclmulqdq,pclmul,sse4.1")
#include "core/crc32/Crc32Fold.h"
#include "core/crc32/X86Ymm256.h"
SUMORA_CRC32_TARGET_END

namespace core {

// The 256-bit multiply issues at most once a cycle where there is no AVX-512.
std::uint32_t crc32_vpclmulqdq_avx2(std::uint32_t reg, std::span<const std::byte> bytes) {
    return crc32::crc32Fold<crc32::Ymm256, 4>(reg, bytes);
}

}  // namespace core

#endif
