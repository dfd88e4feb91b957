#pragma once

#include <string_view>

namespace platform {

// The text after the program's own path in a command line as Windows passes it: the path runs
// to the closing quote when it starts with one, otherwise to the first blank or tab; the blanks
// after it go too.
std::wstring_view afterProgramPath(std::wstring_view commandLine);

}  // namespace platform
