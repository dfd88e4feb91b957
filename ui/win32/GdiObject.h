#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace ui::win32 {

struct GdiDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};

// Owns a font, brush or region.
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;

}  // namespace ui::win32
