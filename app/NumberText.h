#pragma once

#include <string>

namespace app {

// A single-precision number as the interface shows it: at most seven significant digits,
// no trailing zeros, "0" for zero, exponent form ("1.5E-05") for very small or large values.
std::string singleToText(float value, char decimalSeparator);

}  // namespace app
