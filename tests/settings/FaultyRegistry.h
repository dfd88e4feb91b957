#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/linux/LinuxRegistry.h"

namespace settings_testing {

// The real registry with faults on chosen calls, and a record of the values set.
class FaultyRegistry final : public platform::Registry {
public:
    FaultyRegistry();

    // Fails the saving of a named value when it returns true for the name.
    std::function<bool(const std::string&)> failSetValueEx;
    std::vector<std::string> setNamedValues;  // in order
    int notifications = 0;

    platform::RegResult createKey(platform::RegistryRoot root, const std::string& path,
                                  platform::RegKey& key) override;
    platform::RegResult openKey(platform::RegistryRoot root, const std::string& path,
                                platform::RegKey& key) override;
    platform::RegResult setValue(platform::RegKey key, const std::string& subKey,
                                 const std::string& value) override;
    platform::RegResult setValueEx(platform::RegKey key, const std::string& name,
                                   const std::string& value) override;
    platform::RegResult queryValueEx(platform::RegKey key, const std::string& name,
                                     std::string& value) override;
    platform::RegResult deleteKey(platform::RegistryRoot root, const std::string& path) override;
    platform::RegResult closeKey(platform::RegKey key) override;
    void associationsChanged() override;

private:
    platform::LinuxRegistry real_;
    platform::ScopedRegistry installed_;
};

}  // namespace settings_testing
