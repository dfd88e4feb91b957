#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Which native folder each drive letter of a program path stands for, and the purely textual
// translation between the two notations. Nothing here looks at the file system apart from
// reading the current directory.
class DriveMap {
public:
    // Z: is the native root.
    DriveMap();

    // Letters are case-insensitive; an empty folder removes the mapping. A relative folder is
    // taken against the current directory. Throws std::invalid_argument for a non-letter.
    void map(char letter, std::string_view nativeFolder);

    // A program path taken apart: the native folder of its drive and the components below it,
    // with "." and ".." already applied (".." stops at the drive's root, as on Windows).
    struct Location {
        std::string folder;
        std::vector<std::string> components;
        bool trailingSeparator = false;
    };
    // Both "\" and "/" separate; a path starting with one is on Z:, a path without a drive is
    // relative to the current directory, "C:name" is read as "C:\name". Nothing for a drive
    // that is not mapped.
    std::optional<Location> locate(std::string_view programPath) const;

    // The drive whose folder is the longest one containing the path wins; "" when none does.
    std::string toProgram(std::string_view nativePath) const;

private:
    // Normalized absolute native folders ("/" or "/a/b"), empty when unmapped; index 0 is A:.
    std::array<std::string, 26> folders_;
};

}  // namespace platform
