#pragma once

// 128-bit lane operations of the carry-less multiplication kernels; x86 only.

#include <immintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/crc32/Crc32FoldConstants.h"

namespace core::crc32 {

// The pair that moves a lane forward by `bytes`, a multiple of 16.
constexpr FoldPair foldBy(std::size_t bytes) {
    return kFoldBy16Bytes.at(bytes / 16 - 1);
}

[[gnu::always_inline, gnu::target("pclmul,sse4.1")]] inline __m128i loadLane(const std::byte* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

[[gnu::always_inline, gnu::target("pclmul,sse4.1")]] inline __m128i lanePair(FoldPair pair) {
    return _mm_set_epi64x(static_cast<long long>(pair.second), static_cast<long long>(pair.first));
}

[[gnu::always_inline, gnu::target("pclmul,sse4.1")]] inline __m128i withRegister(
    __m128i lane, std::uint32_t reg) {
    return _mm_xor_si128(lane, _mm_cvtsi32_si128(static_cast<int>(reg)));
}

// acc moved forward by the distance `pair` was made for, plus data.
[[gnu::always_inline, gnu::target("pclmul,sse4.1")]] inline __m128i foldLane(__m128i acc,
                                                                             __m128i pair,
                                                                             __m128i data) {
    return _mm_xor_si128(
        _mm_xor_si128(_mm_clmulepi64_si128(acc, pair, 0x00), _mm_clmulepi64_si128(acc, pair, 0x11)),
        data);
}

// Byte shuffles: the 16 bytes from offset s (0 to 32) move byte i of a lane to i + 16 - s and
// zero the bytes that would come from outside it.
inline constexpr std::array<std::uint8_t, 48> kShiftShuffles = {
    0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
    0,    1,    2,    3,    4,    5,    6,    7,    8,    9,    10,   11,   12,   13,   14,   15,
    0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
};

[[gnu::always_inline, gnu::target("pclmul,sse4.1")]] inline __m128i shiftShuffle(
    std::size_t offset) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(kShiftShuffles.data() + offset));
}

// The lane followed by the `count` (1 to 15) bytes before `end`, folded back into one lane. At
// least 16 bytes lie before `end`, so the last 16 are read whole and the lane's own bytes
// replace those that are not the tail's.
[[gnu::always_inline, gnu::target("pclmul,sse4.1")]] inline __m128i appendTail(__m128i lane,
                                                                               const std::byte* end,
                                                                               std::size_t count) {
    const __m128i toEnd = shiftShuffle(count);
    const __m128i toStart = shiftShuffle(16 + count);
    const __m128i head = _mm_shuffle_epi8(lane, toEnd);
    const __m128i rest =
        _mm_blendv_epi8(loadLane(end - 16), _mm_shuffle_epi8(lane, toStart), toEnd);
    return foldLane(head, lanePair(foldBy(16)), rest);
}

// The register for a lane that ends the data: lane * x^32 mod P, folded to 96 and then 64 bits,
// then Barrett-reduced.
[[gnu::always_inline, gnu::target("pclmul,sse4.1")]] inline std::uint32_t reduceLane(__m128i lane) {
    const __m128i by32 = lanePair(kFoldBy32Bits);
    const __m128i wide = _mm_xor_si128(_mm_clmulepi64_si128(lane, by32, 0x00),
                                       _mm_clmulepi64_si128(lane, by32, 0x11));
    const __m128i by64 = _mm_set_epi64x(0, static_cast<long long>(kFold64Bits));
    const __m128i narrow = _mm_xor_si128(_mm_clmulepi64_si128(wide, by64, 0x00), wide);
    const __m128i barrett =
        _mm_set_epi64x(static_cast<long long>(kBarrettPoly), static_cast<long long>(kBarrettMu));
    const __m128i high = _mm_and_si128(narrow, _mm_set_epi64x(0xFFFFFFFF, 0));
    const __m128i quotient =
        _mm_and_si128(_mm_clmulepi64_si128(high, barrett, 0x01), _mm_set_epi64x(0, 0xFFFFFFFF));
    const __m128i product = _mm_clmulepi64_si128(quotient, barrett, 0x10);
    return static_cast<std::uint32_t>(
        _mm_extract_epi32(_mm_xor_si128(product, _mm_srli_si128(narrow, 8)), 1));
}

// The register after `count` (1 to 15) bytes held at the start of `data`, zeros after them.
// They move to the end of the lane; register bytes beyond a shorter input do not pass through
// the multiplier and are shifted in directly.
[[gnu::always_inline, gnu::target("pclmul,sse4.1")]] inline std::uint32_t shortInput(
    std::uint32_t reg, __m128i data, std::size_t count) {
    const std::uint32_t crc =
        reduceLane(_mm_shuffle_epi8(withRegister(data, reg), shiftShuffle(count)));
    return count < 4 ? crc ^ (reg >> (8 * count)) : crc;
}

}  // namespace core::crc32
