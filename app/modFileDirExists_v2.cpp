#include "app/modFileDirExists_v2.h"

#include "platform/FileSystem.h"

namespace app {

bool FileExists(const std::string& path) {
    auto& files = platform::fileSystem();
    return !path.empty() && files.exists(path) && !files.isDirectory(path);
}

bool DirExists(const std::string& path) {
    auto& files = platform::fileSystem();
    return !path.empty() && files.exists(path) && files.isDirectory(path);
}

}  // namespace app
