#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "app/ExitCodes.h"
#include "app/frmSumora.h"
#include "platform/Text.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace app {
namespace {

using testing_support::readNativeFile;
using ui::MessageIcon;

class ChecksumFiles : public ::testing::Test {
protected:
    // Computes and saves the file at a program path through the window, as a user would.
    int computeAndSave(const std::string& path) {
        form.txtPathAndFileName.setText(path);
        form.cmndCalculate_Click();
        return form.SaveCRCFile();
    }
    const ui::ScriptedDesktop::ShownBox& lastBox() const { return desktop.boxes.back(); }

    testing_support::TempFolder folder;
    ui::ScriptedDesktop desktop;
    frmSumora form{desktop, ""};
};

TEST_F(ChecksumFiles, SaveWritesSixLinesBesideTheFileAndConfirms) {
    const std::string photo = folder.writeFile("Data/Photo.JPG", std::string(1024, '\0'));
    ASSERT_EQ(computeAndSave(photo), kExitOk);

    EXPECT_EQ(readNativeFile(folder.native() / "Data" / "Photo.jpg.CRC"),
              "[INI]\r\n[CRC32FileInfo]\r\nFileName=Photo.jpg\r\nCRC32Checksum=EFB5AF2E\r\n"
              "FileLenght=1024 bytes\r\n[EOF]\r\n");
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(lastBox().title, "Informace");
    EXPECT_EQ(lastBox().icon, MessageIcon::Information);
    EXPECT_EQ(lastBox().text,
              "Kontrolní součet uložen do souboru " + folder.programPath() + "Data\\Photo.jpg.CRC");
    EXPECT_TRUE(form.cndSaveCRCFile.enabled()) << "saving changes no control";
}

TEST_F(ChecksumFiles, RecordedNameLowersTheExtensionOnly) {
    const struct {
        const char* file;
        const char* checksumFile;
        const char* recorded;
    } cases[] = {
        {"Photo.JPG", "Photo.jpg.CRC", "Photo.jpg"},
        {"README", "README..CRC", "README."},
        {"archive.tar.GZ", "archive.tar.gz.CRC", "archive.tar.gz"},
        {"my.dir/README", "my.dir/README..CRC", "README."},
        {"file.", "file..CRC", "file."},
        {".hidden", ".hidden.CRC", ".hidden"},
        {"ČERNÁ.ŘEŠ", "ČERNÁ.řeš.CRC", "ČERNÁ.řeš"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(computeAndSave(folder.writeFile(c.file, "x")), kExitOk);
        const std::string written = readNativeFile(folder.nativePath(c.checksumFile));
        const auto expectedLine =
            platform::utf8ToAnsi("FileName=" + std::string(c.recorded) + "\r\n");
        ASSERT_TRUE(expectedLine);
        EXPECT_NE(written.find(*expectedLine), std::string::npos) << written;
    }
}

TEST_F(ChecksumFiles, CzechNamesAreWrittenInWindows1250) {
    ASSERT_EQ(computeAndSave(folder.writeFile("Žluťoučký kůň.TXT", "abc")), kExitOk);
    EXPECT_EQ(readNativeFile(folder.nativePath("Žluťoučký kůň.txt.CRC")),
              "[INI]\r\n[CRC32FileInfo]\r\nFileName=\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2.txt\r\n"
              "CRC32Checksum=352441C2\r\nFileLenght=3 bytes\r\n[EOF]\r\n");
}

TEST_F(ChecksumFiles, SaveWritesWhatTheBoxesHoldAndReplacesWithoutAsking) {
    const std::string file = folder.writeFile("a.bin", "abc");
    ASSERT_EQ(computeAndSave(file), kExitOk);
    form.txtCRC32Result.userSetsText("typed");
    form.txtFileSize.userSetsText("7 bytes");
    ASSERT_EQ(form.SaveCRCFile(), kExitOk);
    EXPECT_EQ(readNativeFile(folder.native() / "a.bin.CRC"),
              "[INI]\r\n[CRC32FileInfo]\r\nFileName=a.bin\r\nCRC32Checksum=typed\r\n"
              "FileLenght=7 bytes\r\n[EOF]\r\n");
    EXPECT_EQ(desktop.boxes.size(), 2u);
}

TEST_F(ChecksumFiles, UnattendedSaveShowsNothing) {
    const std::string file = folder.writeFile("x.bin", "123456789");
    ui::ScriptedDesktop quiet;
    frmSumora unattended(quiet, "/Auto /SourceFile:" + file);
    unattended.Form_Load();
    EXPECT_TRUE(unattended.ended());
    EXPECT_EQ(unattended.exitCode(), kExitOk);
    EXPECT_TRUE(quiet.boxes.empty());
    EXPECT_TRUE(quiet.shownForms.empty());
    EXPECT_NE(readNativeFile(folder.native() / "x.bin.CRC").find("CRC32Checksum=CBF43926"),
              std::string::npos);
}

TEST_F(ChecksumFiles, UnattendedRunRefusesAMissingSource) {
    for (const std::string& line :
         {std::string("/Auto"), "/Auto /SourceFile:" + folder.programPath() + "missing.bin",
          "/Auto /SourceFile:" + folder.programPath()}) {
        ui::ScriptedDesktop quiet;
        frmSumora unattended(quiet, line);
        unattended.Form_Load();
        SCOPED_TRACE(line);
        EXPECT_TRUE(unattended.ended());
        EXPECT_EQ(unattended.exitCode(), kExitFileNotFound);
        ASSERT_EQ(quiet.boxes.size(), 1u);
        EXPECT_EQ(quiet.boxes[0].icon, MessageIcon::Exclamation);
    }
    EXPECT_FALSE(std::filesystem::exists("..CRC"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.native()),
                            std::filesystem::directory_iterator()),
              0)
        << "nothing is written";
}

TEST_F(ChecksumFiles, SaveRefusesAPathWithoutAFolder) {
    for (const char* path : {"", "bare.bin", "\\rooted.bin"}) {
        desktop.boxes.clear();
        form.txtPathAndFileName.setText(path);
        EXPECT_EQ(form.SaveCRCFile(), kExitFileNotFound) << path;
        ASSERT_EQ(desktop.boxes.size(), 1u) << path;
        EXPECT_EQ(desktop.boxes[0].title, "Upozornění");
    }
    EXPECT_FALSE(std::filesystem::exists("..CRC"));
}

TEST_F(ChecksumFiles, AFailedSaveSaysSoAndKeepsTheOldFile) {
    const std::string file = folder.writeFile("a.bin", "abc");
    ASSERT_EQ(computeAndSave(file), kExitOk);
    const std::string good = readNativeFile(folder.native() / "a.bin.CRC");

    // A name no file system takes: the old checksum file must survive the failed write.
    const std::string tooLong = folder.programPath() + std::string(300, 'n') + ".bin";
    form.txtPathAndFileName.setText(tooLong);
    desktop.boxes.clear();
    EXPECT_EQ(form.SaveCRCFile(), kExitCannotReadOrWrite);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_NE(desktop.boxes[0].text.find("nelze zapsat"), std::string::npos);
    EXPECT_NE(desktop.boxes[0].text.find("nebyl uložen"), std::string::npos);

    form.txtPathAndFileName.setText(folder.programPath() + "gone\\a.bin");
    EXPECT_EQ(form.SaveCRCFile(), kExitCannotReadOrWrite);
    EXPECT_EQ(readNativeFile(folder.native() / "a.bin.CRC"), good);
}

TEST_F(ChecksumFiles, ANameOutsideTheCodePageIsNotWritten) {
    ASSERT_EQ(computeAndSave(folder.writeFile("写真.jpg", "abc")), kExitCannotReadOrWrite);
    EXPECT_NE(lastBox().text.find("Windows-1250"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.nativePath("写真.jpg.CRC")));
}

#ifndef _WIN32
// Windows itself forbids line breaks in names.
TEST_F(ChecksumFiles, ANameWithALineEndIsNotWritten) {
    for (const char* name : {"a\rb.txt", "a\nb.txt"}) {
        SCOPED_TRACE(name);
        desktop.boxes.clear();
        ASSERT_EQ(computeAndSave(folder.writeFile(name, "abc")), kExitCannotReadOrWrite);
        EXPECT_NE(lastBox().text.find("konec řádku"), std::string::npos) << lastBox().text;
        EXPECT_NE(lastBox().text.find("nebyl uložen"), std::string::npos);
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder.native())) {
        EXPECT_FALSE(entry.path().string().ends_with(".CRC")) << entry.path();
    }
}
#endif

