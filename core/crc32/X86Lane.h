#pragma once

// The lane policy of Crc32Lane.h on the x86 instructions themselves (PCLMULQDQ, SSSE3,
// SSE4.1). Include <immintrin.h> before the target region, this header inside it.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace core::crc32 {
namespace {

struct X86Lane {
    using Type = __m128i;

    [[gnu::always_inline]] static Type load(const std::byte* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    [[gnu::always_inline]] static Type set64(std::uint64_t high, std::uint64_t low) {
        return _mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low));
    }
    [[gnu::always_inline]] static Type fromRegister(std::uint32_t reg) {
        return _mm_cvtsi32_si128(static_cast<int>(reg));
    }
    [[gnu::always_inline]] static Type xorLanes(Type a, Type b) { return _mm_xor_si128(a, b); }
    [[gnu::always_inline]] static Type andLanes(Type a, Type b) { return _mm_and_si128(a, b); }
    template <int Select>
    [[gnu::always_inline]] static Type clmul(Type a, Type b) {
        return _mm_clmulepi64_si128(a, b, Select);
    }
    [[gnu::always_inline]] static Type shuffleBytes(Type a, Type control) {
        return _mm_shuffle_epi8(a, control);
    }
    [[gnu::always_inline]] static Type blendBytes(Type a, Type b, Type mask) {
        return _mm_blendv_epi8(a, b, mask);
    }
    template <int Bytes>
    [[gnu::always_inline]] static Type shiftRightBytes(Type a) {
        return _mm_srli_si128(a, Bytes);
    }
    template <int Index>
    [[gnu::always_inline]] static std::uint32_t extract32(Type a) {
        return static_cast<std::uint32_t>(_mm_extract_epi32(a, Index));
    }
};

}  // namespace
}  // namespace core::crc32
