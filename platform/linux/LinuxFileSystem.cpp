#include "platform/linux/LinuxFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/Text.h"
#include "platform/linux/DurableFile.h"
#include "platform/linux/MappedReader.h"
#include "platform/linux/UniqueFd.h"

namespace platform {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// Windows drops trailing dots and blanks of a name when it looks the name up.
std::string withoutTrailingDotsAndBlanks(const std::string& name) {
    const auto last = name.find_last_not_of(". ");
    return last == std::string::npos ? std::string() : name.substr(0, last + 1);
}

bool entryExists(const std::string& native) {
    struct stat info {};
    return ::lstat(native.c_str(), &info) == 0;
}

// The entry of folder that the component names, as Windows would find it; nothing when there
// is none. The name as written wins, then the name without trailing dots and blanks, then
// either of them in other letter case.
std::optional<std::string> findEntry(const std::string& folder, const std::string& name) {
    if (entryExists(folder + name)) {
        return name;
    }
    const std::string trimmed = withoutTrailingDotsAndBlanks(name);
    const bool trimmable = !trimmed.empty() && trimmed != name;
    if (trimmable && entryExists(folder + trimmed)) {
        return trimmed;
    }
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) {
        return std::nullopt;
    }
    const std::string wanted = toLower(name);
    const std::string wantedTrimmed = trimmable ? toLower(trimmed) : std::string();
    std::optional<std::string> best;
    std::optional<std::string> bestTrimmed;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        if (candidate == "." || candidate == "..") {
            continue;
        }
        const std::string lower = toLower(candidate);
        if (lower == wanted && (!best || candidate < *best)) {
            best = candidate;
        } else if (trimmable && lower == wantedTrimmed &&
                   (!bestTrimmed || candidate < *bestTrimmed)) {
            bestTrimmed = candidate;
        }
    }
    return best ? best : bestTrimmed;
}

