#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/RegistryTree.h"

namespace platform {

// The registry as a text file a person can read and edit, in the manner of a .reg file:
//
//   [HKEY_CLASSES_ROOT\sumora\shell\open\command]
//   @="\"Z:\\usr\\bin\\sumora\" %1"
//   "VersionProgram"="2.0.0.72 DB.000072-08.05.2023-15.28.23_SMRA.."
//
// A line "[root\path]" names a key (its parents exist with it); the lines below it are its
// values, "@" for the default value and a quoted name for a named one. In quoted texts "\\",
// "\"", "\n" and "\r" stand for a backslash, a quotation mark and the two line ends. Blank
// lines and lines starting with ";" are ignored. UTF-8, LF line ends (CR LF is read too).
std::string formatRegistry(const RegistryTree& tree);
// Nothing when the text does not follow these rules.
std::optional<RegistryTree> parseRegistry(std::string_view text);

}  // namespace platform
