#include <iostream>

#include "ui/console/ConsoleDesktop.h"
#include "ui/factory/DesktopFactory.h"

namespace ui {

std::unique_ptr<Desktop> makeDesktop(int& /*argc*/, char** /*argv*/) {
    return std::make_unique<ConsoleDesktop>(std::cin, std::cout);
}

}  // namespace ui
