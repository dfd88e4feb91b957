#include "tests/windows/UserRegistry.h"

namespace testing_support {

RegistrySnapshot::RegistrySnapshot(std::wstring path) : path_(std::move(path)) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        saved_ = read(key);
        ::RegCloseKey(key);
    }
}

RegistrySnapshot::~RegistrySnapshot() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    if (saved_) {
        write(HKEY_CURRENT_USER, path_, *saved_);
    }
}

RegistrySnapshot::Tree RegistrySnapshot::read(HKEY key) {
    Tree tree;
    DWORD longestName = 0;
    DWORD longestValueName = 0;
    DWORD longestData = 0;
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longestName, nullptr, nullptr,
                       &longestValueName, &longestData, nullptr, nullptr);
    for (DWORD index = 0;; ++index) {
        std::wstring name(longestValueName + 1, L'\0');
        auto nameLength = static_cast<DWORD>(name.size());
        Value value;
        value.data.resize(longestData);
        auto size = static_cast<DWORD>(value.data.size());
        if (::RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &value.type,
                            value.data.data(), &size) != ERROR_SUCCESS) {
            break;
        }
        name.resize(nameLength);
        value.data.resize(size);
        tree.values[name] = std::move(value);
    }
    for (DWORD index = 0;; ++index) {
        std::wstring name(longestName + 1, L'\0');
        auto nameLength = static_cast<DWORD>(name.size());
        if (::RegEnumKeyExW(key, index, name.data(), &nameLength, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS) {
            break;
        }
        name.resize(nameLength);
        HKEY sub = nullptr;
        if (::RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &sub) == ERROR_SUCCESS) {
            tree.keys[name] = read(sub);
            ::RegCloseKey(sub);
        }
    }
    return tree;
}

void RegistrySnapshot::write(HKEY parent, const std::wstring& name, const Tree& tree) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    for (const auto& [valueName, value] : tree.values) {
        ::RegSetValueExW(key, valueName.c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size()));
    }
    for (const auto& [keyName, sub] : tree.keys) {
        write(key, keyName, sub);
    }
    ::RegCloseKey(key);
}

std::optional<std::wstring> textValueOf(const std::wstring& path, const std::wstring& name) {
    const wchar_t* valueName = name.empty() ? nullptr : name.c_str();
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), valueName, RRF_RT_REG_SZ, nullptr, nullptr,
                       &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), valueName, RRF_RT_REG_SZ, nullptr,
                       value.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') {
        value.pop_back();
    }
    return value;
}

bool keyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

}  // namespace testing_support
