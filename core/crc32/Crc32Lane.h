#pragma once

// The 128-bit lane operations of the folding kernels, written once over a lane policy L, one
// implementation of the 128-bit instructions they need:
//   L::Type                       a 128-bit lane
//   L::load(p)                    16 bytes from p, any alignment
//   L::set64(high, low)           a lane of two 64-bit halves
//   L::fromRegister(reg)          reg in the lowest 32 bits, zeros above
//   L::xorLanes(a, b), L::andLanes(a, b)
//   L::clmul<Select>(a, b)        carry-less product of one 64-bit half of each (PCLMULQDQ)
//   L::shuffleBytes(a, control)   PSHUFB
//   L::blendBytes(a, b, mask)     b's byte where the mask byte's top bit is set (PBLENDVB)
//   L::shiftRightBytes<N>(a)      PSRLDQ
//   L::extract32<I>(a)            32-bit element I
//
// The kernel headers give everything internal linkage: each kernel file compiles them for its
// own instruction set (Crc32Target.h), and no two of those copies may meet at link time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/crc32/Crc32FoldConstants.h"

namespace core::crc32 {
namespace {

// The pair that moves a lane forward by `bytes`, a multiple of 16.
constexpr FoldPair foldBy(std::size_t bytes) {
    return kFoldBy16Bytes.at(bytes / 16 - 1);
}

template <class L>
struct Lanes {
    using Type = typename L::Type;

    [[gnu::always_inline]] static Type pair(FoldPair pair) {
        return L::set64(pair.second, pair.first);
    }

    [[gnu::always_inline]] static Type withRegister(Type lane, std::uint32_t reg) {
        return L::xorLanes(lane, L::fromRegister(reg));
    }

    // acc moved forward by the distance `pair` was made for, plus data.
    [[gnu::always_inline]] static Type fold(Type acc, Type pair, Type data) {
        return L::xorLanes(
            L::xorLanes(L::template clmul<0x00>(acc, pair), L::template clmul<0x11>(acc, pair)),
            data);
    }

    // 1 to 15 bytes, zeros after them; nothing past them is read.
    [[gnu::always_inline]] static Type loadShort(const std::byte* p, std::size_t count) {
        std::array<std::byte, 16> copy{};
        std::memcpy(copy.data(), p, count);
        return L::load(copy.data());
    }

    // Byte shuffles: the 16 bytes from offset s (0 to 32) move byte i of a lane to i + 16 - s
    // and zero the bytes that would come from outside it.
    static constexpr std::array<std::uint8_t, 48> kShiftShuffles = {
        0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
        0x80, 0x80, 0x80, 0x80, 0,    1,    2,    3,    4,    5,    6,    7,
        8,    9,    10,   11,   12,   13,   14,   15,   0x80, 0x80, 0x80, 0x80,
        0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
    };

    [[gnu::always_inline]] static Type shiftShuffle(std::size_t offset) {
        return L::load(reinterpret_cast<const std::byte*>(kShiftShuffles.data() + offset));
    }

    // The lane followed by the `count` (1 to 15) bytes before `end`, folded back into one lane.
    // At least 16 bytes lie before `end`, so the last 16 are read whole and the lane's own bytes
    // replace those that are not the tail's.
    [[gnu::always_inline]] static Type appendTail(Type lane, const std::byte* end,
                                                  std::size_t count) {
        const Type toEnd = shiftShuffle(count);
        const Type toStart = shiftShuffle(16 + count);
        const Type head = L::shuffleBytes(lane, toEnd);
        const Type rest = L::blendBytes(L::load(end - 16), L::shuffleBytes(lane, toStart), toEnd);
        return fold(head, pair(foldBy(16)), rest);
    }

    // The register for a lane that ends the data: lane * x^32 mod P, folded to 96 and then 64
    // bits, then Barrett-reduced.
    [[gnu::always_inline]] static std::uint32_t reduce(Type lane) {
        const Type by32 = pair(kFoldBy32Bits);
        const Type wide =
            L::xorLanes(L::template clmul<0x00>(lane, by32), L::template clmul<0x11>(lane, by32));
        const Type by64 = L::set64(0, kFold64Bits);
        const Type narrow = L::xorLanes(L::template clmul<0x00>(wide, by64), wide);
        const Type barrett = L::set64(kBarrettPoly, kBarrettMu);
        const Type high = L::andLanes(narrow, L::set64(0xFFFFFFFFu, 0));
        const Type quotient =
            L::andLanes(L::template clmul<0x01>(high, barrett), L::set64(0, 0xFFFFFFFFu));
        const Type product = L::template clmul<0x10>(quotient, barrett);
        return L::template extract32<1>(
            L::xorLanes(product, L::template shiftRightBytes<8>(narrow)));
    }

    // The register after `count` (1 to 15) bytes held at the start of `data`, zeros after
    // them. They move to the end of the lane; register bytes beyond a shorter input do not pass
    // through the multiplier and are shifted in directly.
    [[gnu::always_inline]] static std::uint32_t shortInput(std::uint32_t reg, Type data,
                                                           std::size_t count) {
        const std::uint32_t crc =
            reduce(L::shuffleBytes(withRegister(data, reg), shiftShuffle(count)));
        return count < 4 ? crc ^ (reg >> (8 * count)) : crc;
    }
};

// The lane as a vector of one lane.
template <class L>
struct Xmm128 {
    using Lane = L;
    using Type = typename L::Type;
    static constexpr std::size_t kBytes = 16;

    [[gnu::always_inline]] static Type load(const std::byte* p) { return L::load(p); }
    [[gnu::always_inline]] static Type withRegister(Type v, std::uint32_t reg) {
        return Lanes<L>::withRegister(v, reg);
    }
    [[gnu::always_inline]] static Type broadcast(FoldPair pair) { return Lanes<L>::pair(pair); }
    [[gnu::always_inline]] static Type fold(Type acc, Type pair, Type data) {
        return Lanes<L>::fold(acc, pair, data);
    }
    [[gnu::always_inline]] static Type toLane(Type v) { return v; }
    [[gnu::always_inline]] static Type loadShort(const std::byte* p, std::size_t count) {
        return Lanes<L>::loadShort(p, count);
    }
};

}  // namespace
}  // namespace core::crc32