#ifndef _WIN32
// Pipes in folders are the Linux layer's; the Windows layer tests its devices itself.
TEST_F(ChecksumFiles, UnattendedRunWritesNothingForAFileNotReadWhole) {
    const std::string file = folder.writeFile("x.bin", std::string(100, 'x'));
    ASSERT_EQ(::mkfifo((folder.native() / "pipe").c_str(), 0600), 0);
    const struct {
        const char* name;
        std::string source;
        std::optional<std::size_t> endAfter;
        std::optional<std::size_t> failAfter;
    } cases[] = {
        {"shrinks while read", file, 40, std::nullopt},
        {"read fails", file, std::nullopt, 40},
        {"pipe", folder.programPath() + "pipe", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::FaultyFileSystem faulty;
        faulty.endAfterBytes = c.endAfter;
        faulty.failAfterBytes = c.failAfter;
        ui::ScriptedDesktop quiet;
        frmSumora unattended(quiet, "/Auto /SourceFile:" + c.source);
        unattended.Form_Load();
        EXPECT_TRUE(unattended.ended());
        EXPECT_EQ(unattended.exitCode(), kExitCannotReadOrWrite);
        EXPECT_EQ(quiet.boxes.size(), 1u);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.native() / "x.bin.CRC"));
    EXPECT_FALSE(std::filesystem::exists(folder.native() / "pipe.CRC"));
}
#endif

