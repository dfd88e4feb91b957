#include "identity/modRunInIDE.h"

#include "platform/Process.h"
#include "platform/Text.h"

namespace identity {

namespace {
constexpr std::size_t kModulePathBuffer = 255;
}

bool runsInIDE(const std::string& executablePath) {
    const std::string path = platform::toLower(executablePath.substr(0, kModulePathBuffer));
    return path.find("vb6.exe") != std::string::npos;
}

bool RunInIDE() {
    return runsInIDE(platform::executablePath());
}

}  // namespace identity
