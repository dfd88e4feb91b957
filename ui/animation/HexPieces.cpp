#include "ui/animation/HexPieces.h"

namespace ui::animation {
namespace {

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::byte>> hexPiecesToBytes(std::span<const std::string_view> pieces) {
    std::vector<std::byte> bytes;
    for (const std::string_view piece : pieces) {
        if (piece.size() % 2 != 0) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < piece.size(); i += 2) {
            const auto high = hexDigit(piece[i]);
            if (!high) {
                return std::nullopt;
            }
            const auto low = hexDigit(piece[i + 1]);
            bytes.push_back(static_cast<std::byte>(low ? *high * 16 + *low : *high));
        }
    }
    return bytes;
}

}  // namespace ui::animation
