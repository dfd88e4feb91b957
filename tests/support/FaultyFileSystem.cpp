#include "tests/support/FaultyFileSystem.h"

#include <algorithm>
#include <span>
#include <utility>

namespace testing_support {
namespace {

class FaultyStream final : public platform::ReadStream {
public:
    FaultyStream(std::unique_ptr<platform::ReadStream> real, FaultyFileSystem& owner, bool faulty)
        : real_(std::move(real)), owner_(owner), faulty_(faulty) {}

    std::size_t read(std::span<std::byte> buffer) override {
        if (failed_) {
            return 0;
        }
        const auto limit = !faulty_                ? std::nullopt
                           : owner_.failAfterBytes ? owner_.failAfterBytes
                                                   : owner_.endAfterBytes;
        const std::size_t left = limit ? *limit - std::min(*limit, delivered_) : buffer.size();
        const bool cut = left < buffer.size();
        const std::size_t got =
            cut && left == 0 ? 0 : real_->read(buffer.first(std::min(left, buffer.size())));
        failed_ = cut && got == left && faulty_ && owner_.failAfterBytes.has_value();
        delivered_ += got;
        owner_.bytesDelivered += got;
        if (got > 0 && faulty_ && owner_.afterFirstRead) {
            std::exchange(owner_.afterFirstRead, nullptr)();
        }
        if (got > 0 && faulty_ && owner_.afterEachRead) {
            owner_.afterEachRead(got);
        }
        return got;
    }
    bool failed() const override { return failed_ || real_->failed(); }
    std::optional<platform::FileStatus> status() override { return real_->status(); }

private:
    std::unique_ptr<platform::ReadStream> real_;
    FaultyFileSystem& owner_;
    bool faulty_;
    std::size_t delivered_ = 0;
    bool failed_ = false;
};

}  // namespace

FaultyFileSystem::FaultyFileSystem() : real_(platform::fileSystem()), standIn_(*this) {}

std::unique_ptr<platform::ReadStream> FaultyFileSystem::openRead(const std::string& path) {
    auto real = real_.openRead(path);
    if (!real) {
        return nullptr;
    }
    const bool faulty = faultyPath.empty() || faultyPath == path;
    return std::make_unique<FaultyStream>(std::move(real), *this, faulty);
}

}  // namespace testing_support
