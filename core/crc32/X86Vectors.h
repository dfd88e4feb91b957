#pragma once

// The vector widths the folding template runs on; x86 only. Each type lists the instruction
// sets its operations need in kTarget and offers the same static operations.

#include <immintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/crc32/Crc32Lane.h"

namespace core::crc32 {

struct Xmm128 {
    using Type = __m128i;
    static constexpr std::size_t kBytes = 16;
    static constexpr char kTarget[] = "pclmul,sse4.1";

    [[gnu::always_inline, gnu::target("pclmul,sse4.1")]] static Type load(const std::byte* p) {
        return loadLane(p);
    }
    [[gnu::always_inline, gnu::target("pclmul,sse4.1")]] static Type withRegister(
        Type v, std::uint32_t reg) {
        return crc32::withRegister(v, reg);
    }
    [[gnu::always_inline, gnu::target("pclmul,sse4.1")]] static Type broadcast(FoldPair pair) {
        return lanePair(pair);
    }
    [[gnu::always_inline, gnu::target("pclmul,sse4.1")]] static Type fold(Type acc, Type pair,
                                                                          Type data) {
        return foldLane(acc, pair, data);
    }
    [[gnu::always_inline, gnu::target("pclmul,sse4.1")]] static __m128i toLane(Type v) { return v; }
    // 1 to 15 bytes, zeros after them.
    [[gnu::always_inline, gnu::target("pclmul,sse4.1")]] static __m128i loadShort(
        const std::byte* p, std::size_t count) {
        std::array<std::byte, 16> copy{};
        std::memcpy(copy.data(), p, count);
        return loadLane(copy.data());
    }
};

struct Ymm256 {
    using Type = __m256i;
    static constexpr std::size_t kBytes = 32;
    static constexpr char kTarget[] = "avx2,vpclmulqdq,pclmul,sse4.1";

    [[gnu::always_inline, gnu::target("avx2,vpclmulqdq,pclmul,sse4.1")]] static Type load(
        const std::byte* p) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    [[gnu::always_inline, gnu::target("avx2,vpclmulqdq,pclmul,sse4.1")]] static Type withRegister(
        Type v, std::uint32_t reg) {
        return _mm256_xor_si256(v, _mm256_set_epi32(0, 0, 0, 0, 0, 0, 0, static_cast<int>(reg)));
    }
    [[gnu::always_inline, gnu::target("avx2,vpclmulqdq,pclmul,sse4.1")]] static Type broadcast(
        FoldPair pair) {
        return _mm256_set_epi64x(
            static_cast<long long>(pair.second), static_cast<long long>(pair.first),
            static_cast<long long>(pair.second), static_cast<long long>(pair.first));
    }
    [[gnu::always_inline, gnu::target("avx2,vpclmulqdq,pclmul,sse4.1")]] static Type fold(
        Type acc, Type pair, Type data) {
        return _mm256_xor_si256(_mm256_xor_si256(_mm256_clmulepi64_epi128(acc, pair, 0x00),
                                                 _mm256_clmulepi64_epi128(acc, pair, 0x11)),
                                data);
    }
    [[gnu::always_inline, gnu::target("avx2,vpclmulqdq,pclmul,sse4.1")]] static __m128i toLane(
        Type v) {
        return foldLane(_mm256_castsi256_si128(v), lanePair(foldBy(16)),
                        _mm256_extracti128_si256(v, 1));
    }
    [[gnu::always_inline, gnu::target("avx2,vpclmulqdq,pclmul,sse4.1")]] static __m128i loadShort(
        const std::byte* p, std::size_t count) {
        return Xmm128::loadShort(p, count);
    }
};

struct Zmm512 {
    using Type = __m512i;
    static constexpr std::size_t kBytes = 64;
    static constexpr char kTarget[] = "avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1";

    [[gnu::always_inline,
      gnu::target("avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1")]] static Type
    load(const std::byte* p) {
        return _mm512_loadu_si512(p);
    }
    [[gnu::always_inline,
      gnu::target("avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1")]] static Type
    withRegister(Type v, std::uint32_t reg) {
        return _mm512_xor_si512(v, _mm512_maskz_set1_epi32(1, static_cast<int>(reg)));
    }
    [[gnu::always_inline,
      gnu::target("avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1")]] static Type
    broadcast(FoldPair pair) {
        const auto first = static_cast<long long>(pair.first);
        const auto second = static_cast<long long>(pair.second);
        return _mm512_set_epi64(second, first, second, first, second, first, second, first);
    }
    [[gnu::always_inline,
      gnu::target("avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1")]] static Type
    fold(Type acc, Type pair, Type data) {
        return _mm512_ternarylogic_epi64(_mm512_clmulepi64_epi128(acc, pair, 0x00),
                                         _mm512_clmulepi64_epi128(acc, pair, 0x11), data, 0x96);
    }
    // Lanes 0 to 2 move forward by 48, 32 and 16 bytes onto lane 3.
    [[gnu::always_inline,
      gnu::target("avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1")]] static __m128i
    toLane(Type v) {
        constexpr FoldPair by48 = foldBy(48);
        constexpr FoldPair by32 = foldBy(32);
        constexpr FoldPair by16 = foldBy(16);
        const __m512i pairs = _mm512_set_epi64(
            0, 0, static_cast<long long>(by16.second), static_cast<long long>(by16.first),
            static_cast<long long>(by32.second), static_cast<long long>(by32.first),
            static_cast<long long>(by48.second), static_cast<long long>(by48.first));
        const __m512i moved = _mm512_ternarylogic_epi64(_mm512_clmulepi64_epi128(v, pairs, 0x00),
                                                        _mm512_clmulepi64_epi128(v, pairs, 0x11),
                                                        _mm512_maskz_mov_epi64(0xC0, v), 0x96);
        // The masked forms stand in for the plain extracts, whose headers in GCC 12 trip
        // -Wmaybe-uninitialized (GCC bug 105593); an all-ones mask costs nothing.
        const __m256i halves = _mm256_xor_si256(_mm512_maskz_extracti64x4_epi64(0xFF, moved, 0),
                                                _mm512_maskz_extracti64x4_epi64(0xFF, moved, 1));
        return _mm_xor_si128(_mm256_castsi256_si128(halves), _mm256_extracti128_si256(halves, 1));
    }
    // Masked-off bytes are not read, so nothing past the input is touched.
    [[gnu::always_inline,
      gnu::target("avx512f,avx512bw,avx512vl,vpclmulqdq,pclmul,sse4.1")]] static __m128i
    loadShort(const std::byte* p, std::size_t count) {
        return _mm_maskz_loadu_epi8(static_cast<__mmask16>((1u << count) - 1u), p);
    }
};

}  // namespace core::crc32
