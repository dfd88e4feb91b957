#pragma once

#include <string>

#include "ui/Desktop.h"

namespace settings {

// The program's path as the association names it: the application folder, "\", the base name
// and the executable extension unless the text ends in it already. Empty until computed.
extern std::string ExecutablePath;
// Set by every CheckAssociation; the options dialog reads it.
extern bool AssociationQueried;

// The rule that gives ExecutablePath its value.
std::string ComputeExecutablePath();

// Registers the file type as the handler of the extension (given without its dot) under
// HKEY_CLASSES_ROOT and tells the desktop. Registry failures are passed over.
void CreateAssociation(ui::Desktop& desktop, const std::string& extension,
                       const std::string& executablePath, const std::string& fileType);
// Removes the file type's keys, and the extension's key when it names this file type, and
// tells the desktop.
void DeleteAssociation(ui::Desktop& desktop, const std::string& extension,
                       const std::string& fileType);
// Whether .crc files open with this very executable: .crc names the file type of the base name
// and its open command holds ExecutablePath. Computes ExecutablePath, sets AssociationQueried.
bool CheckAssociation();

}  // namespace settings
