#include "platform/linux/MappedReader.h"

#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

// The window being touched on this thread, and where its SIGBUS returns to.
thread_local sigjmp_buf* guardedJump = nullptr;
thread_local std::uintptr_t guardedBegin = 0;
thread_local std::uintptr_t guardedEnd = 0;

struct sigaction handlerBefore {};

void onSigbus(int /*signal*/, siginfo_t* info, void* /*context*/) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    if (guardedJump != nullptr && address >= guardedBegin && address < guardedEnd) {
        siglongjmp(*guardedJump, 1);
    }
    // Not a byte of ours: with the earlier handler back the fault repeats and reaches it.
    ::sigaction(SIGBUS, &handlerBefore, nullptr);
}

// Our SIGBUS handler while it lives.
class SigbusGuard {
public:
    SigbusGuard() {
        struct sigaction ours {};
        ours.sa_sigaction = onSigbus;
        ours.sa_flags = SA_SIGINFO;
        sigemptyset(&ours.sa_mask);
        ::sigaction(SIGBUS, &ours, &handlerBefore);
    }
    ~SigbusGuard() { ::sigaction(SIGBUS, &handlerBefore, nullptr); }
    SigbusGuard(const SigbusGuard&) = delete;
    SigbusGuard& operator=(const SigbusGuard&) = delete;
};

class Mapping {
public:
    Mapping(int fd, std::uint64_t offset, std::size_t length) : length_(length) {
        void* address =
            ::mmap(nullptr, length, PROT_READ, MAP_SHARED, fd, static_cast<off_t>(offset));
        if (address != MAP_FAILED) {
            address_ = static_cast<std::byte*>(address);
            // Advice only; a refusal costs speed, nothing else.
            ::madvise(address, length, MADV_SEQUENTIAL);
        }
    }
    ~Mapping() {
        if (address_ != nullptr) {
            ::munmap(address_, length_);
        }
    }
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;

    bool valid() const { return address_ != nullptr; }
    std::byte* data() const { return address_; }

private:
    std::byte* address_ = nullptr;
    std::size_t length_;
};

// consume over bytes; false when they vanished under it. Kept out of line so that the jump
// buffer's frame is live while consume runs.
[[gnu::noinline]] bool touchGuarded(const MappedConsumer& consume, std::span<const std::byte> bytes,
                                    std::size_t& taken) {
    sigjmp_buf jump;
    sigjmp_buf* const outer = guardedJump;
    const std::uintptr_t outerBegin = guardedBegin;
    const std::uintptr_t outerEnd = guardedEnd;
    if (sigsetjmp(jump, 1) != 0) {
        guardedJump = outer;
        guardedBegin = outerBegin;
        guardedEnd = outerEnd;
        return false;
    }
    guardedBegin = reinterpret_cast<std::uintptr_t>(bytes.data());
    guardedEnd = guardedBegin + bytes.size();
    guardedJump = &jump;
    taken = consume(bytes);
    guardedJump = outer;
    guardedBegin = outerBegin;
    guardedEnd = outerEnd;
    return true;
}

}  // namespace

MappedPass consumeMappedFile(int fd, std::uint64_t offset, std::uint64_t end,
                             std::size_t windowSize, const MappedConsumer& consume,
                             std::uint64_t& consumed) {
    consumed = 0;
    const auto page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    const SigbusGuard guard;
    while (offset < end) {
        const std::uint64_t start = offset / page * page;
        const auto length =
            static_cast<std::size_t>(std::min<std::uint64_t>(windowSize, end - start));
        const Mapping window(fd, start, length);
        if (!window.valid()) {
            return MappedPass::Unmappable;
        }
        const std::span<const std::byte> bytes(window.data() + (offset - start),
                                               length - static_cast<std::size_t>(offset - start));
        std::size_t taken = 0;
        if (!touchGuarded(consume, bytes, taken)) {
            return MappedPass::Shrunk;
        }
        consumed += taken;
        offset += taken;
        if (taken < bytes.size()) {
            return MappedPass::Stopped;
        }
    }
    return MappedPass::End;
}

}  // namespace platform
