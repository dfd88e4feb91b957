#pragma once

#include <string>

namespace ui::qt {

// Whether a display server answers, tried without Qt: Qt aborts the process when the display
// it is told to use cannot be opened (a stale DISPLAY of a closed remote session). Each try
// connects to the server's socket and gives up after a short time.

// An X display name, "[host]:number[.screen]": the local socket of that number, or TCP port
// 6000 + number on the host.
bool xDisplayAnswers(const std::string& display);
// A Wayland display name: a socket path, or a name in the runtime folder.
bool waylandDisplayAnswers(const std::string& display, const std::string& runtimeFolder);

// The Qt platform to start, read from the environment: what QT_QPA_PLATFORM names when it is
// not one that needs a display server, else the first of X and Wayland whose server answers;
// empty when none does.
std::string reachablePlatform();

}  // namespace ui::qt
