#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/FileSystem.h"

namespace platform {

// Hands the bytes of the open regular file fd from offset up to end to consume through windows
// of at most windowSize bytes mapped one after the other, with sequential read-ahead advice.
// consumed tells how many bytes consume took. A touch of bytes the file lost meanwhile
// raises SIGBUS; a handler installed only for the pass (the one before it comes back after)
// returns to the pass, which ends as Shrunk. Not for two threads at once.
MappedPass consumeMappedFile(int fd, std::uint64_t offset, std::uint64_t end,
                             std::size_t windowSize, const MappedConsumer& consume,
                             std::uint64_t& consumed);

}  // namespace platform
