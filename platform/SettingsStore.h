#pragma once

#include <optional>
#include <string>

#include "platform/Registry.h"

namespace platform {

// The per-user application settings, addressed by application, section and key, kept where
// the Windows program keeps them: the named value <key> of the key
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>.
std::string settingsKeyPath(const std::string& application, const std::string& section);

// The stored text, or the default when the key, section or application is absent; nothing
// when the store cannot be read.
std::optional<std::string> readSetting(Registry& registry, const std::string& application,
                                       const std::string& section, const std::string& key,
                                       const std::string& defaultValue);
// Stores the text, creating application, section and key as needed; false when it failed.
bool saveSetting(Registry& registry, const std::string& application, const std::string& section,
                 const std::string& key, const std::string& value);

}  // namespace platform
