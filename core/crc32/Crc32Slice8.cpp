#include <array>

#include "core/crc32/Crc32ByteTable.h"
#include "core/crc32/Crc32Kernels.h"

namespace core {

namespace {

// Table k gives the register after a byte followed by k zero bytes, so eight bytes take eight
// independent lookups instead of a chain of eight.
using SliceTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr SliceTables makeSliceTables() {
    SliceTables tables{};
    tables[0] = crc32ByteTable();
    for (std::size_t k = 1; k < tables.size(); ++k) {
        for (std::size_t n = 0; n < 256; ++n) {
            const std::uint32_t previous = tables[k - 1][n];
            tables[k][n] = (previous >> 8) ^ tables[0][previous & 0xFFu];
        }
    }
    return tables;
}

constexpr SliceTables kSlices = makeSliceTables();

std::uint32_t loadLittleEndian32(const std::byte* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::uint32_t crc32_slice8(std::uint32_t reg, std::span<const std::byte> bytes) {
    const std::byte* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; p += 8, left -= 8) {
        const std::uint32_t first = loadLittleEndian32(p) ^ reg;
        const std::uint32_t second = loadLittleEndian32(p + 4);
        reg = kSlices[7][first & 0xFFu] ^ kSlices[6][(first >> 8) & 0xFFu] ^
              kSlices[5][(first >> 16) & 0xFFu] ^ kSlices[4][first >> 24] ^
              kSlices[3][second & 0xFFu] ^ kSlices[2][(second >> 8) & 0xFFu] ^
              kSlices[1][(second >> 16) & 0xFFu] ^ kSlices[0][second >> 24];
    }
    for (; left > 0; ++p, --left) {
        reg = (reg >> 8) ^ kSlices[0][(reg ^ static_cast<std::uint32_t>(*p)) & 0xFFu];
    }
    return reg;
}

}  // namespace core
