#pragma once

#include <string>

namespace ui {

// The state of a shared open-file dialog. It lives as long as the window that owns it, so the
// starting folder and the file name left by one use are what the next use starts from.
struct CommonDialog {
    std::string filter;  // "Description|pattern", pairs joined by "|"
    std::string defaultExt;
    std::string dialogTitle;
    bool hideReadOnly = false;
    std::string initDir;   // program path of the starting folder
    std::string fileName;  // program path chosen last, offered again next time
};

}  // namespace ui
