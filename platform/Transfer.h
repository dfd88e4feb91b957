#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// One GET as the download procedure asks for it. Every request carries a byte range.
struct TransferRequest {
    std::string url;
    std::string userName;
    std::string password;
    std::int64_t rangeStart = 0;  // Range: bytes=<rangeStart>-
    std::string ifRange;          // a validator of the first response for If-Range, or ""
};

// The final response (after redirects): its status and headers.
struct TransferResponse {
    int status = 0;
    std::vector<std::pair<std::string, std::string>> headers;  // names in lower case

    // The value of the last header of that name (lower case), without surrounding blanks.
    std::optional<std::string> header(std::string_view lowerName) const;
};

// Takes one "Name: value" line of a header block into the response (the name in lower case,
// blanks around both removed); a line without a colon is passed over.
void addHeaderLine(TransferResponse& response, std::string_view line);

// The seam between the download procedure and the network. The procedure drives it from the
// GUI thread: it starts a request, lets it work in short waits between which it handles the
// window's events, and takes the body as it arrives. Nothing here blocks longer than a wait.
class Transfer {
public:
    virtual ~Transfer() = default;

    // Starts a request, replacing any earlier one; false when it cannot start at all (an
    // unusable URL or a scheme other than http and https).
    virtual bool start(const TransferRequest& request) = 0;
    // Lets the request work for at most the timeout; returns earlier when something happened.
    virtual void wait(std::chrono::milliseconds timeout) = 0;
    // Bytes that arrived so far, headers included; any growth is a sign of life.
    virtual std::uint64_t received() const = 0;
    // The final response once its headers are in.
    virtual const TransferResponse* response() const = 0;
    // Moves body bytes that have arrived into the buffer; the count (0 when none are waiting).
    virtual std::size_t read(std::span<std::byte> buffer) = 0;
    // Whether the request has ended; its body bytes may still wait to be read.
    virtual bool ended() const = 0;
    // Whether it ended with the whole response received as the protocol defines it.
    virtual bool endedCleanly() const = 0;
    // The host part of the request's URL.
    virtual std::string hostName() const = 0;
    // Stops the request; harmless when there is none.
    virtual void cancel() = 0;
};

// The operating system's transfer (libcurl on Linux, WinHTTP on Windows); each platform's
// transfer defines it. Throws when the system's HTTP client cannot start.
std::unique_ptr<Transfer> makeSystemTransfer();

}  // namespace platform
