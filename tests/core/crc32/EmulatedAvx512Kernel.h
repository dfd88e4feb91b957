#pragma once

#include "core/crc32/Crc32Kernels.h"

namespace testing_support {

// The 512-bit folding kernel, crc32Fold over Zmm512 like crc32_vpclmulqdq_avx512, built on
// SIMDe's portable AVX-512 instead of the instructions: its logic runs on any CPU, slowly, so
// it belongs to the tests and never to crc32Kernels().
const core::Crc32Kernel& emulatedAvx512Kernel();

}  // namespace testing_support
