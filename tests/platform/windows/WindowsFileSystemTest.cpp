#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/windows/WindowsFileSystem.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

using platform::WriteError;
using testing_support::readNativeFile;

// Every path in a test is below a fresh temporary folder, written as a program path.
class WindowsFileSystemTest : public ::testing::Test {
protected:
    std::string at(const std::string& relative) const { return temp.programPath() + relative; }
    fs::path native(const std::u8string& relative) const { return temp.native() / relative; }
    void makeFile(const std::string& relative, const std::string& bytes = "x") const {
        temp.writeFile(relative, bytes);
    }
    std::set<std::u8string> entries(const std::u8string& relative = u8"") const {
        std::set<std::u8string> names;
        for (const auto& entry : fs::directory_iterator(temp.native() / relative)) {
            names.insert(entry.path().filename().u8string());
        }
        return names;
    }

    // Every byte through a stream; nothing when it does not open or a read fails.
    std::optional<std::string> readAll(const std::string& path) {
        const auto stream = files.openRead(path);
        if (!stream) {
            return std::nullopt;
        }
        std::string contents;
        std::array<std::byte, 64 * 1024> chunk;
        for (std::size_t got; (got = stream->read(chunk)) != 0;) {
            contents.append(reinterpret_cast<const char*>(chunk.data()), got);
        }
        return stream->failed() ? std::nullopt : std::optional(contents);
    }

    testing_support::TempFolder temp;
    platform::WindowsFileSystem files;
};

TEST_F(WindowsFileSystemTest, ProbesTellFilesFromFolders) {
    makeFile("Data\\three.bin", "abc");
    makeFile("empty.bin", "");
    const struct {
        std::string path;
        bool exists;
        bool isDirectory;
        std::optional<std::int64_t> length;
    } cases[] = {
        {at("Data\\three.bin"), true, false, 3},  {at("DATA\\THREE.BIN"), true, false, 3},
        {at("Data/three.bin"), true, false, 3},   {at("Data\\.\\x\\..\\three.bin"), true, false, 3},
        {at("empty.bin"), true, false, 0},        {at("Data"), true, true, std::nullopt},
        {at("Data\\"), true, true, std::nullopt}, {at("missing.bin"), false, false, std::nullopt},
        {"", false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.exists(c.path), c.exists) << c.path;
        EXPECT_EQ(files.isDirectory(c.path), c.isDirectory) << c.path;
        EXPECT_EQ(files.fileLength(c.path), c.length) << c.path;
    }
}

TEST_F(WindowsFileSystemTest, CzechNamesWorkWhateverTheCodePage) {
    const std::string name = "Žluťoučký kůň.txt";
    ASSERT_EQ(files.replaceFile(at(name), "úpěl"), WriteError::None);
    EXPECT_EQ(readNativeFile(native(u8"Žluťoučký kůň.txt")), "úpěl")
        << "the name on disk is the one the program gave, in UTF-16";
    EXPECT_TRUE(files.exists(at("ŽLUŤOUČKÝ KŮŇ.TXT")));
    EXPECT_EQ(files.fileLength(at(name)), 6);
    EXPECT_EQ(readAll(at(name)), "úpěl");
    EXPECT_TRUE(files.removeFile(at(name)));
    EXPECT_TRUE(entries().empty());
}

TEST_F(WindowsFileSystemTest, PathsLongerThanMaxPathWork) {
    std::string folder;
    std::u8string nativeFolder;
    for (int level = 0; level < 6; ++level) {
        folder += std::string(50, static_cast<char>('a' + level)) + "\\";
        nativeFolder += std::u8string(50, static_cast<char8_t>('a' + level)) + u8"\\";
    }
    ASSERT_TRUE(fs::create_directories(fs::path(u8"\\\\?\\" + native(nativeFolder).u8string())));
    const std::string path = at(folder + "Photo.JPG");
    ASSERT_GT(path.size(), 300u);

    ASSERT_EQ(files.replaceFile(path, "long"), WriteError::None);
    EXPECT_TRUE(files.exists(path));
    EXPECT_TRUE(files.isDirectory(at(folder)));
    EXPECT_EQ(files.fileLength(path), 4);
    EXPECT_EQ(readAll(path), "long");
    EXPECT_NE(files.openRead(path), nullptr);
    EXPECT_EQ(files.toNative(path), path) << "the native notation carries no prefix";
    EXPECT_TRUE(files.removeFile(path));
    EXPECT_FALSE(files.exists(path));
}

