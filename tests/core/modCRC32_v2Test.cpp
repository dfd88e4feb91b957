#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/crc32/Crc32.h"
#include "core/crc32/Crc32KernelSwitch.h"
#include "core/modCRC32_v2.h"
#include "platform/Clock.h"
#ifndef _WIN32
#include "platform/linux/LinuxFileSystem.h"
#endif
#include "tests/core/crc32/Crc32TestSupport.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"

namespace core {
namespace {

std::string tableCrcHex(const std::string& contents) {
    const auto bytes = std::as_bytes(std::span(contents.data(), contents.size()));
    return crc32ToHex(testing_support::tableCrc(0xFFFFFFFFu, bytes) ^ 0xFFFFFFFFu);
}

std::string randomText(std::size_t size, std::mt19937_64& random) {
    std::string text(size, '\0');
    for (char& c : text) {
        c = static_cast<char>(random());
    }
    return text;
}

TEST(CRC32Table, HoldsTheReflectedTableOnceAFileWasRead) {
    const testing_support::TempFolder folder;
    FileCRC32(folder.writeFile("any.bin", "x"));
    EXPECT_TRUE(CRC32TableReady);
    EXPECT_EQ(CRC32Table[0], 0x00000000u);
    EXPECT_EQ(CRC32Table[1], 0x77073096u);
    EXPECT_EQ(CRC32Table[128], 0xEDB88320u);
    EXPECT_EQ(CRC32Table[255], 0x2D02EF8Du);
}

TEST(crc32ToHex, WritesEightUpperCaseDigits) {
    const struct {
        std::uint32_t crc;
        const char* hex;
    } cases[] = {
        {0x076DC419u, "076DC419"}, {0x00000000u, "00000000"}, {0xFFFFFFFFu, "FFFFFFFF"},
        {0xABCDEF01u, "ABCDEF01"}, {0x0000000Au, "0000000A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(crc32ToHex(c.crc), c.hex);
    }
}

// Files are read through crc32Update; each kernel the CPU has takes a turn.
class FileCRC32Test : public ::testing::TestWithParam<Crc32Kernel> {
protected:
    void SetUp() override {
        if (!GetParam().runsOn(cpuFeatures())) {
            GTEST_SKIP() << "this CPU cannot run " << GetParam().name;
        }
        crc32ForceKernel(GetParam().update);
    }
    void TearDown() override { crc32UseBestKernel(); }

    testing_support::TempFolder folder_;
};

TEST_P(FileCRC32Test, GivesTheChecksumOfKnownContents) {
    const struct {
        const char* name;
        std::string contents;
        const char* expected;
    } cases[] = {
        {"check.txt", "123456789", "CBF43926"},
        {"empty.bin", "", "00000000"},
        {"a.txt", "a", "E8B7BE43"},
        {"zeros.bin", std::string(1 << 20, '\0'), "A738EA1C"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileCRC32Hex(folder_.writeFile(c.name, c.contents)), c.expected) << c.name;
    }
}

// 512,000 bytes is one full read and one that delivers nothing; one byte more needs a second
// read that delivers it.
TEST_P(FileCRC32Test, CoversEveryByteAroundTheReadSize) {
    std::mt19937_64 random(7);
    for (const std::size_t size : {kCrc32ReadBufferSize - 1, kCrc32ReadBufferSize,
                                   kCrc32ReadBufferSize + 1, 2 * kCrc32ReadBufferSize + 17}) {
        const std::string contents = randomText(size, random);
        EXPECT_EQ(FileCRC32Hex(folder_.writeFile("block.bin", contents)), tableCrcHex(contents))
            << size << " bytes";
    }
}

TEST_P(FileCRC32Test, GivesZeroForWhatCannotBeRead) {
    EXPECT_EQ(FileCRC32Hex(folder_.programPath() + "missing.bin"), "00000000");
    std::filesystem::create_directory(folder_.native() / "folder");
    EXPECT_EQ(FileCRC32Hex(folder_.programPath() + "folder"), "00000000");
    EXPECT_EQ(FileCRC32(folder_.programPath() + "folder"), 0u);
}

TEST_P(FileCRC32Test, GivesTheSameForAFileAfterAnother) {
    const std::string second = folder_.writeFile("second.txt", "123456789");
    const std::string alone = FileCRC32Hex(second);
    FileCRC32Hex(folder_.writeFile("first.bin", std::string(1000, '\x5A')));
    EXPECT_EQ(FileCRC32Hex(second), alone);
    EXPECT_EQ(alone, "CBF43926");
}

// The checksum and the length belong to the same bytes, and a file that was not read whole
// and unchanged says so.
class ReadFileCRC32Test : public ::testing::Test {
protected:
    std::string writeBlocks(std::size_t size) {
        std::mt19937_64 random(11);
        contents_ = randomText(size, random);
        return folder_.writeFile("data.bin", contents_);
    }
    std::string crcOfFirst(std::size_t bytes) const {
        return tableCrcHex(contents_.substr(0, bytes));
    }
    void rewrite(const std::string& bytes) const {
        std::ofstream(folder_.native() / "data.bin", std::ios::binary | std::ios::trunc) << bytes;
    }

    testing_support::TempFolder folder_;
    std::string contents_;
};

TEST_F(ReadFileCRC32Test, AWholeFileGivesItsChecksumAndLength) {
    const std::string path = writeBlocks(kCrc32ReadBufferSize + 5);
    const FileChecksum read = ReadFileCRC32(path);
    EXPECT_EQ(read.outcome, ReadOutcome::Complete);
    EXPECT_EQ(crc32ToHex(read.crc), crcOfFirst(contents_.size()));
    EXPECT_EQ(read.length, contents_.size());
}

TEST_F(ReadFileCRC32Test, AFailedReadIsNoResult) {
    const std::string path = writeBlocks(2 * kCrc32ReadBufferSize);
    testing_support::FaultyFileSystem faulty;
    faulty.failAfterBytes = kCrc32ReadBufferSize + 100;
    const FileChecksum read = ReadFileCRC32(path);
    EXPECT_EQ(read.outcome, ReadOutcome::ReadFailed);
    EXPECT_EQ(read.length, kCrc32ReadBufferSize + 100) << "the length counts the bytes hashed";
    EXPECT_EQ(crc32ToHex(read.crc), crcOfFirst(kCrc32ReadBufferSize + 100));
    EXPECT_EQ(FileCRC32Hex(path), crcOfFirst(kCrc32ReadBufferSize + 100))
        << "FileCRC32 still covers what was read before the failure";
}

TEST_F(ReadFileCRC32Test, FewerBytesThanTheFileHoldsIsAChange) {
    const std::string path = writeBlocks(1000);
    testing_support::FaultyFileSystem faulty;
    faulty.endAfterBytes = 400;
    const FileChecksum read = ReadFileCRC32(path);
    EXPECT_EQ(read.outcome, ReadOutcome::Changed);
    EXPECT_EQ(read.length, 400u);
}

#ifndef _WIN32
// On Windows a file open for reading keeps its writers out.
TEST_F(ReadFileCRC32Test, AFileChangedWhileReadIsNoResult) {
    const auto data = folder_.native() / "data.bin";
    const struct {
        const char* name;
        std::function<void()> change;
    } cases[] = {
        {"shrunk", [&] { std::filesystem::resize_file(data, 10); }},
        {"grown", [&] { std::ofstream(data, std::ios::binary | std::ios::app) << "more"; }},
        {"rewritten at the same size", [&] { rewrite(std::string(contents_.size(), 'x')); }},
        {"replaced",
         [&] {
             folder_.writeFile("new.bin", contents_);
             std::filesystem::rename(folder_.native() / "new.bin", data);
         }},
        {"removed", [&] { std::filesystem::remove(data); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = writeBlocks(2 * kCrc32ReadBufferSize + 3);
        testing_support::FaultyFileSystem faulty;
        faulty.afterFirstRead = c.change;
        EXPECT_EQ(ReadFileCRC32(path).outcome, ReadOutcome::Changed);
    }
}
#endif

// Progress comes between blocks by the monotonic clock, not once per block, and can stop the
// read.
TEST_F(ReadFileCRC32Test, ProgressIsToldByTheClockAndCanStopTheRead) {
    const std::string path = writeBlocks(8 * kCrc32ReadBufferSize);
    platform::ManualClock clock;
    const platform::ScopedClock installed(clock);
    for (const bool mapped : {true, false}) {
        SCOPED_TRACE(mapped ? "mapped" : "read()");
        testing_support::FaultyFileSystem faulty;
        faulty.refuseMapping = !mapped;
        faulty.mappedSlice = kCrc32ReadBufferSize;
        double secondsPerRead = 0.0;
        faulty.afterEachRead = [&](std::size_t) { clock.advance(secondsPerRead); };
        std::vector<std::uint64_t> told;
        std::uint64_t stopAt = contents_.size() + 1;
        const auto watch = [&](std::uint64_t done, std::uint64_t total) {
            EXPECT_EQ(total, contents_.size());
            told.push_back(done);
            return done < stopAt;
        };

        secondsPerRead = kReadProgressIntervalSeconds * 0.3;
        EXPECT_EQ(ReadFileCRC32(path, watch).outcome, ReadOutcome::Complete);
        EXPECT_EQ(told,
                  (std::vector<std::uint64_t>{4 * kCrc32ReadBufferSize, 8 * kCrc32ReadBufferSize}))
            << "once per interval, not per block";
        EXPECT_EQ(faulty.bytesMapped, mapped ? contents_.size() : 0u);

        told.clear();
        secondsPerRead = 1.0;
        stopAt = 3 * kCrc32ReadBufferSize;
        const FileChecksum stopped = ReadFileCRC32(path, watch);
        EXPECT_EQ(stopped.outcome, ReadOutcome::Cancelled);
        EXPECT_EQ(stopped.length, 3 * kCrc32ReadBufferSize) << "no block read after the stop";
        EXPECT_EQ(crc32ToHex(stopped.crc), crcOfFirst(3 * kCrc32ReadBufferSize));
        EXPECT_EQ(told.size(), 3u);
    }
}

#ifndef _WIN32
// Pipes in folders are the Linux layer's; the Windows layer tests its devices itself.
TEST_F(ReadFileCRC32Test, OnlyRegularFilesAreRead) {
    ASSERT_EQ(::mkfifo((folder_.native() / "pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(folder_.native() / "folder");
    const struct {
        std::string path;
        ReadOutcome outcome;
    } cases[] = {
        {folder_.programPath() + "pipe", ReadOutcome::NotRegularFile},
        {"Z:\\dev\\zero", ReadOutcome::NotRegularFile},
        {folder_.programPath() + "folder", ReadOutcome::NotRegularFile},
        {folder_.programPath() + "missing", ReadOutcome::NotFound},
    };
    for (const auto& c : cases) {
        const FileChecksum read = ReadFileCRC32(c.path);
        EXPECT_EQ(read.outcome, c.outcome) << c.path;
        EXPECT_EQ(read.crc, 0u) << c.path;
        EXPECT_EQ(FileCRC32(c.path), 0u) << c.path << " is never opened";
    }
}
#endif

// Regular files are hashed straight from windows of the file mapped into memory; the bytes,
// the length and the outcome are those of the read() path.
class MappedReadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::mt19937_64 random(13);
        contents_ = std::string(2 * kCrc32MapWindowSize + 4097, '\0');
        for (std::size_t i = 0; i + 8 <= contents_.size(); i += 8) {
            const std::uint64_t word = random();
            std::memcpy(contents_.data() + i, &word, 8);
        }
    }
    static void TearDownTestSuite() { contents_ = {}; }

    static std::uint32_t crcOf(std::string_view bytes) {
        return crc32Update(0xFFFFFFFFu, std::as_bytes(std::span(bytes.data(), bytes.size()))) ^
               0xFFFFFFFFu;
    }
    std::string writeFirst(std::size_t size) const {
        return folder_.writeFile("mapped.bin", contents_.substr(0, size));
    }

    static std::string contents_;
    testing_support::TempFolder folder_;
};

std::string MappedReadTest::contents_;

TEST_F(MappedReadTest, CoversEveryByteAroundTheWindowSize) {
    for (const std::size_t size : {std::size_t{4096}, kCrc32MapWindowSize - 1, kCrc32MapWindowSize,
                                   kCrc32MapWindowSize + 1, 2 * kCrc32MapWindowSize + 4097}) {
        SCOPED_TRACE(size);
        const std::string path = writeFirst(size);
        testing_support::FaultyFileSystem watching;
        const FileChecksum read = ReadFileCRC32(path);
        EXPECT_EQ(read.outcome, ReadOutcome::Complete);
        EXPECT_EQ(read.length, size);
        EXPECT_EQ(crc32ToHex(read.crc),
                  crc32ToHex(crcOf(std::string_view(contents_).substr(0, size))));
        EXPECT_EQ(watching.bytesMapped, size) << "every byte came mapped";
    }
}

TEST_F(MappedReadTest, ReadsFilesLargerThan4GiB) {
    constexpr std::uint64_t kSize = (std::uint64_t{4} << 30) + 4099;
    const std::string head = "head of the file";
    const std::string tail = "its last bytes, past 4 GiB";
    const auto native = folder_.native() / "sparse.img";
    {
        std::ofstream out(native, std::ios::binary);
        out << head;
        out.seekp(static_cast<std::streamoff>(kSize - tail.size()));
        out << tail;
    }
    ASSERT_EQ(std::filesystem::file_size(native), kSize);

    std::uint32_t reg =
        crc32Update(0xFFFFFFFFu, std::as_bytes(std::span(head.data(), head.size())));
    const std::vector<std::byte> zeros(std::size_t{1} << 20);
    for (std::uint64_t left = kSize - head.size() - tail.size(); left > 0;) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, zeros.size()));
        reg = crc32Update(reg, std::span(zeros).first(chunk));
        left -= chunk;
    }
    reg = crc32Update(reg, std::as_bytes(std::span(tail.data(), tail.size())));

    testing_support::FaultyFileSystem watching;
    const FileChecksum read = ReadFileCRC32(folder_.programPath() + "sparse.img");
    EXPECT_EQ(read.outcome, ReadOutcome::Complete);
    EXPECT_EQ(read.length, kSize);
    EXPECT_EQ(crc32ToHex(read.crc), crc32ToHex(reg ^ 0xFFFFFFFFu));
    EXPECT_EQ(watching.bytesMapped, kSize);
}

// A read error under a view (an in-page error on Windows) ends the pass as a failed read, with
// no fallback to read() over a consumer that stopped half-way.
TEST_F(MappedReadTest, AReadThatFailsUnderTheMappingIsAFailedRead) {
    const std::string path = writeFirst(2 * kCrc32MapWindowSize + 4097);
    testing_support::FaultyFileSystem faulty;
    faulty.failMappedReadAfterBytes = kCrc32MapWindowSize;
    const FileChecksum read = ReadFileCRC32(path);
    EXPECT_EQ(read.outcome, ReadOutcome::ReadFailed);
    EXPECT_EQ(faulty.bytesMapped, kCrc32MapWindowSize);
    EXPECT_EQ(faulty.bytesDelivered, kCrc32MapWindowSize) << "nothing read() after it";
}

#ifndef _WIN32
// On Windows a file open for reading keeps its writers out, and one that is mapped cannot be
// shortened.
void sentinelHandler(int) {}

// Touching a mapping past the end of a file that shrank raises SIGBUS; the read ends as a
// change, and the handler that was installed before is back afterwards.
TEST_F(MappedReadTest, AFileThatShrinksUnderTheMappingIsAChange) {
    struct sigaction sentinel {};
    sentinel.sa_handler = sentinelHandler;
    sigemptyset(&sentinel.sa_mask);
    struct sigaction before {};
    ASSERT_EQ(::sigaction(SIGBUS, &sentinel, &before), 0);

    const auto native = folder_.native() / "mapped.bin";
    const struct {
        const char* name;
        std::optional<std::size_t> slice;
        std::uintmax_t shrinkTo;
        std::uint64_t hashed;
    } cases[] = {
        {"inside the window being read", kCrc32ReadBufferSize, 10, kCrc32ReadBufferSize},
        {"before the next window", std::nullopt, kCrc32MapWindowSize + 4096, kCrc32MapWindowSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = writeFirst(2 * kCrc32MapWindowSize + 4097);
        testing_support::FaultyFileSystem faulty;
        faulty.mappedSlice = c.slice;
        faulty.afterFirstRead = [&] { std::filesystem::resize_file(native, c.shrinkTo); };
        const FileChecksum read = ReadFileCRC32(path);
        EXPECT_EQ(read.outcome, ReadOutcome::Changed);
        EXPECT_EQ(read.length, c.hashed) << "the pass ended at the first byte lost";
    }

    struct sigaction after {};
    ASSERT_EQ(::sigaction(SIGBUS, &before, &after), 0);
    EXPECT_EQ(after.sa_handler, &sentinelHandler) << "the handler before is restored";
}
#endif

TEST_F(MappedReadTest, FallsBackToReadWhenMappingFails) {
    const std::size_t size = 2 * kCrc32MapWindowSize + 4097;
    const std::string path = writeFirst(size);
    const std::string expected = crc32ToHex(crcOf(contents_));
    const struct {
        const char* name;
        std::function<void(testing_support::FaultyFileSystem&)> fault;
        std::size_t mapped;
    } cases[] = {
        {"from the start", [](auto& f) { f.refuseMapping = true; }, 0},
        {"after a window", [](auto& f) { f.refuseMappingAfterBytes = kCrc32MapWindowSize; },
         kCrc32MapWindowSize},
#ifndef _WIN32
        {"switched off", [](auto&) { platform::linuxFileSystem().setMapping(false); }, 0},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::FaultyFileSystem faulty;
        c.fault(faulty);
        const FileChecksum read = ReadFileCRC32(path);
#ifndef _WIN32
        platform::linuxFileSystem().setMapping(true);
#endif
        EXPECT_EQ(read.outcome, ReadOutcome::Complete);
        EXPECT_EQ(read.length, size);
        EXPECT_EQ(crc32ToHex(read.crc), expected);
        EXPECT_EQ(faulty.bytesMapped, c.mapped);
    }
}

INSTANTIATE_TEST_SUITE_P(EachKernel, FileCRC32Test,
                         ::testing::ValuesIn(crc32Kernels().begin(), crc32Kernels().end()),
                         testing_support::kernelTestName);

}  // namespace
}  // namespace core
