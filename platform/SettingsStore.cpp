#include "platform/SettingsStore.h"

namespace platform {

std::string settingsKeyPath(const std::string& application, const std::string& section) {
    return "Software\\VB and VBA Program Settings\\" + application + "\\" + section;
}

std::optional<std::string> readSetting(Registry& registry, const std::string& application,
                                       const std::string& section, const std::string& key,
                                       const std::string& defaultValue) {
    OpenKey opened(registry);
    RegResult result =
        opened.open(RegistryRoot::CurrentUser, settingsKeyPath(application, section));
    std::string value;
    if (result == RegResult::Success) {
        result = registry.queryValueEx(opened.get(), key, value);
    }
    switch (result) {
        case RegResult::Success:
            return value;
        case RegResult::FileNotFound:
        case RegResult::KeyDeleted:
            return defaultValue;
        default:
            return std::nullopt;
    }
}

bool saveSetting(Registry& registry, const std::string& application, const std::string& section,
                 const std::string& key, const std::string& value) {
    OpenKey opened(registry);
    return opened.create(RegistryRoot::CurrentUser, settingsKeyPath(application, section)) ==
               RegResult::Success &&
           registry.setValueEx(opened.get(), key, value) == RegResult::Success;
}

}  // namespace platform
