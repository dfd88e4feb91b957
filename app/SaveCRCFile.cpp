#include "app/ExitCodes.h"
#include "app/frmSumora.h"
#include "app/modSumora.h"
#include "core/ChecksumFile.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace app {

namespace {

std::string writeErrorText(platform::WriteError error) {
    switch (error) {
        case platform::WriteError::AccessDenied:
            return "přístup byl odepřen";
        case platform::WriteError::NoSpace:
            return "na disku není dost místa";
        case platform::WriteError::BadName:
            return "systém souborů takový název nepřijímá";
        case platform::WriteError::NotFound:
            return "složka neexistuje";
        case platform::WriteError::None:
        case platform::WriteError::Other:
            break;
    }
    return "zápis se nezdařil";
}

}  // namespace

int frmSumora::SaveCRCFile() {
    const std::string path = platform::fileSystem().fromTyped(txtPathAndFileName.text());
    const std::string folder = GetFolder(path);
    if (folder.empty()) {
        // Without a folder the file would land wherever the program happens to run.
        warn("Cesta " + path + " neobsahuje složku, kontrolní součet nebyl uložen.");
        return kExitFileNotFound;
    }
    const std::string component = StripFolder(path);
    const std::string recordedName = StripExtension(component) + "." + GetExtension(component);
    const std::string target = folder + recordedName + core::kChecksumFileExtension;
    if (recordedName.find_first_of("\r\n") != std::string::npos) {
        // The name line would end there, and no verification could find the file again.
        warn("Název souboru " + path +
             " obsahuje konec řádku, který soubor .CRC nemůže zaznamenat, kontrolní součet "
             "nebyl uložen.");
        return kExitCannotReadOrWrite;
    }
    if (!core::isPlainFileName(recordedName)) {
        warn("Název " + recordedName +
             " není prostý název souboru, ověření by jej nepřijalo, kontrolní součet nebyl "
             "uložen.");
        return kExitCannotReadOrWrite;
    }

    const auto bytes = platform::utf8ToAnsi(
        core::checksumFileText(recordedName, txtCRC32Result.text(), txtFileSize.text()));
    if (!bytes) {
        // A name the code page cannot hold would be recorded as one no verification finds.
        warn("Název " + recordedName +
             " nebo hodnoty nelze zapsat v kódové stránce "
             "Windows-1250, kontrolní součet nebyl uložen.");
        return kExitCannotReadOrWrite;
    }
    const platform::WriteError error = platform::fileSystem().replaceFile(target, *bytes);
    if (error != platform::WriteError::None) {
        warn("Soubor " + target + " nelze zapsat (" + writeErrorText(error) +
             "), kontrolní součet nebyl uložen.");
        return kExitCannotReadOrWrite;
    }
    if (!AutoRun) {
        desktop_.messageBox("Kontrolní součet uložen do souboru " + target, ui::MessageButtons::Ok,
                            ui::MessageIcon::Information, "Informace");
    }
    return kExitOk;
}

}  // namespace app
