#include "tests/download/TestDisk.h"

namespace download::testing {
namespace {

using platform::PartFile;

class FillingPartFile final : public PartFile {
public:
    FillingPartFile(std::unique_ptr<PartFile> file, std::optional<std::size_t>& room)
        : file_(std::move(file)), room_(room) {}

    bool write(std::span<const std::byte> bytes) override {
        if (room_ && *room_ < bytes.size()) {
            file_->write(bytes.first(*room_));
            *room_ = 0;
            return false;
        }
        if (room_) {
            *room_ -= bytes.size();
        }
        return file_->write(bytes);
    }
    bool rewind(std::int64_t offset) override { return file_->rewind(offset); }
    std::optional<std::int64_t> length() override { return file_->length(); }
    bool close() override { return file_->close(); }
    bool replace(const std::string& destination) override { return file_->replace(destination); }

private:
    std::unique_ptr<PartFile> file_;
    std::optional<std::size_t>& room_;
};

}  // namespace

std::unique_ptr<PartFile> TestDisk::createPartFile(const std::string& destination) {
    auto file = platform::systemDisk().createPartFile(destination);
    if (!file) {
        return nullptr;
    }
    return std::make_unique<FillingPartFile>(std::move(file), bytesUntilFull);
}

}  // namespace download::testing
