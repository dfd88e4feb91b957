#pragma once

#include <curl/curl.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/Transfer.h"
#include "platform/WaitingBytes.h"

namespace platform {

// The transfer through libcurl's multi interface, driven by the caller's waits on its own
// thread: http and https only (redirects too), TLS verification on, credentials never sent to
// a host a redirect leads to, no content coding (so the body is the file's bytes). When the
// caller reads slower than the network delivers, the transfer pauses instead of buffering more.
class CurlTransfer final : public Transfer {
public:
    CurlTransfer();
    ~CurlTransfer() override;
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    bool start(const TransferRequest& request) override;
    void wait(std::chrono::milliseconds timeout) override;
    std::uint64_t received() const override { return received_; }
    const TransferResponse* response() const override;
    std::size_t read(std::span<std::byte> buffer) override;
    bool ended() const override { return result_.has_value(); }
    bool endedCleanly() const override { return result_ == CURLE_OK; }
    std::string hostName() const override { return host_; }
    void cancel() override;

private:
    struct MultiDeleter {
        void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
    };
    struct EasyDeleter {
        void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
    };
    struct ListDeleter {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
    void headerLine(std::string_view line);
    std::size_t body(const char* data, std::size_t size);
    void collectResult();

    std::unique_ptr<CURLM, MultiDeleter> multi_;
    std::unique_ptr<CURL, EasyDeleter> easy_;
    std::unique_ptr<curl_slist, ListDeleter> requestHeaders_;
    std::string host_;
    TransferResponse block_;  // the header block being received
    std::optional<TransferResponse> response_;
    WaitingBytes waiting_;
    std::uint64_t received_ = 0;
    std::optional<CURLcode> result_;
};

}  // namespace platform
