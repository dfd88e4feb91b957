#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A key of the current user's registry with all its values and subkeys, put back as it was
// (or removed, when it did not exist) when the object goes: a test on the real registry leaves
// it as it found it.
class RegistrySnapshot {
public:
    // The path lies below HKEY_CURRENT_USER.
    explicit RegistrySnapshot(std::wstring path);
    ~RegistrySnapshot();
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

private:
    struct Value {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };
    struct Tree {
        std::map<std::wstring, Value> values;
        std::map<std::wstring, Tree> keys;
    };

    static Tree read(HKEY key);
    static void write(HKEY parent, const std::wstring& name, const Tree& tree);

    std::wstring path_;
    std::optional<Tree> saved_;
};

// A text value of a key below HKEY_CURRENT_USER, the default value unless a name is given;
// nothing when the key or the value is missing.
std::optional<std::wstring> textValueOf(const std::wstring& path, const std::wstring& name = {});
bool keyExists(const std::wstring& path);

}  // namespace testing_support
