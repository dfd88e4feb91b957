#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace platform {

// Body bytes that have arrived and wait for the caller of a transfer, taken in the order they
// came.
class WaitingBytes {
public:
    void append(std::span<const std::byte> bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    // Moves as many as fit into the buffer; the count.
    std::size_t take(std::span<std::byte> buffer);
    std::size_t size() const { return bytes_.size() - taken_; }
    void clear() {
        bytes_.clear();
        taken_ = 0;
    }

private:
    std::vector<std::byte> bytes_;
    std::size_t taken_ = 0;
};

}  // namespace platform
