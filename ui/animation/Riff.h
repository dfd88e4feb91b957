#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ui::animation {

struct RiffChunk {
    std::string_view id;
    std::span<const std::byte> data;
};

// The chunks of a RIFF or LIST body, in order, each padded to an even length (a missing pad
// byte after the last chunk is tolerated). Nothing when a header or a chunk runs past the body.
std::optional<std::vector<RiffChunk>> riffChunks(std::span<const std::byte> body);

// A "LIST" (or "RIFF") chunk's type and the body after it; nothing for another chunk or one
// too short to hold its type.
struct RiffList {
    std::string_view type;
    std::span<const std::byte> body;
};
std::optional<RiffList> asList(const RiffChunk& chunk);

}  // namespace ui::animation
