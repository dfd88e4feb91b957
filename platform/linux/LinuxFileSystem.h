#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/linux/DriveMap.h"

namespace platform {

// Program paths on Linux. Z: is the native root and further drives can be mapped to folders.
// Each component of a path resolves to the entry of that name; when there is none, to the entry
// of that name without trailing dots and blanks; then to the first entry (in byte order) that
// equals one of the two ignoring letter case; and otherwise it stays as written,
// so a file that is to be created gets the name the program gave it. A path on an unmapped drive
// maps to "", which no operation accepts.
//
// Writing follows Windows where Linux would be more lenient: an existing file without write
// permission (Windows' read-only attribute) is not replaced, even by root.
class LinuxFileSystem final : public FileSystem {
public:
    void mapDrive(char letter, std::string nativeFolder);
    // Whether streams opened from now on offer their bytes through memory mappings; off, every
    // byte comes through read(), as for measuring one path against the other.
    void setMapping(bool allowed) { mapping_ = allowed; }

    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::optional<std::int64_t> fileLength(const std::string& path) override;
    std::optional<FileStatus> status(const std::string& path) override;
    std::unique_ptr<ReadStream> openRead(const std::string& path) override;
    WriteError replaceFile(const std::string& path, const std::string& bytes) override;
    bool removeFile(const std::string& path) override;
    std::string toNative(const std::string& path) override;
    std::string fromNative(const std::string& nativePath) override;
    // A typed path that starts with "/" is a native one.
    std::string fromTyped(const std::string& typed) override;

private:
    DriveMap drives_;
    bool mapping_ = true;
};

// The process-wide instance that platformFileSystem() returns, for mapping drives.
LinuxFileSystem& linuxFileSystem();

}  // namespace platform
