#pragma once

#include <string>

namespace platform {

// The extension executables carry on this system (".exe" on Windows, none on Linux), in lower
// case; program paths of executables are built with it.
std::string executableExtension();

// The running executable's file name without folder and without the executable extension: the
// program's application name in the settings and its file-type name.
std::string executableBaseName();

// The folder of the running executable as a program path, without a trailing "\" except at the
// root of a drive ("C:\").
std::string applicationFolder();

}  // namespace platform
