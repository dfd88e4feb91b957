#pragma once

#include <string>
#include <vector>

namespace app {

// The command line cut at every "/", each piece trimmed of blanks; piece 0 is the text before
// the first "/". An empty text gives no pieces.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

}  // namespace app
