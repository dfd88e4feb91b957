#pragma once

#include <string>
#include <string_view>

namespace ui {

// Counts code points of UTF-8 text; positions in text boxes are counted in code points.
int codePointCount(std::string_view utf8);

}  // namespace ui
