#pragma once

#include <array>
#include <cstdint>

#include "core/modCRC32_v2.h"

namespace core {

// The byte-wise table of the reflected CRC-32: entry n is n shifted right eight times, XORed
// with the polynomial whenever the bit shifted out is 1.
constexpr std::array<std::uint32_t, 256> crc32ByteTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t value = n;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1u) ? (value >> 1) ^ kCrc32Polynomial : value >> 1;
        }
        table[n] = value;
    }
    return table;
}

}  // namespace core
