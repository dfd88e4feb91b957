#include <gtest/gtest.h>

#include "core/ChecksumFile.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"

namespace core {
namespace {

using Lines = std::vector<std::string>;

TEST(ChecksumFileText, IsSixLinesEachEndingInCrLf) {
    EXPECT_EQ(checksumFileText("Photo.jpg", "076DC419", "1024 bytes"),
              "[INI]\r\n[CRC32FileInfo]\r\nFileName=Photo.jpg\r\nCRC32Checksum=076DC419\r\n"
              "FileLenght=1024 bytes\r\n[EOF]\r\n");
}

TEST(SplitLines, EndsLinesAtCrLfAndLoneCrOnly) {
    const struct {
        const char* text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\rb\r\nc", {"a", "b", "c"}},
        {"a\nb\n", {"a\nb\n"}},
        {"\r\n", {""}},
        {"a\r\r\nb", {"a", "", "b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitLines(c.text), c.lines) << "text [" << c.text << "]";
    }
}

TEST(Markers, CountEachMarkerOncePerLineAnywhereAndCaseSensitively) {
    const Lines written = splitLines(checksumFileText("a.bin", "00000000", "0 bytes"));
    const struct {
        const char* name;
        Lines lines;
        bool recognised;
    } cases[] = {
        {"as written", written, true},
        {"no lines", {}, false},
        {"all on one line", {"[INI][CRC32FileInfo]FileName CRC32Checksum FileLenght [EOF]"}, true},
        {"one marker twice on a line",
         {"[INI] [INI]", "[CRC32FileInfo]", "FileName=FileName.txt",
          "CRC32Checksum=", "FileLenght=", "[EOF]"},
         true},
        {"name holding another marker",
         {"[INI]", "[CRC32FileInfo]", "FileName=FileLenght.txt",
          "CRC32Checksum=", "FileLenght=", "[EOF]"},
         false},
        {"lower-case key",
         {"[INI]", "[CRC32FileInfo]", "filename=a", "CRC32Checksum=", "FileLenght=", "[EOF]"},
         false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hasChecksumFileMarkers(c.lines), c.recognised) << c.name;
    }
}

TEST(LineValue, IsEverythingAfterTheFirstEquals) {
    EXPECT_EQ(lineValue("FileName=a=b.txt"), "a=b.txt");
    EXPECT_EQ(lineValue("FileName= spaced "), " spaced ");
    EXPECT_EQ(lineValue("FileName"), "FileName");
    EXPECT_EQ(lineValue("x="), "");
}

TEST(LengthFromText, TakesTheNumberBeforeTheFirstBlank) {
    const struct {
        const char* text;
        std::optional<std::int64_t> length;
    } cases[] = {
        {"1024 bytes", 1024},
        {"0 bytes", 0},
        {"5368709127 bytes", 5368709127},
        {"1024", 1024},
        {"-5 bytes", -5},
        {"12a bytes", std::nullopt},
        {" 12 bytes", std::nullopt},
        {"", std::nullopt},
        {"nine bytes", std::nullopt},
        {"99999999999999999999 bytes", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lengthFromText(c.text), c.length) << "text [" << c.text << "]";
    }
}

TEST(IsCRCFile, ReadsTheFileInItsCodePage) {
    testing_support::TempFolder folder;
    const std::string good = folder.writeFile(
        "a.CRC",
        "[INI]\r\n[CRC32FileInfo]\r\nFileName=\xE8\xE1ra.txt\r\nCRC32Checksum=1\r\n"
        "FileLenght=1 bytes\r\n[EOF]\r\n");
    EXPECT_TRUE(IsCRCFile(good));
    const auto lines = readChecksumFileLines(good);
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[2], "FileName=čára.txt");
    EXPECT_FALSE(IsCRCFile(folder.writeFile("empty.CRC", "")));
    EXPECT_FALSE(IsCRCFile(folder.programPath() + "missing.CRC"));
    EXPECT_FALSE(IsCRCFile(folder.programPath()));
}

TEST(ReadChecksumFileLines, TurnsDownALargeFileHavingReadLittleOfIt) {
    const testing_support::TempFolder folder;
    const std::string valid = checksumFileText("a.bin", "00000000", "0 bytes");
    const struct {
        const char* name;
        std::string contents;
    } cases[] = {
        {"markers after a megabyte", std::string(1 << 20, ' ') + valid},
        {"too many lines", std::string(kMaxChecksumFileLines, '\r') + valid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.writeFile("big.CRC", c.contents);
        testing_support::FaultyFileSystem counting;
        const auto lines = readChecksumFileLines(path);
        ASSERT_TRUE(lines);
        EXPECT_TRUE(lines->empty());
        EXPECT_FALSE(IsCRCFile(path));
        EXPECT_LE(counting.bytesDelivered, 2 * (kMaxChecksumFileBytes + 4096));
    }
    const std::string path = folder.writeFile("ok.CRC", std::string(900, '\r') + valid);
    EXPECT_TRUE(IsCRCFile(path)) << "blank lines below the cap do not matter";
}

TEST(ReadChecksumFileLines, AFailedReadIsNotAFile) {
    const testing_support::TempFolder folder;
    const std::string path =
        folder.writeFile("a.CRC", checksumFileText("a.bin", "00000000", "0 bytes"));
    testing_support::FaultyFileSystem faulty;
    faulty.failAfterBytes = 20;
    EXPECT_EQ(readChecksumFileLines(path), std::nullopt);
}

TEST(PlainFileName, AcceptsOnlyANameInTheSameFolder) {
    const struct {
        const char* name;
        bool plain;
    } cases[] = {
        {"Photo.jpg", true},   {"README.", true},    {".hidden", true},
        {"a b.txt", true},     {"", false},          {".", false},
        {"..", false},         {" . ", false},       {"..\\..\\etc\\hostname", false},
        {"sub\\a.bin", false}, {"../a.bin", false},  {"a/b", false},
        {"C:x", false},        {"C:\\a.bin", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isPlainFileName(c.name), c.plain) << "[" << c.name << "]";
    }
}

}  // namespace
}  // namespace core
