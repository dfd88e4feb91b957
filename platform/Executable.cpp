#include "platform/Executable.h"

#include "platform/Process.h"
#include "platform/Text.h"

namespace platform {

std::string executableBaseName() {
    const std::string path = executablePath();
    std::string name = path.substr(path.rfind('\\') + 1);
    const std::string extension = executableExtension();
    if (!extension.empty() && name.size() > extension.size() &&
        toLower(name.substr(name.size() - extension.size())) == extension) {
        name.resize(name.size() - extension.size());
    }
    return name;
}

std::string applicationFolder() {
    const std::string path = executablePath();
    const auto separator = path.rfind('\\');
    if (separator == std::string::npos) {
        return {};
    }
    // "C:\Sumora.exe" lies in "C:\", whose separator stays.
    const bool driveRoot = separator == 2 && path[1] == ':';
    return path.substr(0, driveRoot ? separator + 1 : separator);
}

}  // namespace platform
