#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ui::animation {

// The bytes of text pieces that hold two characters a byte, read in order. Each pair is read
// as a hexadecimal number up to its first character that is not a hexadecimal digit ("D8" is
// 216, "0 " is 0, "F " is 15). Nothing when a piece has an odd length or a pair starts with a
// character that is not a hexadecimal digit.
std::optional<std::vector<std::byte>> hexPiecesToBytes(std::span<const std::string_view> pieces);

}  // namespace ui::animation
