#pragma once

#include <memory>

#include "ui/Backend.h"

namespace ui {

// The Windows desktop: each form a top-level window with the system's controls, scaled from
// twips by the system DPI. Nothing when no window can be made (Wine without a display), so the
// console takes over.
std::unique_ptr<Backend> makeWin32Backend();

}  // namespace ui
