#include "bench/Throughput.h"

#include <algorithm>
#include <cstdint>

namespace bench {

namespace {

// Keeps the results alive so no call can be dropped.
volatile std::uint32_t sink;

double timeCalls(core::Crc32Function update, std::span<const std::byte> bytes, std::size_t calls) {
    return fastestRun(1, [&] {
        std::uint32_t combined = 0;
        for (std::size_t i = 0; i < calls; ++i) {
            combined ^= update(0xFFFFFFFFu, bytes);
        }
        sink = combined;
    });
}

}  // namespace

double bestThroughput(core::Crc32Function update, std::span<const std::byte> bytes,
                      double seconds) {
    constexpr int kSamples = 5;
    const double perSample = seconds / kSamples;

    std::size_t calls = 1;
    double taken = timeCalls(update, bytes, calls);
    while (taken < perSample / 8) {
        calls *= 2;
        taken = timeCalls(update, bytes, calls);
    }
    calls = std::max<std::size_t>(
        1, static_cast<std::size_t>(static_cast<double>(calls) * perSample / taken));

    double best = timeCalls(update, bytes, calls);
    for (int i = 1; i < kSamples; ++i) {
        best = std::min(best, timeCalls(update, bytes, calls));
    }
    return static_cast<double>(bytes.size()) * static_cast<double>(calls) / best / 1e9;
}

}  // namespace bench
