#include "tests/support/FaultyFileSystem.h"

#include <span>
#include <utility>

namespace testing_support {
namespace {

class FaultyStream final : public platform::ReadStream {
public:
    FaultyStream(std::unique_ptr<platform::ReadStream> real, FaultyFileSystem& owner)
        : real_(std::move(real)), owner_(owner) {}

    std::size_t read(std::span<std::byte> buffer) override {
        const auto limit = owner_.failAfterBytes ? owner_.failAfterBytes : owner_.endAfterBytes;
        if (limit) {
            const std::size_t left = *limit > delivered_ ? *limit - delivered_ : 0;
            if (left < buffer.size()) {
                buffer = buffer.first(left);
                failed_ = owner_.failAfterBytes.has_value();
            }
        }
        const std::size_t got = buffer.empty() ? 0 : real_->read(buffer);
        delivered_ += got;
        owner_.bytesDelivered += got;
        if (got > 0 && owner_.afterFirstRead) {
            std::exchange(owner_.afterFirstRead, nullptr)();
        }
        return got;
    }
    bool failed() const override { return failed_ || real_->failed(); }
    std::optional<platform::FileStatus> status() override { return real_->status(); }

private:
    std::unique_ptr<platform::ReadStream> real_;
    FaultyFileSystem& owner_;
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
    return std::make_unique<FaultyStream>(std::move(real), *this);
}

}  // namespace testing_support
