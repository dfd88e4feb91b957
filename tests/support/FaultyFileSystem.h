#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace testing_support {

// The real file system, with read streams that misbehave on request. While it exists it stands
// in for the process-wide file system.
class FaultyFileSystem final : public platform::FileSystem {
public:
    FaultyFileSystem();

    // The faults below touch only streams opened by this program path; all when it is empty.
    std::string faultyPath;
    // A read stream fails when it reaches this many bytes (also a file of exactly that length).
    // These two faults are faults of read(): a stream with either set cannot be mapped.
    std::optional<std::size_t> failAfterBytes;
    // A read stream ends early, without failing, once it has delivered this many bytes, as if
    // the file had shrunk.
    std::optional<std::size_t> endAfterBytes;
    // Runs once after the first read that delivered bytes, so a test can change the real file
    // while it is being read.
    std::function<void()> afterFirstRead;
    // Runs after every read that delivered bytes, with their number, so a test can let time
    // pass as on a slow disk.
    std::function<void(std::size_t)> afterEachRead;

    // The mapped path hands the bytes on in slices of this size, the hooks above running after
    // each as after a read; nothing: whole windows.
    std::optional<std::size_t> mappedSlice;
    // The system cannot map the file: from the start, or once this many bytes came mapped.
    bool refuseMapping = false;
    std::optional<std::size_t> refuseMappingAfterBytes;
    // The system cannot read the bytes under the mapping once this many came mapped.
    std::optional<std::size_t> failMappedReadAfterBytes;
    // Bytes passed on through mappings so far.
    std::size_t bytesMapped = 0;

    // Bytes delivered by all read streams so far, read or mapped.
    std::size_t bytesDelivered = 0;

    bool exists(const std::string& path) override { return real_.exists(path); }
    bool isDirectory(const std::string& path) override { return real_.isDirectory(path); }
    std::optional<std::int64_t> fileLength(const std::string& path) override {
        return real_.fileLength(path);
    }
    std::optional<platform::FileStatus> status(const std::string& path) override {
        return real_.status(path);
    }
    std::unique_ptr<platform::ReadStream> openRead(const std::string& path) override;
    platform::WriteError replaceFile(const std::string& path, const std::string& bytes) override {
        return real_.replaceFile(path, bytes);
    }
    bool removeFile(const std::string& path) override { return real_.removeFile(path); }
    std::string toNative(const std::string& path) override { return real_.toNative(path); }
    std::string fromNative(const std::string& nativePath) override {
        return real_.fromNative(nativePath);
    }
    std::string fromTyped(const std::string& typed) override { return real_.fromTyped(typed); }

private:
    platform::FileSystem& real_;
    platform::ScopedFileSystem standIn_;
};

}  // namespace testing_support
