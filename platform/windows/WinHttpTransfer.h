#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <winhttp.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/Transfer.h"
#include "platform/WaitingBytes.h"

namespace platform {

// The transfer through the system's WinHTTP in its asynchronous mode: the system's threads
// fill an exchange, and each wait hands what they collected to the caller's thread. http and
// https only, TLS verification on, no content coding (so the body is the file's bytes).
// Redirects are followed here rather than by WinHTTP, so that a redirect to another scheme is
// refused and credentials go to the first server only. When the caller reads slower than the
// network delivers, no further read is asked of WinHTTP until the caller has caught up.
class WinHttpTransfer final : public Transfer {
public:
    WinHttpTransfer();
    ~WinHttpTransfer() override;
    WinHttpTransfer(const WinHttpTransfer&) = delete;
    WinHttpTransfer& operator=(const WinHttpTransfer&) = delete;

    bool start(const TransferRequest& request) override;
    void wait(std::chrono::milliseconds timeout) override;
    std::uint64_t received() const override { return received_; }
    const TransferResponse* response() const override;
    std::size_t read(std::span<std::byte> buffer) override;
    bool ended() const override { return ended_; }
    bool endedCleanly() const override { return clean_; }
    std::string hostName() const override { return host_; }
    void cancel() override;

private:
    struct Exchange;

    static void CALLBACK onStatus(HINTERNET handle, DWORD_PTR context, DWORD status, LPVOID info,
                                  DWORD length);
    bool send(const std::string& url);
    void take();
    bool follow(const TransferResponse& redirect);
    void closeExchange();

    HINTERNET session_ = nullptr;
    std::shared_ptr<Exchange> exchange_;
    TransferRequest request_;
    std::string url_;  // the address now asked, after redirects
    int redirects_ = 0;
    std::string host_;
    std::optional<TransferResponse> response_;
    WaitingBytes waiting_;
    std::uint64_t received_ = 0;
    std::uint64_t receivedBefore_ = 0;  // by earlier exchanges of a redirect chain
    std::uint64_t seenEvents_ = 0;
    bool responseSeen_ = false;
    bool ended_ = false;
    bool clean_ = false;
};

}  // namespace platform
