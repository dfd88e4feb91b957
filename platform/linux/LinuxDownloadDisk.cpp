#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "platform/DownloadDisk.h"
#include "platform/FileSystem.h"
#include "platform/linux/UniqueFd.h"

namespace platform {
namespace {

std::string native(const std::string& programPath) {
    return fileSystem().toNative(programPath);
}

class LinuxPartFile final : public PartFile {
public:
    LinuxPartFile(UniqueFd fd, std::string path, struct stat identity)
        : fd_(std::move(fd)), path_(std::move(path)), identity_(identity) {}

    ~LinuxPartFile() override {
        fd_ = UniqueFd();
        if (!replaced_ && stillOurs()) {
            ::unlink(path_.c_str());
        }
    }

    bool write(std::span<const std::byte> bytes) override {
        std::size_t done = 0;
        while (fd_.valid() && done < bytes.size()) {
            const ssize_t put = ::write(fd_.get(), bytes.data() + done, bytes.size() - done);
            if (put > 0) {
                done += static_cast<std::size_t>(put);
            } else if (put == 0 || errno != EINTR) {
                return false;
            }
        }
        return done == bytes.size();
    }

    bool rewind(std::int64_t offset) override {
        struct stat info {};
        return fd_.valid() && offset >= 0 && ::fstat(fd_.get(), &info) == 0 &&
               info.st_size >= offset && ::ftruncate(fd_.get(), offset) == 0 &&
               ::lseek(fd_.get(), offset, SEEK_SET) == offset;
    }

    std::optional<std::int64_t> length() override {
        struct stat info {};
        if (!stillOurs(&info)) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(info.st_size);
    }

    bool close() override {
        if (!fd_.valid()) {
            return false;
        }
        const bool synced = ::fsync(fd_.get()) == 0;
        return fd_.close() == 0 && synced;
    }

    bool replace(const std::string& destination) override {
        const std::string target = native(destination);
        if (fd_.valid() || target.empty() || !stillOurs() ||
            ::rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        replaced_ = true;
        return true;
    }

private:
    // Whether the name still names the file this object created (not a file put there since).
    bool stillOurs(struct stat* out = nullptr) const {
        struct stat info {};
        if (::stat(path_.c_str(), &info) != 0 || info.st_dev != identity_.st_dev ||
            info.st_ino != identity_.st_ino) {
            return false;
        }
        if (out != nullptr) {
            *out = info;
        }
        return true;
    }

    UniqueFd fd_;
    std::string path_;
    struct stat identity_;
    bool replaced_ = false;
};

class LinuxDownloadDisk final : public DownloadDisk {
public:
    std::optional<std::uint64_t> freeBytes(const std::string& folder) override {
        const std::string path = native(folder);
        struct statvfs info {};
        if (path.empty() || ::statvfs(path.c_str(), &info) != 0) {
            return std::nullopt;
        }
        return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    }

    bool createFolder(const std::string& folder) override {
        const std::string path = native(folder);
        return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
    }

    bool removeFolder(const std::string& folder) override {
        const std::string path = native(folder);
        return !path.empty() && ::rmdir(path.c_str()) == 0;
    }

    // The XDG cache folder, as other programs of the desktop keep what they can make again.
    std::string userFolder() override {
        std::error_code error;
        std::filesystem::path base;
        if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/') {
            base = cache;
        } else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
            base = std::filesystem::path(home) / ".cache";
        } else {
            base = std::filesystem::temp_directory_path(error);
        }
        const auto folder = base / "sumora";
        std::filesystem::create_directories(folder, error);
        if (error || !std::filesystem::is_directory(folder, error)) {
            return {};
        }
        return fileSystem().fromNative(folder.string());
    }

    std::unique_ptr<PartFile> createPartFile(const std::string& destination) override {
        const std::string target = native(destination);
        const auto slash = target.rfind('/');
        if (target.empty() || slash == std::string::npos || slash + 1 == target.size()) {
            return nullptr;
        }
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string path = target.substr(0, slash + 1) + '.' + target.substr(slash + 1) + '.' +
                               std::to_string(::getpid()) + '-' + std::to_string(counter++) +
                               ".part";
            // 0666 so that the umask decides, as for any new file.
            UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            struct stat identity {};
            if (fd.valid() && ::fstat(fd.get(), &identity) == 0) {
                return std::make_unique<LinuxPartFile>(std::move(fd), std::move(path), identity);
            }
            if (fd.valid()) {
                ::unlink(path.c_str());
                return nullptr;
            }
            if (errno != EEXIST) {
                return nullptr;
            }
        }
        return nullptr;
    }
};

}  // namespace

DownloadDisk& systemDisk() {
    static LinuxDownloadDisk disk;
    return disk;
}

}  // namespace platform
