#include "platform/windows/WindowsFileSystem.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <limits>
#include <utility>

#include "platform/windows/UniqueHandle.h"
#include "platform/windows/Wide.h"
#include "platform/windows/WindowsMappedReader.h"

namespace platform {
namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

std::wstring fullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            return {};
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> attributesOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return data;
}

bool isFolder(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

UniqueHandle openForReading(const std::wstring& path) {
    if (path.empty()) {
        return {};
    }
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open.
    return UniqueHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// Fills as much of the buffer as the file has; failed tells a ReadFile() error from the end.
std::size_t readFully(HANDLE file, std::byte* buffer, std::size_t size, bool& failed) {
    constexpr std::size_t kLargestRead = 1u << 30;
    std::size_t done = 0;
    while (done < size) {
        const auto ask = static_cast<DWORD>(std::min(size - done, kLargestRead));
        DWORD got = 0;
        if (!::ReadFile(file, buffer + done, ask, &got, nullptr)) {
            failed = true;
            break;
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

// FILETIME counts 100 ns steps from 1601; the program counts nanoseconds from 1970.
std::int64_t unixNanoseconds(const FILETIME& time) {
    constexpr std::int64_t kFrom1601To1970 = 116'444'736'000'000'000;
    const auto ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (ticks - kFrom1601To1970) * 100;
}

std::optional<FileStatus> statusOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) {
        return std::nullopt;
    }
    FileStatus status;
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        status.kind = EntryKind::Directory;
    } else if (::GetFileType(file) == FILE_TYPE_DISK) {
        status.kind = EntryKind::RegularFile;
    }
    status.length = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    status.device = info.dwVolumeSerialNumber;
    status.fileId = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    status.modifiedNs = unixNanoseconds(info.ftLastWriteTime);
    return status;
}

// A pipe or a device answers GetFileInformationByHandle() with nothing or with another type.
bool isRegularFile(HANDLE file) {
    const auto status = statusOf(file);
    return status && status->kind == EntryKind::RegularFile;
}

class WindowsReadStream final : public ReadStream {
public:
    explicit WindowsReadStream(UniqueHandle file) : file_(std::move(file)) {}

    std::size_t read(std::span<std::byte> buffer) override {
        return failed_ ? 0 : readFully(file_.get(), buffer.data(), buffer.size(), failed_);
    }
    bool failed() const override { return failed_; }
    std::optional<FileStatus> status() override { return statusOf(file_.get()); }

    MappedPass consumeMapped(std::size_t windowSize, const MappedConsumer& consume) override {
        LARGE_INTEGER position{};
        LARGE_INTEGER length{};
        if (failed_ || !::SetFilePointerEx(file_.get(), {}, &position, FILE_CURRENT) ||
            !::GetFileSizeEx(file_.get(), &length) || !isRegularFile(file_.get())) {
            return MappedPass::Unmappable;
        }
        std::uint64_t consumed = 0;
        const MappedPass pass = consumeMappedFile(
            file_.get(), static_cast<std::uint64_t>(position.QuadPart),
            static_cast<std::uint64_t>(length.QuadPart), windowSize, consume, consumed);
        if (pass == MappedPass::ReadFailed) {
            failed_ = true;
        }
        LARGE_INTEGER moved{};
        moved.QuadPart = position.QuadPart + static_cast<LONGLONG>(consumed);
        ::SetFilePointerEx(file_.get(), moved, nullptr, FILE_BEGIN);
        return pass;
    }

private:
    UniqueHandle file_;
    bool failed_ = false;
};

WriteError writeErrorFrom(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return WriteError::AccessDenied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return WriteError::NoSpace;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY:
            return WriteError::BadName;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return WriteError::NotFound;
        default:
            return WriteError::Other;
    }
}

// A new file beside the target, removed again unless it has been moved over the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::wstring name = folder + L".sumora-" + std::to_wstring(::GetCurrentProcessId()) +
                                L'-' + std::to_wstring(counter++) + L".tmp";
            file_ = UniqueHandle(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.valid()) {
                path_ = std::move(name);
                return;
            }
            if (::GetLastError() != ERROR_FILE_EXISTS) {
                break;
            }
        }
        error_ = ::GetLastError();
    }
    ~TemporaryFile() {
        if (!path_.empty()) {
            file_ = UniqueHandle();
            ::DeleteFileW(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // ERROR_SUCCESS or the error of the first step that failed.
    DWORD error() const { return error_; }

    void write(const std::string& bytes) {
        if (error_ != ERROR_SUCCESS) {
            return;
        }
        std::size_t done = 0;
        while (error_ == ERROR_SUCCESS && done < bytes.size()) {
            const auto ask = static_cast<DWORD>(
                std::min<std::size_t>(bytes.size() - done, std::numeric_limits<DWORD>::max()));
            DWORD put = 0;
            if (!::WriteFile(file_.get(), bytes.data() + done, ask, &put, nullptr)) {
                error_ = ::GetLastError();
            } else if (put == 0) {
                error_ = ERROR_WRITE_FAULT;
            }
            done += put;
        }
        if (const DWORD closed = file_.close(); error_ == ERROR_SUCCESS) {
            error_ = closed;
        }
    }

    void moveOver(const std::wstring& target) {
        if (error_ == ERROR_SUCCESS &&
            !::MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            error_ = ::GetLastError();
        }
        if (error_ == ERROR_SUCCESS) {
            path_.clear();
        }
    }

private:
    std::wstring path_;
    UniqueHandle file_;
    DWORD error_ = ERROR_SUCCESS;
};

}  // namespace

std::wstring apiPath(std::string_view programPath) {
    if (programPath.empty()) {
        return {};
    }
    std::wstring path = widen(programPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (path.starts_with(kLongPrefix)) {
        return path;
    }
    std::wstring full = fullPath(path);
    if (full.size() < MAX_PATH) {
        return full;
    }
    if (full.starts_with(L"\\\\")) {
        return std::wstring(kLongUncPrefix) + full.substr(2);
    }
    return std::wstring(kLongPrefix) + full;
}

bool WindowsFileSystem::exists(const std::string& path) {
    return attributesOf(apiPath(path)).has_value();
}

bool WindowsFileSystem::isDirectory(const std::string& path) {
    const auto data = attributesOf(apiPath(path));
    return data && isFolder(*data);
}

std::optional<std::int64_t> WindowsFileSystem::fileLength(const std::string& path) {
    const auto data = attributesOf(apiPath(path));
    if (!data || isFolder(*data)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data->nFileSizeHigh) << 32) |
                                     data->nFileSizeLow);
}

