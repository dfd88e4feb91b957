#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace core {

// The standard CRC-32 (reflected polynomial 0xEDB88320, preset and final complement).
inline constexpr std::uint32_t kCrc32Polynomial = 0xEDB88320u;
// Bytes requested from the file per read.
inline constexpr std::size_t kCrc32ReadBufferSize = 512000;

extern std::array<std::uint32_t, 256> CRC32Table;
extern bool CRC32TableReady;

void BuildCRC32Table();

// Advances a CRC register (already preset, not yet complemented) over bytes, one table lookup
// per byte. The reference every faster path is measured against.
std::uint32_t crc32UpdateByTable(std::uint32_t reg, std::span<const std::byte> bytes);

// CRC-32 of the whole file at a program path; 0 when it cannot be opened.
std::uint32_t FileCRC32(const std::string& path);
// The same as eight upper-case hexadecimal digits.
std::string FileCRC32Hex(const std::string& path);

std::string crc32ToHex(std::uint32_t crc);

}  // namespace core
