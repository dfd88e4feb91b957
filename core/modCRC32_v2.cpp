#include "core/modCRC32_v2.h"

#include <algorithm>
#include <memory>
#include <new>

#include "core/crc32/Crc32.h"
#include "core/crc32/Crc32ByteTable.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace core {

namespace {

constexpr std::array<std::uint32_t, 256> kTableValues = crc32ByteTable();

// The kernel copies into a page-aligned buffer several times faster than into one that
// starts part-way into a page, as an ordinary allocation of this size does.
constexpr std::align_val_t kReadBufferAlignment{4096};

struct AlignedDelete {
    void operator()(std::byte* bytes) const { ::operator delete[](bytes, kReadBufferAlignment); }
};

std::unique_ptr<std::byte[], AlignedDelete> allocateReadBuffer() {
    return std::unique_ptr<std::byte[], AlignedDelete>(
        static_cast<std::byte*>(::operator new[](kCrc32ReadBufferSize, kReadBufferAlignment)));
}

// Calls the caller's progress only once its interval has passed: a clock reading per block is
// cheap, the caller's handling of events is not.
class ProgressGate {
public:
    ProgressGate(const ReadProgress& progress, std::uint64_t total)
        : progress_(progress),
          total_(total),
          due_(progress ? platform::clock().monotonicSeconds() + kReadProgressIntervalSeconds
                        : 0.0) {}

    bool keepGoing(std::uint64_t done) {
        if (!progress_) {
            return true;
        }
        const double now = platform::clock().monotonicSeconds();
        if (now < due_) {
            return true;
        }
        due_ = now + kReadProgressIntervalSeconds;
        return progress_(done, total_);
    }

private:
    const ReadProgress& progress_;
    std::uint64_t total_;
    double due_;
};

}  // namespace

std::array<std::uint32_t, 256> CRC32Table{};
bool CRC32TableReady = false;

void BuildCRC32Table() {
    if (CRC32TableReady) {
        return;
    }
    for (std::size_t n = 0; n < CRC32Table.size(); ++n) {
        CRC32Table[n] = kTableValues[n];
    }
    CRC32TableReady = true;
}

std::uint32_t crc32UpdateByTable(std::uint32_t reg, std::span<const std::byte> bytes) {
    for (const std::byte b : bytes) {
        reg = (reg >> 8) ^ CRC32Table[(reg ^ static_cast<std::uint32_t>(b)) & 0xFFu];
    }
    return reg;
}

FileChecksum ReadFileCRC32(const std::string& path, const ReadProgress& progress) {
    BuildCRC32Table();
    auto& files = platform::fileSystem();
    FileChecksum result;
    // Looked at before opening: opening a pipe or a device is not safe to try.
    const auto named = files.status(path);
    if (!named) {
        return result;
    }
    result.outcome = ReadOutcome::NotRegularFile;
    if (named->kind != platform::EntryKind::RegularFile) {
        return result;
    }
    const auto file = files.openRead(path);
    const auto before = file ? file->status() : std::nullopt;
    result.outcome = ReadOutcome::CannotOpen;
    if (!before) {
        return result;
    }

    std::uint32_t reg = 0xFFFFFFFFu;
    ProgressGate gate(progress, static_cast<std::uint64_t>(before->length));
    bool stopped = false;
    // Straight from the page cache where the file can be mapped; the reads below take what is
    // left, which is everything where it cannot and nothing for a file of the length it had.
    const platform::MappedPass pass =
        file->consumeMapped(kCrc32MapWindowSize, [&](std::span<const std::byte> window) {
            std::size_t taken = 0;
            while (taken < window.size() && !stopped) {
                const auto piece =
                    window.subspan(taken, std::min(window.size() - taken, kCrc32ReadBufferSize));
                reg = crc32Update(reg, piece);
                result.length += piece.size();
                taken += piece.size();
                stopped = !gate.keepGoing(result.length);
            }
            return taken;
        });
    const bool shrunk = pass == platform::MappedPass::Shrunk;
    const bool failed = pass == platform::MappedPass::ReadFailed;
    if (!stopped && !shrunk && !failed) {
        const auto buffer = allocateReadBuffer();
        const std::span<std::byte> whole(buffer.get(), kCrc32ReadBufferSize);
        std::size_t delivered = 0;
        do {
            delivered = file->read(whole);
            reg = crc32Update(reg, whole.first(delivered));
            result.length += delivered;
            stopped = !gate.keepGoing(result.length);
        } while (delivered == kCrc32ReadBufferSize && !stopped);
    }
    result.crc = reg ^ 0xFFFFFFFFu;
    if (stopped) {
        result.outcome = ReadOutcome::Cancelled;
        return result;
    }
    if (shrunk) {
        result.outcome = ReadOutcome::Changed;
        return result;
    }
    if (failed) {
        result.outcome = ReadOutcome::ReadFailed;
        return result;
    }

    // The same file, of the same version, under the same name at the end as at the start, and
    // as many bytes read as it holds: only then do checksum and length describe one contents.
    const auto after = file->status();
    const auto namedAfter = files.status(path);
    if (file->failed()) {
        result.outcome = ReadOutcome::ReadFailed;
    } else if (!after || *after != *before || !namedAfter || *namedAfter != *before ||
               result.length != static_cast<std::uint64_t>(before->length)) {
        result.outcome = ReadOutcome::Changed;
    } else {
        result.outcome = ReadOutcome::Complete;
    }
    return result;
}

std::uint32_t FileCRC32(const std::string& path) {
    return ReadFileCRC32(path).crc;
}

std::string crc32ToHex(std::uint32_t crc) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex(8, '0');
    for (int i = 7; i >= 0; --i) {
        hex[static_cast<std::size_t>(i)] = kDigits[crc & 0xFu];
        crc >>= 4;
    }
    return hex;
}

std::string FileCRC32Hex(const std::string& path) {
    return crc32ToHex(FileCRC32(path));
}

}  // namespace core
