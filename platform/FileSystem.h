#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace platform {

enum class EntryKind { RegularFile, Directory, Other };

// What the system tells of a file system entry (links followed): its kind, its length, and what
// tells one file, and one version of a file, from another.
struct FileStatus {
    EntryKind kind = EntryKind::Other;
    std::int64_t length = 0;
    std::uint64_t device = 0;
    std::uint64_t fileId = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileStatus&) const = default;
};

// How a pass over a file through memory mappings ended.
enum class MappedPass {
    End,         // every byte up to the length the file had when the pass began
    Stopped,     // the consumer asked to stop
    Unmappable,  // the system cannot map this file, or a window of it: read() the rest
    Shrunk,      // the file lost bytes under the mapping
    ReadFailed,  // the system could not read bytes under the mapping
};

// Takes the next bytes of a file and says how many of them, from the start, it took; fewer
// than all stops the pass.
using MappedConsumer = std::function<std::size_t(std::span<const std::byte>)>;

// A regular file opened for reading, shared with other readers only.
class ReadStream {
public:
    virtual ~ReadStream() = default;
    // Reads up to buffer.size() bytes from the current position. Returns the number delivered:
    // fewer than asked at the end of the file or when the read fails, then 0.
    virtual std::size_t read(std::span<std::byte> buffer) = 0;
    // Whether a read has failed; what was delivered before the failure stays valid.
    virtual bool failed() const = 0;
    // The open file as it stands now; nothing when the system cannot tell.
    virtual std::optional<FileStatus> status() = 0;
    // Hands the bytes from the current position to the file's end, in order, to consume
    // straight from windows of at most windowSize bytes (a whole number of 4 KiB pages) of the
    // file mapped into memory, never the whole file at once and without copying them. The
    // position moves past what consume took. A file that shrinks under the mapping makes
    // touching its lost bytes end consume at once, on Linux by siglongjmp from a SIGBUS
    // handler, and so does a failed read on Windows: consume must hold no object that needs its
    // destructor while it touches them.
    virtual MappedPass consumeMapped(std::size_t /*windowSize*/,
                                     const MappedConsumer& /*consume*/) {
        return MappedPass::Unmappable;
    }
};

enum class WriteError { None, AccessDenied, NoSpace, BadName, NotFound, Other };

// The file system as the program sees it. Every path is a program path: Windows notation in
// UTF-8 ("C:\Data\Photo.JPG"). An implementation maps it to the native file system; on a
// system whose names are case-sensitive a name that does not exist as written resolves to an
// existing entry that differs only in letter case (the first in byte order if there are several),
// as Windows would find it. As on Windows, trailing dots and blanks of a name do not matter
// when an existing entry is looked up ("README." finds README).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool exists(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    // Length in bytes; nothing when the path names no file or its length cannot be read.
    virtual std::optional<std::int64_t> fileLength(const std::string& path) = 0;
    // Nothing when the path names nothing or cannot be examined.
    virtual std::optional<FileStatus> status(const std::string& path) = 0;

    // Opens a regular file for sequential reading; nullptr for anything else (missing, a
    // folder, a pipe or device, no access, locked for writing). Opening never waits.
    virtual std::unique_ptr<ReadStream> openRead(const std::string& path) = 0;
    // Replaces the file with the bytes, or creates it. The bytes go to a temporary file beside
    // it first and reach the disk before it takes the file's place, so neither a failed write
    // nor a power cut leaves an existing file damaged or a new one empty.
    virtual WriteError replaceFile(const std::string& path, const std::string& bytes) = 0;
    virtual bool removeFile(const std::string& path) = 0;

    // Between program paths and the native notation of this system.
    virtual std::string toNative(const std::string& path) = 0;
    virtual std::string fromNative(const std::string& nativePath) = 0;
    // A path as a user may type or paste it, in either notation, as a program path; anything
    // that is not a native path comes back unchanged.
    virtual std::string fromTyped(const std::string& typed) = 0;
};

// The process-wide file system: the platform's own unless a ScopedFileSystem stands in.
FileSystem& fileSystem();
// The platform's own file system, whatever stands in for it.
FileSystem& platformFileSystem();

// Puts another file system in the place of the process-wide one until the object goes, so tests
// can inject faults. Scopes nest.
class ScopedFileSystem {
public:
    explicit ScopedFileSystem(FileSystem& replacement);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    FileSystem* previous_;
};

}  // namespace platform
