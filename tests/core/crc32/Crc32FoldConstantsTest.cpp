#include <gtest/gtest.h>

#include <cstdint>

#include "core/crc32/Crc32FoldConstants.h"

namespace core::crc32 {
namespace {

// Polynomials over GF(2) in normal bit order: bit d is the coefficient of x^d.
constexpr std::uint64_t kP = 0x104C11DB7u;

std::uint64_t xPowModP(unsigned n) {
    std::uint64_t remainder = 1;
    for (unsigned i = 0; i < n; ++i) {
        remainder <<= 1;
        if ((remainder >> 32) & 1u) {
            remainder ^= kP;
        }
    }
    return remainder;
}

std::uint64_t reflect(std::uint64_t value, int bits) {
    std::uint64_t reflected = 0;
    for (int i = 0; i < bits; ++i) {
        reflected |= ((value >> i) & 1u) << (bits - 1 - i);
    }
    return reflected;
}

// The constant that multiplies a reflected 64-bit half by x^n: one factor x comes with the
// reflected product itself.
std::uint64_t multiplier(unsigned n) {
    return reflect(xPowModP(n - 1), 64);
}

TEST(Crc32FoldConstants, MoveALaneForwardByTheirDistance) {
    for (std::size_t i = 0; i < kFoldBy16Bytes.size(); ++i) {
        const auto bits = static_cast<unsigned>(128 * (i + 1));
        EXPECT_EQ(kFoldBy16Bytes[i].first, multiplier(bits + 64)) << 16 * (i + 1) << " bytes";
        EXPECT_EQ(kFoldBy16Bytes[i].second, multiplier(bits)) << 16 * (i + 1) << " bytes";
    }
    EXPECT_EQ(kFoldBy32Bits.first, multiplier(96));
    EXPECT_EQ(kFoldBy32Bits.second, multiplier(32));
    EXPECT_EQ(kFold64Bits, multiplier(64));
}

// mu = floor(x^64 / P) exactly when mu * P = x^64 + r with r of degree below 32.
TEST(Crc32FoldConstants, BarrettPairIsPAndTheQuotientOfX64ByP) {
    EXPECT_EQ(reflect(kBarrettPoly, 33), kP);
    const std::uint64_t mu = reflect(kBarrettMu, 33);
    ASSERT_EQ(mu >> 32, 1u) << "mu has degree 32";
    std::uint64_t productLow = 0;
    std::uint64_t productHigh = 0;
    for (int i = 0; i <= 32; ++i) {
        if ((mu >> i) & 1u) {
            productLow ^= kP << i;
            productHigh ^= i == 0 ? 0 : kP >> (64 - i);
        }
    }
    EXPECT_EQ(productHigh, 1u);
    EXPECT_EQ(productLow >> 32, 0u) << "remainder of degree 32 or more";
}

}  // namespace
}  // namespace core::crc32
