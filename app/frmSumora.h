#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "about/frmAbout.h"
#include "core/modCRC32_v2.h"
#include "ui/CommonDialog.h"
#include "ui/Desktop.h"
#include "ui/Form.h"

namespace app {

// The main window: choose a file, compute its CRC-32, save and verify checksum files; its load
// handler runs the start-up sequence and the command line.
class frmSumora : public ui::Form {
public:
    frmSumora(ui::Desktop& desktop, std::string commandLine);

    void Form_Load();

    void cmdSelectFile_Click();
    void cmndCalculate_Click();
    void cndSaveCRCFile_Click();
    void mnuFile_OpenFileCRC_Click();
    void mnuFile_OpenFile_Click();
    void mnuFile_ExitProgram_Click();
    void mnuOptions_Options_Click();
    void mnuAbout_Help_Click();
    void mnuAbout_About_Click();
    void txtPathAndFileName_Change();
    void txtPathAndFileName_GotFocus();
    void txtFileSize_GotFocus();
    void txtCRC32Result_GotFocus();

    // Each returns the exit status its outcome gives a script.
    int CalculateCRC();
    int SaveCRCFile();
    int TestCRCFile(const std::string& checksumFilePath);
    void SplitCommandLine();
    // Unloads the window and ends the program at once.
    void EndProgram(int exitCode = 0);

    // Where a long computation without a window shows its progress: a terminal, or nowhere.
    void showProgressOn(std::ostream* terminal) { progressTerminal_ = terminal; }

    bool ended() const { return ended_; }
    int exitCode() const { return exitCode_; }

    bool AutoRun = false;
    std::vector<std::string> CommandLineArgs;
    ui::CommonDialog cmdCommonDlg;

    ui::Control& Label1;
    ui::Control& hrlVelmoraHomePage;
    ui::Control& hrlOnLineHelp;
    ui::Control& Label2;
    ui::Control& txtPathAndFileName;
    ui::Control& cmdSelectFile;
    ui::Control& cmndCalculate;
    ui::Control& lblFileSize;
    ui::Control& txtFileSize;
    ui::Control& lblCRC32Result;
    ui::Control& txtCRC32Result;
    ui::Control& cndSaveCRCFile;
    ui::Control& lblTimeOperate;
    ui::Control& txtTimeOperate;
    ui::Control& Label3;
    ui::Control& picLogoCRC32;
    ui::Control& picLogoMain;

private:
    void addMenus();
    void interpretCommandLine();
    int runUnattended();
    void warn(const std::string& text, const std::string& title = "Upozornění");
    struct WatchedRead {
        core::FileChecksum read;
        bool windowClosed = false;
    };
    // Reads the file for its checksum with the window kept alive, showing progress and
    // stoppable by the user.
    WatchedRead readWatched(const std::string& path);
    void reportCancelled(const WatchedRead& watched);

    ui::Desktop& desktop_;
    std::string commandLine_;
    std::unique_ptr<about::frmAbout> frmAbout_;  // made on first use
    std::ostream* progressTerminal_ = nullptr;
    bool ended_ = false;
    int exitCode_ = 0;
};

}  // namespace app
