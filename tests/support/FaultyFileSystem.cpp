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
        countDelivered(got);
        afterFirstDelivery(got);
        if (got > 0 && faulty_ && owner_.afterEachRead) {
            owner_.afterEachRead(got);
        }
        return got;
    }
    // The real mapping, handed on slice by slice with the hooks between. Nothing here may need
    // a destructor while consume runs: a shrunk file returns from it by siglongjmp.
    platform::MappedPass consumeMapped(std::size_t windowSize,
                                       const platform::MappedConsumer& consume) override {
        if (faulty_ && (owner_.refuseMapping || owner_.failAfterBytes || owner_.endAfterBytes)) {
            return platform::MappedPass::Unmappable;
        }
        bool refused = false;
        bool readFailed = false;
        const auto slices = [&](std::span<const std::byte> window) {
            std::size_t taken = 0;
            while (taken < window.size()) {
                const auto limit = !faulty_ ? std::nullopt
                                   : owner_.failMappedReadAfterBytes
                                       ? owner_.failMappedReadAfterBytes
                                       : owner_.refuseMappingAfterBytes;
                if (limit && delivered_ >= *limit) {
                    readFailed = owner_.failMappedReadAfterBytes.has_value();
                    refused = !readFailed;
                    return taken;
                }
                std::size_t size =
                    faulty_ && owner_.mappedSlice ? *owner_.mappedSlice : window.size() - taken;
                size = std::min(
                    {size, window.size() - taken, limit ? *limit - delivered_ : window.size()});
                // The time a slow disk takes passes before the bytes arrive, as in read().
                if (faulty_ && owner_.afterEachRead) {
                    owner_.afterEachRead(size);
                }
                const std::size_t took = consume(window.subspan(taken, size));
                countDelivered(took);
                owner_.bytesMapped += took;
                taken += took;
                if (took < size) {
                    return taken;
                }
                afterFirstDelivery(took);
            }
            return taken;
        };
        const platform::MappedPass pass = real_->consumeMapped(windowSize, slices);
        failed_ = failed_ || readFailed;
        return refused      ? platform::MappedPass::Unmappable
               : readFailed ? platform::MappedPass::ReadFailed
                            : pass;
    }
    bool failed() const override { return failed_ || real_->failed(); }
    std::optional<platform::FileStatus> status() override { return real_->status(); }

private:
    void countDelivered(std::size_t bytes) {
        delivered_ += bytes;
        owner_.bytesDelivered += bytes;
    }
    void afterFirstDelivery(std::size_t bytes) {
        if (bytes > 0 && faulty_ && owner_.afterFirstRead) {
            std::exchange(owner_.afterFirstRead, nullptr)();
        }
    }

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
