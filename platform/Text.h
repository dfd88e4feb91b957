#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Text files on disk use the system's single-byte code page (Windows-1250); inside the
// program text is UTF-8.
std::string ansiToUtf8(std::string_view ansi);
// Nothing when a character has no place in the code page.
std::optional<std::string> utf8ToAnsi(std::string_view utf8);

// Letter case of the Latin letters (ASCII, Latin-1 and Latin Extended-A, so Czech č and Č too),
// the same whatever the locale; other characters and malformed bytes pass through unchanged.
std::string toUpper(std::string_view utf8);
std::string toLower(std::string_view utf8);

}  // namespace platform
