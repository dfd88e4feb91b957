#pragma once

#include <cstdint>
#include <string>

namespace app {

// How far a long computation has come, as the duration field shows it while it runs:
// "37 %, 152,4 MB/s, zbývá 1:12" (MB = 10^6 bytes). Percent and time left only when total is
// known and not yet passed.
std::string progressText(std::uint64_t done, std::uint64_t total, double elapsedSeconds,
                         char decimalSeparator);

}  // namespace app
