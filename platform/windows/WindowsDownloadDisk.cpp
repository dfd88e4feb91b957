#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "platform/DownloadDisk.h"
#include "platform/FileSystem.h"
#include "platform/windows/UniqueHandle.h"
#include "platform/windows/Wide.h"
#include "platform/windows/WindowsFileSystem.h"

namespace platform {
namespace {

// A file as the system tells one from another: its volume and its index on it.
struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct NamedFile {
    FileIdentity identity;
    std::int64_t length = 0;
};

std::optional<NamedFile> describe(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) {
        return std::nullopt;
    }
    return NamedFile{{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow},
                     (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow};
}

// What the name leads to now, opened without disturbing whoever else has it open.
std::optional<NamedFile> describe(const std::wstring& path) {
    const UniqueHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() ? describe(file.get()) : std::nullopt;
}

// The part file is hidden while it grows and shown again before it takes the destination's
// place. Others may read, change, rename or delete it meanwhile, as on Linux, so every step by
// name first checks that the name still leads to this very file.
class WindowsPartFile final : public PartFile {
public:
    WindowsPartFile(UniqueHandle file, std::wstring path, FileIdentity identity)
        : file_(std::move(file)), path_(std::move(path)), identity_(identity) {}

    ~WindowsPartFile() override {
        file_ = UniqueHandle();
        if (!replaced_ && stillOurs()) {
            ::DeleteFileW(path_.c_str());
        }
    }

    bool write(std::span<const std::byte> bytes) override {
        std::size_t done = 0;
        while (file_.valid() && done < bytes.size()) {
            const auto count =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes.data() + done, count, &written, nullptr) ||
                written == 0) {
                return false;
            }
            done += written;
        }
        return done == bytes.size();
    }

    bool rewind(std::int64_t offset) override {
        LARGE_INTEGER size{};
        LARGE_INTEGER position{};
        position.QuadPart = offset;
        return file_.valid() && offset >= 0 && ::GetFileSizeEx(file_.get(), &size) &&
               size.QuadPart >= offset &&
               ::SetFilePointerEx(file_.get(), position, nullptr, FILE_BEGIN) &&
               ::SetEndOfFile(file_.get());
    }

    std::optional<std::int64_t> length() override {
        const auto named = describe(path_);
        if (!named || named->identity != identity_) {
            return std::nullopt;
        }
        return named->length;
    }

    bool close() override {
        if (!file_.valid()) {
            return false;
        }
        const bool flushed = ::FlushFileBuffers(file_.get()) != 0;
        FILE_BASIC_INFO shown{};
        shown.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        const bool unhidden =
            ::SetFileInformationByHandle(file_.get(), FileBasicInfo, &shown, sizeof(shown)) != 0;
        return file_.close() == ERROR_SUCCESS && flushed && unhidden;
    }

    bool replace(const std::string& destination) override {
        const std::wstring target = apiPath(destination);
        if (file_.valid() || target.empty() || !stillOurs() ||
            !::MoveFileExW(path_.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return false;
        }
        replaced_ = true;
        return true;
    }

private:
    bool stillOurs() const {
        const auto named = describe(path_);
        return named && named->identity == identity_;
    }

    UniqueHandle file_;
    std::wstring path_;
    FileIdentity identity_;
    bool replaced_ = false;
};

class WindowsDownloadDisk final : public DownloadDisk {
public:
    std::optional<std::uint64_t> freeBytes(const std::string& folder) override {
        const std::wstring path = apiPath(folder);
        ULARGE_INTEGER available{};
        if (path.empty() || !::GetDiskFreeSpaceExW(path.c_str(), &available, nullptr, nullptr)) {
            return std::nullopt;
        }
        return available.QuadPart;
    }

    bool createFolder(const std::string& folder) override {
        const std::wstring path = apiPath(folder);
        return !path.empty() && ::CreateDirectoryW(path.c_str(), nullptr);
    }

    bool removeFolder(const std::string& folder) override {
        const std::wstring path = apiPath(folder);
        return !path.empty() && ::RemoveDirectoryW(path.c_str());
    }

    // The user's local application data, where programs keep what they can make again.
    std::string userFolder() override {
        PWSTR base = nullptr;
        const HRESULT found =
            ::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &base);
        const std::wstring folder = SUCCEEDED(found) ? std::wstring(base) + L"\\sumora" : L"";
        ::CoTaskMemFree(base);
        if (folder.empty()) {
            return {};
        }
        ::CreateDirectoryW(folder.c_str(), nullptr);
        const DWORD attributes = ::GetFileAttributesW(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return {};
        }
        return fileSystem().fromNative(narrow(folder));
    }

    std::unique_ptr<PartFile> createPartFile(const std::string& destination) override {
        const std::wstring target = apiPath(destination);
        const auto slash = target.rfind(L'\\');
        if (target.empty() || slash == std::wstring::npos || slash + 1 == target.size()) {
            return nullptr;
        }
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::wstring path = target.substr(0, slash + 1) + L'.' + target.substr(slash + 1) +
                                L'.' + std::to_wstring(::GetCurrentProcessId()) + L'-' +
                                std::to_wstring(counter++) + L".part";
            UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr));
            if (file.valid()) {
                const auto named = describe(file.get());
                if (!named) {
                    file = UniqueHandle();
                    ::DeleteFileW(path.c_str());
                    return nullptr;
                }
                return std::make_unique<WindowsPartFile>(std::move(file), std::move(path),
                                                         named->identity);
            }
            if (::GetLastError() != ERROR_FILE_EXISTS) {
                return nullptr;
            }
        }
        return nullptr;
    }
};

}  // namespace

DownloadDisk& systemDisk() {
    static WindowsDownloadDisk disk;
    return disk;
}

}  // namespace platform
