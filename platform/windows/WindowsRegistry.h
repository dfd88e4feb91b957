#pragma once

#include "platform/Registry.h"

namespace platform {

// The real registry through its UTF-16 calls. HKEY_CLASSES_ROOT is written where a user without
// administrator rights may write it, HKEY_CURRENT_USER\Software\Classes, which is also what
// HKEY_CLASSES_ROOT shows that user first. A key handle is the HKEY itself.
class WindowsRegistry final : public Registry {
public:
    RegResult createKey(RegistryRoot root, const std::string& path, RegKey& key) override;
    RegResult openKey(RegistryRoot root, const std::string& path, RegKey& key) override;
    RegResult setValue(RegKey key, const std::string& subKey, const std::string& value) override;
    RegResult setValueEx(RegKey key, const std::string& name, const std::string& value) override;
    RegResult queryValueEx(RegKey key, const std::string& name, std::string& value) override;
    RegResult deleteKey(RegistryRoot root, const std::string& path) override;
    RegResult closeKey(RegKey key) override;
    void associationsChanged() override;
};

}  // namespace platform
