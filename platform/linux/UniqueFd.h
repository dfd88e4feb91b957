#pragma once

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

// Owns a POSIX file descriptor; -1 means none.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        UniqueFd(std::move(other)).swap(*this);
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void swap(UniqueFd& other) noexcept { std::swap(fd_, other.fd_); }

    // Closes now, for callers that must know whether buffered data reached the disk; 0 or the
    // errno of close().
    int close() {
        const int result = ::close(std::exchange(fd_, -1));
        return result == 0 ? 0 : errno;
    }

private:
    int fd_ = -1;
};

}  // namespace platform
