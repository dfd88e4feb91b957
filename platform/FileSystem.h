#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace platform {

// A file opened for reading, shared with other readers only.
class ReadStream {
public:
    virtual ~ReadStream() = default;
    // Reads up to buffer.size() bytes from the current position. Returns the number delivered:
    // fewer than asked at the end of the file, 0 at the end or when the read fails.
    virtual std::size_t read(std::span<std::byte> buffer) = 0;
};

enum class WriteError { None, AccessDenied, NoSpace, BadName, NotFound, Other };

// The file system as the program sees it. Every path is a program path: Windows notation in
// UTF-8 ("C:\Data\Photo.JPG"). An implementation maps it to the native file system; on a
// system whose names are case-sensitive a name that does not exist as written resolves to an
// existing entry that differs only in letter case (the first in byte order if there are several),
// as Windows would find it.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool exists(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    // Length in bytes; nothing when the path names no file or its length cannot be read.
    virtual std::optional<std::int64_t> fileLength(const std::string& path) = 0;

    // Opens for sequential reading; nullptr when the file cannot be opened (missing, a folder,
    // no access, locked for writing).
    virtual std::unique_ptr<ReadStream> openRead(const std::string& path) = 0;
    // The whole contents; nothing when the file cannot be read.
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    // Replaces the file with the bytes, or creates it. The bytes go to a temporary file beside
    // it first, so a failed write leaves an existing file as it was.
    virtual WriteError replaceFile(const std::string& path, const std::string& bytes) = 0;
    virtual bool removeFile(const std::string& path) = 0;

    // Between program paths and the native notation of this system.
    virtual std::string toNative(const std::string& path) = 0;
    virtual std::string fromNative(const std::string& nativePath) = 0;
};

// The process-wide file system.
FileSystem& fileSystem();

}  // namespace platform
