#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "core/crc32/CpuFeatures.h"

namespace core {
namespace {

// Linux lists in /proc/cpuinfo the features the CPU has and the kernel lets programs use, an
// account independent of our cpuid and xgetbv reading.
std::set<std::string> linuxCpuFlags() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("flags", 0) == 0) {
            std::istringstream words(line.substr(line.find(':') + 1));
            return {std::istream_iterator<std::string>(words),
                    std::istream_iterator<std::string>()};
        }
    }
    return {};
}

TEST(CpuFeatures, AgreeWithTheFlagsLinuxReports) {
    const std::set<std::string> flags = linuxCpuFlags();
    if (flags.empty()) {
        GTEST_SKIP() << "no x86 feature flags in /proc/cpuinfo";
    }
    const CpuFeatures features = detectCpuFeatures();
    const struct {
        const char* flag;
        bool detected;
    } cases[] = {
        {"pclmulqdq", features.pclmulqdq},   {"ssse3", features.ssse3},
        {"sse4_1", features.sse41},          {"avx2", features.avx2},
        {"vpclmulqdq", features.vpclmulqdq}, {"avx512f", features.avx512f},
        {"avx512bw", features.avx512bw},     {"avx512vl", features.avx512vl},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.detected, flags.contains(c.flag)) << c.flag;
    }
}

}  // namespace
}  // namespace core
