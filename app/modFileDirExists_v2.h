#pragma once

#include <string>

namespace app {

// An existing file system object that is not a directory.
bool FileExists(const std::string& path);
bool DirExists(const std::string& path);

}  // namespace app
