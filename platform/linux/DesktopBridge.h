#pragma once

#include <optional>
#include <string>

#include "platform/linux/RegistryTree.h"

namespace platform {

// The file types of HKEY_CLASSES_ROOT, turned into what the Linux desktop reads. For each
// extension key ".E" whose default value names a file type T with an open command:
//   $XDG_DATA_HOME/applications/T.desktop     the desktop entry that runs the command
//   $XDG_DATA_HOME/mime/packages/T.xml        the MIME type application/x-T-E, glob *.E
//                                             (any letter case)
//   $XDG_CONFIG_HOME/mimeapps.list            T.desktop as the default for that type
// then update-mime-database and update-desktop-database run where they are installed. Files of
// file types that are no longer associated go again; a default that names another program's
// entry, and every file this did not write, are left as they are.
void publishAssociations(const RegistryNode& classesRoot);

// The MIME type published for files of the extension associated with the file type.
std::string publishedMimeType(const std::string& fileType, const std::string& extension);

// The desktop entry's Exec line for an open command such as "\"Z:\usr\bin\sumora\" %1":
// the program path in native notation, quoted by the freedesktop.org desktop entry rules, and
// %1 as %f. Nothing for a command that names no program that can be mapped.
std::optional<std::string> execLineFor(const std::string& command);

// The id (without ".desktop") of the desktop entry the desktop opens a file "x.E" with, by the
// shared MIME database and the MIME applications lists; nothing when it opens it with none.
std::optional<std::string> desktopHandlerOf(const std::string& extension);

}  // namespace platform