// Verification through the window's menu, answered by the scripted dialog.
class Verify : public ChecksumFiles {
protected:
    int verify(const std::string& checksumFile) {
        desktop.boxes.clear();
        return form.TestCRCFile(checksumFile);
    }
    void expectBox(const std::string& title, const std::string& text, MessageIcon icon) {
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(lastBox().title, title);
        EXPECT_EQ(lastBox().text, text);
        EXPECT_EQ(lastBox().icon, icon);
    }
    std::string upper(const std::string& s) {
        std::string result = s;
        for (char& c : result) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return result;
    }
};

TEST_F(Verify, RoundTrip) {
    const std::string photo = folder.writeFile("Photo.JPG", "some photo");
    ASSERT_EQ(computeAndSave(photo), kExitOk);
    const std::string checksumFile = folder.programPath() + "Photo.jpg.CRC";

    // The recorded name is Photo.jpg: found although the file is Photo.JPG.
    EXPECT_EQ(verify(checksumFile), kExitOk);
    expectBox("Výsledek testu CRC32",
              "Test CRC32 souboru " + upper(folder.programPath()) + "PHOTO.JPG ukončen v pořádku.",
              MessageIcon::Information);

    folder.writeFile("Photo.JPG", "some phot0");
    EXPECT_EQ(verify(checksumFile), kExitChecksumMismatch);
    expectBox("Varování",
              "Kontrolní součet ze souboru .CRC a souboru " + upper(folder.programPath()) +
                  "PHOTO.JPG nesouhlasí",
              MessageIcon::Critical);

    std::filesystem::rename(folder.native() / "Photo.JPG", folder.native() / "Renamed.JPG");
    EXPECT_EQ(verify(checksumFile), kExitFileNotFound);
    expectBox("Varování", "Soubor " + folder.programPath() + "Photo.jpg nenalezen.",
              MessageIcon::Critical);

    // Both moved together, the checksum file renamed too: still fine.
    folder.writeFile("moved/Photo.JPG", "some photo");
    std::filesystem::rename(folder.native() / "Photo.jpg.CRC",
                            folder.native() / "moved" / "other name.CRC");
    EXPECT_EQ(verify(folder.programPath() + "moved\\other name.CRC"), kExitOk);
}

