#include <iostream>

#include "ui/LazyDesktop.h"
#include "ui/console/ConsoleDesktop.h"
#include "ui/factory/DesktopFactory.h"
#include "ui/qt/QtDesktop.h"

namespace ui {

std::unique_ptr<Desktop> makeDesktop(int& argc, char** argv) {
    return std::make_unique<LazyDesktop>([&argc, argv]() -> std::unique_ptr<Desktop> {
        if (auto qt = makeQtDesktop(argc, argv)) {
            return qt;
        }
        return std::make_unique<ConsoleDesktop>(std::cin, std::cout);
    });
}

}  // namespace ui
