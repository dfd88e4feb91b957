#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/FileDialogPolicy.h"

namespace ui::win32 {

// The common open-file dialog (GetOpenFileNameW); the chosen program path, or nothing for
// cancel or failure.
std::optional<std::string> showOpenFileDialog(const FileDialogRequest& request, HWND owner);

// The filter as the dialog takes it: description, NUL, patterns joined by ";", NUL, and one
// more NUL at the end.
std::wstring filterText(const std::vector<NameFilter>& filters);

}  // namespace ui::win32
