#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Transfer.h"

namespace download::testing {

// One answer of the scripted server, in the scripted clock's time.
struct ScriptedAnswer {
    platform::TransferResponse response;  // status 0: the request ends without an answer
    std::string body;
    std::size_t piece = 1024;  // bytes per wait
    std::optional<std::size_t> dropAfter;
    double secondsBeforeResponse = 0;
    double secondsPerPiece = 0;  // the least time between two pieces
};

// A transfer that plays answers from a script and records the requests.
class ScriptedTransfer final : public platform::Transfer {
public:
    std::deque<ScriptedAnswer> answers;
    std::vector<platform::TransferRequest> requests;

    bool start(const platform::TransferRequest& request) override;
    void wait(std::chrono::milliseconds timeout) override;
    std::uint64_t received() const override { return received_; }
    const platform::TransferResponse* response() const override {
        return responded_ ? &current_.response : nullptr;
    }
    std::size_t read(std::span<std::byte> buffer) override;
    bool ended() const override { return ended_; }
    bool endedCleanly() const override { return clean_; }
    std::string hostName() const override { return "example.org"; }
    void cancel() override { active_ = false; }

private:
    ScriptedAnswer current_;
    bool active_ = false;
    bool responded_ = false;
    bool ended_ = false;
    bool clean_ = false;
    double startedAt_ = 0;
    double lastPieceAt_ = 0;
    std::size_t sent_ = 0;
    std::string pending_;
    std::uint64_t received_ = 0;
};

// An answer with the whole file (200) or a part of it from an offset (206), with an ETag.
ScriptedAnswer fileAnswer(const std::string& file, std::int64_t from = 0, int status = 200);

}  // namespace download::testing
