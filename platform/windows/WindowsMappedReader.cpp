#include "platform/windows/WindowsMappedReader.h"

#include <algorithm>

#include "platform/windows/UniqueHandle.h"

namespace platform {
namespace {

// The view being touched on this thread, and where its in-page error returns to. GCC's own
// setjmp, which restores registers without unwinding: the frames it leaves hold nothing to
// destroy.
thread_local void* guardedJump[5];
thread_local bool guardedActive = false;
thread_local std::uintptr_t guardedBegin = 0;
thread_local std::uintptr_t guardedEnd = 0;

[[noreturn]] void leaveView() {
    __builtin_longjmp(guardedJump, 1);
}

LONG CALLBACK onPageError(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode != EXCEPTION_IN_PAGE_ERROR || record.NumberParameters < 2 ||
        !guardedActive) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    const auto address = static_cast<std::uintptr_t>(record.ExceptionInformation[1]);
    if (address < guardedBegin || address >= guardedEnd) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    // Go on in leaveView as if the faulting code had called it: the stack aligned as after a
    // call, with room for the callee's home area.
    CONTEXT& context = *exception->ContextRecord;
    context.Rsp = ((context.Rsp - 256) & ~DWORD64{15}) - 8;
    context.Rip = reinterpret_cast<DWORD64>(&leaveView);
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Our in-page error handler, first in line, while it lives.
class PageErrorGuard {
public:
    PageErrorGuard() : handler_(::AddVectoredExceptionHandler(1, onPageError)) {}
    ~PageErrorGuard() {
        if (handler_ != nullptr) {
            ::RemoveVectoredExceptionHandler(handler_);
        }
    }
    PageErrorGuard(const PageErrorGuard&) = delete;
    PageErrorGuard& operator=(const PageErrorGuard&) = delete;

    bool installed() const { return handler_ != nullptr; }

private:
    void* handler_;
};

class View {
public:
    View(HANDLE section, std::uint64_t offset, std::size_t length)
        : address_(static_cast<const std::byte*>(
              ::MapViewOfFile(section, FILE_MAP_READ, static_cast<DWORD>(offset >> 32),
                              static_cast<DWORD>(offset), length))) {
        if (address_ != nullptr) {
            // Advice only; a refusal costs speed, nothing else.
            WIN32_MEMORY_RANGE_ENTRY range{const_cast<std::byte*>(address_), length};
            ::PrefetchVirtualMemory(::GetCurrentProcess(), 1, &range, 0);
        }
    }
    ~View() {
        if (address_ != nullptr) {
            ::UnmapViewOfFile(address_);
        }
    }
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    bool valid() const { return address_ != nullptr; }
    const std::byte* data() const { return address_; }

private:
    const std::byte* address_;
};

// consume over bytes; false when reading them failed under it. Kept out of line so that the
// jump buffer's frame is live while consume runs.
[[gnu::noinline]] bool touchGuarded(const MappedConsumer& consume, std::span<const std::byte> bytes,
                                    std::size_t& taken) {
    if (__builtin_setjmp(guardedJump) != 0) {
        guardedActive = false;
        return false;
    }
    guardedBegin = reinterpret_cast<std::uintptr_t>(bytes.data());
    guardedEnd = guardedBegin + bytes.size();
    guardedActive = true;
    taken = consume(bytes);
    guardedActive = false;
    return true;
}

std::uint64_t allocationGranularity() {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    return info.dwAllocationGranularity;
}

}  // namespace

MappedPass consumeMappedFile(HANDLE file, std::uint64_t offset, std::uint64_t end,
                             std::size_t windowSize, const MappedConsumer& consume,
                             std::uint64_t& consumed) {
    consumed = 0;
    if (offset >= end) {
        return MappedPass::End;
    }
    // The section is as long as the file is now; bytes it gains later are read() after it.
    const UniqueHandle section(::CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    const PageErrorGuard guard;
    if (!section.valid() || !guard.installed()) {
        return MappedPass::Unmappable;
    }
    const std::uint64_t granularity = allocationGranularity();
    while (offset < end) {
        const std::uint64_t start = offset / granularity * granularity;
        const auto length =
            static_cast<std::size_t>(std::min<std::uint64_t>(windowSize, end - start));
        const View view(section.get(), start, length);
        if (!view.valid()) {
            return MappedPass::Unmappable;
        }
        const std::span<const std::byte> bytes(view.data() + (offset - start),
                                               length - static_cast<std::size_t>(offset - start));
        std::size_t taken = 0;
        if (!touchGuarded(consume, bytes, taken)) {
            return MappedPass::ReadFailed;
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
