#include <gtest/gtest.h>

#include <chrono>

#include "ui/animation/Player.h"

namespace ui::animation {
namespace {

using std::chrono::milliseconds;

Clip clipOf(int frameMicroseconds, std::size_t frames) {
    return Clip{1, 1, frameMicroseconds, std::vector<Frame>(frames, Frame{0})};
}

TEST(Player, ShowsTheFrameOfTheElapsedTimeAndLoops) {
    const struct {
        int frameMicroseconds;
        std::size_t frames;
        long long elapsedMs;
        std::size_t frame;
    } cases[] = {
        {100'000, 25, 0, 0},     {100'000, 25, 99, 0},
        {100'000, 25, 100, 1},   {100'000, 25, 2'499, 24},
        {100'000, 25, 2'500, 0}, {100'000, 25, 2'650, 1},
        {100'000, 25, -40, 0},   {100'000, 25, 1'000'000'000'000'250, 2},
        {33'333, 50, 1'000, 30}, {500, 3, 1, 2},
        {100'000, 1, 12'345, 0},
    };
    for (const auto& c : cases) {
        const Player player(clipOf(c.frameMicroseconds, c.frames));
        EXPECT_EQ(player.frameAt(milliseconds(c.elapsedMs)), c.frame)
            << c.frames << " frames of " << c.frameMicroseconds << " us after " << c.elapsedMs
            << " ms";
    }
}

}  // namespace
}  // namespace ui::animation
