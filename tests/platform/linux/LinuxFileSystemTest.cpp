#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/LinuxFileSystem.h"
#include "tests/platform/linux/ScopedCurrentDirectory.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

using platform::WriteError;
using testing_support::readNativeFile;

// Drive C: is a fresh temporary folder; every path in a test is below it.
class LinuxFileSystemTest : public ::testing::Test {
protected:
    LinuxFileSystemTest() { files.mapDrive('C', temp.native().string()); }

    std::string native(const std::string& relative) const {
        return (temp.native() / relative).string();
    }
    void makeFile(const std::string& relative, const std::string& bytes = "x") const {
        temp.writeFile(relative, bytes);
    }
    std::set<std::string> entries(const std::string& relative = "") const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(temp.native() / relative)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    testing_support::TempFolder temp;
    platform::LinuxFileSystem files;
};

TEST_F(LinuxFileSystemTest, TranslatesMappedDriveBothWays) {
    const struct {
        std::string program;
        std::string native;
    } toNative[] = {
        {"C:\\Data\\Photo.JPG", native("Data/Photo.JPG")},
        {"c:\\Data\\Photo.JPG", native("Data/Photo.JPG")},
        {"C:/Data/Photo.JPG", native("Data/Photo.JPG")},
        {"C:\\Data\\.\\x\\..\\Photo.JPG", native("Data/Photo.JPG")},
        {"C:\\..\\..\\Photo.JPG", native("Photo.JPG")},
        {"C:\\Data\\", native("Data") + "/"},
        {"Z:\\", "/"},
        {"\\etc\\hosts", "/etc/hosts"},
    };
    for (const auto& c : toNative) {
        EXPECT_EQ(files.toNative(c.program), c.native) << c.program;
    }
    const struct {
        std::string native;
        std::string program;
    } fromNative[] = {
        {native("Data/Photo.JPG"), "C:\\Data\\Photo.JPG"},
        {native("Data/./x/../Photo.JPG"), "C:\\Data\\Photo.JPG"},
        {temp.native().string(), "C:\\"},
        {temp.native().string() + "/", "C:\\"},
        {"/", "Z:\\"},
        {"/usr/../etc/./hosts", "Z:\\etc\\hosts"},
    };
    for (const auto& c : fromNative) {
        EXPECT_EQ(files.fromNative(c.native), c.program) << c.native;
    }
}

TEST_F(LinuxFileSystemTest, LongestMappedFolderWins) {
    files.mapDrive('d', native("sub"));
    EXPECT_EQ(files.fromNative(native("sub/a")), "D:\\a");
    EXPECT_EQ(files.fromNative(native("sub")), "D:\\");
    EXPECT_EQ(files.fromNative(native("subway/a")), "C:\\subway\\a")
        << "a folder contains only paths below it, not every name it prefixes";
    EXPECT_EQ(files.fromNative(native("a")), "C:\\a");
    EXPECT_EQ(files.toNative("D:\\a"), native("sub/a"));
}

TEST_F(LinuxFileSystemTest, UnmappedDriveNamesNothing) {
    makeFile("kept.txt");
    files.mapDrive('C', "");
    EXPECT_EQ(files.toNative("C:\\kept.txt"), "");
    EXPECT_EQ(files.toNative("Q:\\kept.txt"), "");
    EXPECT_FALSE(files.exists("C:\\kept.txt"));
    EXPECT_EQ(files.openRead("C:\\kept.txt"), nullptr);
    EXPECT_EQ(files.replaceFile("Q:\\new.txt", "x"), WriteError::NotFound);
    EXPECT_EQ(files.fromNative(native("kept.txt")).substr(0, 3), "Z:\\")
        << "without its own drive a folder is reached through Z:";
}

TEST_F(LinuxFileSystemTest, RelativePathsStartAtTheCurrentDirectory) {
    makeFile("Data/Photo.jpg");
    const testing_support::ScopedCurrentDirectory inData(temp.native() / "Data");
    EXPECT_EQ(files.toNative("PHOTO.JPG"), native("Data/Photo.jpg"));
    EXPECT_EQ(files.toNative("..\\x.txt"), native("x.txt"));
    EXPECT_EQ(files.fromNative("Photo.jpg"), "C:\\Data\\Photo.jpg");
    EXPECT_EQ(files.fromNative("../x.txt"), "C:\\x.txt");
}

