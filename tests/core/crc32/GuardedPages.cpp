#include "tests/core/crc32/GuardedPages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <stdexcept>

namespace testing_support {

namespace {

std::byte* mapGuarded(std::size_t pageSize, std::size_t usable) {
    void* mapping =
        ::mmap(nullptr, usable + 2 * pageSize, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        throw std::runtime_error("cannot map guarded pages");
    }
    auto* base = static_cast<std::byte*>(mapping);
    if (::mprotect(base + pageSize, usable, PROT_READ | PROT_WRITE) != 0) {
        ::munmap(mapping, usable + 2 * pageSize);
        throw std::runtime_error("cannot open the pages between the guards");
    }
    return base;
}

}  // namespace

void GuardedPages::Unmap::operator()(std::byte* mapping) const {
    ::munmap(mapping, length);
}

GuardedPages::GuardedPages(std::size_t capacity)
    : pageSize_(static_cast<std::size_t>(::sysconf(_SC_PAGESIZE))),
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
