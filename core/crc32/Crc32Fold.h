#pragma once

// CRC-32 by carry-less multiplication folding.
//
// Why: a table costs a dependent load per byte, while one carry-less multiply (PCLMULQDQ,
// 64 x 64 -> 128 bits over GF(2)) advances 64 bits of data at once, and the vector forms do
// that in every 128-bit lane of a register.
//
// How: the register after a message M is M(x) * x^32 mod P (the incoming register XORed into
// the first four bytes). A 128-bit lane A that stands d bits before later data contributes
// A * x^d; with A = H * x^64 + L that is H * (x^(d+64) mod P) + L * (x^d mod P), two
// multiplications by precomputed 32-bit constants whose product, under 96 bits, is XORed into
// the data d bits on. Independent accumulators keep several multiplications in flight; at the
// end they fold onto one lane, the last 1 to 15 bytes are shifted in with a byte shuffle, and
// the lane is multiplied by x^32, folded to 64 bits and reduced to 32 by Barrett reduction
// with mu = floor(x^64 / P). Data is bit-reflected (a byte's lowest bit is the highest power),
// so the constants are bit-reversed and absorb the extra factor x a reflected product carries;
// tools/gen_crc32_constants.py derives them.
//
// The same template serves every vector width and every implementation of the instructions:
// each kernel file includes this header inside its SUMORA_CRC32_TARGET_BEGIN region
// (Crc32Target.h), after the system headers, and the contents have internal linkage.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/crc32/Crc32Lane.h"

namespace core::crc32 {
namespace {

// crc32Fold<Vec, Accumulators>(reg, bytes) advances the register over the bytes.
//   Vec           a vector policy: Vec::kBytes / 16 lanes of Vec::Lane (Crc32Lane.h) folded side
//                 by side, with the operations of Xmm128 in Crc32Lane.h.
//   Accumulators  vectors folded independently in the main loop, which takes
//                 Accumulators * Vec::kBytes bytes a pass; there must be enough of them to cover
//                 the multiplier's latency times its issue rate.
// Shorter inputs take the shorter paths: one vector, then single lanes, then the tail.
template <class Vec, std::size_t Accumulators>
std::uint32_t crc32Fold(std::uint32_t reg, std::span<const std::byte> bytes) {
    using Vector = typename Vec::Type;
    using LaneOps = Lanes<typename Vec::Lane>;
    constexpr std::size_t kWidth = Vec::kBytes;
    constexpr std::size_t kStride = kWidth * Accumulators;
    static_assert(kStride <= 16 * kFoldBy16Bytes.size(), "no fold constants for that stride");

    const std::size_t size = bytes.size();
    if (size < 16) {
        return size == 0 ? reg : LaneOps::shortInput(reg, Vec::loadShort(bytes.data(), size), size);
    }
    const std::byte* p = bytes.data();
    const std::byte* const end = p + size;
    const auto left = [&] { return static_cast<std::size_t>(end - p); };

    typename LaneOps::Type lane;
    if (size >= kWidth) {
        Vector acc;
        if (size >= kStride) {
            Vector accs[Accumulators];
#pragma GCC unroll 16
            for (std::size_t i = 0; i < Accumulators; ++i) {
                accs[i] = Vec::load(p + i * kWidth);
            }
            accs[0] = Vec::withRegister(accs[0], reg);
            p += kStride;
            const Vector byStride = Vec::broadcast(foldBy(kStride));
            while (left() >= kStride) {
#pragma GCC unroll 16
                for (std::size_t i = 0; i < Accumulators; ++i) {
                    accs[i] = Vec::fold(accs[i], byStride, Vec::load(p + i * kWidth));
                }
                p += kStride;
            }
            acc = accs[Accumulators - 1];
#pragma GCC unroll 16
            for (std::size_t i = 0; i + 1 < Accumulators; ++i) {
                acc = Vec::fold(accs[i], Vec::broadcast(foldBy((Accumulators - 1 - i) * kWidth)),
                                acc);
            }
        } else {
            acc = Vec::withRegister(Vec::load(p), reg);
            p += kWidth;
        }
        const Vector byWidth = Vec::broadcast(foldBy(kWidth));
        while (left() >= kWidth) {
            acc = Vec::fold(acc, byWidth, Vec::load(p));
            p += kWidth;
        }
        lane = Vec::toLane(acc);
    } else {
        lane = LaneOps::withRegister(Vec::Lane::load(p), reg);
        p += 16;
    }

    const auto by16 = LaneOps::pair(foldBy(16));
    while (left() >= 16) {
        lane = LaneOps::fold(lane, by16, Vec::Lane::load(p));
        p += 16;
    }
    if (left() != 0) {
        lane = LaneOps::appendTail(lane, end, left());
    }
    return LaneOps::reduce(lane);
}

}  // namespace
}  // namespace core::crc32
