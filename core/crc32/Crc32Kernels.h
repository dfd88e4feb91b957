#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/crc32/CpuFeatures.h"

namespace core {

using Crc32Function = std::uint32_t (*)(std::uint32_t reg, std::span<const std::byte> bytes);

// Each kernel advances a CRC register exactly like crc32UpdateByTable, for any length and
// alignment, and reads no byte outside the span. The carry-less multiplication kernels exist in
// x86 builds only and run only where their Crc32Kernel::runsOn says so.
std::uint32_t crc32_vpclmulqdq_avx512(std::uint32_t reg, std::span<const std::byte> bytes);
std::uint32_t crc32_vpclmulqdq_avx2(std::uint32_t reg, std::span<const std::byte> bytes);
std::uint32_t crc32_pclmulqdq(std::uint32_t reg, std::span<const std::byte> bytes);
std::uint32_t crc32_slice8(std::uint32_t reg, std::span<const std::byte> bytes);

struct Crc32Kernel {
    std::string_view name;
    Crc32Function update;
    bool (*runsOn)(const CpuFeatures& features);
};

// Every kernel of this build, fastest first; the last one runs on any CPU.
std::span<const Crc32Kernel> crc32Kernels();
// The byte-wise table path (crc32UpdateByTable) as a kernel, for when no other can be trusted.
const Crc32Kernel& crc32TableKernel();
// The first of `kernels` that runs on a CPU with `features` and gives the table's result on a
// few fixed inputs of the lengths where the paths of a kernel meet; crc32TableKernel() if none
// does.
const Crc32Kernel& chooseCrc32Kernel(std::span<const Crc32Kernel> kernels,
                                     const CpuFeatures& features);
// chooseCrc32Kernel(crc32Kernels(), cpuFeatures()), chosen once.
const Crc32Kernel& bestCrc32Kernel();

}  // namespace core
