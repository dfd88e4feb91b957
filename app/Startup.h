#pragma once

#include <iosfwd>
#include <string>

#include "ui/Desktop.h"

namespace app {

// Loads the main window for the command line, shows it unless start-up ended the program,
// and returns the exit status. Without a display the window cannot be shown: that is said on
// errors and the usage text follows. A long computation without a window shows its progress on
// errors when that is a terminal.
int runProgram(ui::Desktop& desktop, const std::string& commandLine, std::ostream& errors,
               bool errorsIsTerminal = false);

}  // namespace app
