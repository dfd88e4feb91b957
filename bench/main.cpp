// sumora_bench: CRC-32 throughput of our kernels against the table path and the comparison
// libraries, then FileCRC32 against a bare read() loop. Run with --help for the options.

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/BenchOptions.h"
#include "bench/Contenders.h"
#include "bench/FileThroughput.h"
#include "bench/Throughput.h"
#include "core/crc32/CpuFeatures.h"
#include "core/crc32/Crc32Kernels.h"
#include "core/modCRC32_v2.h"

namespace {

using bench::Contender;

void printSetting(const bench::BenchOptions& options) {
    const core::CpuFeatures& f = core::cpuFeatures();
    std::cout << "CPU features: pclmulqdq=" << f.pclmulqdq << " sse4.1=" << f.sse41
              << " avx2=" << f.avx2 << " vpclmulqdq=" << f.vpclmulqdq << " avx512f=" << f.avx512f
              << " avx512bw=" << f.avx512bw << " avx512vl=" << f.avx512vl << "\n";
    std::cout << "crc32Update uses: " << core::bestCrc32Kernel().name << "\n";
    std::cout << "buffers at offset " << options.align << " from a 64-byte boundary, about "
              << options.seconds << " s per cell, best of 5 samples; GB/s = 10^9 bytes/s\n";
#ifndef __OPTIMIZE__
    std::cout << "note: built without optimisation; configure with -DCMAKE_BUILD_TYPE=Release "
                 "for representative numbers\n";
#endif
    for (const std::string& note : bench::missingLibraries()) {
        std::cout << "note: " << note << "\n";
    }
}

// Every contender must give the table path's CRC for every size before anything is timed.
bool resultsAgree(const std::vector<Contender>& contenders, const Contender& reference,
                  const std::vector<std::span<const std::byte>>& buffers) {
    for (const auto bytes : buffers) {
        const std::uint32_t expected = reference.update(0xFFFFFFFFu, bytes) ^ 0xFFFFFFFFu;
        for (const Contender& contender : contenders) {
            const std::uint32_t got = contender.update(0xFFFFFFFFu, bytes) ^ 0xFFFFFFFFu;
            if (got != expected) {
                std::cerr << "error: " << contender.name << " gives " << core::crc32ToHex(got)
                          << " for " << bytes.size() << " bytes, the table path "
                          << core::crc32ToHex(expected) << "\n";
                return false;
            }
        }
    }
    return true;
}

const Contender* findByPrefix(const std::vector<Contender>& contenders, std::string_view prefix) {
    const auto found = std::find_if(contenders.begin(), contenders.end(),
                                    [&](const Contender& c) { return c.name.starts_with(prefix); });
    return found == contenders.end() ? nullptr : &*found;
}

void printRatio(const std::string& label, const std::vector<std::size_t>& sizes,
                const std::vector<double>& ours, const std::vector<double>& theirs, double goal) {
    std::cout << std::left << std::setw(26) << label << std::right;
    bool met = true;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const double ratio = ours[i] / theirs[i];
        met = met && ratio >= goal;
        std::cout << std::setw(12) << ratio;
    }
    std::cout << "   goal >= " << goal << (met ? " met" : " NOT met") << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (bench::asksForHelp(argc, argv)) {
        return 0;
    }
    const auto options = bench::parseOptions(argc, argv);
    if (!options) {
        return 2;
    }
    printSetting(*options);

    const std::size_t largest = *std::max_element(options->sizes.begin(), options->sizes.end());
    std::vector<std::byte> storage(largest + 128);
    std::mt19937_64 random(42);
    for (std::byte& b : storage) {
        b = static_cast<std::byte>(random());
    }
    const auto address = reinterpret_cast<std::uintptr_t>(storage.data());
    const std::size_t start = (64 - address % 64) % 64 + options->align;
    std::vector<std::span<const std::byte>> buffers;
    for (const std::size_t size : options->sizes) {
        buffers.push_back(std::span<const std::byte>(storage).subspan(start, size));
    }

    const Contender table = bench::tablePath();
    const std::vector<Contender> ours = bench::ourKernels();
    const std::vector<Contender> libraries = bench::libraries();
    std::vector<Contender> all = ours;
    all.push_back(table);
    all.insert(all.end(), libraries.begin(), libraries.end());
    if (!resultsAgree(all, table, buffers)) {
        return 1;
    }
    std::cout << "all " << all.size() << " contenders give the same CRC for every size\n\n";

    std::cout << std::fixed << std::setprecision(2) << std::left << std::setw(26) << "GB/s"
              << std::right;
    for (const std::size_t size : options->sizes) {
        std::cout << std::setw(12) << size;
    }
    std::cout << "\n";
    std::map<std::string, std::vector<double>> rates;
    for (const Contender& contender : all) {
        std::cout << std::left << std::setw(26) << contender.name << std::right << std::flush;
        for (const auto bytes : buffers) {
            const double rate = bench::bestThroughput(contender.update, bytes, options->seconds);
            rates[contender.name].push_back(rate);
            std::cout << std::setw(12) << rate << std::flush;
        }
        std::cout << "\n";
    }

    std::vector<double> best(buffers.size(), 0.0);
    for (const Contender& contender : ours) {
        for (std::size_t i = 0; i < best.size(); ++i) {
            best[i] = std::max(best[i], rates[contender.name][i]);
        }
    }
    std::cout << "\n";
    if (const Contender* isal = findByPrefix(libraries, "ISA-L")) {
        printRatio("best sumora / ISA-L", options->sizes, best, rates[isal->name], 0.95);
    }
    if (const Contender* libdeflate = findByPrefix(libraries, "libdeflate")) {
        printRatio("best sumora / libdeflate", options->sizes, best, rates[libdeflate->name], 3.5);
    }

    if (options->fileLevel && !bench::compareFileLevel(*options, std::cout)) {
        return 1;
    }
    return 0;
}
