#pragma once

#include <windows.h>

#include <utility>

namespace platform {

// Owns a kernel handle of the file kind, where INVALID_HANDLE_VALUE means none.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() {
        if (valid()) {
            ::CloseHandle(handle_);
        }
    }
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        UniqueHandle(std::move(other)).swap(*this);
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    void swap(UniqueHandle& other) noexcept { std::swap(handle_, other.handle_); }

    // Closes now, for callers that must know whether the data reached the file; the error of
    // CloseHandle() or ERROR_SUCCESS.
    DWORD close() {
        const BOOL closed = ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
        return closed ? ERROR_SUCCESS : ::GetLastError();
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace platform