TEST_F(Verify, NamesWithoutAnExtensionVerify) {
    for (const char* name : {"README", "Makefile", "dir.d/LICENSE", "ends in dot."}) {
        SCOPED_TRACE(name);
        const std::string file = folder.writeFile(name, name);
        ASSERT_EQ(computeAndSave(file), kExitOk);
        std::string checksumFile = file;
        if (!checksumFile.ends_with('.')) {
            checksumFile += '.';
        }
        checksumFile += ".CRC";
        EXPECT_EQ(verify(checksumFile), kExitOk);
        expectBox("Výsledek testu CRC32",
                  "Test CRC32 souboru " + upper(file) + (file.ends_with('.') ? "" : ".") +
                      " ukončen v pořádku.",
                  MessageIcon::Information);
    }
}

TEST_F(Verify, ANameWithFolderPartsIsRefused) {
    // Each name leads to a real file outside the checksum file's folder, or to the folder itself.
    folder.writeFile("outside.bin", "123456789");
    folder.writeFile("inner/sub/x.bin", "123456789");
    for (const std::string& name :
         {std::string("..\\outside.bin"), std::string("../outside.bin"), std::string("sub\\x.bin"),
          std::string("sub/x.bin"), "C:" + folder.programPath().substr(2) + "outside.bin",
          std::string("C:outside.bin"), std::string(""), std::string(".."), std::string(". .")}) {
        SCOPED_TRACE(name);
        const std::string checksumFile = folder.writeFile(
            "inner/case.CRC", "[INI]\r\n[CRC32FileInfo]\r\nFileName=" + name +
                                  "\r\nCRC32Checksum=CBF43926\r\nFileLenght=9 bytes\r\n[EOF]\r\n");
        EXPECT_EQ(verify(checksumFile), kExitFormatNotRecognised);
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(lastBox().icon, MessageIcon::Critical);
        EXPECT_NE(lastBox().text.find("neuvádí prostý název souboru"), std::string::npos)
            << lastBox().text;
    }
}

