#include "app/NumberText.h"

#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

void dropTrailingZeros(std::string& mantissa) {
    if (mantissa.find('.') == std::string::npos) {
        return;
    }
    while (mantissa.back() == '0') {
        mantissa.pop_back();
    }
    if (mantissa.back() == '.') {
        mantissa.pop_back();
    }
}

}  // namespace

std::string singleToText(float value, char decimalSeparator) {
    if (value == 0.0f) {
        return "0";
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6e", static_cast<double>(value));
    const std::string scientific = buffer;
    const auto e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);

    std::string text;
    if (exponent < -4 || exponent >= 7) {
        text = scientific.substr(0, e);
        dropTrailingZeros(text);
        std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        text += buffer;
    } else {
        std::snprintf(buffer, sizeof buffer, "%.*f", 6 - exponent, static_cast<double>(value));
        text = buffer;
        dropTrailingZeros(text);
    }
    for (char& c : text) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return text;
}

}  // namespace app
