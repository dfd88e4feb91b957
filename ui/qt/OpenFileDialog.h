#pragma once

#include <QStringList>
#include <string>

#include "ui/CommonDialog.h"

class QWidget;

namespace ui::qt {

// Qt name filters for a dialog filter "Description|pattern|...": patterns of one entry are
// separated by ";", and "*.*" means every file, also names without a dot.
QStringList nameFilters(const std::string& filter);

// The open-file dialog for the shared state, Qt's own widget dialog on every system. With
// hideReadOnly a typed name that does not exist is accepted too. On acceptance the chosen
// path becomes dialog.fileName and the result is true; cancelling gives false.
bool showOpenFileDialog(CommonDialog& dialog, QWidget* parent);

}  // namespace ui::qt
