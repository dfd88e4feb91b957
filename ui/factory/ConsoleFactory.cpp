#include <iostream>

#include "ui/console/ConsoleBackend.h"
#include "ui/factory/DesktopFactory.h"

namespace ui {

std::unique_ptr<Desktop> makeDesktop(int& /*argc*/, char** /*argv*/) {
    return std::make_unique<Desktop>(
        [] { return std::make_unique<ConsoleBackend>(std::cin, std::cout); });
}

}  // namespace ui
