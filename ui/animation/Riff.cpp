#include "ui/animation/Riff.h"

#include "ui/animation/LittleEndian.h"

namespace ui::animation {

std::optional<std::vector<RiffChunk>> riffChunks(std::span<const std::byte> body) {
    std::vector<RiffChunk> chunks;
    std::size_t at = 0;
    while (at < body.size()) {
        if (body.size() - at < 8) {
            return std::nullopt;
        }
        const std::size_t size = u32At(body, at + 4);
        const std::size_t start = at + 8;
        if (size > body.size() - start) {
            return std::nullopt;
        }
        chunks.push_back({fourCcAt(body, at), body.subspan(start, size)});
        at = start + size + (size % 2);
    }
    return chunks;
}

std::optional<RiffList> asList(const RiffChunk& chunk) {
    if ((chunk.id != "LIST" && chunk.id != "RIFF") || chunk.data.size() < 4) {
        return std::nullopt;
    }
    return RiffList{fourCcAt(chunk.data, 0), chunk.data.subspan(4)};
}

}  // namespace ui::animation
