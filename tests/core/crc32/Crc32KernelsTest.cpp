#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "core/crc32/Crc32Kernels.h"
#include "tests/core/crc32/Crc32TestSupport.h"
#include "tests/core/crc32/EmulatedAvx512Kernel.h"
#include "tests/core/crc32/GuardedPages.h"

namespace core {
namespace {

using testing_support::randomBytes;
using testing_support::SeededRandom;
using testing_support::tableCrc;

std::span<const std::byte> asBytes(std::string_view text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

class Crc32KernelTest : public ::testing::TestWithParam<Crc32Kernel> {
protected:
    void SetUp() override {
        if (!GetParam().runsOn(cpuFeatures())) {
            GTEST_SKIP() << "this CPU cannot run " << GetParam().name;
        }
    }

    std::uint32_t update(std::uint32_t reg, std::span<const std::byte> bytes) const {
        return GetParam().update(reg, bytes);
    }
    std::uint32_t crc(std::span<const std::byte> bytes) const {
        return update(0xFFFFFFFFu, bytes) ^ 0xFFFFFFFFu;
    }
};

TEST_P(Crc32KernelTest, GivesTheStandardCrcOfKnownMessages) {
    const std::vector<std::byte> zeros(1 << 20, std::byte{0});
    const std::vector<std::byte> ones(4096, std::byte{0xFF});
    const struct {
        const char* name;
        std::span<const std::byte> bytes;
        std::uint32_t expected;
    } cases[] = {
        {"empty", {}, 0x00000000u},
        {"a", asBytes("a"), 0xE8B7BE43u},
        {"abc", asBytes("abc"), 0x352441C2u},
        {"check string", asBytes("123456789"), 0xCBF43926u},
        {"message digest", asBytes("message digest"), 0x20159D7Fu},
        {"alphabet", asBytes("abcdefghijklmnopqrstuvwxyz"), 0x4C2750BDu},
        {"fox", asBytes("The quick brown fox jumps over the lazy dog"), 0x414FA339u},
        {"62 letters and digits",
         asBytes("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"), 0x1FC2E6D2u},
        {"4 KiB of 0xFF", ones, 0xF154670Au},
        {"1 MiB of zeros", zeros, 0xA738EA1Cu},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(crc(c.bytes), c.expected) << c.name;
    }
}

// Every length up to a few main-loop strides, at every offset within a cache line, so each path
// and each tail length meets each alignment.
TEST_P(Crc32KernelTest, MatchesTheTableForEveryShortLengthAndAlignment) {
    SeededRandom random;
    constexpr std::size_t kMaxLength = 1100;
    const std::vector<std::byte> data = randomBytes(kMaxLength + 64, random.engine());
    const auto reg = static_cast<std::uint32_t>(random.engine()());
    for (std::size_t offset = 0; offset < 64; ++offset) {
        for (std::size_t length = 0; length <= kMaxLength; ++length) {
            const auto bytes = std::span(data).subspan(offset, length);
            ASSERT_EQ(update(reg, bytes), tableCrc(reg, bytes))
                << length << " bytes at offset " << offset;
        }
    }
}

TEST_P(Crc32KernelTest, MatchesTheTableForRandomLengthsUpToMebibytes) {
    SeededRandom random;
    constexpr std::size_t kMaxLength = 4 << 20;
    const std::vector<std::byte> data = randomBytes(kMaxLength + 64, random.engine());
    std::uniform_real_distribution<double> logLength(0.0, std::log2(double{kMaxLength}));
    for (std::size_t offset = 0; offset < 64; ++offset) {
        const auto length = static_cast<std::size_t>(std::exp2(logLength(random.engine())));
        const auto reg = static_cast<std::uint32_t>(random.engine()());
        const auto bytes = std::span(data).subspan(offset, length);
        ASSERT_EQ(update(reg, bytes), tableCrc(reg, bytes))
            << length << " bytes at offset " << offset;
    }
}

TEST_P(Crc32KernelTest, ChainedCallsEqualOneCall) {
    SeededRandom random;
    const std::vector<std::byte> data = randomBytes(70000, random.engine());
    const std::span<const std::byte> all(data);
    const std::uint32_t whole = update(0xFFFFFFFFu, all);
    ASSERT_EQ(whole, tableCrc(0xFFFFFFFFu, all));

    std::vector<std::size_t> splits = {0,  1,  3,   4,   15,  16,   17,    63,
                                       64, 65, 255, 256, 257, 1000, 69999, 70000};
    std::uniform_int_distribution<std::size_t> anywhere(0, data.size());
    for (int i = 0; i < 20; ++i) {
        splits.push_back(anywhere(random.engine()));
    }
    for (const std::size_t split : splits) {
        EXPECT_EQ(update(update(0xFFFFFFFFu, all.first(split)), all.subspan(split)), whole)
            << "split after " << split << " bytes";
    }

    std::uniform_int_distribution<std::size_t> pieceLength(0, 300);
    std::uint32_t reg = 0xFFFFFFFFu;
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t piece = std::min(pieceLength(random.engine()), data.size() - at);
        reg = update(reg, all.subspan(at, piece));
        at += piece;
    }
    EXPECT_EQ(reg, whole) << "pieces of 0 to 300 bytes";
}

// A read past either end of the input touches an inaccessible page and crashes the test.
TEST_P(Crc32KernelTest, ReadsNothingOutsideTheInput) {
    SeededRandom random;
    const testing_support::GuardedPages pages(3 * 4096);
    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length <= 1100; ++length) {
        lengths.push_back(length);
    }
    for (const std::size_t length : {4095, 4096, 4097, 8191, 8192, 12287, 12288}) {
        lengths.push_back(length);
    }
    for (const std::size_t length : lengths) {
        for (const auto bytes : {pages.endingAtGuard(length), pages.startingAfterGuard(length)}) {
            const std::vector<std::byte> content = randomBytes(length, random.engine());
            std::copy(content.begin(), content.end(), bytes.begin());
            ASSERT_EQ(update(0xFFFFFFFFu, bytes), tableCrc(0xFFFFFFFFu, bytes))
                << length << " bytes "
                << (bytes.data() == pages.startingAfterGuard(0).data()
                        ? "after the leading guard"
                        : "before the trailing guard");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachKernel, Crc32KernelTest,
                         ::testing::ValuesIn(crc32Kernels().begin(), crc32Kernels().end()),
                         testing_support::kernelTestName);

// The 512-bit kernel's logic, on any CPU.
INSTANTIATE_TEST_SUITE_P(Emulated, Crc32KernelTest,
                         ::testing::Values(testing_support::emulatedAvx512Kernel()),
                         testing_support::kernelTestName);

TEST(Crc32Kernels, EndWithAKernelForEveryCpu) {
    const auto kernels = crc32Kernels();
    ASSERT_FALSE(kernels.empty());
    EXPECT_TRUE(kernels.back().runsOn(CpuFeatures{})) << kernels.back().name;
}

bool always(const CpuFeatures&) {
    return true;
}

bool never(const CpuFeatures&) {
    return false;
}

std::uint32_t byTable(std::uint32_t reg, std::span<const std::byte> bytes) {
    return tableCrc(reg, bytes);
}

// Each is right except in one corner the check on choosing has to reach.
TEST(chooseCrc32Kernel, PassesOverAKernelThatDisagreesWithTheTable) {
    const struct {
        const char* fault;
        Crc32Function update;
    } cases[] = {
        {"wrong everywhere",
         [](std::uint32_t reg, std::span<const std::byte> bytes) {
             return tableCrc(reg, bytes) ^ 1u;
         }},
        {"wrong on empty input",
         [](std::uint32_t reg, std::span<const std::byte> bytes) {
             return bytes.empty() ? reg ^ 1u : tableCrc(reg, bytes);
         }},
        {"wrong on a tail after a lane",
         [](std::uint32_t reg, std::span<const std::byte> bytes) {
             return tableCrc(reg, bytes) ^ (bytes.size() == 17 ? 1u : 0u);
         }},
        {"wrong past 4 KiB",
         [](std::uint32_t reg, std::span<const std::byte> bytes) {
             return tableCrc(reg, bytes) ^ (bytes.size() > 4096 ? 1u : 0u);
         }},
        {"wrong off a 16-byte boundary",
         [](std::uint32_t reg, std::span<const std::byte> bytes) {
             const bool aligned = reinterpret_cast<std::uintptr_t>(bytes.data()) % 16 == 0;
             return tableCrc(reg, bytes) ^ (bytes.size() > 16 && !aligned ? 1u : 0u);
         }},
    };
    for (const auto& c : cases) {
        const Crc32Kernel kernels[] = {{"faulty", c.update, always}, {"sound", byTable, always}};
        EXPECT_EQ(chooseCrc32Kernel(kernels, CpuFeatures{}).name, "sound") << c.fault;
    }
}

TEST(chooseCrc32Kernel, TakesTheFirstSoundKernelTheCpuRuns) {
    const Crc32Kernel kernels[] = {
        {"not on this CPU", byTable, never},
        {"first", byTable, always},
        {"second", byTable, always},
    };
    EXPECT_EQ(chooseCrc32Kernel(kernels, CpuFeatures{}).name, "first");
}

TEST(chooseCrc32Kernel, FallsBackToTheTableWhenNoKernelAgrees) {
    const Crc32Kernel kernels[] = {
        {"off by one", [](std::uint32_t reg, std::span<const std::byte>) { return reg + 1; },
         always},
        {"ignores the register",
         [](std::uint32_t, std::span<const std::byte> bytes) { return tableCrc(0, bytes); },
         always},
    };
    const Crc32Kernel& chosen = chooseCrc32Kernel(kernels, CpuFeatures{});
    EXPECT_EQ(chosen.name, crc32TableKernel().name);
    EXPECT_EQ(chosen.update(0xFFFFFFFFu, asBytes("123456789")) ^ 0xFFFFFFFFu, 0xCBF43926u);
}

// The kernels of this build are sound, so the check passes the fastest this CPU runs.
TEST(bestCrc32Kernel, IsTheFastestKernelThisCpuRuns) {
    const auto kernels = crc32Kernels();
    const auto runnable = std::find_if(kernels.begin(), kernels.end(), [](const Crc32Kernel& k) {
        return k.runsOn(cpuFeatures());
    });
    ASSERT_NE(runnable, kernels.end());
    EXPECT_EQ(bestCrc32Kernel().name, runnable->name);
}

}  // namespace
}  // namespace core
