#include <sys/mman.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/core/crc32/GuardedPages.h"

namespace testing_support {

std::size_t GuardedPages::systemPageSize() {
    return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

std::byte* GuardedPages::mapGuarded(std::size_t pageSize, std::size_t usable) {
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

void GuardedPages::Unmap::operator()(std::byte* mapping) const {
    ::munmap(mapping, length);
}

}  // namespace testing_support
