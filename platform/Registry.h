#pragma once

#include <cstdint>
#include <string>

namespace platform {

enum class RegistryRoot { ClassesRoot, CurrentUser };

// The results of the registry calls, numbered as Windows numbers them.
enum class RegResult : std::uint32_t {
    Success = 0,
    FileNotFound = 2,  // no such key or value
    AccessDenied = 5,  // also a key that cannot be deleted because it has subkeys
    InvalidHandle = 6,
    InvalidParameter = 87,  // an empty name inside a key path, or a control character in a name
    StoreFailed = 1009,     // the store cannot be read (it does not parse) or written
    KeyDeleted = 1018,      // the open key was deleted meanwhile
};

using RegKey = std::uint64_t;  // 0 is no key

// The Windows registry as the program uses it. Key paths are names joined by "\" below a root,
// without a leading "\"; the empty path is the root itself. Names of keys and values compare
// without regard to letter case and keep the case they were created with. Values are texts;
// the empty value name is the key's default (unnamed) value. Each call is atomic and durable:
// another process sees all of it or nothing, and a crash leaves the store as before or after.
class Registry {
public:
    virtual ~Registry() = default;

    // RegCreateKey: opens the key, creating it and every missing parent.
    virtual RegResult createKey(RegistryRoot root, const std::string& path, RegKey& key) = 0;
    // RegOpenKey: opens an existing key.
    virtual RegResult openKey(RegistryRoot root, const std::string& path, RegKey& key) = 0;
    // RegSetValue: the default value of the subkey, which is created when missing; with the
    // empty subkey, the default value of the key itself.
    virtual RegResult setValue(RegKey key, const std::string& subKey, const std::string& value) = 0;
    // RegSetValueEx: a named value of the key itself.
    virtual RegResult setValueEx(RegKey key, const std::string& name, const std::string& value) = 0;
    // RegQueryValueEx: the whole value, however long it is.
    virtual RegResult queryValueEx(RegKey key, const std::string& name, std::string& value) = 0;
    // RegDeleteKey: deletes a key that has no subkeys.
    virtual RegResult deleteKey(RegistryRoot root, const std::string& path) = 0;
    // RegCloseKey.
    virtual RegResult closeKey(RegKey key) = 0;

    // SHChangeNotify with SHCNE_ASSOCCHANGED: tells the desktop that the file associations
    // under ClassesRoot changed, so that it acts on them.
    virtual void associationsChanged() = 0;
};

// The process-wide registry.
Registry& registry();

// Puts a registry in place of the process-wide one while it lives.
class ScopedRegistry {
public:
    explicit ScopedRegistry(Registry& replacement);
    ~ScopedRegistry();
    ScopedRegistry(const ScopedRegistry&) = delete;
    ScopedRegistry& operator=(const ScopedRegistry&) = delete;

private:
    Registry* previous_;
};

// An open key, closed when it goes.
class OpenKey {
public:
    explicit OpenKey(Registry& registry) : registry_(registry) {}
    ~OpenKey() {
        if (key_ != 0) {
            registry_.closeKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    RegResult create(RegistryRoot root, const std::string& path) {
        return registry_.createKey(root, path, key_);
    }
    RegResult open(RegistryRoot root, const std::string& path) {
        return registry_.openKey(root, path, key_);
    }
    RegKey get() const { return key_; }

private:
    Registry& registry_;
    RegKey key_ = 0;
};

}  // namespace platform
