#pragma once

#include <string>

namespace identity {

// Whether the executable's path names the development environment's host (vb6.exe in any
// letter case, anywhere in the first 255 characters).
bool runsInIDE(const std::string& executablePath);
bool RunInIDE();

}  // namespace identity
