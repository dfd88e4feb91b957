#include "platform/linux/XdgDirs.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace platform {
namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

// The base directory rules ignore relative paths and empty values.
std::string absoluteOr(const char* variable, const std::string& fallback) {
    const char* value = std::getenv(variable);
    std::string folder = value != nullptr && value[0] == '/' ? value : fallback;
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::vector<std::string> folderList(const char* variable, const std::string& fallback) {
    const char* value = std::getenv(variable);
    const std::string list = value != nullptr && value[0] != '\0' ? value : fallback;
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const auto end = std::min(list.find(':', start), list.size());
        std::string folder = list.substr(start, end - start);
        while (folder.size() > 1 && folder.back() == '/') {
            folder.pop_back();
        }
        if (!folder.empty() && folder[0] == '/') {
            folders.push_back(folder);
        }
        start = end + 1;
    }
    return folders;
}

}  // namespace

std::string xdgConfigHome() {
    return absoluteOr("XDG_CONFIG_HOME", homeFolder() + "/.config");
}

std::string xdgDataHome() {
    return absoluteOr("XDG_DATA_HOME", homeFolder() + "/.local/share");
}

std::vector<std::string> xdgConfigDirs() {
    return folderList("XDG_CONFIG_DIRS", "/etc/xdg");
}

std::vector<std::string> xdgDataDirs() {
    return folderList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

}  // namespace platform
