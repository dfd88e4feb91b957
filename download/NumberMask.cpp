#include "download/NumberMask.h"

#include <cmath>
#include <cstdio>

namespace download {

std::string formatWithMask(double value, std::string_view mask, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return {};
    }
    const bool percent = !mask.empty() && mask.back() == '%';
    if (percent) {
        mask.remove_suffix(1);
        value *= 100.0;
    }
    const auto point = mask.find('.');
    const std::string_view integerPart = mask.substr(0, point);
    const std::string_view fractionPart =
        point == std::string_view::npos ? std::string_view() : mask.substr(point + 1);
    int minimumIntegerDigits = 0;
    for (const char c : integerPart) {
        minimumIntegerDigits += c == '0' ? 1 : 0;
    }
    const int decimals = static_cast<int>(fractionPart.size());

    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::fabs(value) * scale);
    if (!std::isfinite(rounded)) {
        return {};
    }
    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", rounded);
    std::string all = digits;
    if (static_cast<int>(all.size()) <= decimals) {
        all.insert(0, static_cast<std::size_t>(decimals + 1) - all.size(), '0');
    }
    std::string whole = all.substr(0, all.size() - static_cast<std::size_t>(decimals));
    const std::string fraction = all.substr(whole.size());
    while (whole.size() > 1 && whole.front() == '0') {
        whole.erase(0, 1);
    }
    if (whole == "0" && minimumIntegerDigits == 0) {
        whole.clear();
    }
    if (static_cast<int>(whole.size()) < minimumIntegerDigits) {
        whole.insert(0, static_cast<std::size_t>(minimumIntegerDigits) - whole.size(), '0');
    }

    std::string text = (value < 0 && rounded != 0.0) ? "-" : "";
    text += whole;
    if (point != std::string_view::npos) {
        text += decimalSeparator;
        text += fraction;
    }
    return percent ? text + '%' : text;
}

std::string generalNumber(double value, char decimalSeparator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    for (char& c : text) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return text;
}

}  // namespace download
