#include "bench/BenchOptions.h"

#include <charconv>
#include <iostream>
#include <string_view>

namespace bench {

namespace {

constexpr std::string_view kUsage =
    "usage: sumora_bench [options]\n"
    "  --sizes N,N,...   buffer sizes in bytes (default 4096,65536,512000,67108864)\n"
    "  --align N         offset of each buffer from a 64-byte boundary, 0 to 63 (default 0)\n"
    "  --seconds S       time per table cell (default 0.2)\n"
    "  --file PATH       file for the file-level comparison (default: a temporary file)\n"
    "  --file-size N     size of the temporary file in bytes (default 2147483648)\n"
    "  --no-file         leave out the file-level comparison\n";

template <class Number>
bool parseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

bool parseSizes(std::string_view text, std::vector<std::size_t>& sizes) {
    sizes.clear();
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        std::size_t size = 0;
        if (!parseNumber(text.substr(0, comma), size) || size == 0) {
            return false;
        }
        sizes.push_back(size);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return !sizes.empty();
}

}  // namespace

bool asksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            std::cout << kUsage;
            return true;
        }
    }
    return false;
}

std::optional<BenchOptions> parseOptions(int argc, char** argv) {
    BenchOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool hasValue = i + 1 < argc;
        const std::string_view value = hasValue ? std::string_view(argv[i + 1]) : "";
        bool valid = hasValue;
        if (option == "--no-file") {
            options.fileLevel = false;
            continue;
        } else if (option == "--sizes") {
            valid = valid && parseSizes(value, options.sizes);
        } else if (option == "--align") {
            valid = valid && parseNumber(value, options.align) && options.align < 64;
        } else if (option == "--seconds") {
            valid = valid && parseNumber(value, options.seconds) && options.seconds > 0;
        } else if (option == "--file") {
            options.file = std::string(value);
        } else if (option == "--file-size") {
            valid = valid && parseNumber(value, options.fileSize) && options.fileSize > 0;
        } else {
            valid = false;
        }
        if (!valid) {
            std::cerr << "sumora_bench: bad option " << option << "\n" << kUsage;
            return std::nullopt;
        }
        ++i;
    }
    return options;
}

}  // namespace bench
