#pragma once

#include <string>

#include "ui/Control.h"
#include "ui/Desktop.h"

namespace app {

// Path text helpers: only "\" separates folders, nothing touches the file system.
std::string GetExtension(const std::string& path);    // after the last ".", lower case
std::string GetFolder(const std::string& path);       // up to and including the last "\"
std::string StripExtension(const std::string& path);  // before the last "."
std::string StripFolder(const std::string& path);     // after the last "\"

void SelectAllText(ui::Control& textBox);

extern const char* const kUsageText;
void ShowHelp(ui::Desktop& desktop);

}  // namespace app
