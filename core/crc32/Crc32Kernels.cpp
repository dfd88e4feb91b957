#include "core/crc32/Crc32Kernels.h"

#include <vector>

#include "core/crc32/Crc32KernelsX86.h"

namespace core {

std::span<const Crc32Kernel> crc32Kernels() {
    static const std::vector<Crc32Kernel> kernels = [] {
        std::vector<Crc32Kernel> list = carrylessCrc32Kernels();
        list.push_back({"slice8", crc32_slice8, [](const CpuFeatures&) { return true; }});
        return list;
    }();
    return kernels;
}

const Crc32Kernel& bestCrc32Kernel() {
    const auto kernels = crc32Kernels();
    for (const Crc32Kernel& kernel : kernels) {
        if (kernel.runsOn(cpuFeatures())) {
            return kernel;
        }
    }
    return kernels.back();
}

}  // namespace core
