#pragma once

#include <vector>

#include "core/crc32/Crc32Kernels.h"

namespace core {

// The carry-less multiplication kernels, fastest first; none outside x86 builds.
std::vector<Crc32Kernel> carrylessCrc32Kernels();

}  // namespace core
