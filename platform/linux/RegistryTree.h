#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace platform {

// One key: its name as created, its values and its subkeys, each found ignoring letter case.
struct RegistryNode {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;  // name as written, text
    std::vector<RegistryNode> subkeys;

    RegistryNode* subkey(std::string_view wanted);
    const RegistryNode* subkey(std::string_view wanted) const;
    const std::string* value(std::string_view wanted) const;
    void setValue(const std::string& valueName, const std::string& text);
};

// Both roots of the registry in memory, with the Windows rules for paths, creation and deletion.
class RegistryTree {
public:
    RegistryNode& root(RegistryRoot which);
    const RegistryNode& root(RegistryRoot which) const;

    // A key path taken apart into its names; nothing for a path with an empty name in it
    // ("a\\b", "\a", "a\") or a control character.
    static std::optional<std::vector<std::string>> split(std::string_view path);
    // Whether a value name (or a key name) can be stored.
    static bool validName(std::string_view name);

    RegistryNode* find(RegistryRoot which, const std::vector<std::string>& names);
    const RegistryNode* find(RegistryRoot which, const std::vector<std::string>& names) const;
    // Creates the key and every missing parent; existing names keep their letter case.
    RegistryNode& create(RegistryRoot which, const std::vector<std::string>& names);
    // FileNotFound for a missing key, AccessDenied for a key with subkeys or for a root.
    RegResult remove(RegistryRoot which, const std::vector<std::string>& names);

private:
    RegistryNode classesRoot_{"HKEY_CLASSES_ROOT", {}, {}};
    RegistryNode currentUser_{"HKEY_CURRENT_USER", {}, {}};
};

}  // namespace platform
