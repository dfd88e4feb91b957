#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/linux/RegistryTree.h"

namespace platform {

// The registry on Linux: one text file per user, $XDG_CONFIG_HOME/sumora/registry.ini (see
// RegistryText.h), shared by every process of the user. Each call reads the file under an
// advisory lock on its folder (flock: shared to read, exclusive to change) and a change
// replaces the file durably, so processes starting together see one consistent store. A file
// that does not parse fails every call with StoreFailed and is never overwritten.
//
// HKEY_CLASSES_ROOT is what the desktop really does: the default value of an extension key
// (".crc") reads as the desktop entry that the desktop opens such files with (its id without
// ".desktop"), or is missing when the desktop opens them with nothing, as Windows reads the
// user's own choice there. associationsChanged() hands the file types to DesktopBridge.
class LinuxRegistry final : public Registry {
public:
    // The native path of the store file.
    static std::string storePath();

    RegResult createKey(RegistryRoot root, const std::string& path, RegKey& key) override;
    RegResult openKey(RegistryRoot root, const std::string& path, RegKey& key) override;
    RegResult setValue(RegKey key, const std::string& subKey, const std::string& value) override;
    RegResult setValueEx(RegKey key, const std::string& name, const std::string& value) override;
    RegResult queryValueEx(RegKey key, const std::string& name, std::string& value) override;
    RegResult deleteKey(RegistryRoot root, const std::string& path) override;
    RegResult closeKey(RegKey key) override;
    void associationsChanged() override;

private:
    struct Opened {
        RegistryRoot root;
        std::vector<std::string> names;
    };
    enum class Access { Read, Change };

    // Runs the step on the store's current contents under the lock; a change that succeeds is
    // written back.
    RegResult transact(Access access, const std::function<RegResult(RegistryTree&)>& step);
    RegResult changeValue(RegKey key, const std::string& subKey, const std::string& name,
                          const std::string& value);
    RegKey remember(RegistryRoot root, std::vector<std::string> names);

    std::map<RegKey, Opened> open_;
    RegKey next_ = 1;
};

}  // namespace platform
