#pragma once

#include <string>
#include <vector>

namespace platform {

// Full program path of the running executable ("" if it cannot be found out).
std::string executablePath();

// Whether standard error goes to a terminal, where a progress line can be rewritten in place.
bool standardErrorIsTerminal();

// The command-line text after the program's own path, as Windows would pass it: arguments
// joined by blanks, native paths among them (also after "/Switch:") written as program paths.
std::string commandLineFromArgs(int argc, const char* const* argv);

// The program's arguments after its own path, each as one UTF-8 text: argv on Linux, the
// system's split of the Unicode command line on Windows (argv holds only what the ANSI code
// page can spell there).
std::vector<std::string> programArguments(int argc, const char* const* argv);

}  // namespace platform