TEST_F(WindowsFileSystemTest, RelativePathsStartAtTheCurrentDirectory) {
    makeFile("Data\\x.txt", "relative");
    const fs::path previous = fs::current_path();
    fs::current_path(temp.native());
    const std::string native = files.toNative("Data\\x.txt");
    const auto contents = readAll("Data\\x.txt");
    fs::current_path(previous);
    EXPECT_EQ(native, at("Data\\x.txt"));
    EXPECT_EQ(contents, "relative");
}

TEST_F(WindowsFileSystemTest, ReportsLengthsBeyondFourGibibytes) {
    const std::int64_t length = (std::int64_t{5} << 30) + 3;
    makeFile("sparse.bin", "");
    std::error_code error;
    fs::resize_file(native(u8"sparse.bin"), static_cast<std::uintmax_t>(length), error);
    if (error) {
        GTEST_SKIP() << "the temporary folder's file system has no 5 GiB files: "
                     << error.message();
    }
    EXPECT_EQ(files.fileLength(at("SPARSE.BIN")), length);
}

TEST_F(WindowsFileSystemTest, ReadStreamDeliversTheFileInPieces) {
    makeFile("digits.txt", "0123456789");
    const auto stream = files.openRead(at("Digits.TXT"));
    ASSERT_NE(stream, nullptr);
    std::array<std::byte, 4> buffer{};
    std::string seen;
    std::vector<std::size_t> counts;
    for (std::size_t got; (got = stream->read(buffer)) != 0;) {
        counts.push_back(got);
        seen.append(reinterpret_cast<const char*>(buffer.data()), got);
    }
    EXPECT_EQ(seen, "0123456789");
    EXPECT_EQ(counts, (std::vector<std::size_t>{4, 4, 2}));
    EXPECT_EQ(stream->read(buffer), 0u) << "the end stays the end";
}

TEST_F(WindowsFileSystemTest, OpensOnlyFilesForReading) {
    makeFile("Data\\x.txt");
    EXPECT_EQ(files.openRead(at("Data")), nullptr);
    EXPECT_EQ(files.openRead(at("missing.txt")), nullptr);
    EXPECT_EQ(files.openRead(""), nullptr);
    EXPECT_EQ(readAll(at("Data")), std::nullopt);
    EXPECT_EQ(readAll(at("missing.txt")), std::nullopt);
}

TEST_F(WindowsFileSystemTest, OpensNoDevice) {
    EXPECT_EQ(files.openRead("NUL"), nullptr);
    EXPECT_EQ(files.openRead("\\\\.\\NUL"), nullptr);
    const auto device = files.status("NUL");
    EXPECT_TRUE(!device || device->kind == platform::EntryKind::Other);
}

TEST_F(WindowsFileSystemTest, StatusTellsOneFileAndOneVersionFromAnother) {
    makeFile("Data\\a.bin", "abc");
    makeFile("b.bin", "abc");
    const auto a = files.status(at("DATA\\A.BIN"));
    const auto b = files.status(at("b.bin"));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->kind, platform::EntryKind::RegularFile);
    EXPECT_EQ(a->length, 3);
    EXPECT_NE(a->fileId, b->fileId) << "two files, two identities";
    EXPECT_EQ(a->device, b->device);
    EXPECT_EQ(files.status(at("Data"))->kind, platform::EntryKind::Directory);
    EXPECT_EQ(files.status(at("missing.bin")), std::nullopt);
    EXPECT_EQ(files.status(""), std::nullopt);

    // Whole seconds a day apart: the C runtime sets write times to the second only.
    const fs::path path = native(u8"Data\\a.bin");
    const auto second = std::chrono::floor<std::chrono::seconds>(fs::last_write_time(path));
    fs::last_write_time(path, second);
    const auto today = files.status(at("Data\\a.bin"));
    fs::last_write_time(path, second - std::chrono::hours(24));
    const auto backdated = files.status(at("Data\\a.bin"));
    ASSERT_TRUE(today && backdated);
    EXPECT_EQ(backdated->fileId, a->fileId);
    EXPECT_EQ(today->modifiedNs - backdated->modifiedNs, std::int64_t{24} * 3600 * 1'000'000'000);

    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto nowNs = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    EXPECT_LT(std::abs(nowNs - a->modifiedNs), std::int64_t{3600} * 1'000'000'000)
        << "write times count from 1970, as the system clock does";

    const auto stream = files.openRead(at("Data\\a.bin"));
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->status(), backdated) << "the open file is the same one";
}

