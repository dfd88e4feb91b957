#include "app/modFilePathHandle.h"

namespace app {

std::string GetFileName(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetFilePath(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace app
