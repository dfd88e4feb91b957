#include <cstdint>
#include <optional>

#include "app/ExitCodes.h"
#include "app/FileReadReport.h"
#include "app/frmSumora.h"
#include "app/modFileDirExists_v2.h"
#include "app/modFilePathHandle.h"
#include "core/ChecksumFile.h"
#include "core/modCRC32_v2.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace app {

void frmSumora::mnuFile_OpenFileCRC_Click() {
    // The starting folder and the offered name stay as the last use of the dialog left them.
    cmdCommonDlg.filter = "Soubor CRC32 testovací soubor (*.CRC)|*.CRC";
    cmdCommonDlg.defaultExt = "CRC";
    cmdCommonDlg.dialogTitle = "Otevřít testovací soubor CRC";
    cmdCommonDlg.hideReadOnly = true;
    if (!desktop_.showOpen(cmdCommonDlg)) {
        return;
    }
    TestCRCFile(cmdCommonDlg.fileName);
}

int frmSumora::TestCRCFile(const std::string& checksumFilePath) {
    if (checksumFilePath.empty() || !FileExists(checksumFilePath)) {
        return kExitFileNotFound;
    }
    const auto critical = [this](const std::string& text, const std::string& title) {
        desktop_.messageBox(text, ui::MessageButtons::Ok, ui::MessageIcon::Critical, title);
    };
    const auto formatNotRecognised = [&] {
        critical("Formát souboru " + checksumFilePath + " nebyl rozpoznán, test nebyl dokončen",
                 "Upozornění");
        return kExitFormatNotRecognised;
    };
    const auto checksumFile = platform::fileSystem().status(checksumFilePath);
    if (!checksumFile || checksumFile->kind != platform::EntryKind::RegularFile) {
        // Opening a pipe or a device could wait, or read, forever.
        critical(readFailureText(core::ReadOutcome::NotRegularFile, checksumFilePath) +
                     ", test nebyl dokončen.",
                 "Upozornění");
        return kExitCannotReadOrWrite;
    }
    const auto lines = core::readChecksumFileLines(checksumFilePath);
    if (!lines) {
        critical("Soubor " + checksumFilePath + " nelze přečíst, test nebyl dokončen.",
                 "Upozornění");
        return kExitCannotReadOrWrite;
    }
    if (!core::hasChecksumFileMarkers(*lines)) {
        return formatNotRecognised();
    }

    std::string folder = GetFilePath(checksumFilePath);
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    std::string target;
    std::string computed;
    std::optional<std::uint64_t> hashedLength;
    bool checksumCompared = false;
    bool lengthCompared = false;
    for (const std::string& line : *lines) {
        if (line.find(core::kNameKey) != std::string::npos) {
            const std::string name = core::lineValue(line);
            if (!core::isPlainFileName(name)) {
                // The program records a bare name; anything else would lead out of the folder.
                critical("Soubor " + checksumFilePath + " neuvádí prostý název souboru (" + name +
                             "), test nebyl dokončen.",
                         "Upozornění");
                return kExitFormatNotRecognised;
            }
            target = folder + name;
            if (!FileExists(target)) {
                critical("Soubor " + target + " nenalezen.", "Varování");
                return kExitFileNotFound;
            }
            // The duration field shows the progress meanwhile; verifying changes no field.
            const std::string duration = txtTimeOperate.text();
            const WatchedRead watched = readWatched(target);
            txtTimeOperate.setText(duration);
            const core::FileChecksum& read = watched.read;
            if (read.outcome == core::ReadOutcome::Cancelled) {
                reportCancelled(watched);
                return readFailureExitCode(read.outcome);
            }
            if (read.outcome != core::ReadOutcome::Complete) {
                // Reported as a mismatch it would read as a damaged file, and as fine it
                // would vouch for contents nobody saw whole.
                critical(readFailureText(read.outcome, target) + ", test nebyl dokončen.",
                         "Varování");
                return readFailureExitCode(read.outcome);
            }
            computed = core::crc32ToHex(read.crc);
            hashedLength = read.length;
        }
        if (line.find(core::kChecksumKey) != std::string::npos) {
            if (core::lineValue(line) != computed) {
                critical("Kontrolní součet ze souboru .CRC a souboru " + platform::toUpper(target) +
                             " nesouhlasí",
                         "Varování");
                return kExitChecksumMismatch;
            }
            checksumCompared = !target.empty();
        }
        if (line.find(core::kLengthKey) != std::string::npos) {
            const auto stored = core::lengthFromText(core::lineValue(line));
            if (!stored) {
                return formatNotRecognised();
            }
            if (!hashedLength || *stored < 0 ||
                static_cast<std::uint64_t>(*stored) != *hashedLength) {
                critical("Délky souboru z .CRC a " + platform::toUpper(target) +
                             " souboru nejsou stejné",
                         "Varování");
                return kExitLengthMismatch;
            }
            lengthCompared = !target.empty();
        }
    }
    if (target.empty() || !checksumCompared || !lengthCompared) {
        // Markers in the wrong lines: nothing was verified, so nothing may be reported as fine.
        return formatNotRecognised();
    }
    desktop_.messageBox("Test CRC32 souboru " + platform::toUpper(target) + " ukončen v pořádku.",
                        ui::MessageButtons::Ok, ui::MessageIcon::Information,
                        "Výsledek testu CRC32");
    return kExitOk;
}

}  // namespace app
