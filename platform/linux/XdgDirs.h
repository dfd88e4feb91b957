#pragma once

#include <string>
#include <vector>

namespace platform {

// The XDG base directories (freedesktop.org), native paths without a
// trailing "/", read from the environment at each call.
std::string xdgConfigHome();               // $XDG_CONFIG_HOME, else ~/.config
std::string xdgDataHome();                 // $XDG_DATA_HOME, else ~/.local/share
std::vector<std::string> xdgConfigDirs();  // $XDG_CONFIG_DIRS, else /etc/xdg
std::vector<std::string> xdgDataDirs();    // $XDG_DATA_DIRS, else /usr/local/share:/usr/share

}  // namespace platform
