#pragma once

#include <memory>
#include <vector>

#include "ui/qt/Binding.h"

class QMenuBar;

namespace ui::qt {

// Builds the menu bar from the form's menus and menu items in creation order: a menu without
// a parent is a menu of the bar, one with a parent a submenu; an item goes into the menu its
// parent names, and an item captioned "-" is a separator.
std::vector<std::unique_ptr<Binding>> makeMenuBindings(const BindingContext& context,
                                                       QMenuBar& bar);

}  // namespace ui::qt
