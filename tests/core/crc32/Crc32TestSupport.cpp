#include "tests/core/crc32/Crc32TestSupport.h"

#include "core/modCRC32_v2.h"

namespace core {

void PrintTo(const Crc32Kernel& kernel, std::ostream* out) {
    *out << kernel.name;
}

}  // namespace core

namespace testing_support {

std::string kernelTestName(const ::testing::TestParamInfo<core::Crc32Kernel>& info) {
    return std::string(info.param.name);
}

std::uint32_t tableCrc(std::uint32_t reg, std::span<const std::byte> bytes) {
    core::BuildCRC32Table();
    return core::crc32UpdateByTable(reg, bytes);
}

std::vector<std::byte> randomBytes(std::size_t count, std::mt19937_64& random) {
    std::vector<std::byte> bytes(count);
    for (std::byte& b : bytes) {
        b = static_cast<std::byte>(random());
    }
    return bytes;
}

namespace {

// gtest's own seeds run from 1 to 99999; 0 asks for a fresh one.
unsigned chooseSeed() {
    const int flag = GTEST_FLAG_GET(random_seed);
    return flag > 0 ? static_cast<unsigned>(flag) : std::random_device{}() % 99999u + 1u;
}

}  // namespace

SeededRandom::SeededRandom()
    : seed_(chooseSeed()),
      trace_(__FILE__, __LINE__,
             "random seed " + std::to_string(seed_) +
                 " (repeat with --gtest_random_seed=" + std::to_string(seed_) + ")"),
      engine_(seed_) {}

}  // namespace testing_support
