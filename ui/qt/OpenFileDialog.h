#pragma once

#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "ui/FileDialogPolicy.h"

class QWidget;

namespace ui::qt {

// Qt name filters for the dialog's entries: "Description (pattern pattern)".
QStringList nameFilters(const std::vector<NameFilter>& filters);

// The open-file dialog for the request, Qt's own widget dialog on every system. The chosen
// program path, or nothing when it is cancelled.
std::optional<std::string> showOpenFileDialog(const FileDialogRequest& request, QWidget* parent);

}  // namespace ui::qt
