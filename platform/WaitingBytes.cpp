#include "platform/WaitingBytes.h"

#include <algorithm>
#include <cstring>

namespace platform {

std::size_t WaitingBytes::take(std::span<std::byte> buffer) {
    const std::size_t count = std::min(buffer.size(), size());
    std::memcpy(buffer.data(), bytes_.data() + taken_, count);
    taken_ += count;
    if (size() == 0) {
        clear();
    }
    return count;
}

}  // namespace platform
