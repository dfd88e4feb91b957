#include "bench/FileThroughput.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/ComputeProgress.h"
#include "bench/Throughput.h"
#include "core/crc32/Crc32.h"
#include "core/modCRC32_v2.h"
#include "platform/FileSystem.h"
#include "platform/linux/LinuxFileSystem.h"
#include "ui/Desktop.h"
#include "ui/Form.h"
#include "ui/console/ConsoleBackend.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMiB = 1 << 20;
// Left free on the disk beside the temporary file.
constexpr std::uint64_t kDiskMargin = 1024 * kMiB;
constexpr std::uint64_t kSmallestFile = 64 * kMiB;
constexpr int kRuns = 5;

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

class TemporaryFile {
public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

bool writeFile(const fs::path& path, std::uint64_t size) {
    const UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
    if (fd.get() < 0) {
        return false;
    }
    std::vector<std::byte> block(4 * kMiB);
    std::mt19937_64 random(1);
    for (std::byte& b : block) {
        b = static_cast<std::byte>(random());
    }
    for (std::uint64_t written = 0; written < size;) {
        const auto chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - written));
        const ssize_t done = ::write(fd.get(), block.data(), chunk);
        if (done <= 0) {
            return false;
        }
        written += static_cast<std::uint64_t>(done);
    }
    return true;
}

// Reads like FileCRC32, straight through read(): the same buffer, until a short read. Passes
// each delivery to `consume`; returns the bytes read.
template <class Consume>
std::uint64_t readLoop(const fs::path& path, Consume&& consume) {
    const UniqueFd fd(::open(path.c_str(), O_RDONLY));
    if (fd.get() < 0) {
        return 0;
    }
    const auto buffer = std::make_unique_for_overwrite<std::byte[]>(core::kCrc32ReadBufferSize);
    std::uint64_t total = 0;
    ssize_t got = 0;
    do {
        got = ::read(fd.get(), buffer.get(), core::kCrc32ReadBufferSize);
        if (got > 0) {
            consume(std::span<const std::byte>(buffer.get(), static_cast<std::size_t>(got)));
            total += static_cast<std::uint64_t>(got);
        }
    } while (got == static_cast<ssize_t>(core::kCrc32ReadBufferSize));
    return total;
}

std::uint64_t fileSizeFor(const BenchOptions& options, const fs::path& folder, std::ostream& out) {
    std::error_code error;
    const fs::space_info space = fs::space(folder, error);
    const std::uint64_t available = error ? 0 : space.available;
    if (options.fileSize + kDiskMargin <= available) {
        return options.fileSize;
    }
    const std::uint64_t fitting =
        available > kDiskMargin ? (available - kDiskMargin) / 2 / kMiB * kMiB : 0;
    out << "note: " << available / kMiB << " MiB free in " << folder.string() << ", not enough for "
        << options.fileSize / kMiB << " MiB; ";
    if (fitting < kSmallestFile) {
        out << "file-level comparison left out\n";
        return 0;
    }
    out << "using " << fitting / kMiB << " MiB instead\n";
    return fitting;
}

double gigabytesPerSecond(std::uint64_t bytes, double seconds) {
    return static_cast<double>(bytes) / seconds / 1e9;
}

// The shortest time of each run, the runs taking turns so that a disturbance on the machine
// hits all of them alike.
template <std::size_t N>
std::array<double, N> fastestInTurns(const std::array<std::function<void()>, N>& runs) {
    std::array<double, N> best{};
    for (int round = 0; round < kRuns; ++round) {
        for (std::size_t i = 0; i < N; ++i) {
            const double taken = fastestRun(1, runs[i]);
            best[i] = round == 0 ? taken : std::min(best[i], taken);
        }
    }
    return best;
}

}  // namespace

