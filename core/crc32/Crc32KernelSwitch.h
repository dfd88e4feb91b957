#pragma once

#include "core/crc32/Crc32Kernels.h"

namespace core {

// Test support: makes crc32Update run one kernel, so that every kernel the CPU has goes through
// the whole suite.
void crc32ForceKernel(Crc32Function kernel);
// Back to choosing the best kernel for this CPU on the next call.
void crc32UseBestKernel();

}  // namespace core