std::optional<struct stat> statNative(const std::string& native) {
    struct stat info {};
    if (native.empty() || ::stat(native.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

FileStatus statusFrom(const struct stat& info) {
    FileStatus status;
    status.kind = S_ISREG(info.st_mode)   ? EntryKind::RegularFile
                  : S_ISDIR(info.st_mode) ? EntryKind::Directory
                                          : EntryKind::Other;
    status.length = static_cast<std::int64_t>(info.st_size);
    status.device = static_cast<std::uint64_t>(info.st_dev);
    status.fileId = static_cast<std::uint64_t>(info.st_ino);
    status.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                        static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    return status;
}

// Regular files only. O_NONBLOCK keeps the open of a FIFO without a writer from waiting
// forever; the check on the opened descriptor then refuses it, and a device, even when the
// name was swapped after an earlier look.
UniqueFd openForReading(const std::string& native) {
    UniqueFd fd(::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return {};
    }
    return fd;
}

// Fills as much of the buffer as the file has, so that a short count means the end or a
// failure; failed tells which.
std::size_t readFully(int fd, std::byte* buffer, std::size_t size, bool& failed) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            failed = true;
            break;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

class LinuxReadStream final : public ReadStream {
public:
    LinuxReadStream(UniqueFd fd, bool mapping) : fd_(std::move(fd)), mapping_(mapping) {}

    MappedPass consumeMapped(std::size_t windowSize, const MappedConsumer& consume) override {
        struct stat info {};
        const off_t position = ::lseek(fd_.get(), 0, SEEK_CUR);
        if (!mapping_ || failed_ || position < 0 || ::fstat(fd_.get(), &info) != 0 ||
            !S_ISREG(info.st_mode)) {
            return MappedPass::Unmappable;
        }
        std::uint64_t consumed = 0;
        const MappedPass pass = consumeMappedFile(fd_.get(), static_cast<std::uint64_t>(position),
                                                  static_cast<std::uint64_t>(info.st_size),
                                                  windowSize, consume, consumed);
        ::lseek(fd_.get(), position + static_cast<off_t>(consumed), SEEK_SET);
        return pass;
    }

    std::size_t read(std::span<std::byte> buffer) override {
        return failed_ ? 0 : readFully(fd_.get(), buffer.data(), buffer.size(), failed_);
    }
    bool failed() const override { return failed_; }
    std::optional<FileStatus> status() override {
        struct stat info {};
        if (::fstat(fd_.get(), &info) != 0) {
            return std::nullopt;
        }
        return statusFrom(info);
    }

private:
    UniqueFd fd_;
    bool mapping_;
    bool failed_ = false;
};

WriteError writeErrorFrom(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return WriteError::AccessDenied;
        case ENOSPC:
        case EDQUOT:
            return WriteError::NoSpace;
        case ENAMETOOLONG:
        case EINVAL:
        case EILSEQ:
            return WriteError::BadName;
        case ENOENT:
        case ENOTDIR:
            return WriteError::NotFound;
        default:
            return WriteError::Other;
    }
}

}  // namespace

void LinuxFileSystem::mapDrive(char letter, std::string nativeFolder) {
    drives_.map(letter, nativeFolder);
}

bool LinuxFileSystem::exists(const std::string& path) {
    return statNative(toNative(path)).has_value();
}

bool LinuxFileSystem::isDirectory(const std::string& path) {
    const auto info = statNative(toNative(path));
    return info && S_ISDIR(info->st_mode);
}

std::optional<std::int64_t> LinuxFileSystem::fileLength(const std::string& path) {
    const auto info = statNative(toNative(path));
    if (!info || S_ISDIR(info->st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(info->st_size);
}

std::optional<FileStatus> LinuxFileSystem::status(const std::string& path) {
    const auto info = statNative(toNative(path));
    return info ? std::optional(statusFrom(*info)) : std::nullopt;
}

std::unique_ptr<ReadStream> LinuxFileSystem::openRead(const std::string& path) {
    UniqueFd fd = openForReading(toNative(path));
    if (!fd.valid()) {
        return nullptr;
    }
    // Read-ahead matters for files that are not in the page cache yet; the hint may be refused.
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::make_unique<LinuxReadStream>(std::move(fd), mapping_);
}

WriteError LinuxFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    const std::string target = toNative(path);
    if (target.empty()) {
        return WriteError::NotFound;
    }
    if (target.back() == '/') {
        return WriteError::BadName;
    }
    std::optional<mode_t> mode;
    if (const auto existing = statNative(target)) {
        if (S_ISDIR(existing->st_mode) || (existing->st_mode & 0222) == 0 ||
            ::access(target.c_str(), W_OK) != 0) {
            return WriteError::AccessDenied;
        }
        mode = existing->st_mode & 07777;
    }
    const int error = replaceDurably(target, bytes, mode);
    return error == 0 ? WriteError::None : writeErrorFrom(error);
}

bool LinuxFileSystem::removeFile(const std::string& path) {
    const std::string native = toNative(path);
    return !native.empty() && ::unlink(native.c_str()) == 0;
}

std::string LinuxFileSystem::toNative(const std::string& path) {
    const auto location = drives_.locate(path);
    if (!location) {
        return {};
    }
    std::string native = location->folder;
    bool resolving = true;
    for (const auto& component : location->components) {
        if (native.back() != '/') {
            native += '/';
        }
        const auto entry = resolving ? findEntry(native, component) : std::nullopt;
        resolving = entry.has_value();
        native += entry.value_or(component);
    }
    if (location->trailingSeparator && native.back() != '/') {
        native += '/';
    }
    return native;
}

std::string LinuxFileSystem::fromNative(const std::string& nativePath) {
    return drives_.toProgram(nativePath);
}

std::string LinuxFileSystem::fromTyped(const std::string& typed) {
    if (!typed.starts_with('/')) {
        return typed;
    }
    const std::string program = fromNative(typed);
    return program.empty() ? typed : program;
}

FileSystem& platformFileSystem() {
    return linuxFileSystem();
}

LinuxFileSystem& linuxFileSystem() {
    static LinuxFileSystem instance;
    return instance;
}

}  // namespace platform
