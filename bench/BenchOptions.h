#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct BenchOptions {
    std::vector<std::size_t> sizes = {4096, 65536, 512000, 64 << 20};
    // Offset of every buffer from a 64-byte boundary.
    std::size_t align = 0;
    // Time spent on each cell of the table.
    double seconds = 0.2;
    bool fileLevel = true;
    // An existing file to read; otherwise a temporary file of fileSize bytes.
    std::optional<std::string> file;
    std::uint64_t fileSize = std::uint64_t{2} << 30;
};

// Prints the usage when --help or -h is among the arguments.
bool asksForHelp(int argc, char** argv);
// Nothing when the arguments are wrong; the reason and the usage are printed.
std::optional<BenchOptions> parseOptions(int argc, char** argv);

}  // namespace bench
