#include "tests/core/crc32/GuardedPages.h"

#include <stdexcept>

namespace testing_support {

GuardedPages::GuardedPages(std::size_t capacity)
    : pageSize_(systemPageSize()),
      capacity_((capacity + pageSize_ - 1) / pageSize_ * pageSize_),
      mapping_(mapGuarded(pageSize_, capacity_), Unmap{capacity_ + 2 * pageSize_}) {}

std::span<std::byte> GuardedPages::endingAtGuard(std::size_t size) const {
    if (size > capacity_) {
        throw std::out_of_range("more bytes than the guarded pages hold");
    }
    return {mapping_.get() + pageSize_ + capacity_ - size, size};
}

std::span<std::byte> GuardedPages::startingAfterGuard(std::size_t size) const {
    if (size > capacity_) {
        throw std::out_of_range("more bytes than the guarded pages hold");
    }
    return {mapping_.get() + pageSize_, size};
}

}  // namespace testing_support
