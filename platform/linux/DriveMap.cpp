#include "platform/linux/DriveMap.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace platform {
namespace {

std::optional<std::size_t> driveIndex(char letter) {
    if (letter >= 'A' && letter <= 'Z') {
        return static_cast<std::size_t>(letter - 'A');
    }
    if (letter >= 'a' && letter <= 'z') {
        return static_cast<std::size_t>(letter - 'a');
    }
    return std::nullopt;
}

bool isProgramSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string> normalizedComponents(std::string_view path, std::string_view separators) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of(separators, start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const auto part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return parts;
}

// Absolute, without "." and ".." (taken lexically, as Windows does) and without a trailing "/";
// nothing when the path is relative and the current directory cannot be read.
std::optional<std::string> absoluteNative(std::string_view nativePath) {
    std::string path;
    if (!nativePath.starts_with('/')) {
        std::error_code error;
        path = std::filesystem::current_path(error).string();
        if (error || path.empty()) {
            return std::nullopt;
        }
        path += '/';
    }
    path += nativePath;
    std::string normalized;
    for (const auto& part : normalizedComponents(path, "/")) {
        normalized += '/';
        normalized += part;
    }
    return normalized.empty() ? "/" : normalized;
}

}  // namespace

DriveMap::DriveMap() {
    folders_['Z' - 'A'] = "/";
}

void DriveMap::map(char letter, std::string_view nativeFolder) {
    const auto index = driveIndex(letter);
    if (!index) {
        throw std::invalid_argument("a drive is named by a letter");
    }
    folders_[*index] = nativeFolder.empty() ? "" : absoluteNative(nativeFolder).value_or("");
}

std::optional<DriveMap::Location> DriveMap::locate(std::string_view programPath) const {
    if (programPath.empty()) {
        return std::nullopt;
    }
    std::size_t index = 'Z' - 'A';
    std::string_view rest = programPath;
    if (const auto drive = driveIndex(programPath[0]);
        drive && programPath.size() >= 2 && programPath[1] == ':') {
        index = *drive;
        rest = programPath.substr(2);
    } else if (!isProgramSeparator(programPath[0])) {
        std::error_code error;
        const std::string current = toProgram(std::filesystem::current_path(error).string());
        if (error || current.empty()) {
            return std::nullopt;
        }
        return locate(current + '\\' + std::string(programPath));
    }
    if (folders_[index].empty()) {
        return std::nullopt;
    }
    return Location{folders_[index], normalizedComponents(rest, "\\/"),
                    !rest.empty() && isProgramSeparator(rest.back())};
}

std::string DriveMap::toProgram(std::string_view nativePath) const {
    if (nativePath.empty()) {
        return {};
    }
    const auto path = absoluteNative(nativePath);
    if (!path) {
        return {};
    }
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < folders_.size(); ++i) {
        const std::string& folder = folders_[i];
        const bool contains =
            !folder.empty() && (folder == "/" || *path == folder ||
                                (path->starts_with(folder) && (*path)[folder.size()] == '/'));
        if (contains && (!best || folder.size() > folders_[*best].size())) {
            best = i;
        }
    }
    if (!best) {
        return {};
    }
    std::string rest = folders_[*best] == "/" ? *path : path->substr(folders_[*best].size());
    std::replace(rest.begin(), rest.end(), '/', '\\');
    if (rest.empty()) {
        rest = "\\";
    }
    return std::string(1, static_cast<char>('A' + *best)) + ':' + rest;
}

}  // namespace platform
