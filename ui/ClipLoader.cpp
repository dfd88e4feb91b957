#include "ui/ClipLoader.h"

#include <array>
#include <vector>

#include "platform/FileSystem.h"
#include "ui/animation/AviDecoder.h"

namespace ui {
namespace {

// Far above any clip a window plays; a bigger file is not one.
constexpr std::size_t kMaxClipFileBytes = 16u << 20;

}  // namespace

std::shared_ptr<const animation::Clip> loadClip(const std::string& path) {
    const auto stream = platform::fileSystem().openRead(path);
    if (!stream) {
        return nullptr;
    }
    std::vector<std::byte> bytes;
    std::array<std::byte, 64 * 1024> chunk;
    while (true) {
        const std::size_t got = stream->read(chunk);
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
        if (bytes.size() > kMaxClipFileBytes) {
            return nullptr;
        }
        if (got < chunk.size()) {
            break;
        }
    }
    auto clip = animation::decodeAvi(bytes);
    return clip ? std::make_shared<const animation::Clip>(std::move(*clip)) : nullptr;
}

}  // namespace ui
