#include <windows.h>

#include <stdexcept>

#include "tests/core/crc32/GuardedPages.h"

namespace testing_support {

std::size_t GuardedPages::systemPageSize() {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return info.dwPageSize;
}

std::byte* GuardedPages::mapGuarded(std::size_t pageSize, std::size_t usable) {
    void* mapping =
        ::VirtualAlloc(nullptr, usable + 2 * pageSize, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
    if (mapping == nullptr) {
        throw std::runtime_error("cannot map guarded pages");
    }
    auto* base = static_cast<std::byte*>(mapping);
    DWORD previous = 0;
    if (!::VirtualProtect(base + pageSize, usable, PAGE_READWRITE, &previous)) {
        ::VirtualFree(mapping, 0, MEM_RELEASE);
        throw std::runtime_error("cannot open the pages between the guards");
    }
    return base;
}

void GuardedPages::Unmap::operator()(std::byte* mapping) const {
    ::VirtualFree(mapping, 0, MEM_RELEASE);
}

}  // namespace testing_support
