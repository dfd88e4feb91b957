#include "core/crc32/Crc32Kernels.h"

#include <array>
#include <vector>

#include "core/crc32/Crc32KernelsX86.h"
#include "core/modCRC32_v2.h"

namespace core {

namespace {

std::uint32_t updateByTable(std::uint32_t reg, std::span<const std::byte> bytes) {
    BuildCRC32Table();
    return crc32UpdateByTable(reg, bytes);
}

// Lengths either side of a lane, a 512-bit vector and a long run of main-loop passes, each
// from an aligned and from an unaligned start.
constexpr std::array<std::size_t, 10> kCheckLengths = {0, 1, 15, 16, 17, 63, 64, 65, 255, 4096 + 7};
constexpr std::size_t kCheckBytes = 4096 + 7 + 1;

// Fixed contents, so that a kernel is judged the same way on every start.
std::array<std::byte, kCheckBytes> checkBytes() {
    std::array<std::byte, kCheckBytes> bytes{};
    std::uint32_t state = 0x2545F491u;
    for (std::byte& b : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        b = static_cast<std::byte>(state >> 24);
    }
    return bytes;
}

bool agreesWithTable(Crc32Function update) {
    alignas(64) static const std::array<std::byte, kCheckBytes> bytes = checkBytes();
    for (const std::size_t start : {0, 1}) {
        for (const std::size_t length : kCheckLengths) {
            const auto input = std::span<const std::byte>(bytes).subspan(start, length);
            if (update(0xFFFFFFFFu, input) != updateByTable(0xFFFFFFFFu, input)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::span<const Crc32Kernel> crc32Kernels() {
    static const std::vector<Crc32Kernel> kernels = [] {
        std::vector<Crc32Kernel> list = carrylessCrc32Kernels();
        list.push_back({"slice8", crc32_slice8, [](const CpuFeatures&) { return true; }});
        return list;
    }();
    return kernels;
}

const Crc32Kernel& crc32TableKernel() {
    static const Crc32Kernel table{"table", updateByTable, [](const CpuFeatures&) { return true; }};
    return table;
}

const Crc32Kernel& chooseCrc32Kernel(std::span<const Crc32Kernel> kernels,
                                     const CpuFeatures& features) {
    for (const Crc32Kernel& kernel : kernels) {
        if (kernel.runsOn(features) && agreesWithTable(kernel.update)) {
            return kernel;
        }
    }
    return crc32TableKernel();
}

const Crc32Kernel& bestCrc32Kernel() {
    static const Crc32Kernel& best = chooseCrc32Kernel(crc32Kernels(), cpuFeatures());
    return best;
}

}  // namespace core
