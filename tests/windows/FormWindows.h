#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/Form.h"

namespace testing_support {

// The text a window shows: a caption, or a control's text.
std::wstring textOf(HWND hwnd);
// The top-level window that shows the form on this thread; nullptr when it has none.
HWND windowOf(const ui::Form& form);
// The child window that shows one of the form's controls; nullptr when it has none.
HWND windowOf(const ui::Form& form, const ui::Control& control);
// The window's rectangle relative to its parent's client area, in pixels.
RECT placeOf(HWND child);

// Runs the step once, from the event loop of whatever shows the form (a modal showing, or
// Desktop::run), as soon as the form's window is visible: it then acts as the user would,
// between two messages. A failure the step throws is reported, not passed to the system.
void whenShown(const ui::Form& form, std::function<void()> step);

}  // namespace testing_support
