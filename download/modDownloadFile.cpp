#include "download/modDownloadFile.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "download/NumberMask.h"
#include "platform/DownloadDisk.h"
#include "platform/Locale.h"

namespace download {
namespace {

constexpr double kKilo = 1024.0;
constexpr double kMega = kKilo * kKilo;
constexpr double kGiga = kMega * kKilo;

std::string masked(double value, const std::string& mask, const char* fallback) {
    return formatWithMask(value, mask.empty() ? fallback : mask, platform::decimalSeparator());
}

// Visual Basic's CLng: to the nearest integer with halves to even, failing outside 32 bits.
std::int32_t toLong(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error("time beyond a 32-bit number of minutes");
    }
    return static_cast<std::int32_t>(rounded);
}

std::string whole(double value, const char* mask) {
    return formatWithMask(value, mask, platform::decimalSeparator());
}

}  // namespace

std::string FormatFileSize(double size, const std::string& mask) {
    if (size >= 0 && size <= kKilo - 1) {
        return generalNumber(size, platform::decimalSeparator()) + " bytes";
    }
    if (size >= kKilo && size <= kMega - 1) {
        return masked(size / kKilo, mask, "###0") + " KB";
    }
    if (size >= kMega && size <= kGiga - 1) {
        return masked(size / kMega, mask, "###0.0") + " MB";
    }
    if (size > kGiga - 1) {
        return masked(size / kGiga, mask, "###0.0") + " GB";
    }
    return {};
}

std::string FormatTime(float seconds) {
    const double t = seconds;
    if (std::isnan(t)) {
        throw std::overflow_error("time is not a number");
    }
    if (t >= 0 && t <= 59) {
        return whole(t, "0") + " sec";
    }
    if (t >= 60 && t <= 3599) {
        return whole(std::floor(t / 60), "#0") + " min " +
               whole(static_cast<double>(toLong(t) % 60), "0") + " sec";
    }
    const std::int32_t minutes = toLong(t / 60);
    return whole(std::floor(t / 3600), "#0") + " hr " +
           whole(static_cast<double>(minutes % 60), "0") + " min";
}

double GetFreeSpace(std::string& folder) {
    folder = AddBackslash(folder);
    return static_cast<double>(platform::downloadDisk().freeBytes(folder).value_or(0));
}

std::string AddBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path : path + '\\';
}

std::string SplitPath(const std::string& path, bool wantName, bool isURL) {
    const auto separator = path.rfind(isURL ? '/' : '\\');
    if (separator == std::string::npos) {
        return path;
    }
    return wantName ? path.substr(separator + 1) : path.substr(0, separator + 1);
}

}  // namespace download
