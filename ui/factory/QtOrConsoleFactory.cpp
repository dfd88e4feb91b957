#include <iostream>

#include "ui/console/ConsoleBackend.h"
#include "ui/factory/DesktopFactory.h"
#include "ui/qt/QtBackend.h"

namespace ui {

std::unique_ptr<Desktop> makeDesktop(int& argc, char** argv) {
    return std::make_unique<Desktop>([&argc, argv]() -> std::unique_ptr<Backend> {
        if (auto qt = makeQtBackend(argc, argv)) {
            return qt;
        }
        return std::make_unique<ConsoleBackend>(std::cin, std::cout);
    });
}

}  // namespace ui
