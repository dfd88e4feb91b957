#include "tests/settings/FaultyRegistry.h"

namespace settings_testing {

using platform::RegistryRoot;
using platform::RegKey;
using platform::RegResult;

FaultyRegistry::FaultyRegistry() : installed_(*this) {}

RegResult FaultyRegistry::createKey(RegistryRoot root, const std::string& path, RegKey& key) {
    return real_.createKey(root, path, key);
}

RegResult FaultyRegistry::openKey(RegistryRoot root, const std::string& path, RegKey& key) {
    return real_.openKey(root, path, key);
}

RegResult FaultyRegistry::setValue(RegKey key, const std::string& subKey,
                                   const std::string& value) {
    return real_.setValue(key, subKey, value);
}

RegResult FaultyRegistry::setValueEx(RegKey key, const std::string& name,
                                     const std::string& value) {
    if (failSetValueEx && failSetValueEx(name)) {
        return RegResult::StoreFailed;
    }
    setNamedValues.push_back(name);
    return real_.setValueEx(key, name, value);
}

RegResult FaultyRegistry::queryValueEx(RegKey key, const std::string& name, std::string& value) {
    return real_.queryValueEx(key, name, value);
}

RegResult FaultyRegistry::deleteKey(RegistryRoot root, const std::string& path) {
    return real_.deleteKey(root, path);
}

RegResult FaultyRegistry::closeKey(RegKey key) {
    return real_.closeKey(key);
}

void FaultyRegistry::associationsChanged() {
    ++notifications;
    real_.associationsChanged();
}

}  // namespace settings_testing
