#include "platform/linux/DurableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <vector>

#include "platform/linux/UniqueFd.h"

namespace platform {
namespace {

int writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put > 0) {
            done += static_cast<std::size_t>(put);
        } else if (put < 0 && errno != EINTR) {
            return errno;
        } else if (put == 0) {
            return EIO;
        }
    }
    return 0;
}

}  // namespace

int replaceDurably(const std::string& nativePath, std::string_view bytes,
                   std::optional<mode_t> mode) {
    static std::atomic<unsigned> counter{0};
    const auto slash = nativePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : nativePath.substr(0, slash + 1);
    std::string temporary;
    UniqueFd fd;
    // A short name of our own, so a target name near the length limit still gets one.
    for (int attempt = 0; attempt < 100 && !fd.valid(); ++attempt) {
        temporary = folder + ".sumora-" + std::to_string(::getpid()) + '-' +
                    std::to_string(counter++) + ".tmp";
        fd = UniqueFd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.valid() && errno != EEXIST) {
            return errno;
        }
    }
    if (!fd.valid()) {
        return EEXIST;
    }
    int error = writeAll(fd.get(), bytes);
    if (error == 0 && mode && ::fchmod(fd.get(), *mode) != 0) {
        error = errno;
    }
    // On the disk before the rename, so that a power cut cannot leave an empty file in the
    // target's place.
    if (error == 0 && ::fsync(fd.get()) != 0) {
        error = errno;
    }
    if (const int closed = fd.close(); error == 0) {
        error = closed;
    }
    if (error == 0 && ::rename(temporary.c_str(), nativePath.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    // Makes the rename itself durable. The file is in place whatever this gives, and some file
    // systems cannot sync a folder, so a failure here is not the replacement's.
    const UniqueFd directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid()) {
        ::fsync(directory.get());
    }
    return 0;
}

std::optional<std::string> readNative(const std::string& nativePath, int& error) {
    const UniqueFd fd(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        error = errno;
        return std::nullopt;
    }
    std::string contents;
    std::array<char, 16 * 1024> chunk;
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = errno;
            return std::nullopt;
        }
        if (got == 0) {
            error = 0;
            return contents;
        }
        contents.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

int makeFolders(const std::string& nativeFolder, mode_t mode) {
    struct stat info {};
    if (::stat(nativeFolder.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    }
    const auto slash = nativeFolder.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        if (const int parent = makeFolders(nativeFolder.substr(0, slash), mode); parent != 0) {
            return parent;
        }
    }
    return ::mkdir(nativeFolder.c_str(), mode) == 0 || errno == EEXIST ? 0 : errno;
}

}  // namespace platform
