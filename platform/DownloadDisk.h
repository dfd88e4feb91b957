#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace platform {

// The file a download writes before it becomes the destination: a new file beside it that no
// one else uses. It is removed when the object goes, unless it has replaced the destination, and
// only while its name still names this very file.
class PartFile {
public:
    virtual ~PartFile() = default;

    // Writes at the current position; false when not every byte reached the file.
    virtual bool write(std::span<const std::byte> bytes) = 0;
    // Cuts the file to the offset and continues writing there; false when it is shorter.
    virtual bool rewind(std::int64_t offset) = 0;
    // The length the file has under its name now; nothing when its name no longer names it.
    virtual std::optional<std::int64_t> length() = 0;
    // Flushes and closes; false when the data may not have reached the disk. Nothing can be
    // written afterwards.
    virtual bool close() = 0;
    // Renames the closed file over the destination (replacing a file there); false when that
    // fails, which leaves the destination as it was.
    virtual bool replace(const std::string& destination) = 0;
};

// What a download does to the disk. Every path is a program path.
class DownloadDisk {
public:
    virtual ~DownloadDisk() = default;

    // The bytes free to this user on the volume that holds the folder.
    virtual std::optional<std::uint64_t> freeBytes(const std::string& folder) = 0;
    // Creates one folder level; false when it exists already or cannot be made.
    virtual bool createFolder(const std::string& folder) = 0;
    // Removes an empty folder.
    virtual bool removeFolder(const std::string& folder) = 0;
    // A folder of this user's, made if needed, for files the program keeps for itself; "" when
    // there is none.
    virtual std::string userFolder() = 0;
    // A new part file beside the destination; nullptr when none can be created there.
    virtual std::unique_ptr<PartFile> createPartFile(const std::string& destination) = 0;
};

// The process-wide disk: the system's, unless a test put another in its place.
DownloadDisk& downloadDisk();
// The operating system's disk; each platform folder defines it.
DownloadDisk& systemDisk();

// Puts a disk in place of the process-wide one while it lives, for tests.
class ScopedDisk {
public:
    explicit ScopedDisk(DownloadDisk& replacement);
    ~ScopedDisk();
    ScopedDisk(const ScopedDisk&) = delete;
    ScopedDisk& operator=(const ScopedDisk&) = delete;

private:
    DownloadDisk* previous_;
};

}  // namespace platform
