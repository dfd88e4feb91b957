#pragma once

#include <string>
#include <vector>

#include "core/crc32/Crc32Kernels.h"

namespace bench {

// One way to compute the CRC, in the register form of crc32UpdateByTable.
struct Contender {
    std::string name;
    core::Crc32Function update;
};

// Our kernels that this CPU runs, fastest first.
std::vector<Contender> ourKernels();
// The byte-at-a-time table path.
Contender tablePath();
// The comparison libraries this benchmark was built with: zlib, libdeflate, ISA-L.
std::vector<Contender> libraries();
// A line for each comparison library left out because it was not found at configure time.
std::vector<std::string> missingLibraries();

}  // namespace bench
