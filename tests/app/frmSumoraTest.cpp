#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "app/ExitCodes.h"
#include "app/Startup.h"
#include "app/frmSumora.h"
#include "app/modSumora.h"
#include "platform/Locale.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"
#include "ui/scripted/ScriptedDesktop.h"

namespace app {
namespace {

using ui::MessageIcon;

class MainWindow : public ::testing::Test {
protected:
    std::string separator() const { return std::string(1, platform::decimalSeparator()); }

    testing_support::TempFolder folder;
    ui::ScriptedDesktop desktop;
    frmSumora form{desktop, ""};
};

TEST_F(MainWindow, StartsWithEmptyBoxesAndBothCommandsDisabled) {
    form.Form_Load();
    EXPECT_EQ(form.Label3.text(),
              "Sumora, ver.2.0.0.72, build DB.000072-08.05.2023-15.28.23_SMRA..");
    EXPECT_EQ(form.caption(), "Sumora");
    EXPECT_EQ(form.clientWidth(), 696 * 15);
    EXPECT_EQ(form.clientHeight(), 488 * 15);
    for (const auto* box : {&form.txtPathAndFileName, &form.txtFileSize, &form.txtCRC32Result,
                            &form.txtTimeOperate}) {
        EXPECT_EQ(box->text(), "") << box->name();
    }
    EXPECT_FALSE(form.cmndCalculate.enabled());
    EXPECT_FALSE(form.cndSaveCRCFile.enabled());
    EXPECT_FALSE(form.ended());
}

TEST_F(MainWindow, ChoosingAFileEmptiesTheResultsEvenWhenCancelled) {
    const std::string file = folder.writeFile("a.bin", "abc");
    form.txtPathAndFileName.setText(file);
    form.cmndCalculate_Click();
    ASSERT_TRUE(form.cndSaveCRCFile.enabled());

    desktop.dialogAnswers.push_back(std::nullopt);
    form.cmdSelectFile_Click();

    EXPECT_EQ(form.txtFileSize.text(), "");
    EXPECT_EQ(form.txtCRC32Result.text(), "");
    EXPECT_EQ(form.txtTimeOperate.text(), "");
    EXPECT_EQ(form.txtPathAndFileName.text(), file) << "a cancelled dialog keeps the path";
    EXPECT_TRUE(form.cndSaveCRCFile.enabled()) << "a cancelled dialog keeps the buttons";
    EXPECT_TRUE(form.cmndCalculate.enabled());
}

TEST_F(MainWindow, ChoosingAFileFillsThePathAndOffersComputeOnly) {
    const std::string file = folder.writeFile("Photo.JPG", std::string(1024, 'x'));
    form.txtPathAndFileName.setText(folder.programPath());
    desktop.dialogAnswers.push_back(file);
    form.mnuFile_OpenFile_Click();

    ASSERT_EQ(desktop.dialogs.size(), 1u);
    const ui::FileDialogRequest& shown = desktop.dialogs[0];
    EXPECT_EQ(shown.filters, (std::vector<ui::NameFilter>{{"Všechny soubory (*.*)", {"*"}}}));
    EXPECT_EQ(shown.defaultExtension, "") << "a wildcard adds no extension";
    EXPECT_EQ(shown.title, "Výběr souboru pro CRC test");
    EXPECT_FALSE(shown.mustExist) << "a typed name that does not exist is accepted";
    EXPECT_EQ(shown.startFolder, folder.programPath())
        << "the dialog starts in the path box's folder";

    EXPECT_EQ(form.txtPathAndFileName.text(), file);
    EXPECT_TRUE(form.cmndCalculate.enabled());
    EXPECT_FALSE(form.cndSaveCRCFile.enabled());
    EXPECT_EQ(form.cmdCommonDlg.fileName, file) << "the chosen name is offered next time";
}

TEST_F(MainWindow, TypingAPathEnablesComputeOnlyForAnExistingFile) {
    const std::string file = folder.writeFile("a.bin", "abc");
    form.txtPathAndFileName.userSetsText(file);
    EXPECT_TRUE(form.cmndCalculate.enabled());
    form.cmndCalculate_Click();
    ASSERT_TRUE(form.cndSaveCRCFile.enabled());

    form.txtPathAndFileName.userSetsText(file + "x");
    EXPECT_FALSE(form.cmndCalculate.enabled());
    EXPECT_TRUE(form.cndSaveCRCFile.enabled()) << "editing the path leaves save as it was";

    form.txtPathAndFileName.userSetsText(folder.programPath());
    EXPECT_FALSE(form.cmndCalculate.enabled()) << "a folder is not a file";
}

TEST_F(MainWindow, ComputeShowsChecksumLengthAndDuration) {
    form.txtPathAndFileName.setText(folder.writeFile("check.txt", "123456789"));
    desktop.clock.timeReadings = {100.0f, 100.5f};
    form.cmndCalculate_Click();

    EXPECT_EQ(form.txtCRC32Result.text(), "CBF43926");
    EXPECT_EQ(form.txtFileSize.text(), "9 bytes");
    EXPECT_EQ(form.txtTimeOperate.text(), "0" + separator() + "5 sec.");
    EXPECT_TRUE(form.cndSaveCRCFile.enabled());
    EXPECT_TRUE(form.cmndCalculate.enabled());
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(MainWindow, ComputeOfAnEmptyFile) {
    form.txtPathAndFileName.setText(folder.writeFile("empty", ""));
    form.cmndCalculate_Click();
    EXPECT_EQ(form.txtCRC32Result.text(), "00000000");
    EXPECT_EQ(form.txtFileSize.text(), "0 bytes");
    EXPECT_EQ(form.txtTimeOperate.text(), "0 sec.");
}

TEST_F(MainWindow, ComputeAcrossMidnightCountsForward) {
    form.txtPathAndFileName.setText(folder.writeFile("a.bin", "a"));
    desktop.clock.timeReadings = {86399.5f, 0.25f};
    form.cmndCalculate_Click();
    EXPECT_EQ(form.txtTimeOperate.text(), "0" + separator() + "75 sec.");
}

TEST_F(MainWindow, ComputeShowsTheTrueLengthOfHugeFiles) {
    const auto native = folder.native() / "huge.img";
    folder.writeFile("huge.img", "");
    std::filesystem::resize_file(native, (std::uintmax_t{2} << 30) + 7);
    form.txtPathAndFileName.setText(folder.programPath() + "huge.img");
    form.CalculateCRC();
    EXPECT_EQ(form.txtFileSize.text(), "2147483655 bytes") << "past the signed 32-bit range";
}

TEST_F(MainWindow, ComputeRefusesAPathThatCannotBeRead) {
    const std::string file = folder.writeFile("a.bin", "abc");
    form.txtPathAndFileName.setText(file);
    form.cmndCalculate_Click();

    for (const std::string& unreadable : {file + ".missing", folder.programPath() + "sub"}) {
        folder.writeFile("sub/x", "");
        desktop.boxes.clear();
        form.txtPathAndFileName.setText(unreadable);
        form.CalculateCRC();
        SCOPED_TRACE(unreadable);
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_EQ(desktop.boxes[0].title, "Upozornění");
        EXPECT_EQ(desktop.boxes[0].icon, MessageIcon::Exclamation);
        EXPECT_NE(desktop.boxes[0].text.find(unreadable), std::string::npos);
        EXPECT_EQ(form.txtCRC32Result.text(), "") << "no false checksum is shown";
        EXPECT_FALSE(form.cndSaveCRCFile.enabled()) << "nothing is offered for saving";
    }
}

#ifndef _WIN32
// Pipes in folders are the Linux layer's; the Windows layer tests its devices itself.
TEST_F(MainWindow, ComputeOffersNothingForAFileNotReadWholeAndUnchanged) {
    const std::string file = folder.writeFile("a.bin", std::string(700000, 'a'));
    ASSERT_EQ(::mkfifo((folder.native() / "pipe").c_str(), 0600), 0);
    const struct {
        const char* name;
        std::function<void(testing_support::FaultyFileSystem&)> fault;
        std::string path;
        std::string textPart;
    } cases[] = {
        {"read fails", [](auto& f) { f.failAfterBytes = 600000; }, file, "selhalo"},
        {"file shrinks", [](auto& f) { f.endAfterBytes = 10; }, file, "se během čtení změnil"},
        {"file removed",
         [&](auto& f) {
             f.afterFirstRead = [&] { std::filesystem::remove(folder.native() / "a.bin"); };
         },
         file, "se během čtení změnil"},
        {"pipe", [](auto&) {}, folder.programPath() + "pipe", "není obyčejný soubor"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.writeFile("a.bin", std::string(700000, 'a'));
        form.txtPathAndFileName.setText(file);
        form.CalculateCRC();
        ASSERT_TRUE(form.cndSaveCRCFile.enabled());

        testing_support::FaultyFileSystem faulty;
        c.fault(faulty);
        desktop.boxes.clear();
        form.txtPathAndFileName.setText(c.path);
        EXPECT_EQ(form.CalculateCRC(), kExitCannotReadOrWrite);
        EXPECT_EQ(form.txtCRC32Result.text(), "");
        EXPECT_EQ(form.txtFileSize.text(), "");
        EXPECT_FALSE(form.cndSaveCRCFile.enabled()) << "nothing is offered for saving";
        ASSERT_EQ(desktop.boxes.size(), 1u);
        EXPECT_NE(desktop.boxes[0].text.find(c.path + " "), std::string::npos)
            << desktop.boxes[0].text;
        EXPECT_NE(desktop.boxes[0].text.find(c.textPart), std::string::npos)
            << desktop.boxes[0].text;
    }
}
#endif

TEST_F(MainWindow, ANativePathInTheBoxWorksLikeAProgramPath) {
    const std::string program = folder.writeFile("n b.bin", "123456789");
    const std::string native = (folder.native() / "n b.bin").string();
    form.txtPathAndFileName.userSetsText(native);
    EXPECT_TRUE(form.cmndCalculate.enabled());
    form.cmndCalculate_Click();
    EXPECT_EQ(form.txtCRC32Result.text(), "CBF43926");
    EXPECT_EQ(form.txtPathAndFileName.text(), native) << "the box keeps what was typed";

    EXPECT_EQ(form.SaveCRCFile(), kExitOk);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Kontrolní součet uložen do souboru " + program + ".CRC");
    EXPECT_TRUE(std::filesystem::exists(folder.native() / "n b.bin.CRC"));

    form.txtPathAndFileName.userSetsText(folder.native().string() + "/");
    form.cmdSelectFile_Click();
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].startFolder + "\\", folder.programPath());
}

TEST_F(MainWindow, ComputeWithAnEmptyPathDoesNothing) {
    form.txtCRC32Result.setText("keep");
    form.CalculateCRC();
    EXPECT_EQ(form.txtCRC32Result.text(), "keep");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(MainWindow, FocusSelectsTheWholeText) {
    form.txtCRC32Result.setText("CBF43926");
    form.txtCRC32Result.onGotFocus();
    EXPECT_EQ(form.txtCRC32Result.selStart(), 0);
    EXPECT_EQ(form.txtCRC32Result.selLength(), 8);
    form.txtFileSize.setText("9 bytes");
    form.txtFileSize.onGotFocus();
    EXPECT_EQ(form.txtFileSize.selLength(), 7);
    form.txtPathAndFileName.onGotFocus();
    EXPECT_EQ(form.txtPathAndFileName.selLength(), 0);
}

TEST_F(MainWindow, MenusCarryTheirCaptionsAndOrder) {
    std::vector<std::pair<std::string, std::string>> menus;
    for (const auto& control : form.controls()) {
        if (control->kind() == ui::ControlKind::Menu ||
            control->kind() == ui::ControlKind::MenuItem) {
            menus.emplace_back(control->name(), control->text());
        }
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"mnuFile", "&Soubor"},
        {"mnuFile_OpenFile", "&Vytvořit soubor .CRC"},
        {"mnuFile_OpenFileCRC", "Otevřít soubor .CRC"},
        {"mnuFile_Space", "-"},
        {"mnuFile_ExitProgram", "&Konec programu"},
        {"mnuOptions", "&Nastavení"},
        {"mnuOptions_Options", "&Nastavení"},
        {"mnuAbout", "&O programu"},
        {"mnuAbout_Help", "&Nápověda"},
        {"mnuAbout_About", "&O programu"},
    };
    EXPECT_EQ(menus, expected);
    EXPECT_EQ(form.control("mnuFile_ExitProgram").parentName(), "mnuFile");
}

TEST_F(MainWindow, ExitAndHelpMenus) {
    form.control("mnuAbout_Help").onClick();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, kUsageText);
    EXPECT_FALSE(form.ended()) << "the program goes on after the usage text";