#ifndef _WIN32
// Pipes in folders are the Linux layer's; the Windows layer tests its devices itself.
TEST_F(Verify, AFileNotReadWholeAndUnchangedIsNotReportedFine) {
    const std::string file = folder.writeFile("x.bin", std::string(600000, 'x'));
    ASSERT_EQ(computeAndSave(file), kExitOk);
    const std::string checksumFile = file + ".CRC";
    const struct {
        const char* name;
        std::function<void(testing_support::FaultyFileSystem&)> fault;
        std::string textPart;
    } cases[] = {
        {"read fails", [](auto& f) { f.failAfterBytes = 1000; }, "selhalo"},
        {"grows while read",
         [&](auto& f) {
             f.afterFirstRead = [&] {
                 std::ofstream(folder.native() / "x.bin", std::ios::app) << "more";
             };
         },
         "se během čtení změnil"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.writeFile("x.bin", std::string(600000, 'x'));
        testing_support::FaultyFileSystem faulty;
        faulty.faultyPath = folder.programPath() + "x.bin";
        c.fault(faulty);
        EXPECT_EQ(verify(checksumFile), kExitCannotReadOrWrite);
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(lastBox().icon, MessageIcon::Critical);
        EXPECT_NE(lastBox().text.find(c.textPart), std::string::npos) << lastBox().text;
    }

    ASSERT_EQ(::mkfifo((folder.native() / "pipe").c_str(), 0600), 0);
    const std::string namesPipe =
        folder.writeFile("pipe.CRC",
                         "[INI]\r\n[CRC32FileInfo]\r\nFileName=pipe\r\nCRC32Checksum=00000000\r\n"
                         "FileLenght=0 bytes\r\n[EOF]\r\n");
    EXPECT_EQ(verify(namesPipe), kExitCannotReadOrWrite);
    EXPECT_NE(lastBox().text.find("není obyčejný soubor"), std::string::npos) << lastBox().text;
    EXPECT_EQ(verify(folder.programPath() + "pipe"), kExitCannotReadOrWrite)
        << "a pipe given as the checksum file is not opened either";
}
#endif

TEST_F(Verify, MenuUsesTheSharedDialog) {
    const std::string file = folder.writeFile("a.bin", "abc");
    desktop.dialogAnswers.push_back(file);
    form.cmdSelectFile_Click();
    form.cmndCalculate_Click();
    ASSERT_EQ(form.SaveCRCFile(), kExitOk);

    desktop.boxes.clear();
    desktop.dialogAnswers.push_back(std::nullopt);
    form.mnuFile_OpenFileCRC_Click();
    ASSERT_EQ(desktop.dialogs.size(), 2u);
    const ui::FileDialogRequest& shown = desktop.dialogs[1];
    EXPECT_EQ(shown.filters,
              (std::vector<ui::NameFilter>{{"Soubor CRC32 testovací soubor (*.CRC)", {"*.CRC"}}}));
    EXPECT_EQ(shown.defaultExtension, "CRC");
    EXPECT_EQ(shown.title, "Otevřít testovací soubor CRC");
    EXPECT_FALSE(shown.mustExist);
    EXPECT_EQ(form.cmdCommonDlg.initDir, "") << "left as the choose-file command set it";
    EXPECT_EQ(shown.startFolder, folder.programPath()) << "the folder of the name offered";
    EXPECT_EQ(shown.fileName, "a.bin") << "left as the choose-file command set it";
    EXPECT_TRUE(desktop.boxes.empty()) << "cancelling shows nothing";

    desktop.dialogAnswers.push_back(file);
    form.control("mnuFile_OpenFileCRC").onClick();
    expectBox("Upozornění", "Formát souboru " + file + " nebyl rozpoznán, test nebyl dokončen",
              MessageIcon::Critical);
}

TEST_F(Verify, ReadingRules) {
    folder.writeFile("x.bin", "123456789");
    const std::string ok = "CBF43926";
    const std::string found =
        "Test CRC32 souboru " + upper(folder.programPath()) + "X.BIN ukončen v pořádku.";
    const std::string format = " nebyl rozpoznán, test nebyl dokončen";
    const std::string mismatch = "Kontrolní součet ze souboru .CRC a souboru ";
    const std::string lengths = "Délky souboru z .CRC a ";
    const struct {
        const char* name;
        std::string contents;
        int code;
        std::string textPart;
    } cases[] = {
        {"as written",
         "[INI]\r\n[CRC32FileInfo]\r\nFileName=x.bin\r\nCRC32Checksum=" + ok +
             "\r\nFileLenght=9 bytes\r\n[EOF]\r\n",
         kExitOk, found},
        {"reordered, name first",
         "FileName=x.bin\r\n[EOF]\r\nFileLenght=9 bytes\r\n[INI]\r\n"
         "CRC32Checksum=" +
             ok + "\r\n[CRC32FileInfo]",
         kExitOk, found},
        {"extra and empty lines",
         "\r\n[INI]\r\nnote\r\n[CRC32FileInfo]\r\n\r\nFileName=x.bin\r\n"
         "CRC32Checksum=" +
             ok + "\r\nFileLenght=9 bytes\r\n[EOF]\r\n\r\n",
         kExitOk, found},
        {"lone CR ends lines",
         "[INI]\r[CRC32FileInfo]\rFileName=x.bin\rCRC32Checksum=" + ok +
             "\rFileLenght=9 bytes\r[EOF]",
         kExitOk, found},
        {"checksum before name",
         "[INI]\r\n[CRC32FileInfo]\r\nCRC32Checksum=" + ok +
             "\r\nFileName=x.bin\r\nFileLenght=9 bytes\r\n[EOF]\r\n",
         kExitChecksumMismatch, mismatch + " nesouhlasí"},
        {"lower-case key",
         "[INI]\r\n[CRC32FileInfo]\r\nfilename=x.bin\r\nCRC32Checksum=" + ok +
             "\r\nFileLenght=9 bytes\r\n[EOF]\r\n",
         kExitFormatNotRecognised, format},
        {"duplicated line",
         "[INI]\r\n[CRC32FileInfo]\r\nFileName=x.bin\r\nFileName=x.bin\r\n"
         "CRC32Checksum=" +
             ok + "\r\nFileLenght=9 bytes\r\n[EOF]\r\n",
         kExitFormatNotRecognised, format},
        {"lower-case hex",
         "[INI]\r\n[CRC32FileInfo]\r\nFileName=x.bin\r\nCRC32Checksum=cbf43926"
         "\r\nFileLenght=9 bytes\r\n[EOF]\r\n",
         kExitChecksumMismatch, mismatch + upper(folder.programPath()) + "X.BIN nesouhlasí"},
        {"LF only",
         "[INI]\n[CRC32FileInfo]\nFileName=x.bin\nCRC32Checksum=" + ok +
             "\nFileLenght=9 bytes\n[EOF]\n",
         kExitFileNotFound, " nenalezen."},
        {"marker inside the name",
         "[INI]\r\n[CRC32FileInfo]\r\nFileName=[EOF].bin\r\n"
         "CRC32Checksum=" +
             ok + "\r\nFileLenght=9 bytes\r\n[EOF]\r\n",
         kExitFormatNotRecognised, format},
        {"other length",
         "[INI]\r\n[CRC32FileInfo]\r\nFileName=x.bin\r\nCRC32Checksum=" + ok +
             "\r\nFileLenght=10 bytes\r\n[EOF]\r\n",
         kExitLengthMismatch,
         lengths + upper(folder.programPath()) + "X.BIN souboru nejsou stejné"},
        {"length without a blank",
         "[INI]\r\n[CRC32FileInfo]\r\nFileName=x.bin\r\nCRC32Checksum=" + ok +
             "\r\nFileLenght=9\r\n[EOF]\r\n",
         kExitOk, found},
        {"length not a number",
         "[INI]\r\n[CRC32FileInfo]\r\nFileName=x.bin\r\nCRC32Checksum=" + ok +
             "\r\nFileLenght=nine bytes\r\n[EOF]\r\n",
         kExitFormatNotRecognised, format},
        {"length before name",
         "[INI]\r\n[CRC32FileInfo]\r\nFileLenght=9 bytes\r\nFileName=x.bin"
         "\r\nCRC32Checksum=" +
             ok + "\r\n[EOF]\r\n",
         kExitLengthMismatch, lengths},
        {"markers without values", "[INI]\r\n[INI]\r\n[CRC32FileInfo]\r\n[EOF]\r\n[EOF]\r\n[EOF]",
         kExitFormatNotRecognised, format},
        {"empty file", "", kExitFormatNotRecognised, format},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string checksumFile = folder.writeFile("case.CRC", c.contents);
        EXPECT_EQ(verify(checksumFile), c.code);
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_NE(lastBox().text.find(c.textPart), std::string::npos) << lastBox().text;
    }
}

TEST_F(Verify, NamedFolderIsNotFoundAndMissingChecksumFileIsIgnored) {
    folder.writeFile("sub/inner", "");
    const std::string checksumFile =
        folder.writeFile("dir.CRC",
                         "[INI]\r\n[CRC32FileInfo]\r\nFileName=sub\r\nCRC32Checksum=00000000\r\n"
                         "FileLenght=0 bytes\r\n[EOF]\r\n");
    EXPECT_EQ(verify(checksumFile), kExitFileNotFound);
    expectBox("Varování", "Soubor " + folder.programPath() + "sub nenalezen.",
              MessageIcon::Critical);

    EXPECT_EQ(verify(folder.programPath() + "none.CRC"), kExitFileNotFound);
    EXPECT_EQ(verify(""), kExitFileNotFound);
    EXPECT_EQ(verify(folder.programPath() + "sub"), kExitFileNotFound);
    EXPECT_TRUE(desktop.boxes.empty()) << "nothing to verify is no message";
}

TEST_F(Verify, CommandLineWithOneFileVerifiesAndEnds) {
    folder.writeFile("x.bin", "123456789");
    const std::string checksumFile =
        folder.writeFile("x.bin.CRC",
                         "[INI]\r\n[CRC32FileInfo]\r\nFileName=x.bin\r\nCRC32Checksum=CBF43926\r\n"
                         "FileLenght=9 bytes\r\n[EOF]\r\n");
    for (const auto& [argument, code] :
         {std::pair{checksumFile, kExitOk},
          std::pair{folder.programPath() + "x.bin", kExitFormatNotRecognised}}) {
        ui::ScriptedDesktop started;
        frmSumora window(started, argument);
        window.Form_Load();
        SCOPED_TRACE(argument);
        EXPECT_TRUE(window.ended());
        EXPECT_EQ(window.exitCode(), code);
        EXPECT_EQ(started.boxes.size(), 1u);
    }
}

}  // namespace
}  // namespace app
