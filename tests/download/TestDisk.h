#pragma once

#include <optional>
#include <string>

#include "download/DownloadDisk.h"

namespace download::testing {

// The system's disk with a user folder of the test's choosing and, optionally, a disk that
// fills up after a number of bytes written.
class TestDisk final : public DownloadDisk {
public:
    explicit TestDisk(std::string userFolder)
        : userFolder_(std::move(userFolder)), scoped_(*this) {}

    std::optional<std::size_t> bytesUntilFull;
    std::optional<std::uint64_t> freeSpace;

    std::optional<std::uint64_t> freeBytes(const std::string& folder) override {
        return freeSpace ? freeSpace : systemDisk().freeBytes(folder);
    }
    bool createFolder(const std::string& folder) override {
        return systemDisk().createFolder(folder);
    }
    bool removeFolder(const std::string& folder) override {
        return systemDisk().removeFolder(folder);
    }
    std::string userFolder() override { return userFolder_; }
    std::unique_ptr<PartFile> createPartFile(const std::string& destination) override;

private:
    std::string userFolder_;
    ScopedDisk scoped_;
};

}  // namespace download::testing
