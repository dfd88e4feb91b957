#include "settings/modAssociateExtension.h"

#include "platform/Executable.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace settings {

std::string ExecutablePath;
bool AssociationQueried = false;

namespace {

using platform::OpenKey;
using platform::RegistryRoot;
using platform::RegResult;

constexpr const char* kExtension = "crc";

bool extensionHasDot(ui::Desktop& desktop, const std::string& extension) {
    if (extension.find('.') == std::string::npos) {
        return false;
    }
    desktop.messageBox("Koncovka již obsahuje tečku, Odstraňte ji a zkuste to znovu",
                       ui::MessageButtons::Ok, ui::MessageIcon::Information, "Chyba koncovky");
    return true;
}

void setDefault(const std::string& key, const std::string& subKey, const std::string& value) {
    auto& registry = platform::registry();
    OpenKey opened(registry);
    opened.create(RegistryRoot::ClassesRoot, key);
    registry.setValue(opened.get(), subKey, value);
}

// The key's default value; empty when the key or the value is missing.
std::string defaultOf(const std::string& key) {
    auto& registry = platform::registry();
    OpenKey opened(registry);
    std::string value;
    if (opened.open(RegistryRoot::ClassesRoot, key) != RegResult::Success ||
        registry.queryValueEx(opened.get(), "", value) != RegResult::Success) {
        return {};
    }
    return value;
}

bool sameFileType(const std::string& a, const std::string& b) {
    return platform::toLower(a) == platform::toLower(b);
}

}  // namespace

std::string ComputeExecutablePath() {
    std::string path = platform::applicationFolder();
    if (!path.ends_with('\\')) {
        path += '\\';
    }
    path += platform::executableBaseName();
    const std::string extension = platform::executableExtension();
    if (path.size() < extension.size() ||
        platform::toLower(path.substr(path.size() - extension.size())) != extension) {
        path += extension;
    }
    return path;
}

void CreateAssociation(ui::Desktop& desktop, const std::string& extension,
                       const std::string& executablePath, const std::string& fileType) {
    if (extensionHasDot(desktop, extension)) {
        return;
    }
    setDefault(fileType, "", fileType);
    setDefault("." + extension, "", fileType);
    // Quoted, so that a path with blanks ("C:\Program Files\...") names the program and not
    // "C:\Program".
    setDefault(fileType, "shell\\open\\command", "\"" + executablePath + "\" %1");
    setDefault(fileType, "DefaultIcon",
               platform::applicationFolder() + "\\" + platform::executableBaseName() +
                   platform::executableExtension() + ",0");
    platform::registry().associationsChanged();
}

void DeleteAssociation(ui::Desktop& desktop, const std::string& extension,
                       const std::string& fileType) {
    if (extensionHasDot(desktop, extension)) {
        return;
    }
    auto& registry = platform::registry();
    for (const char* below :
         {"\\DefaultIcon", "\\shell\\open\\command", "\\shell\\open", "\\shell", ""}) {
        registry.deleteKey(RegistryRoot::ClassesRoot, fileType + below);
    }
    // Another program's association of the extension stays.
    if (sameFileType(defaultOf("." + extension), fileType)) {
        registry.deleteKey(RegistryRoot::ClassesRoot, "." + extension);
    }
    registry.associationsChanged();
}

bool CheckAssociation() {
    const std::string fileType = platform::executableBaseName();
    const bool ours = sameFileType(defaultOf(std::string(".") + kExtension), fileType);
    const std::string command = defaultOf(fileType + "\\shell\\open\\command");
    ExecutablePath = ComputeExecutablePath();
    AssociationQueried = true;
    return ours && !ExecutablePath.empty() && command.find(ExecutablePath) != std::string::npos;
}

}  // namespace settings
