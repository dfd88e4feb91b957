#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "tests/ui/animation/AviBuilder.h"
#include "ui/animation/HexPieces.h"

namespace ui::animation {
namespace {

TEST(HexPiecesToBytes, ReadsEachPairAsHexUpToItsFirstNonDigit) {
    const struct {
        std::vector<std::string_view> pieces;
        Bytes expected;
    } cases[] = {
        {{"5249464638D80 0 "}, bytes({0x52, 0x49, 0x46, 0x46, 0x38, 0xD8, 0, 0})},
        {{"F ", "A 10", "ff"}, bytes({0x0F, 0x0A, 0x10, 0xFF})},
        {{"5G"}, bytes({5})},
        {{"", "01"}, bytes({1})},
        {{}, {}},
    };
    for (const auto& c : cases) {
        const auto decoded = hexPiecesToBytes(c.pieces);
        ASSERT_TRUE(decoded.has_value()) << testing::PrintToString(c.pieces);
        EXPECT_EQ(*decoded, c.expected) << testing::PrintToString(c.pieces);
    }
}

TEST(HexPiecesToBytes, FailsOnAnOddPieceOrAPairWithoutADigit) {
    const std::vector<std::vector<std::string_view>> cases = {
        {"ABC"}, {"AB", "C"}, {" 5"}, {"G0"}, {"00", "  "},
    };
    for (const auto& pieces : cases) {
        EXPECT_FALSE(hexPiecesToBytes(pieces).has_value()) << testing::PrintToString(pieces);
    }
}

}  // namespace
}  // namespace ui::animation
