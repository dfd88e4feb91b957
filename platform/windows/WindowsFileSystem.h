#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace platform {

// Program paths are Windows paths already; they go to the Windows API as UTF-16, made absolute
// against the current directory, so a Czech name works whatever the ANSI code page. A path of
// MAX_PATH characters or more gets the "\\?\" prefix, which lifts the limit.
//
// Writing follows the Linux layer's rules: an existing read-only file is not replaced.
class WindowsFileSystem final : public FileSystem {
public:
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    std::optional<std::int64_t> fileLength(const std::string& path) override;
    std::optional<FileStatus> status(const std::string& path) override;
    std::unique_ptr<ReadStream> openRead(const std::string& path) override;
    WriteError replaceFile(const std::string& path, const std::string& bytes) override;
    bool removeFile(const std::string& path) override;
    std::string toNative(const std::string& path) override;
    std::string fromNative(const std::string& nativePath) override;
    // A typed path with a drive ("C:/Data/") or a server ("//server/share") and a "/" in it is a
    // native one, given back with "\" and without a trailing one.
    std::string fromTyped(const std::string& typed) override;
};

// The path as the Windows API takes it: absolute, "\" only, with "\\?\" (or "\\?\UNC\") when
// it is too long for the plain form; empty when it cannot be made absolute.
std::wstring apiPath(std::string_view programPath);

}  // namespace platform
