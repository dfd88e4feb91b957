#pragma once

#include <string>

#include "ui/MessageBox.h"

class QWidget;

namespace ui::qt {

// A modal message box over parent (or the screen). Esc, the close box and an event loop that
// is ending choose the negative button: OK, No or Cancel.
MessageResult showMessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& title, QWidget* parent);

}  // namespace ui::qt
