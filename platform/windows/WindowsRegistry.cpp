#include "platform/windows/WindowsRegistry.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdint>

#include "platform/windows/Wide.h"

namespace platform {
namespace {

constexpr std::wstring_view kUserClasses = L"Software\\Classes";

// The seam's rules for key paths, which Windows checks less strictly: no empty name between
// separators, at either end, and no control character.
bool validPath(const std::string& path) {
    if (path.empty()) {
        return true;
    }
    if (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string::npos) {
        return false;
    }
    for (const char c : path) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    return true;
}

std::wstring userPath(RegistryRoot root, const std::string& path) {
    if (root == RegistryRoot::CurrentUser) {
        return widen(path);
    }
    std::wstring full(kUserClasses);
    if (!path.empty()) {
        full += L'\\';
        full += widen(path);
    }
    return full;
}

RegResult resultOf(LSTATUS status) {
    switch (status) {
        case ERROR_SUCCESS:
        case ERROR_FILE_NOT_FOUND:
        case ERROR_ACCESS_DENIED:
        case ERROR_INVALID_HANDLE:
        case ERROR_INVALID_PARAMETER:
        case ERROR_KEY_DELETED:
            return static_cast<RegResult>(status);
        case ERROR_PATH_NOT_FOUND:
            return RegResult::FileNotFound;
        default:
            return RegResult::StoreFailed;
    }
}

HKEY handleOf(RegKey key) {
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}

RegKey keyOf(HKEY handle) {
    return static_cast<RegKey>(reinterpret_cast<std::uintptr_t>(handle));
}

// REG_SZ data with its terminating null, as RegSetValueExW wants it.
LSTATUS setText(HKEY key, const wchar_t* name, const std::string& value) {
    const std::wstring text = widen(value);
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

RegResult WindowsRegistry::createKey(RegistryRoot root, const std::string& path, RegKey& key) {
    if (!validPath(path)) {
        return RegResult::InvalidParameter;
    }
    HKEY opened = nullptr;
    const LSTATUS status =
        ::RegCreateKeyExW(HKEY_CURRENT_USER, userPath(root, path).c_str(), 0, nullptr, 0,
                          KEY_READ | KEY_WRITE, nullptr, &opened, nullptr);
    if (status == ERROR_SUCCESS) {
        key = keyOf(opened);
    }
    return resultOf(status);
}

RegResult WindowsRegistry::openKey(RegistryRoot root, const std::string& path, RegKey& key) {
    if (!validPath(path)) {
        return RegResult::InvalidParameter;
    }
    HKEY opened = nullptr;
    const LSTATUS status = ::RegOpenKeyExW(HKEY_CURRENT_USER, userPath(root, path).c_str(), 0,
                                           KEY_READ | KEY_WRITE, &opened);
    if (status == ERROR_SUCCESS) {
        key = keyOf(opened);
    }
    return resultOf(status);
}

RegResult WindowsRegistry::setValue(RegKey key, const std::string& subKey,
                                    const std::string& value) {
    if (subKey.empty()) {
        return resultOf(setText(handleOf(key), nullptr, value));
    }
    if (!validPath(subKey)) {
        return RegResult::InvalidParameter;
    }
    HKEY opened = nullptr;
    LSTATUS status = ::RegCreateKeyExW(handleOf(key), widen(subKey).c_str(), 0, nullptr, 0,
                                       KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (status == ERROR_SUCCESS) {
        status = setText(opened, nullptr, value);
        ::RegCloseKey(opened);
    }
    return resultOf(status);
}

RegResult WindowsRegistry::setValueEx(RegKey key, const std::string& name,
                                      const std::string& value) {
    return resultOf(setText(handleOf(key), widen(name).c_str(), value));
}

RegResult WindowsRegistry::queryValueEx(RegKey key, const std::string& name, std::string& value) {
    const std::wstring wideName = widen(name);
    std::wstring data;
    // The value may grow between the call that measures it and the one that reads it.
    for (;;) {
        DWORD type = 0;
        auto size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        const LSTATUS status = ::RegQueryValueExW(handleOf(key), wideName.c_str(), nullptr, &type,
                                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && data.empty() && size > 0)) {
            data.resize(size / sizeof(wchar_t) + 1);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return resultOf(status);
        }
        // The program keeps texts only; a value of another type is not one of its own.
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return RegResult::FileNotFound;
        }
        data.resize(size / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0') {
            data.pop_back();
        }
        value = narrow(data);
        return RegResult::Success;
    }
}

RegResult WindowsRegistry::deleteKey(RegistryRoot root, const std::string& path) {
    if (path.empty() || !validPath(path)) {
        return RegResult::InvalidParameter;
    }
    return resultOf(::RegDeleteKeyW(HKEY_CURRENT_USER, userPath(root, path).c_str()));
}

RegResult WindowsRegistry::closeKey(RegKey key) {
    return resultOf(::RegCloseKey(handleOf(key)));
}

void WindowsRegistry::associationsChanged() {
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

Registry& systemRegistry() {
    static WindowsRegistry instance;
    return instance;
}

}  // namespace platform
