#include "tests/core/crc32/EmulatedAvx512Kernel.h"

// clang warns (-Wpsabi) that SIMDe's 64-byte vectors would pass differently to code built for
// AVX-512; every function here is internal and built without it, so no such call exists.
#if defined(__clang__)
#pragma clang diagnostic ignored "-Wpsabi"
#endif

#include <simde/x86/avx512.h>
#include <simde/x86/clmul.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/crc32/Crc32Fold.h"
#include "core/crc32/Crc32Zmm512.h"

namespace core::crc32 {
namespace {

// The lane policy of Crc32Lane.h on SIMDe.
struct SimdeLane {
    using Type = simde__m128i;

    static Type load(const std::byte* p) { return simde_mm_loadu_si128(p); }
    static Type set64(std::uint64_t high, std::uint64_t low) {
        return simde_mm_set_epi64x(static_cast<std::int64_t>(high), static_cast<std::int64_t>(low));
    }
    static Type fromRegister(std::uint32_t reg) {
        return simde_mm_cvtsi32_si128(static_cast<std::int32_t>(reg));
    }
    static Type xorLanes(Type a, Type b) { return simde_mm_xor_si128(a, b); }
    static Type andLanes(Type a, Type b) { return simde_mm_and_si128(a, b); }
    template <int Select>
    static Type clmul(Type a, Type b) {
        return simde_mm_clmulepi64_si128(a, b, Select);
    }
    static Type shuffleBytes(Type a, Type control) { return simde_mm_shuffle_epi8(a, control); }
    static Type blendBytes(Type a, Type b, Type mask) { return simde_mm_blendv_epi8(a, b, mask); }
    template <int Bytes>
    static Type shiftRightBytes(Type a) {
        return simde_mm_srli_si128(a, Bytes);
    }
    template <int Index>
    static std::uint32_t extract32(Type a) {
        return static_cast<std::uint32_t>(simde_mm_extract_epi32(a, Index));
    }
};

// The AVX-512 policy of Crc32Zmm512.h on SIMDe.
struct SimdeAvx512 {
    using Lane = SimdeLane;
    using Type = simde__m512i;

    static Type load(const std::byte* p) { return simde_mm512_loadu_si512(p); }
    static Type fromRegister(std::uint32_t reg) {
        return simde_mm512_maskz_set1_epi32(1, static_cast<std::int32_t>(reg));
    }
    static Type set64(std::uint64_t e7, std::uint64_t e6, std::uint64_t e5, std::uint64_t e4,
                      std::uint64_t e3, std::uint64_t e2, std::uint64_t e1, std::uint64_t e0) {
        return simde_mm512_set_epi64(static_cast<std::int64_t>(e7), static_cast<std::int64_t>(e6),
                                     static_cast<std::int64_t>(e5), static_cast<std::int64_t>(e4),
                                     static_cast<std::int64_t>(e3), static_cast<std::int64_t>(e2),
                                     static_cast<std::int64_t>(e1), static_cast<std::int64_t>(e0));
    }
    static Type xorVectors(Type a, Type b) { return simde_mm512_xor_si512(a, b); }
    static Type xor3(Type a, Type b, Type c) {
        return simde_mm512_ternarylogic_epi64(a, b, c, 0x96);
    }
    template <int Select>
    static Type clmul(Type a, Type b) {
        return simde_mm512_clmulepi64_epi128(a, b, Select);
    }
    static Type keepTopLane(Type v) { return simde_mm512_maskz_mov_epi64(0xC0, v); }
    static simde__m128i xorOfLanes(Type v) {
        const simde__m256i halves = simde_mm256_xor_si256(simde_mm512_extracti64x4_epi64(v, 0),
                                                          simde_mm512_extracti64x4_epi64(v, 1));
        return simde_mm_xor_si128(simde_mm256_castsi256_si128(halves),
                                  simde_mm256_extracti128_si256(halves, 1));
    }
    // SIMDe has no masked byte load; the copy reads no more than the count either.
    static simde__m128i loadShort(const std::byte* p, std::size_t count) {
        return Lanes<SimdeLane>::loadShort(p, count);
    }
};

std::uint32_t crc32_vpclmulqdq_avx512_simde(std::uint32_t reg, std::span<const std::byte> bytes) {
    return crc32Fold<Zmm512<SimdeAvx512>, 8>(reg, bytes);
}

}  // namespace
}  // namespace core::crc32

namespace testing_support {

const core::Crc32Kernel& emulatedAvx512Kernel() {
    static const core::Crc32Kernel kernel{"vpclmulqdq_avx512_simde",
                                          core::crc32::crc32_vpclmulqdq_avx512_simde,
                                          [](const core::CpuFeatures&) { return true; }};
    return kernel;
}

}  // namespace testing_support
