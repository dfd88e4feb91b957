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

SUMORA_CRC32_TARGET_BEGIN("pclmul,ssse3,sse4.1")
#include "core/crc32/Crc32Fold.h"
#include "core/crc32/X86Lane.h"
SUMORA_CRC32_TARGET_END

namespace core {

// Older cores issue the 128-bit multiply once a cycle with up to seven cycles of latency.
std::uint32_t crc32_pclmulqdq(std::uint32_t reg, std::span<const std::byte> bytes) {
    return crc32::crc32Fold<crc32::Xmm128<crc32::X86Lane>, 8>(reg, bytes);
}

}  // namespace core

#endif
