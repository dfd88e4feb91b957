#pragma once

// The AVX-512 policy of Crc32Zmm512.h on the instructions themselves (AVX512F, AVX512BW,
// AVX512VL, VPCLMULQDQ). Include <immintrin.h> before the target region, this header inside it.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "core/crc32/X86Lane.h"

namespace core::crc32 {
namespace {

struct X86Avx512 {
    using Lane = X86Lane;
    using Type = __m512i;

    [[gnu::always_inline]] static Type load(const std::byte* p) { return _mm512_loadu_si512(p); }
    [[gnu::always_inline]] static Type fromRegister(std::uint32_t reg) {
        return _mm512_maskz_set1_epi32(1, static_cast<int>(reg));
    }
    [[gnu::always_inline]] static Type set64(std::uint64_t e7, std::uint64_t e6, std::uint64_t e5,
                                             std::uint64_t e4, std::uint64_t e3, std::uint64_t e2,
                                             std::uint64_t e1, std::uint64_t e0) {
        return _mm512_set_epi64(static_cast<long long>(e7), static_cast<long long>(e6),
                                static_cast<long long>(e5), static_cast<long long>(e4),
                                static_cast<long long>(e3), static_cast<long long>(e2),
                                static_cast<long long>(e1), static_cast<long long>(e0));
    }
    [[gnu::always_inline]] static Type xorVectors(Type a, Type b) { return _mm512_xor_si512(a, b); }
    [[gnu::always_inline]] static Type xor3(Type a, Type b, Type c) {
        return _mm512_ternarylogic_epi64(a, b, c, 0x96);
    }
    template <int Select>
    [[gnu::always_inline]] static Type clmul(Type a, Type b) {
        return _mm512_clmulepi64_epi128(a, b, Select);
    }
    [[gnu::always_inline]] static Type keepTopLane(Type v) {
        return _mm512_maskz_mov_epi64(0xC0, v);
    }
    [[gnu::always_inline]] static __m128i xorOfLanes(Type v) {
        // The masked forms stand in for the plain extracts, whose headers in GCC 12 trip
        // -Wmaybe-uninitialized (GCC bug 105593); an all-ones mask costs nothing.
        const __m256i halves = _mm256_xor_si256(_mm512_maskz_extracti64x4_epi64(0xFF, v, 0),
                                                _mm512_maskz_extracti64x4_epi64(0xFF, v, 1));
        return _mm_xor_si128(_mm256_castsi256_si128(halves), _mm256_extracti128_si256(halves, 1));
    }
    // Masked-off bytes are not read, so nothing past the input is touched.
    [[gnu::always_inline]] static __m128i loadShort(const std::byte* p, std::size_t count) {
        return _mm_maskz_loadu_epi8(static_cast<__mmask16>((1u << count) - 1u), p);
    }
};

}  // namespace
}  // namespace core::crc32