    form.control("mnuFile_ExitProgram").onClick();
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(desktop.exitCode(), 0);
}

// Start-up through the command line, the window shown or not.
struct StartedProgram {
    ui::ScriptedDesktop desktop;
    std::ostringstream errors;
    int code = -1;
    std::string pathBox;
    bool autoRun = false;

    explicit StartedProgram(const std::string& commandLine) {
        desktop.whileShown = [this](ui::Form& shown) {
            auto& main = dynamic_cast<frmSumora&>(shown);
            pathBox = main.txtPathAndFileName.text();
            autoRun = main.AutoRun;
        };
        code = runProgram(desktop, commandLine, errors);
    }
    bool shown() const { return !desktop.shownForms.empty(); }
    bool showedHelp() const {
        return desktop.boxes.size() == 1 && desktop.boxes[0].text == kUsageText &&
               desktop.boxes[0].title == "Sumora" && desktop.boxes[0].icon == MessageIcon::None;
    }
};

TEST(StartUp, HelpWinsInAnyCaseAndAnywhere) {
    // Only help asked for succeeds; help found inside a path replaced the work asked for.
    const struct {
        const char* line;
        int code;
    } cases[] = {
        {"/Help", kExitOk},
        {"/HELP", kExitOk},
        {"/help", kExitOk},
        {"x /HeLp ", kExitOk},
        {"/Auto /x /help /SourceFile:C:\\a", kExitOk},
        {" /SourceFile:C:\\Help\\a.txt", kExitUsageShown},
        {"/Auto /SourceFile:Z:\\srv\\helpdesk\\a.bin", kExitUsageShown},
        {"/Helpful", kExitUsageShown},
    };
    for (const auto& c : cases) {
        StartedProgram run(c.line);
        EXPECT_TRUE(run.showedHelp()) << c.line;
        EXPECT_FALSE(run.shown()) << c.line;
        EXPECT_EQ(run.code, c.code) << c.line;
    }
}

TEST(StartUp, InterpretsPiecesInOrder) {
    testing_support::TempFolder folder;
    const std::string file = folder.writeFile("a b.bin", "x");
    const struct {
        std::string line;
        std::string pathBox;
    } cases[] = {
        {"", ""},
        {"/SourceFile:" + file, file},
        {"/sourcefile:C:\\First /SOURCEFILE:C:\\Second", "C:\\Second"},
        {"/SourceFile", "SourceFile"},
        {"/x /y", ""},
        {"C:\\a.CRC /x", ""},
        {"/SourceFile:C:\\Data/more", "C:\\Data"},
    };
    for (const auto& c : cases) {
        StartedProgram run(c.line);
        EXPECT_TRUE(run.shown()) << c.line;
        EXPECT_EQ(run.pathBox, c.pathBox) << c.line;
        EXPECT_TRUE(run.desktop.boxes.empty()) << c.line;
    }
}

TEST(StartUp, SourceFileThatNamesAFolderStartsTheDialogThere) {
    testing_support::TempFolder folder;
    ui::ScriptedDesktop desktop;
    frmSumora form(desktop, "/SourceFile:" + folder.programPath());
    form.Form_Load();
    EXPECT_FALSE(form.cmndCalculate.enabled());
    form.cmdSelectFile_Click();
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].startFolder, folder.programPath());
}

TEST(StartUp, AutoInsideASourcePathMeansUnattended) {
    ui::ScriptedDesktop desktop;
    frmSumora form(desktop, "/SourceFile:C:\\Autos\\a.bin");
    form.SplitCommandLine();
    ASSERT_EQ(form.CommandLineArgs.size(), 2u);
    form.Form_Load();
    EXPECT_TRUE(form.AutoRun);
    EXPECT_EQ(form.txtPathAndFileName.text(), "");
}

TEST(StartUp, OnePieceNamingNothingShowsTheWindow) {
    StartedProgram run("C:\\no\\such.CRC");
    EXPECT_TRUE(run.shown());
    EXPECT_TRUE(run.desktop.boxes.empty());
}

TEST(StartUp, WithoutADisplayItSaysSoAndShowsTheUsage) {
    ui::ScriptedDesktop desktop;
    desktop.windowsAvailable = false;
    std::ostringstream errors;
    const int code = runProgram(desktop, "", errors);
    EXPECT_NE(code, 0);
    EXPECT_NE(errors.str().find("nelze zobrazit"), std::string::npos) << errors.str();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, kUsageText);
    EXPECT_TRUE(desktop.shownForms.empty());
}

}  // namespace
}  // namespace app
