#include "core/crc32/Crc32.h"

#include <atomic>

#include "core/crc32/Crc32KernelSwitch.h"
#include "core/crc32/Crc32Kernels.h"

namespace core {

namespace {

std::uint32_t resolveAndUpdate(std::uint32_t reg, std::span<const std::byte> bytes);

std::atomic<Crc32Function> activeKernel{resolveAndUpdate};

// The first call picks the kernel and replaces itself with it.
std::uint32_t resolveAndUpdate(std::uint32_t reg, std::span<const std::byte> bytes) {
    const Crc32Function best = bestCrc32Kernel().update;
    activeKernel.store(best, std::memory_order_relaxed);
    return best(reg, bytes);
}

}  // namespace

std::uint32_t crc32Update(std::uint32_t reg, std::span<const std::byte> bytes) {
    return activeKernel.load(std::memory_order_relaxed)(reg, bytes);
}

void crc32ForceKernel(Crc32Function kernel) {
    activeKernel.store(kernel, std::memory_order_relaxed);
}

void crc32UseBestKernel() {
    activeKernel.store(resolveAndUpdate, std::memory_order_relaxed);
}

}  // namespace core
