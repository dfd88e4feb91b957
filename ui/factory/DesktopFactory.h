#pragma once

#include <memory>

#include "ui/Desktop.h"

namespace ui {

// The program's desktop: real windows where a display can be opened, the console otherwise.
// The backend starts on first need; argc and argv must outlive the desktop.
std::unique_ptr<Desktop> makeDesktop(int& argc, char** argv);

}  // namespace ui
