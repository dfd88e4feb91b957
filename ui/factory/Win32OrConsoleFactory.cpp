#include <iostream>

#include "ui/console/ConsoleBackend.h"
#include "ui/factory/DesktopFactory.h"
#include "ui/win32/Win32Backend.h"

namespace ui {

std::unique_ptr<Desktop> makeDesktop(int& /*argc*/, char** /*argv*/) {
    return std::make_unique<Desktop>([]() -> std::unique_ptr<Backend> {
        if (auto windows = makeWin32Backend()) {
            return windows;
        }
        return std::make_unique<ConsoleBackend>(std::cin, std::cout);
    });
}

}  // namespace ui
