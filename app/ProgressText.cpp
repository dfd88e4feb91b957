#include "app/ProgressText.h"

#include <cmath>
#include <cstdio>

namespace app {
namespace {

std::string clockText(std::uint64_t seconds) {
    char text[32];
    const auto hours = seconds / 3600;
    const auto minutes = seconds / 60 % 60;
    const auto rest = seconds % 60;
    if (hours > 0) {
        std::snprintf(
            text, sizeof text, "%llu:%02llu:%02llu", static_cast<unsigned long long>(hours),
            static_cast<unsigned long long>(minutes), static_cast<unsigned long long>(rest));
    } else {
        std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(minutes),
                      static_cast<unsigned long long>(rest));
    }
    return text;
}

std::string rateText(double megabytesPerSecond, char decimalSeparator) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", megabytesPerSecond);
    std::string result = text;
    if (const auto dot = result.find('.'); dot != std::string::npos) {
        result[dot] = decimalSeparator;
    }
    return result;
}

}  // namespace

std::string progressText(std::uint64_t done, std::uint64_t total, double elapsedSeconds,
                         char decimalSeparator) {
    const bool known = total > 0 && done <= total;
    const double rate = elapsedSeconds > 0 ? static_cast<double>(done) / elapsedSeconds : 0.0;
    std::string text;
    if (known) {
        text = std::to_string(done * 100 / total) + " %, ";
    }
    text += rateText(rate / 1e6, decimalSeparator) + " MB/s";
    if (known && rate > 0) {
        const double left = std::ceil(static_cast<double>(total - done) / rate);
        text += ", zbývá " + clockText(static_cast<std::uint64_t>(left));
    }
    return text;
}

}  // namespace app
