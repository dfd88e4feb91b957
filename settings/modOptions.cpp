#include "settings/modOptions.h"

#include "identity/Identity.h"
#include "identity/modBuild_v2.h"
#include "identity/modVersion.h"
#include "platform/Executable.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "settings/modAssociateExtension.h"

namespace settings {

std::string ApplicationName() {
    return platform::executableBaseName();
}

std::string VersionProgramText() {
    return identity::VersionLabel() + " " + identity::BuildLabel();
}

std::optional<std::string> GetSetting(const Setting& setting) {
    return platform::readSetting(platform::registry(), ApplicationName(), setting.section,
                                 setting.key, setting.defaultValue);
}

bool SaveSetting(const Setting& setting, const std::string& value) {
    return platform::saveSetting(platform::registry(), ApplicationName(), setting.section,
                                 setting.key, value);
}

bool WriteDefaultConfiguration() {
    return SaveSetting(kVersionProgram, VersionProgramText()) &&
           SaveSetting(kCopyright, identity::kCompanyName);
}

namespace {

// Runs one guarded step; a failure it reports or raises counts once.
template <class Step>
void guarded(short& failures, Step step) {
    try {
        if (!step()) {
            ++failures;
        }
    } catch (...) {
        ++failures;
    }
}

}  // namespace

void LoadConfiguration(ui::Desktop& desktop) {
    short failures = 0;
    std::optional<std::string> version;
    guarded(failures, [&] {
        version = GetSetting(kVersionProgram);
        return version.has_value();
    });
    // A store that cannot be read is no first start: asking would repeat at every start.
    if (version && version->empty()) {
        guarded(failures, [] { return WriteDefaultConfiguration(); });
        ui::MessageResult answer = ui::MessageResult::No;
        guarded(failures, [&] {
            answer = desktop.messageBox(
                "Chcete zaregistrovat soubor typu .CRC pro automatické použití v tomto programu?",
                ui::MessageButtons::YesNo, ui::MessageIcon::Question, "Dotaz");
            return true;
        });
        if (answer == ui::MessageResult::Yes) {
            guarded(failures, [&] {
                ExecutablePath = ComputeExecutablePath();
                CreateAssociation(desktop, "crc", ExecutablePath, ApplicationName());
                return true;
            });
        }
    }
    if (failures > 0) {
        try {
            desktop.messageBox(
                "Nalezeny chybné záznamy konfigurace v registru: " + std::to_string(failures) +
                    " Prosím proveďte obnovení konfigurace do výchozího nastavení",
                ui::MessageButtons::Ok, ui::MessageIcon::Critical, "Chyba konfigurace");
        } catch (...) {
            // The check passes no failure on; the report itself is all that is lost.
        }
    }
}

}  // namespace settings