TEST_F(WindowsFileSystemTest, TypedPathsWithADriveOrServerAreNative) {
    const struct {
        std::string typed;
        std::string program;
    } cases[] = {
        {"C:/Data/Photo.JPG", "C:\\Data\\Photo.JPG"},
        {"C:\\Data/x", "C:\\Data\\x"},
        {"C:/Data/", "C:\\Data"},
        {"C:/", "C:\\"},
        {"C:\\Data\\", "C:\\Data\\"},
        {"//server/share/a", "\\\\server\\share\\a"},
        {"Data/x", "Data/x"},
        {"C:x", "C:x"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.fromTyped(c.typed), c.program) << c.typed;
    }
}

TEST_F(WindowsFileSystemTest, ReadAllReturnsEveryByte) {
    // Sizes around the internal chunk of 64 KiB.
    for (const std::size_t size : {0u, 1u, 65535u, 65536u, 65537u, 200000u}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
        }
        makeFile("blob.bin", bytes);
        const auto read = readAll(at("blob.bin"));
        ASSERT_TRUE(read.has_value()) << size;
        EXPECT_TRUE(*read == bytes) << "contents of " << size << " bytes differ";
    }
}

TEST_F(WindowsFileSystemTest, ReplaceFileCreatesAndReplacesByteForByte) {
    fs::create_directory(native(u8"Data"));
    const std::string checksumFile = "[INI]\r\nFileName=\x8A\xE8\r\n";
    ASSERT_EQ(files.replaceFile(at("DATA\\new.CRC"), checksumFile), WriteError::None);
    EXPECT_EQ(readNativeFile(native(u8"Data\\new.CRC")), checksumFile)
        << "bytes are written as given, CR LF and Windows-1250 included";
    ASSERT_EQ(files.replaceFile(at("Data\\NEW.crc"), "second"), WriteError::None);
    EXPECT_EQ(readNativeFile(native(u8"Data\\new.CRC")), "second");
    EXPECT_EQ(entries(u8"Data"), (std::set<std::u8string>{u8"new.CRC"}))
        << "the existing name is kept, and no temporary file stays behind";
}

TEST_F(WindowsFileSystemTest, FailedReplaceLeavesTheOriginal) {
    makeFile("Data\\placeholder.txt");
    makeFile("locked.CRC", "original");
    fs::permissions(native(u8"locked.CRC"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const struct {
        const char* name;
        std::string path;
        WriteError error;
    } cases[] = {
        {"read-only file", at("locked.CRC"), WriteError::AccessDenied},
        {"folder in the way", at("Data"), WriteError::AccessDenied},
        {"missing folder", at("Missing\\x.CRC"), WriteError::NotFound},
        {"name ending in a separator", at("Data\\new\\"), WriteError::BadName},
        {"name with a character Windows forbids", at("Data\\a?b.CRC"), WriteError::BadName},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.replaceFile(c.path, "new contents"), c.error) << c.name;
    }
    EXPECT_EQ(readNativeFile(native(u8"locked.CRC")), "original");
    fs::permissions(native(u8"locked.CRC"), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(entries(), (std::set<std::u8string>{u8"Data", u8"locked.CRC"}))
        << "no temporary file stays behind";
    EXPECT_EQ(entries(u8"Data"), (std::set<std::u8string>{u8"placeholder.txt"}));
}

TEST_F(WindowsFileSystemTest, RemovesFilesOnly) {
    makeFile("Data\\Gone.txt");
    EXPECT_TRUE(files.removeFile(at("data\\gone.TXT")));
    EXPECT_FALSE(fs::exists(native(u8"Data\\Gone.txt")));
    EXPECT_FALSE(files.removeFile(at("Data\\Gone.txt")));
    EXPECT_FALSE(files.removeFile(at("Data")));
    EXPECT_TRUE(fs::is_directory(native(u8"Data")));
}

}  // namespace
