#pragma once

#include <cstdint>
#include <vector>

namespace ui::animation {

// One picture, top row first, each pixel 0xAARRGGBB with an opaque alpha.
using Frame = std::vector<std::uint32_t>;

// A decoded clip: every frame holds width * height pixels.
struct Clip {
    int width = 0;
    int height = 0;
    int frameMicroseconds = 0;
    std::vector<Frame> frames;
};

}  // namespace ui::animation
