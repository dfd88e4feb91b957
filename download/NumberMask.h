#pragma once

#include <string>
#include <string_view>

namespace download {

// A number written through a mask of "0" (a digit always shown), "#" (a digit shown only when
// significant) and "." (the decimal separator's place), rounded to the mask's decimals with
// halves away from zero; integer digits beyond the mask are always shown. A trailing "%"
// multiplies by 100 first and is written as it is.
std::string formatWithMask(double value, std::string_view mask, char decimalSeparator);

// The general number text: up to 15 significant digits, the separator where there is a fraction.
std::string generalNumber(double value, char decimalSeparator);

}  // namespace download
