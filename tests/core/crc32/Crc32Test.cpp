#include <gtest/gtest.h>

#include "core/crc32/Crc32.h"
#include "core/crc32/Crc32KernelSwitch.h"
#include "tests/core/crc32/Crc32TestSupport.h"

namespace core {
namespace {

using testing_support::randomBytes;
using testing_support::SeededRandom;
using testing_support::tableCrc;

// The first call goes through the resolver, later ones straight to the kernel it chose.
TEST(Crc32Update, ChoosesAKernelThatMatchesTheTable) {
    SeededRandom random;
    crc32UseBestKernel();
    const std::vector<std::byte> data = randomBytes(5000, random.engine());
    for (const std::size_t length : {5000, 0, 1, 17, 4096}) {
        const auto bytes = std::span(data).first(length);
        EXPECT_EQ(crc32Update(0xFFFFFFFFu, bytes), tableCrc(0xFFFFFFFFu, bytes)) << length;
    }
    EXPECT_TRUE(bestCrc32Kernel().runsOn(cpuFeatures())) << bestCrc32Kernel().name;
}

TEST(Crc32Update, RunsTheForcedKernel) {
    const auto marker = [](std::uint32_t reg, std::span<const std::byte> bytes) {
        return reg + static_cast<std::uint32_t>(bytes.size());
    };
    crc32ForceKernel(marker);
    const std::byte three[3] = {};
    const std::uint32_t forced = crc32Update(10, three);
    crc32UseBestKernel();
    EXPECT_EQ(forced, 13u);
    EXPECT_EQ(crc32Update(0xFFFFFFFFu, three), tableCrc(0xFFFFFFFFu, three));
}

}  // namespace
}  // namespace core