bool compareFileLevel(const BenchOptions& options, std::ostream& out) {
    std::unique_ptr<TemporaryFile> temporary;
    fs::path path;
    if (options.file) {
        path = *options.file;
    } else {
        const fs::path folder = fs::temp_directory_path();
        const std::uint64_t size = fileSizeFor(options, folder, out);
        if (size == 0) {
            return true;
        }
        temporary = std::make_unique<TemporaryFile>(
            folder / ("sumora-bench-" + std::to_string(::getpid()) + ".bin"));
        if (!writeFile(temporary->path(), size)) {
            out << "error: cannot write " << temporary->path().string() << "\n";
            return false;
        }
        path = temporary->path();
    }

    // This first pass also brings the file into the page cache.
    std::uint32_t reg = 0xFFFFFFFFu;
    const std::uint64_t size = readLoop(
        path, [&](std::span<const std::byte> bytes) { reg = core::crc32Update(reg, bytes); });
    const std::string programPath = platform::fileSystem().fromNative(path.string());
    if (core::FileCRC32(programPath) != (reg ^ 0xFFFFFFFFu)) {
        out << "error: FileCRC32 and read() with crc32Update disagree on " << path.string() << "\n";
        return false;
    }

    // The main window's computation without the toolkit: the busy desktop, the progress
    // callback and its handling of events every few milliseconds, the label of a form that
    // does not show.
    ui::Desktop desktop([] { return std::make_unique<ui::ConsoleBackend>(std::cin, std::cout); });
    desktop.backend();
    ui::Form form("frmBench");
    ui::Control& label = form.add(ui::ControlKind::Label, "txtTimeOperate");

    std::uint64_t readBytes = 0;
    const auto times = fastestInTurns<5>({
        [&] { readBytes = readLoop(path, [](auto) {}); },
        [&] {
            std::uint32_t running = 0xFFFFFFFFu;
            readLoop(path, [&](std::span<const std::byte> bytes) {
                running = core::crc32Update(running, bytes);
            });
        },
        [&] { core::FileCRC32(programPath); },
        [&] {
            platform::linuxFileSystem().setMapping(false);
            core::FileCRC32(programPath);
            platform::linuxFileSystem().setMapping(true);
        },
        [&] {
            app::ComputeProgress progress(desktop, form, label, nullptr);
            core::ReadFileCRC32(programPath, progress.callback());
        },
    });
    const auto [bare, readAndUpdate, withCrc, throughRead, live] = times;
    if (readBytes != size || size == 0) {
        out << "error: " << path.string() << " read " << readBytes << " bytes, expected " << size
            << "\n";
        return false;
    }

    out << "\nFile level: " << path.string() << ", " << size / kMiB << " MiB, in the page cache"
        << " (read once before timing), best of " << kRuns << " runs in turns, GB/s\n";
    out << std::fixed << std::setprecision(2);
    out << "  bare read() loop, 512,000-byte buffer   " << std::setw(8)
        << gigabytesPerSecond(size, bare) << "\n";
    out << "  read() loop with crc32Update            " << std::setw(8)
        << gigabytesPerSecond(size, readAndUpdate) << "\n";
    out << "  FileCRC32, mapped (as the program runs) " << std::setw(8)
        << gigabytesPerSecond(size, withCrc) << "\n";
    out << "  FileCRC32, read() path (mapping off)    " << std::setw(8)
        << gigabytesPerSecond(size, throughRead) << "\n";
    out << "  FileCRC32 mapped, window kept alive     " << std::setw(8)
        << gigabytesPerSecond(size, live) << "   (progress and events every "
        << core::kReadProgressIntervalSeconds * 1000 << " ms)\n";
    const double slowdown = live / withCrc - 1;
    out << "  kept alive / without, slower by         " << std::setw(7) << slowdown * 100 << "%"
        << (slowdown <= 0.02 ? "   goal <= 2% met\n" : "   goal <= 2% NOT met\n");
    const double mappedRatio = bare / withCrc;
    out << "  mapped / bare read                      " << std::setw(8) << mappedRatio
        << (mappedRatio >= 1.0 ? "   goal >= 1 met\n" : "   goal >= 1 NOT met\n");
    return true;
}

}  // namespace bench
