#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "ui/win32/GdiObject.h"

namespace ui::win32 {

struct IconDeleter {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};

// Owns an icon.
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// One of the pictures a form names, as resources/windows/make_picture_resources.py embeds it
// in the program: an RCDATA resource named after the picture, a packed 32-bit DIB whose colours
// are premultiplied by their alpha. Held as a top-down DIB section, ready for AlphaBlend.
class Picture {
public:
    // The picture a form names ("logo.main") from the module's resources, by default the
    // program's own; nothing for an empty name, a name without a picture, or a resource that is
    // not such a DIB.
    static std::optional<Picture> load(const std::string& name, HMODULE module = nullptr);

    int width() const { return width_; }
    int height() const { return height_; }
    // Top row first: 0xAARRGGBB, the colour premultiplied by the alpha.
    std::uint32_t pixel(int x, int y) const;

    // The picture at another size, each pixel the average of those it covers (or the nearest
    // one when it grows); nothing if the system has no room for it.
    std::optional<Picture> scaled(int width, int height) const;
    // Draws it at its own size from (x, y), its alpha over what lies there.
    void draw(HDC dc, int x, int y) const;
    // An icon of that size made of it; null if the system cannot make one.
    IconHandle icon(int width, int height) const;

private:
    // A blank (transparent) picture; nothing if the system has no room for it.
    static std::optional<Picture> blank(int width, int height);
    Picture() = default;

    GdiObject<HBITMAP> bitmap_;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace ui::win32
