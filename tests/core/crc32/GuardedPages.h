#pragma once

#include <cstddef>
#include <memory>
#include <span>

namespace testing_support {

// Memory between two inaccessible pages: a read past either end of a span placed against one
// of them crashes instead of passing unnoticed.
class GuardedPages {
public:
    explicit GuardedPages(std::size_t capacity);

    std::size_t capacity() const { return capacity_; }
    // `size` bytes ending where the trailing guard page starts.
    std::span<std::byte> endingAtGuard(std::size_t size) const;
    // `size` bytes starting where the leading guard page ends.
    std::span<std::byte> startingAfterGuard(std::size_t size) const;

private:
    // The operating system's part: its page size, and pages of which only those between the
    // first and the last can be read and written.
    static std::size_t systemPageSize();
    static std::byte* mapGuarded(std::size_t pageSize, std::size_t usable);
    struct Unmap {
        std::size_t length;
        void operator()(std::byte* mapping) const;
    };

    std::size_t pageSize_;
    std::size_t capacity_;
    std::unique_ptr<std::byte, Unmap> mapping_;
};

}  // namespace testing_support
