#pragma once

// The 256-bit vector policy of crc32Fold on AVX2 and VPCLMULQDQ. Include <immintrin.h> before
// the target region, this header inside it.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "core/crc32/Crc32Lane.h"
#include "core/crc32/X86Lane.h"

namespace core::crc32 {
namespace {

struct Ymm256 {
    using Lane = X86Lane;
    using Type = __m256i;
    static constexpr std::size_t kBytes = 32;

    [[gnu::always_inline]] static Type load(const std::byte* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    [[gnu::always_inline]] static Type withRegister(Type v, std::uint32_t reg) {
        return _mm256_xor_si256(v, _mm256_set_epi32(0, 0, 0, 0, 0, 0, 0, static_cast<int>(reg)));
    }
    [[gnu::always_inline]] static Type broadcast(FoldPair pair) {
        return _mm256_set_epi64x(
            static_cast<long long>(pair.second), static_cast<long long>(pair.first),
            static_cast<long long>(pair.second), static_cast<long long>(pair.first));
    }
    [[gnu::always_inline]] static Type fold(Type acc, Type pair, Type data) {
        return _mm256_xor_si256(_mm256_xor_si256(_mm256_clmulepi64_epi128(acc, pair, 0x00),
                                                 _mm256_clmulepi64_epi128(acc, pair, 0x11)),
                                data);
    }
    [[gnu::always_inline]] static __m128i toLane(Type v) {
        return Lanes<Lane>::fold(_mm256_castsi256_si128(v), Lanes<Lane>::pair(foldBy(16)),
                                 _mm256_extracti128_si256(v, 1));
    }
    [[gnu::always_inline]] static __m128i loadShort(const std::byte* p, std::size_t count) {
        return Lanes<Lane>::loadShort(p, count);
    }
};

}  // namespace
}  // namespace core::crc32
