#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "platform/FileSystem.h"

namespace platform {

// Hands the bytes of the open regular file from offset up to end to consume through views of
// at most windowSize bytes mapped one after the other. consumed tells how many bytes consume
// took. A read of the file that fails under a view (a disk or network error) raises an
// in-page error there; a handler installed only for the pass returns to it, which ends as
// ReadFailed. Not for two threads at once.
MappedPass consumeMappedFile(HANDLE file, std::uint64_t offset, std::uint64_t end,
                             std::size_t windowSize, const MappedConsumer& consume,
                             std::uint64_t& consumed);

}  // namespace platform
