#pragma once

// The 512-bit vector policy of crc32Fold, written once over Ops, one implementation of the
// AVX-512 instructions it needs:
//   Ops::Type                   a 512-bit vector; Ops::Lane its lane policy (Crc32Lane.h)
//   Ops::load(p)                64 bytes from p, any alignment
//   Ops::fromRegister(reg)      reg in the lowest 32 bits, zeros above
//   Ops::set64(e7, ..., e0)     a vector of eight 64-bit elements, e0 lowest
//   Ops::xorVectors(a, b), Ops::xor3(a, b, c)
//   Ops::clmul<Select>(a, b)    VPCLMULQDQ in each 128-bit lane
//   Ops::keepTopLane(v)         lane 3 of v, zeros below
//   Ops::xorOfLanes(v)          the four 128-bit lanes of v XORed into one
//   Ops::loadShort(p, count)    1 to 15 bytes into a lane, zeros after them, nothing past them
// Internal linkage, like the rest of the kernel headers (Crc32Lane.h).

#include <cstddef>
#include <cstdint>

#include "core/crc32/Crc32Lane.h"

namespace core::crc32 {
namespace {

template <class Ops>
struct Zmm512 {
    using Lane = typename Ops::Lane;
    using Type = typename Ops::Type;
    static constexpr std::size_t kBytes = 64;

    [[gnu::always_inline]] static Type load(const std::byte* p) { return Ops::load(p); }
    [[gnu::always_inline]] static Type withRegister(Type v, std::uint32_t reg) {
        return Ops::xorVectors(v, Ops::fromRegister(reg));
    }
    [[gnu::always_inline]] static Type broadcast(FoldPair pair) {
        return Ops::set64(pair.second, pair.first, pair.second, pair.first, pair.second, pair.first,
                          pair.second, pair.first);
    }
    [[gnu::always_inline]] static Type fold(Type acc, Type pair, Type data) {
        return Ops::xor3(Ops::template clmul<0x00>(acc, pair), Ops::template clmul<0x11>(acc, pair),
                         data);
    }
    // Lanes 0 to 2 move forward by 48, 32 and 16 bytes onto lane 3.
    [[gnu::always_inline]] static typename Lane::Type toLane(Type v) {
        constexpr FoldPair by48 = foldBy(48);
        constexpr FoldPair by32 = foldBy(32);
        constexpr FoldPair by16 = foldBy(16);
        const Type pairs = Ops::set64(0, 0, by16.second, by16.first, by32.second, by32.first,
                                      by48.second, by48.first);
        return Ops::xorOfLanes(Ops::xor3(Ops::template clmul<0x00>(v, pairs),
                                         Ops::template clmul<0x11>(v, pairs), Ops::keepTopLane(v)));
    }
    [[gnu::always_inline]] static typename Lane::Type loadShort(const std::byte* p,
                                                                std::size_t count) {
        return Ops::loadShort(p, count);
    }
};

}  // namespace
}  // namespace core::crc32