TEST_F(LinuxFileSystemTest, FindsNamesRegardlessOfLetterCase) {
    makeFile("Data/Photo.jpg");
    makeFile("Čára.txt");
    const struct {
        std::string program;
        std::string native;
        bool exists;
    } cases[] = {
        {"C:\\DATA\\PHOTO.JPG", native("Data/Photo.jpg"), true},
        {"C:\\data\\photo.JPG", native("Data/Photo.jpg"), true},
        {"C:\\čÁRA.TXT", native("Čára.txt"), true},
        {"C:\\DATA", native("Data"), true},
        {"C:\\DATA\\New File.txt", native("Data/New File.txt"), false},
        {"C:\\Missing\\PHOTO.JPG", native("Missing/PHOTO.JPG"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.toNative(c.program), c.native) << c.program;
        EXPECT_EQ(files.exists(c.program), c.exists) << c.program;
    }
    EXPECT_TRUE(files.isDirectory("C:\\data"));
    EXPECT_EQ(files.toNative("Z:\\USR\\BIN"), "/usr/bin");
}

TEST_F(LinuxFileSystemTest, PrefersTheExactNameThenTheFirstInByteOrder) {
    makeFile("a.TXT");
    makeFile("A.txt");
    EXPECT_EQ(files.toNative("C:\\a.TXT"), native("a.TXT"));
    EXPECT_EQ(files.toNative("C:\\a.txt"), native("A.txt"));
    EXPECT_EQ(files.toNative("C:\\A.TXT"), native("A.txt"));
}

TEST_F(LinuxFileSystemTest, IgnoresTrailingDotsAndBlanksOfExistingNames) {
    makeFile("README");
    makeFile("Data/x.txt");
    makeFile("kept./y");
    const struct {
        std::string program;
        std::string native;
    } cases[] = {
        {"C:\\README.", native("README")},          {"C:\\readme. .", native("README")},
        {"C:\\Data.\\x.txt", native("Data/x.txt")}, {"C:\\Data \\X.TXT.", native("Data/x.txt")},
        {"C:\\kept.\\y", native("kept./y")},        {"C:\\New.", native("New.")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.toNative(c.program), c.native) << c.program;
    }
    EXPECT_TRUE(files.exists("C:\\README."));
    EXPECT_FALSE(files.exists("C:\\..."));
}

TEST_F(LinuxFileSystemTest, ExistingNamesSurviveTheRoundTrip) {
    const std::string names[] = {"Data/Photo.jpg", "Čára.txt", "with space/x.tar.gz", ".hidden"};
    for (const auto& name : names) {
        makeFile(name);
        const std::string program = files.fromNative(native(name));
        std::string expected = "C:\\" + name;
        std::replace(expected.begin(), expected.end(), '/', '\\');
        EXPECT_EQ(program, expected);
        EXPECT_EQ(files.toNative(program), native(name));
    }
}

TEST_F(LinuxFileSystemTest, ProbesTellFilesFromFolders) {
    makeFile("Data/three.bin", "abc");
    makeFile("empty.bin", "");
    const struct {
        std::string path;
        bool exists;
        bool isDirectory;
        std::optional<std::int64_t> length;
    } cases[] = {
        {"C:\\Data\\three.bin", true, false, 3},         {"C:\\empty.bin", true, false, 0},
        {"C:\\Data", true, true, std::nullopt},          {"C:\\Data\\", true, true, std::nullopt},
        {"C:\\missing.bin", false, false, std::nullopt}, {"", false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.exists(c.path), c.exists) << c.path;
        EXPECT_EQ(files.isDirectory(c.path), c.isDirectory) << c.path;
        EXPECT_EQ(files.fileLength(c.path), c.length) << c.path;
    }
}

TEST_F(LinuxFileSystemTest, ReportsLengthsBeyondFourGibibytes) {
    const std::int64_t length = (std::int64_t{5} << 30) + 3;
    const int fd = ::open(native("sparse.bin").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    const int truncated = ::ftruncate(fd, length);
    ::close(fd);
    if (truncated != 0) {
        GTEST_SKIP() << "the temporary folder's file system has no sparse 5 GiB files";
    }
    EXPECT_EQ(files.fileLength("C:\\SPARSE.BIN"), length);
}

TEST_F(LinuxFileSystemTest, ReadStreamDeliversTheFileInPieces) {
    makeFile("digits.txt", "0123456789");
    const auto stream = files.openRead("C:\\Digits.TXT");
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

TEST_F(LinuxFileSystemTest, OpensOnlyRegularFilesAndNeverWaits) {
    makeFile("Data/x.txt");
    ASSERT_EQ(::mkfifo(native("pipe").c_str(), 0600), 0);
    fs::create_symlink(native("Data/x.txt"), native("link"));
    EXPECT_NE(files.openRead("C:\\link"), nullptr) << "a link to a file is followed";
    EXPECT_EQ(files.openRead("C:\\Data"), nullptr);
    EXPECT_EQ(files.openRead("C:\\missing.txt"), nullptr);
    EXPECT_EQ(files.openRead("C:\\pipe"), nullptr) << "a pipe without a writer would block";
    EXPECT_EQ(files.openRead("Z:\\dev\\zero"), nullptr) << "a device has no end";
}

TEST_F(LinuxFileSystemTest, StatusTellsKindsAndVersions) {
    makeFile("a.bin", "abc");
    ASSERT_EQ(::mkfifo(native("pipe").c_str(), 0600), 0);
    const auto file = files.status("C:\\A.BIN");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->kind, platform::EntryKind::RegularFile);
    EXPECT_EQ(file->length, 3);
    EXPECT_EQ(files.status("C:\\")->kind, platform::EntryKind::Directory);
    EXPECT_EQ(files.status("C:\\pipe")->kind, platform::EntryKind::Other);
    EXPECT_EQ(files.status("C:\\missing"), std::nullopt);

    const auto stream = files.openRead("C:\\a.bin");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->status(), file) << "the open file is the one the name shows";
    makeFile("b.bin", "abc");
    fs::rename(native("b.bin"), native("a.bin"));
    EXPECT_NE(files.status("C:\\a.bin"), file) << "a file put in its place is another file";
    EXPECT_EQ(stream->status(), file) << "the open file stays what it was";
}

TEST_F(LinuxFileSystemTest, ReplaceFileCreatesAndReplaces) {
    fs::create_directory(temp.native() / "Data");
    const mode_t mask = ::umask(0);
    ::umask(mask);

    ASSERT_EQ(files.replaceFile("C:\\DATA\\new.CRC", "[INI]\r\n"), WriteError::None);
    EXPECT_EQ(readNativeFile(native("Data/new.CRC")), "[INI]\r\n");
    struct stat created {};
    ASSERT_EQ(::stat(native("Data/new.CRC").c_str(), &created), 0);
    EXPECT_EQ(created.st_mode & 07777, 0666 & ~mask) << "a new file's mode follows the umask";

    ::chmod(native("Data/new.CRC").c_str(), 0640);
    ASSERT_EQ(files.replaceFile("C:\\Data\\NEW.crc", "second"), WriteError::None);
    EXPECT_EQ(readNativeFile(native("Data/new.CRC")), "second");
    struct stat replaced {};
    ASSERT_EQ(::stat(native("Data/new.CRC").c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_mode & 07777, 0640u) << "a replaced file keeps its mode";
    EXPECT_EQ(entries("Data"), (std::set<std::string>{"new.CRC"}))
        << "the file found by case is replaced, and no temporary file stays behind";
}

TEST_F(LinuxFileSystemTest, FailedReplaceLeavesTheOriginal) {
    makeFile("Data/placeholder.txt");
    makeFile("locked.CRC", "original");
    ::chmod(native("locked.CRC").c_str(), 0444);
    const struct {
        const char* name;
        std::string path;
        WriteError error;
    } cases[] = {
        {"read-only file", "C:\\locked.CRC", WriteError::AccessDenied},
        {"folder in the way", "C:\\Data", WriteError::AccessDenied},
        {"missing folder", "C:\\Missing\\x.CRC", WriteError::NotFound},
        {"name too long", "C:\\" + std::string(300, 'n') + ".CRC", WriteError::BadName},
        {"name ending in a separator", "C:\\Data\\new\\", WriteError::BadName},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.replaceFile(c.path, "new contents"), c.error) << c.name;
    }
    EXPECT_EQ(readNativeFile(native("locked.CRC")), "original");
    EXPECT_EQ(entries(), (std::set<std::string>{"Data", "locked.CRC"}))
        << "no temporary file stays behind";
    EXPECT_EQ(entries("Data"), (std::set<std::string>{"placeholder.txt"}));
}

TEST_F(LinuxFileSystemTest, ReplaceInReadOnlyFolderIsDenied) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root from writing into a folder";
    }
    makeFile("Data/x.CRC", "original");
    ::chmod(native("Data").c_str(), 0555);
    EXPECT_EQ(files.replaceFile("C:\\Data\\x.CRC", "new"), WriteError::AccessDenied);
    EXPECT_EQ(readNativeFile(native("Data/x.CRC")), "original");
    ::chmod(native("Data").c_str(), 0755);  // so that the folder can be removed again
}

TEST_F(LinuxFileSystemTest, RemovesFilesOnly) {
    makeFile("Data/Gone.txt");
    EXPECT_TRUE(files.removeFile("C:\\data\\gone.TXT"));
    EXPECT_FALSE(fs::exists(native("Data/Gone.txt")));
    EXPECT_FALSE(files.removeFile("C:\\Data\\Gone.txt"));
    EXPECT_FALSE(files.removeFile("C:\\Data"));
    EXPECT_TRUE(fs::is_directory(native("Data")));
}

TEST_F(LinuxFileSystemTest, TypedPathsInEitherNotation) {
    const struct {
        std::string typed;
        std::string program;
    } cases[] = {
        {"/tmp/a b.bin", "Z:\\tmp\\a b.bin"}, {native("Data/x.bin"), "C:\\Data\\x.bin"},
        {"/usr/../etc/", "Z:\\etc"},          {"C:\\Data\\x.bin", "C:\\Data\\x.bin"},
        {"relative/x.bin", "relative/x.bin"}, {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(files.fromTyped(c.typed), c.program) << c.typed;
    }
}

}  // namespace
