#pragma once

#include <string>
#include <string_view>

namespace platform {

// The Windows API speaks UTF-16; the program speaks UTF-8. Malformed input becomes U+FFFD.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace platform
