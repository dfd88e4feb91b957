#pragma once

#include <chrono>
#include <cstddef>

#include "ui/animation/Clip.h"

namespace ui::animation {

// The timing of a clip that plays repeatedly from the moment it is opened, shared by every
// backend that paints the frames itself.
class Player {
public:
    explicit Player(const Clip& clip);

    // The frame to show after the given time since the clip started; before the start, the first.
    std::size_t frameAt(std::chrono::milliseconds elapsed) const;

private:
    long long frameMicroseconds_;
    std::size_t frameCount_;
};

}  // namespace ui::animation
