#pragma once

#include <Qt>

namespace ui::qt {

// The Windows virtual-key code the model's key handlers expect for a Qt key, or 0 for a key
// that has none. Keypad keys are told apart by the keypad modifier.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// The model's shift mask: 1 Shift, 2 Ctrl, 4 Alt.
int shiftMask(Qt::KeyboardModifiers modifiers);

}  // namespace ui::qt
