#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace platform {
namespace {

bool nativeExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A shell hands over native paths; the program expects them in its own notation. Switches also
// start with "/", so an argument counts as a path only when it names something that exists, or,
// after "/Name:", when it is absolute (a file may be named that does not exist yet).
std::string programArgument(const std::string& argument) {
    FileSystem& files = fileSystem();
    if (!argument.starts_with('/')) {
        return nativeExists(argument) ? files.fromNative(argument) : argument;
    }
    if (nativeExists(argument)) {
        return files.fromNative(argument);
    }
    const auto colon = argument.find(':');
    if (colon == std::string::npos || colon < 2 ||
        !std::all_of(argument.begin() + 1, argument.begin() + static_cast<std::ptrdiff_t>(colon),
                     isAsciiLetter)) {
        return argument;
    }
    const std::string value = argument.substr(colon + 1);
    if (value.starts_with('/') || nativeExists(value)) {
        return argument.substr(0, colon + 1) + files.fromNative(value);
    }
    return argument;
}

}  // namespace

std::string executablePath() {
    std::error_code error;
    const auto native = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : fileSystem().fromNative(native.string());
}

std::string commandLineFromArgs(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ' ';
        }
        line += programArgument(argv[i]);
    }
    return line;
}

}  // namespace platform
