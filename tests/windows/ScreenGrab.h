#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// What the screen shows inside a rectangle, as the user sees it: whatever window lies on top,
// cut to its region.
class ScreenGrab {
public:
    explicit ScreenGrab(const RECT& area);

    // The colour at a point relative to the rectangle's top left corner.
    COLORREF at(int x, int y) const;
    // Writes the grab as a BMP file, to look at when a check fails.
    void save(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;  // rows from the top, 4 bytes a pixel: blue, green, red
};

}  // namespace testing_support
