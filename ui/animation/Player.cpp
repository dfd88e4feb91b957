#include "ui/animation/Player.h"

#include <algorithm>

namespace ui::animation {

Player::Player(const Clip& clip)
    : frameMicroseconds_(std::max(clip.frameMicroseconds, 1)),
      frameCount_(std::max<std::size_t>(clip.frames.size(), 1)) {}

std::size_t Player::frameAt(std::chrono::milliseconds elapsed) const {
    // Reduced to one loop first, so even years of elapsed time cannot overflow.
    const long long loop = frameMicroseconds_ * static_cast<long long>(frameCount_);
    const long long intoLoop = std::max<long long>(elapsed.count(), 0) % loop * 1000 % loop;
    return static_cast<std::size_t>(intoLoop / frameMicroseconds_);
}

}  // namespace ui::animation
