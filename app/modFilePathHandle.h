#pragma once

#include <string>

namespace app {

// The part after the last "\"; the whole text without one.
std::string GetFileName(const std::string& path);
// The part before the last "\"; "" for a text without any "\".
std::string GetFilePath(const std::string& path);

}  // namespace app
