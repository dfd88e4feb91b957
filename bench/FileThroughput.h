#pragma once

#include <ostream>

#include "bench/BenchOptions.h"

namespace bench {

// FileCRC32 through the platform layer against a bare read() loop with the same buffer, over a
// file in the page cache. Prints the result; false when the two disagree on the contents or
// the file cannot be made or read.
bool compareFileLevel(const BenchOptions& options, std::ostream& out);

}  // namespace bench
