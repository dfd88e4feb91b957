#pragma once

#include <chrono>
#include <cstddef>
#include <span>

#include "core/crc32/Crc32Kernels.h"

namespace bench {

// The best rate in GB/s (10^9 bytes a second) of `update` over `bytes`: independent calls are
// timed in five samples that together take about `seconds`, and the fastest sample counts.
double bestThroughput(core::Crc32Function update, std::span<const std::byte> bytes, double seconds);

// The shortest of `runs` timed calls of `run`, in seconds.
template <class Run>
double fastestRun(int runs, Run&& run) {
    double best = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
        if (i == 0 || taken.count() < best) {
            best = taken.count();
        }
    }
    return best;
}

}  // namespace bench
