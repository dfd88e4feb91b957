#include "bench/Contenders.h"

#include "core/modCRC32_v2.h"

#ifdef SUMORA_BENCH_ZLIB
#include <zlib.h>
#endif
#ifdef SUMORA_BENCH_LIBDEFLATE
#include <libdeflate.h>
#endif
#ifdef SUMORA_BENCH_ISAL
#include <isa-l/crc.h>
#endif

namespace bench {

// The libraries take and return the finished CRC (register complemented); complementing on the
// way in and out turns that into the register form.

std::vector<Contender> ourKernels() {
    std::vector<Contender> kernels;
    for (const core::Crc32Kernel& kernel : core::crc32Kernels()) {
        if (kernel.runsOn(core::cpuFeatures())) {
            kernels.push_back({"sumora " + std::string(kernel.name), kernel.update});
        }
    }
    return kernels;
}

Contender tablePath() {
    core::BuildCRC32Table();
    return {"sumora table", core::crc32UpdateByTable};
}

std::vector<Contender> libraries() {
    std::vector<Contender> found;
#ifdef SUMORA_BENCH_ZLIB
    found.push_back({"zlib crc32_z", [](std::uint32_t reg, std::span<const std::byte> bytes) {
                         return ~static_cast<std::uint32_t>(crc32_z(
                             ~reg, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
                     }});
#endif
#ifdef SUMORA_BENCH_LIBDEFLATE
    found.push_back({"libdeflate_crc32", [](std::uint32_t reg, std::span<const std::byte> bytes) {
                         return ~libdeflate_crc32(~reg, bytes.data(), bytes.size());
                     }});
#endif
#ifdef SUMORA_BENCH_ISAL
    found.push_back(
        {"ISA-L crc32_gzip_refl", [](std::uint32_t reg, std::span<const std::byte> bytes) {
             return ~crc32_gzip_refl(~reg, reinterpret_cast<const unsigned char*>(bytes.data()),
                                     bytes.size());
         }});
#endif
    return found;
}

std::vector<std::string> missingLibraries() {
    std::vector<std::string> missing;
#ifndef SUMORA_BENCH_ZLIB
    missing.push_back("zlib was not found at configure time (zlib1g-dev): no zlib column");
#endif
#ifndef SUMORA_BENCH_LIBDEFLATE
    missing.push_back("libdeflate was not found at configure time (libdeflate-dev): no column");
#endif
#ifndef SUMORA_BENCH_ISAL
    missing.push_back("ISA-L was not found at configure time (libisal-dev): no column");
#endif
    return missing;
}

}  // namespace bench
