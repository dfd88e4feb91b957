#pragma once

#include <memory>

#include "ui/Desktop.h"

namespace ui {

// The program's desktop: real windows where a display can be opened, the console otherwise.
// Started lazily; argc and argv must outlive it.
std::unique_ptr<Desktop> makeDesktop(int& argc, char** argv);

}  // namespace ui
