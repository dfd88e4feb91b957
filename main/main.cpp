#include <iostream>

#include "app/Startup.h"
#include "platform/Process.h"
#include "ui/factory/DesktopFactory.h"

int main(int argc, char** argv) {
    const std::string commandLine = platform::commandLineFromArgs(argc, argv);
    const auto desktop = ui::makeDesktop(argc, argv);
    return app::runProgram(*desktop, commandLine, std::cerr, platform::standardErrorIsTerminal());
}
