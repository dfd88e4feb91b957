#include "app/frmSumora.h"

#include "app/CommandLine.h"
#include "app/ComputeProgress.h"
#include "app/ExitCodes.h"
#include "app/FileReadReport.h"
#include "app/NumberText.h"
#include "app/modFileDirExists_v2.h"
#include "app/modSumora.h"
#include "core/modCRC32_v2.h"
#include "identity/Identity.h"
#include "identity/modBuild_v2.h"
#include "identity/modVersion.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Text.h"
#include "settings/frmOptions.h"
#include "settings/modOptions.h"

namespace app {

using ui::ControlKind;

frmSumora::frmSumora(ui::Desktop& desktop, std::string commandLine)
    : ui::Form("frmSumora"),
      Label1(add(ControlKind::Label, "Label1", "Sumora", ui::pixelRect(232, 8, 275, 49))),
      hrlVelmoraHomePage(add(ControlKind::HyperLink, "hrlVelmoraHomePage",
                             identity::kMakerHomePageCaption, ui::pixelRect(16, 8, 151, 21))),
      hrlOnLineHelp(
          add(ControlKind::HyperLink, "hrlOnLineHelp", "Nápověda", ui::pixelRect(608, 8, 70, 21))),
      Label2(add(ControlKind::Label, "Label2", "Soubor:", ui::pixelRect(16, 96, 53, 21))),
      txtPathAndFileName(
          add(ControlKind::TextBox, "txtPathAndFileName", "", ui::pixelRect(112, 90, 497, 27))),
      cmdSelectFile(
          add(ControlKind::Button, "cmdSelectFile", ". . .", ui::pixelRect(624, 88, 41, 33))),
      cmndCalculate(
          add(ControlKind::Button, "cmndCalculate", "&Vypočti", ui::pixelRect(544, 136, 121, 33))),
      lblFileSize(
          add(ControlKind::Label, "lblFileSize", "Velikost:", ui::pixelRect(16, 208, 59, 21))),
      txtFileSize(add(ControlKind::TextBox, "txtFileSize", "", ui::pixelRect(112, 200, 497, 27))),
      lblCRC32Result(
          add(ControlKind::Label, "lblCRC32Result", "CRC32:", ui::pixelRect(16, 240, 49, 21))),
      txtCRC32Result(
          add(ControlKind::TextBox, "txtCRC32Result", "", ui::pixelRect(112, 232, 497, 27))),
      cndSaveCRCFile(add(ControlKind::Button, "cndSaveCRCFile", "Ulož .CRC",
                         ui::pixelRect(544, 312, 121, 33))),
      lblTimeOperate(add(ControlKind::Label, "lblTimeOperate",
                         "Čas operace:", ui::pixelRect(112, 344, 87, 21))),
      txtTimeOperate(
          add(ControlKind::Label, "txtTimeOperate", "", ui::pixelRect(208, 344, 195, 23))),
      Label3(add(ControlKind::Label, "Label3", "", ui::pixelRect(16, 456, 134, 21))),
      picLogoCRC32(add(ControlKind::Picture, "picLogoCRC32", "", ui::pixelRect(16, 136, 81, 49))),
      picLogoMain(add(ControlKind::Picture, "picLogoMain", "", ui::pixelRect(560, 392, 113, 49))),
      desktop_(desktop),
      commandLine_(std::move(commandLine)) {
    setCaption(identity::kAppTitle);
    setClientSize(696 * ui::kTwipsPerDesignPixel, 488 * ui::kTwipsPerDesignPixel);
    setBackgroundPicture("background.main");
    onLoad = [this] { Form_Load(); };

    Label1.setFontSize(27.75);
    Label3.setAutoSize(true);
    // The captions and logos lie on the background picture.
    for (ui::Control* caption :
         {&Label1, &hrlVelmoraHomePage, &hrlOnLineHelp, &Label2, &lblFileSize, &lblCRC32Result,
          &lblTimeOperate, &txtTimeOperate, &Label3, &picLogoCRC32, &picLogoMain}) {
        caption->setBackStyle(ui::BackStyle::Transparent);
    }
    hrlVelmoraHomePage.setUrl(identity::kMakerHomePageUrl);
    hrlOnLineHelp.setUrl(identity::kOnLineHelpUrl);
    picLogoCRC32.setPicture("logo.crc32");
    picLogoMain.setPicture("logo.main");

    txtPathAndFileName.setTabIndex(1);
    txtCRC32Result.setTabIndex(2);
    txtFileSize.setTabIndex(3);
    cmdSelectFile.setTabIndex(4);
    cmndCalculate.setTabIndex(5);
    cndSaveCRCFile.setTabIndex(6);
    cmndCalculate.setEnabled(false);
    cndSaveCRCFile.setEnabled(false);

    txtPathAndFileName.onChange = [this] { txtPathAndFileName_Change(); };
    txtPathAndFileName.onGotFocus = [this] { txtPathAndFileName_GotFocus(); };
    txtFileSize.onGotFocus = [this] { txtFileSize_GotFocus(); };
    txtCRC32Result.onGotFocus = [this] { txtCRC32Result_GotFocus(); };
    cmdSelectFile.onClick = [this] { cmdSelectFile_Click(); };
    cmndCalculate.onClick = [this] { cmndCalculate_Click(); };
    cndSaveCRCFile.onClick = [this] { cndSaveCRCFile_Click(); };

    addMenus();
}

void frmSumora::addMenus() {
    add(ControlKind::Menu, "mnuFile", "&Soubor");
    const auto item = [this](const std::string& menu, const std::string& name,
                             const std::string& text) -> ui::Control& {
        auto& control = add(ControlKind::MenuItem, name, text);
        control.setParentName(menu);
        return control;
    };
    item("mnuFile", "mnuFile_OpenFile", "&Vytvořit soubor .CRC").onClick = [this] {
        mnuFile_OpenFile_Click();
    };
    item("mnuFile", "mnuFile_OpenFileCRC", "Otevřít soubor .CRC").onClick = [this] {
        mnuFile_OpenFileCRC_Click();
    };
    item("mnuFile", "mnuFile_Space", "-");
    item("mnuFile", "mnuFile_ExitProgram", "&Konec programu").onClick = [this] {
        mnuFile_ExitProgram_Click();
    };
    add(ControlKind::Menu, "mnuOptions", "&Nastavení");
    item("mnuOptions", "mnuOptions_Options", "&Nastavení").onClick = [this] {
        mnuOptions_Options_Click();
    };
    add(ControlKind::Menu, "mnuAbout", "&O programu");
    item("mnuAbout", "mnuAbout_Help", "&Nápověda").onClick = [this] { mnuAbout_Help_Click(); };
    item("mnuAbout", "mnuAbout_About", "&O programu").onClick = [this] { mnuAbout_About_Click(); };
}

void frmSumora::Form_Load() {
    Label3.setText(std::string(identity::kProductName) + ", ver." + identity::VersionLabel() +
                   ", build " + identity::BuildLabel());
    settings::LoadConfiguration(desktop_);
    SplitCommandLine();
    interpretCommandLine();
    if (!ended_ && AutoRun) {
        EndProgram(runUnattended());
    }
}

int frmSumora::runUnattended() {
    const std::string path = platform::fileSystem().fromTyped(txtPathAndFileName.text());
    if (!FileExists(path)) {
        // Nothing to compute: a checksum file written now would hold no result.
        warn(path.empty() ? "Chybí argument /SourceFile: s cestou k souboru, kontrolní součet "
                            "nebyl vytvořen."
                          : "Soubor " + path + " nenalezen, kontrolní součet nebyl vytvořen.");
        return kExitFileNotFound;
    }
    const int computed = CalculateCRC();
    return computed != kExitOk ? computed : SaveCRCFile();
}

void frmSumora::warn(const std::string& text, const std::string& title) {
    desktop_.messageBox(text, ui::MessageButtons::Ok, ui::MessageIcon::Exclamation, title);
}

void frmSumora::SplitCommandLine() {
    CommandLineArgs = splitCommandLine(commandLine_);
}

void frmSumora::interpretCommandLine() {
    if (CommandLineArgs.size() == 1) {
        if (FileExists(CommandLineArgs[0])) {
            EndProgram(TestCRCFile(CommandLineArgs[0]));
        }
        return;
    }
    for (std::size_t i = 1; i < CommandLineArgs.size(); ++i) {
        const std::string& piece = CommandLineArgs[i];
        const std::string lower = platform::toLower(piece);
        if (lower.find("help") != std::string::npos) {
            ShowHelp(desktop_);
            // Only /Help itself is a success; help inside a path means the work was not done.
            EndProgram(lower == "help" ? kExitOk : kExitUsageShown);
            return;
        }
        if (lower.find("auto") != std::string::npos) {
            AutoRun = true;
        } else if (lower.find("sourcefile") != std::string::npos) {
            const auto colon = piece.find(':');
            txtPathAndFileName.setText(colon == std::string::npos ? piece
                                                                  : piece.substr(colon + 1));
        }
    }
}

void frmSumora::cmdSelectFile_Click() {
    txtFileSize.setText("");
    txtCRC32Result.setText("");
    txtTimeOperate.setText("");

    cmdCommonDlg.filter = "Všechny soubory (*.*)|*.*";
    cmdCommonDlg.defaultExt = "*";
    cmdCommonDlg.dialogTitle = "Výběr souboru pro CRC test";
    cmdCommonDlg.hideReadOnly = true;
    cmdCommonDlg.initDir = platform::fileSystem().fromTyped(txtPathAndFileName.text());
    if (!desktop_.showOpen(cmdCommonDlg)) {
        return;
    }
    txtPathAndFileName.setText(cmdCommonDlg.fileName);
    cndSaveCRCFile.setEnabled(false);
    cmndCalculate.setEnabled(true);
}

void frmSumora::mnuFile_OpenFile_Click() {
    cmdSelectFile_Click();
}

void frmSumora::cmndCalculate_Click() {
    CalculateCRC();
}

void frmSumora::cndSaveCRCFile_Click() {
    SaveCRCFile();
}

int frmSumora::CalculateCRC() {
    const std::string path = platform::fileSystem().fromTyped(txtPathAndFileName.text());
    if (path.empty()) {
        return kExitOk;
    }
    const float t0 = platform::clock().secondsSinceMidnight();
    const WatchedRead watched = readWatched(path);
    const core::FileChecksum& read = watched.read;
    if (read.outcome != core::ReadOutcome::Complete) {
        // A checksum of a file not read whole, or beside the length of other contents, would
        // be offered for saving as true.
        txtCRC32Result.setText("");
        txtFileSize.setText("");
        txtTimeOperate.setText("");
        cndSaveCRCFile.setEnabled(false);
        if (read.outcome == core::ReadOutcome::Cancelled) {
            reportCancelled(watched);
        } else {
            warn(readFailureText(read.outcome, path) + ", kontrolní součet nebyl vypočten.");
        }
        return readFailureExitCode(read.outcome);
    }
    txtCRC32Result.setText(core::crc32ToHex(read.crc));
    txtFileSize.setText(std::to_string(read.length) + " bytes");
    const float t1 = platform::clock().secondsSinceMidnight();
    float elapsed = t1 - t0;
    if (elapsed < 0.0f) {
        elapsed += 86400.0f;  // the computation ran past midnight
    }
    txtTimeOperate.setText(singleToText(elapsed, platform::decimalSeparator()) + " sec.");
    cndSaveCRCFile.setEnabled(true);
    return kExitOk;
}

frmSumora::WatchedRead frmSumora::readWatched(const std::string& path) {
    WatchedRead watched;
    {
        ComputeProgress progress(desktop_, *this, txtTimeOperate, progressTerminal_);
        watched.read = core::ReadFileCRC32(path, progress.callback());
        watched.windowClosed = progress.closeRequested();
    }  // a window closed meanwhile goes now
    return watched;
}

void frmSumora::reportCancelled(const WatchedRead& watched) {
    // Who closed the window needs no word on it.
    if (!watched.windowClosed) {
        desktop_.messageBox("Výpočet byl přerušen.", ui::MessageButtons::Ok,
                            ui::MessageIcon::Information, "Informace");
    }
}

void frmSumora::txtPathAndFileName_Change() {
    cmndCalculate.setEnabled(
        FileExists(platform::fileSystem().fromTyped(txtPathAndFileName.text())));
}

void frmSumora::txtPathAndFileName_GotFocus() {
    SelectAllText(txtPathAndFileName);
}
void frmSumora::txtFileSize_GotFocus() {
    SelectAllText(txtFileSize);
}
void frmSumora::txtCRC32Result_GotFocus() {
    SelectAllText(txtCRC32Result);
}

void frmSumora::mnuFile_ExitProgram_Click() {
    EndProgram();
}

void frmSumora::mnuOptions_Options_Click() {
    settings::frmOptions options(desktop_);
    desktop_.showModal(options);
}

void frmSumora::mnuAbout_Help_Click() {
    ShowHelp(desktop_);
}

void frmSumora::mnuAbout_About_Click() {
    if (!frmAbout_) {
        frmAbout_ = std::make_unique<about::frmAbout>(desktop_);
    }
    desktop_.showModal(*frmAbout_);
}

void frmSumora::EndProgram(int exitCode) {
    ended_ = true;
    exitCode_ = exitCode;
    desktop_.unload(*this);
    desktop_.quit(exitCode);
}

}  // namespace app
