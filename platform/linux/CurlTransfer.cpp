#include "platform/linux/CurlTransfer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/RedirectTarget.h"
#include "platform/Text.h"
#include "platform/Transfer.h"

namespace platform {
namespace {

constexpr long kReceiveBufferBytes = 256 * 1024;
constexpr long kMaxRedirects = 10;

struct CurlUrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

struct CurlTextDeleter {
    void operator()(char* text) const { curl_free(text); }
};

// The scheme and host of a URL, or nothing when libcurl cannot read it.
std::optional<std::pair<std::string, std::string>> schemeAndHost(const std::string& url) {
    const std::unique_ptr<CURLU, CurlUrlDeleter> parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
        return std::nullopt;
    }
    char* scheme = nullptr;
    char* host = nullptr;
    const bool ok = curl_url_get(parsed.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
                    curl_url_get(parsed.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK;
    const std::unique_ptr<char, CurlTextDeleter> ownScheme(scheme);
    const std::unique_ptr<char, CurlTextDeleter> ownHost(host);
    if (!ok) {
        return std::nullopt;
    }
    return std::make_pair(toLower(scheme), std::string(host));
}

}  // namespace

CurlTransfer::CurlTransfer() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (initialised != CURLE_OK) {
        throw std::runtime_error("libcurl cannot start");
    }
    multi_.reset(curl_multi_init());
    if (!multi_) {
        throw std::runtime_error("libcurl cannot start");
    }
}

CurlTransfer::~CurlTransfer() {
    cancel();
}

bool CurlTransfer::start(const TransferRequest& request) {
    cancel();
    const auto parts = schemeAndHost(request.url);
    if (!parts || (parts->first != "http" && parts->first != "https")) {
        return false;
    }
    host_ = parts->second;
    easy_.reset(curl_easy_init());
    if (!easy_) {
        return false;
    }
    CURL* easy = easy_.get();

    std::string range = "Range: bytes=" + std::to_string(request.rangeStart) + "-";
    curl_slist* headers = curl_slist_append(nullptr, range.c_str());
    requestHeaders_.reset(headers);
    if (headers != nullptr && !request.ifRange.empty()) {
        const std::string ifRange = "If-Range: " + request.ifRange;
        if (curl_slist* more = curl_slist_append(headers, ifRange.c_str())) {
            requestHeaders_.release();
            requestHeaders_.reset(more);
        }
    }
    if (!requestHeaders_) {
        return false;
    }

    bool ok = curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str()) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_UNRESTRICTED_AUTH, 0L) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_HTTPHEADER, requestHeaders_.get()) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeader) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_HEADERDATA, this) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBody) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_WRITEDATA, this) == CURLE_OK;
    if (ok && !request.userName.empty()) {
        ok = curl_easy_setopt(easy, CURLOPT_USERNAME, request.userName.c_str()) == CURLE_OK &&
             curl_easy_setopt(easy, CURLOPT_PASSWORD, request.password.c_str()) == CURLE_OK;
    }
    if (!ok || curl_multi_add_handle(multi_.get(), easy) != CURLM_OK) {
        easy_.reset();
        return false;
    }
    return true;
}

void CurlTransfer::wait(std::chrono::milliseconds timeout) {
    if (!easy_ || result_) {
        return;
    }
    // Bytes already waiting need no waiting.
    if (waiting_.size() == 0) {
        curl_multi_poll(multi_.get(), nullptr, 0, static_cast<int>(timeout.count()), nullptr);
    }
    int running = 0;
    curl_multi_perform(multi_.get(), &running);
    collectResult();
}

void CurlTransfer::collectResult() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy_.get()) {
            result_ = message->data.result;
            if (!response_ && block_.status != 0) {
                response_ = block_;
            }
        }
    }
}

const TransferResponse* CurlTransfer::response() const {
    return response_ ? &*response_ : nullptr;
}

std::size_t CurlTransfer::read(std::span<std::byte> buffer) {
    return waiting_.take(buffer);
}

void CurlTransfer::cancel() {
    if (easy_) {
        curl_multi_remove_handle(multi_.get(), easy_.get());
        easy_.reset();
    }
    requestHeaders_.reset();
    host_.clear();
    block_ = {};
    response_.reset();
    waiting_.clear();
    received_ = 0;
    result_.reset();
}

std::size_t CurlTransfer::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<CurlTransfer*>(self);
    const std::size_t length = size * count;
    transfer.received_ += length;
    transfer.headerLine(std::string_view(data, length));
    return length;
}

// Each response (an interim one, a redirect, the final one) starts with its status line; the
// final one is the first that curl will not follow.
void CurlTransfer::headerLine(std::string_view line) {
    if (line.starts_with("HTTP/")) {
        block_ = {};
        long status = 0;
        curl_easy_getinfo(easy_.get(), CURLINFO_RESPONSE_CODE, &status);
        block_.status = static_cast<int>(status);
        return;
    }
    if (line.find_first_not_of(" \t\r\n") != std::string_view::npos) {
        addHeaderLine(block_, line);
        return;
    }
    const bool interim = block_.status >= 100 && block_.status < 200;
    const bool followed = isRedirectStatus(block_.status) && block_.header("location").has_value();
    if (!interim && !followed && block_.status != 0) {
        response_ = block_;
    }
}

std::size_t CurlTransfer::onBody(char* data, std::size_t size, std::size_t count, void* self) {
    return static_cast<CurlTransfer*>(self)->body(data, size * count);
}

// Every piece is taken, never paused: the caller drains the buffer at each turn, so it holds
// at most what one turn of libcurl reads. A transfer paused when its connection closed stalled
// for good in libcurl 7.88, with no socket left to wait on.
std::size_t CurlTransfer::body(const char* data, std::size_t size) {
    if (!response_ && block_.status != 0) {
        response_ = block_;
    }
    received_ += size;
    const auto* bytes = reinterpret_cast<const std::byte*>(data);
    waiting_.append(std::span(bytes, size));
    return size;
}

std::unique_ptr<Transfer> makeSystemTransfer() {
    return std::make_unique<CurlTransfer>();
}

}  // namespace platform
