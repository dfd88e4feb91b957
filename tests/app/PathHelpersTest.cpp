#include <gtest/gtest.h>

#include "app/modFileDirExists_v2.h"
#include "app/modFilePathHandle.h"
#include "app/modSumora.h"
#include "tests/support/TempFolder.h"

namespace app {
namespace {

TEST(PathHelpers, TakePathsApartAsTheWorkedTableSays) {
    const struct {
        const char* input;
        const char* extension;
        const char* stripExtension;
        const char* stripFolder;
        const char* folder;
    } cases[] = {
        {"C:\\Data\\Photo.JPG", "jpg", "C:\\Data\\Photo", "Photo.JPG", "C:\\Data\\"},
        {"C:\\Data\\archive.tar.gz", "gz", "C:\\Data\\archive.tar", "archive.tar.gz", "C:\\Data\\"},
        {"C:\\Data\\README", "", "C:\\Data\\README", "README", "C:\\Data\\"},
        {"C:\\Data\\file.", "", "C:\\Data\\file", "file.", "C:\\Data\\"},
        {"C:\\Data\\.hidden", "hidden", "C:\\Data\\", ".hidden", "C:\\Data\\"},
        {"C:\\my.dir\\README", "dir\\readme", "C:\\my", "README", "C:\\my.dir\\"},
        {"\\file.txt", "txt", "\\file", "file.txt", ""},
        {"file.txt", "txt", "file", "file.txt", ""},
        {"C:\\Data\\", "", "C:\\Data\\", "", "C:\\Data\\"},
        {"C:\\Data\\Čára.TXT", "txt", "C:\\Data\\Čára", "Čára.TXT", "C:\\Data\\"},
        {"C:\\Data\\a.ČŘ", "čř", "C:\\Data\\a", "a.ČŘ", "C:\\Data\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(GetExtension(c.input), c.extension);
        EXPECT_EQ(StripExtension(c.input), c.stripExtension);
        EXPECT_EQ(StripFolder(c.input), c.stripFolder);
        EXPECT_EQ(GetFolder(c.input), c.folder);
        EXPECT_EQ(GetFileName(c.input), c.stripFolder);
    }
}

TEST(PathHelpers, GetFilePathDropsTheLastComponentAndItsBackslash) {
    EXPECT_EQ(GetFilePath("C:\\Data\\x.CRC"), "C:\\Data");
    EXPECT_EQ(GetFilePath("C:\\x.CRC"), "C:");
    EXPECT_EQ(GetFilePath("C:\\Data\\"), "C:\\Data");
    // A bare name has no folder part.
    EXPECT_EQ(GetFilePath("x.CRC"), "");
}

TEST(PathProbes, TellFilesFromFolders) {
    testing_support::TempFolder folder;
    const std::string file = folder.writeFile("a.bin", "x");
    const std::string dir = folder.programPath() + "sub";
    folder.writeFile("sub/inner.bin", "y");

    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirExists(file));
    EXPECT_TRUE(DirExists(dir));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_FALSE(FileExists(folder.programPath() + "missing.bin"));
    EXPECT_FALSE(DirExists(folder.programPath() + "missing"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DirExists(""));
}

TEST(SelectAllText, SelectsTheWholeTextInCharacters) {
    ui::Control box(ui::ControlKind::TextBox, "txt");
    box.setText("Čára 1");
    SelectAllText(box);
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 6);

    box.setText("");
    SelectAllText(box);
    EXPECT_EQ(box.selLength(), 0);
}

}  // namespace
}  // namespace app