std::optional<FileStatus> WindowsFileSystem::status(const std::string& path) {
    const std::wstring native = apiPath(path);
    if (native.empty()) {
        return std::nullopt;
    }
    // No access asked, only the attributes: this opens what a reader has locked too, and
    // FILE_FLAG_BACKUP_SEMANTICS opens folders.
    const UniqueHandle entry(
        ::CreateFileW(native.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return entry.valid() ? statusOf(entry.get()) : std::nullopt;
}

std::unique_ptr<ReadStream> WindowsFileSystem::openRead(const std::string& path) {
    UniqueHandle file = openForReading(apiPath(path));
    if (!file.valid() || !isRegularFile(file.get())) {
        return nullptr;
    }
    return std::make_unique<WindowsReadStream>(std::move(file));
}

WriteError WindowsFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
    const std::wstring target = apiPath(path);
    if (target.empty()) {
        return WriteError::NotFound;
    }
    if (target.back() == L'\\') {
        return WriteError::BadName;
    }
    if (const auto existing = attributesOf(target)) {
        if (isFolder(*existing) || (existing->dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
            return WriteError::AccessDenied;
        }
    }
    TemporaryFile temporary(target.substr(0, target.rfind(L'\\') + 1));
    temporary.write(bytes);
    temporary.moveOver(target);
    return temporary.error() == ERROR_SUCCESS ? WriteError::None
                                              : writeErrorFrom(temporary.error());
}

bool WindowsFileSystem::removeFile(const std::string& path) {
    const std::wstring native = apiPath(path);
    return !native.empty() && ::DeleteFileW(native.c_str());
}

std::string WindowsFileSystem::toNative(const std::string& path) {
    std::wstring native = apiPath(path);
    if (native.starts_with(kLongUncPrefix)) {
        native.replace(0, kLongUncPrefix.size(), L"\\\\");
    } else if (native.starts_with(kLongPrefix)) {
        native.erase(0, kLongPrefix.size());
    }
    return narrow(native);
}

std::string WindowsFileSystem::fromNative(const std::string& nativePath) {
    return toNative(nativePath);
}

std::string WindowsFileSystem::fromTyped(const std::string& typed) {
    const bool drive =
        typed.size() >= 3 && typed[1] == ':' && (typed[2] == '/' || typed[2] == '\\');
    const bool server = typed.starts_with("//") || typed.starts_with("\\\\");
    // Only "/" tells a native path from a program path, which comes back as it is.
    if ((!drive && !server) || typed.find('/') == std::string::npos) {
        return typed;
    }
    std::string program = typed;
    std::replace(program.begin(), program.end(), '/', '\\');
    // As a native folder's path comes from the system: without a trailing "\" but at a root.
    const std::size_t root = drive ? 3 : 2;
    while (program.size() > root && program.back() == '\\') {
        program.pop_back();
    }
    return program;
}

FileSystem& platformFileSystem() {
    static WindowsFileSystem instance;
    return instance;
}

}  // namespace platform
