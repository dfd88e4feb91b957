#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace core {

// The standard CRC-32 (reflected polynomial 0xEDB88320, preset and final complement).
inline constexpr std::uint32_t kCrc32Polynomial = 0xEDB88320u;
// Bytes requested from the file per read, and hashed between two looks at the clock.
inline constexpr std::size_t kCrc32ReadBufferSize = 512000;
// Bytes of the file mapped at once where the system can map it instead of copying it.
inline constexpr std::size_t kCrc32MapWindowSize = std::size_t{64} << 20;

extern std::array<std::uint32_t, 256> CRC32Table;
extern bool CRC32TableReady;

void BuildCRC32Table();

// Advances a CRC register (already preset, not yet complemented) over bytes, one table lookup
// per byte. The reference every faster path is measured against.
std::uint32_t crc32UpdateByTable(std::uint32_t reg, std::span<const std::byte> bytes);

// How a file was read for its checksum.
enum class ReadOutcome {
    Complete,        // every byte, and the file did not change meanwhile
    NotFound,        // the path names nothing
    NotRegularFile,  // a folder, a pipe, a device: no contents of a known end
    CannotOpen,      // no access, locked for writing
    ReadFailed,      // a read failed part-way
    Changed,         // the file grew, shrank, was written, replaced or removed while read
    Cancelled,       // the progress callback asked to stop
};

struct FileChecksum {
    std::uint32_t crc = 0;
    // The number of bytes the checksum covers.
    std::uint64_t length = 0;
    ReadOutcome outcome = ReadOutcome::NotFound;
};

// Told how many of the file's bytes have been hashed so far and how many it held at the start;
// returning false stops the read.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
// The least time between two calls of a ReadProgress, by the monotonic clock: often enough for
// a window to stay alive, seldom enough to cost the read loop nothing measurable.
inline constexpr double kReadProgressIntervalSeconds = 0.005;

// CRC-32 and length of the bytes read from the file at a program path, and whether they are the
// file's whole contents as it stood. Only regular files are opened; crc is 0 for a file that
// was not opened and covers the bytes read before a failure or a stop. progress, when given, is
// called between blocks, never more often than kReadProgressIntervalSeconds.
FileChecksum ReadFileCRC32(const std::string& path, const ReadProgress& progress = {});

// CRC-32 of the whole file at a program path; 0 when it cannot be opened.
std::uint32_t FileCRC32(const std::string& path);
// The same as eight upper-case hexadecimal digits.
std::string FileCRC32Hex(const std::string& path);

std::string crc32ToHex(std::uint32_t crc);

}  // namespace core
