#pragma once

#include <optional>
#include <string>

#include "ui/Desktop.h"

namespace settings {

// The program's settings: one table of key, section and default.
struct Setting {
    const char* key;
    const char* section;
    const char* defaultValue;
};
inline constexpr Setting kVersionProgram{"VersionProgram", "Configuration", ""};
inline constexpr Setting kCopyright{"Copyright", "Configuration", ""};

// The settings area's name: the executable's base name, so a renamed program has its own.
std::string ApplicationName();
// The text "VersionProgram" holds: the version and build labels.
std::string VersionProgramText();

// The stored text or the setting's default; nothing when the store cannot be read.
std::optional<std::string> GetSetting(const Setting& setting);
bool SaveSetting(const Setting& setting, const std::string& value);

// Writes "VersionProgram", then "Copyright"; stops at the first save that fails (false).
bool WriteDefaultConfiguration();

// The start-up check: on a first start (no "VersionProgram") writes the defaults and asks
// whether to associate .CRC files; failures are counted and reported once. Never throws.
void LoadConfiguration(ui::Desktop& desktop);

}  // namespace settings
