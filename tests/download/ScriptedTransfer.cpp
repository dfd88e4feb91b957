#include "tests/download/ScriptedTransfer.h"

#include <algorithm>
#include <cstring>

namespace download::testing {

bool ScriptedTransfer::start(const platform::TransferRequest& request) {
    requests.push_back(request);
    if (answers.empty()) {
        return false;
    }
    current_ = answers.front();
    answers.pop_front();
    active_ = true;
    responded_ = false;
    ended_ = false;
    clean_ = false;
    sent_ = 0;
    pending_.clear();
    received_ = 0;
    startedAt_ = platform::clock().monotonicSeconds();
    return true;
}

void ScriptedTransfer::wait(std::chrono::milliseconds /*timeout*/) {
    if (!active_ || ended_) {
        return;
    }
    if (!responded_) {
        if (platform::clock().monotonicSeconds() - startedAt_ < current_.secondsBeforeResponse) {
            return;
        }
        if (current_.response.status == 0) {
            ended_ = true;
            return;
        }
        responded_ = true;
        received_ += 100;
        lastPieceAt_ = platform::clock().monotonicSeconds();
        return;
    }
    const double now = platform::clock().monotonicSeconds();
    if (now - lastPieceAt_ < current_.secondsPerPiece) {
        return;
    }
    lastPieceAt_ = now;
    const std::size_t limit = std::min(current_.body.size(), current_.dropAfter.value_or(SIZE_MAX));
    const std::size_t count = std::min(current_.piece, limit - sent_);
    pending_ += current_.body.substr(sent_, count);
    sent_ += count;
    received_ += count;
    if (sent_ == limit) {
        ended_ = true;
        clean_ = sent_ == current_.body.size();
    }
}

std::size_t ScriptedTransfer::read(std::span<std::byte> buffer) {
    const std::size_t count = std::min(buffer.size(), pending_.size());
    std::memcpy(buffer.data(), pending_.data(), count);
    pending_.erase(0, count);
    return count;
}

ScriptedAnswer fileAnswer(const std::string& file, std::int64_t from, int status) {
    ScriptedAnswer answer;
    answer.response.status = status;
    const auto offset = static_cast<std::size_t>(from);
    answer.body = file.substr(offset);
    answer.response.headers = {{"content-length", std::to_string(answer.body.size())},
                               {"etag", "\"e1\""}};
    if (status == 206) {
        answer.response.headers.emplace_back("content-range",
                                             "bytes " + std::to_string(from) + "-" +
                                                 std::to_string(file.size() - 1) + "/" +
                                                 std::to_string(file.size()));
    }
    return answer;
}

}  // namespace download::testing
