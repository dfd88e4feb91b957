#pragma once

#include <memory>
#include <string>

#include "ui/animation/Clip.h"

namespace ui {

// The decoded clip at a program path; nullptr when it cannot be read or is not a clip we play.
std::shared_ptr<const animation::Clip> loadClip(const std::string& path);

}  // namespace ui
