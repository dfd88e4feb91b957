#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/ui/animation/AviBuilder.h"
#include "ui/animation/Bitmap8.h"

namespace ui::animation {
namespace {

using Indexes = std::vector<std::uint8_t>;
constexpr std::uint8_t kBefore = 9;  // what the canvas held before the frame

TEST(Rle8, PaintsRunsAbsoluteStretchesAndSkipsOntoTheCanvasTopRowFirst) {
    const struct {
        const char* name;
        Bytes data;
        Indexes canvas;  // 4 x 2, top row first
    } cases[] = {
        {"runs, bottom row stored first",
         bytes({3, 1, 1, 2, 0, 0, 4, 5, 0, 1}),
         {5, 5, 5, 5, 1, 1, 1, 2}},
        {"absolute mode, odd count padded to a word",
         bytes({0, 3, 1, 2, 3, 0, 1, 4, 0, 0, 0, 4, 5, 6, 7, 8, 0, 1}),
         {5, 6, 7, 8, 1, 2, 3, 4}},
        {"delta moves right and up, skipped pixels keep the canvas",
         bytes({1, 1, 0, 2, 2, 1, 1, 3, 0, 1}),
         {9, 9, 9, 3, 1, 9, 9, 9}},
        {"delta to the end of a row",
         bytes({0, 2, 4, 0, 0, 0, 4, 6, 0, 1}),
         {6, 6, 6, 6, 9, 9, 9, 9}},
        {"end of line leaves the rest of the row",
         bytes({1, 1, 0, 0, 1, 2, 0, 1}),
         {2, 9, 9, 9, 1, 9, 9, 9}},
        {"end of bitmap ignores what follows", bytes({2, 1, 0, 1, 2, 2}), {9, 9, 9, 9, 1, 1, 9, 9}},
        {"end of line after the last row",
         bytes({4, 1, 0, 0, 4, 2, 0, 0, 0, 1}),
         {2, 2, 2, 2, 1, 1, 1, 1}},
        {"data ending without end of bitmap", bytes({4, 1}), {9, 9, 9, 9, 1, 1, 1, 1}},
        {"no data", {}, {9, 9, 9, 9, 9, 9, 9, 9}},
    };
    for (const auto& c : cases) {
        Indexes canvas(8, kBefore);
        EXPECT_TRUE(decodeRle8(c.data, 4, 2, canvas)) << c.name;
        EXPECT_EQ(canvas, c.canvas) << c.name;
    }
}

TEST(Rle8, RejectsDataThatLeavesTheBitmapOrStopsInsideACommand) {
    const struct {
        const char* name;
        Bytes data;
    } cases[] = {
        {"run past the row", bytes({5, 1})},
        {"second run past the row", bytes({3, 1, 2, 1})},
        {"run above the last row", bytes({0, 0, 0, 0, 1, 1})},
        {"end of line past the bitmap", bytes({0, 0, 0, 0, 0, 0})},
        {"delta past the right edge", bytes({1, 1, 0, 2, 4, 0})},
        {"delta past the top", bytes({0, 2, 0, 3})},
        {"delta to the top then a pixel", bytes({0, 2, 0, 2, 1, 1})},
        {"absolute stretch past the row", bytes({0, 5, 1, 2, 3, 4, 5, 0})},
        {"absolute stretch cut short", bytes({0, 4, 1, 2})},
        {"absolute stretch without its pad byte", bytes({0, 3, 1, 2, 3})},
        {"delta without its offsets", bytes({0, 2, 1})},
        {"a lone byte at the end", bytes({4, 1, 7})},
    };
    for (const auto& c : cases) {
        Indexes canvas(8, kBefore);
        EXPECT_FALSE(decodeRle8(c.data, 4, 2, canvas)) << c.name;
    }
}

TEST(Uncompressed8, ReadsPaddedRowsBottomUpAndNeedsThemAll) {
    Indexes canvas(6, kBefore);
    EXPECT_TRUE(copyUncompressed8(bytes({1, 2, 3, 0, 4, 5, 6, 0}), 3, 2, canvas));
    EXPECT_EQ(canvas, (Indexes{4, 5, 6, 1, 2, 3}));
    EXPECT_FALSE(copyUncompressed8(bytes({1, 2, 3, 0, 4, 5, 6}), 3, 2, canvas))
        << "the last row's padding is missing";
}

}  // namespace
}  // namespace ui::animation
