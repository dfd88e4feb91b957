#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace core {

// Advances a CRC register exactly like crc32UpdateByTable, with the fastest kernel this CPU
// runs that agrees with the table (bestCrc32Kernel). The kernel is chosen on the first call.
std::uint32_t crc32Update(std::uint32_t reg, std::span<const std::byte> bytes);

}  // namespace core
