#pragma once

#include <optional>
#include <string>

#include "platform/DownloadDisk.h"

namespace download::testing {

// The system's disk with a user folder of the test's choosing and, optionally, a disk that
// fills up after a number of bytes written.
class TestDisk final : public platform::DownloadDisk {
public:
    explicit TestDisk(std::string userFolder)
        : userFolder_(std::move(userFolder)), scoped_(*this) {}

    std::optional<std::size_t> bytesUntilFull;
    std::optional<std::uint64_t> freeSpace;

    std::optional<std::uint64_t> freeBytes(const std::string& folder) override {
        return freeSpace ? freeSpace : platform::systemDisk().freeBytes(folder);
    }
    bool createFolder(const std::string& folder) override {
        return platform::systemDisk().createFolder(folder);
    }
    bool removeFolder(const std::string& folder) override {
        return platform::systemDisk().removeFolder(folder);
    }
    std::string userFolder() override { return userFolder_; }
    std::unique_ptr<platform::PartFile> createPartFile(const std::string& destination) override;

private:
    std::string userFolder_;
    platform::ScopedDisk scoped_;
};

}  // namespace download::testing
