#pragma once

#include <string>
#include <string_view>

namespace ui {

// Text positions in the model count code points of UTF-8 text; toolkits count UTF-16 units.
int codePointCount(std::string_view utf8);
// The UTF-16 index of the code point at `codePoints` (clamped to the text).
int utf16IndexOfCodePoint(std::string_view utf8, int codePoints);
// The code point that holds the UTF-16 index `units` (clamped to the text).
int codePointOfUtf16Index(std::string_view utf8, int units);

}  // namespace ui
