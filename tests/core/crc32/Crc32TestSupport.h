#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/crc32/Crc32Kernels.h"

namespace core {

// Names the kernel in test names and failure messages.
void PrintTo(const Crc32Kernel& kernel, std::ostream* out);

}  // namespace core

namespace testing_support {

std::string kernelTestName(const ::testing::TestParamInfo<core::Crc32Kernel>& info);

// The reference result: the byte-at-a-time table path.
std::uint32_t tableCrc(std::uint32_t reg, std::span<const std::byte> bytes);

std::vector<std::byte> randomBytes(std::size_t count, std::mt19937_64& random);

// A generator seeded from --gtest_random_seed, or afresh when that is 0, with the seed in the
// message of every failure while it lives.
class SeededRandom {
public:
    SeededRandom();
    std::mt19937_64& engine() { return engine_; }

private:
    unsigned seed_;
    ::testing::ScopedTrace trace_;
    std::mt19937_64 engine_;
};

}  // namespace testing_support
