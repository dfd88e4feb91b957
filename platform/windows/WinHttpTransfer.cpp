#include "platform/windows/WinHttpTransfer.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <stdexcept>

#include "platform/BasicCredentials.h"
#include "platform/Executable.h"
#include "platform/RedirectTarget.h"
#include "platform/Transfer.h"
#include "platform/windows/Wide.h"

namespace platform {
namespace {

constexpr int kMaxRedirects = 10;
constexpr std::size_t kPieceBytes = 64 * 1024;
// Beyond this much body waiting for the caller, WinHTTP is asked for no more until it is taken.
constexpr std::size_t kWaitingLimit = 1024 * 1024;

struct Target {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path and query, without the fragment
};

std::optional<Target> crack(const std::string& url) {
    const std::wstring wide = widen(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwSchemeLength = static_cast<DWORD>(-1);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!::WinHttpCrackUrl(wide.c_str(), 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) ||
        parts.dwHostNameLength == 0) {
        return std::nullopt;
    }
    Target target;
    target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    target.port = parts.nPort;
    target.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    target.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    target.object = target.object.substr(0, target.object.find(L'#'));
    if (target.object.empty() || target.object.front() != L'/') {
        target.object.insert(0, L"/");
    }
    return target;
}

}  // namespace

// What WinHTTP's threads and the caller's thread share for one request of a redirect chain.
// WinHTTP may call back on the thread that asks it something, hence the recursive mutex; the
// callbacks ask WinHTTP for the next step only while they hold it and the exchange is open, so
// no step is asked once closing has begun. `self` keeps the exchange alive until the request
// handle's last callback.
struct WinHttpTransfer::Exchange {
    std::recursive_mutex mutex;
    std::condition_variable_any changed;
    std::shared_ptr<Exchange> self;
    HINTERNET connection = nullptr;
    HINTERNET request = nullptr;
    bool closing = false;
    bool waitingForCaller = false;
    std::optional<TransferResponse> response;
    std::uint64_t received = 0;
    std::vector<std::byte> body;
    std::vector<std::byte> piece = std::vector<std::byte>(kPieceBytes);
    bool ended = false;
    bool clean = false;
    std::uint64_t events = 0;

    // The steps below run with the mutex held.
    void finish(bool cleanly) {
        ended = true;
        clean = cleanly;
    }

    void askForMore() {
        if (body.size() >= kWaitingLimit) {
            waitingForCaller = true;
        } else if (!::WinHttpQueryDataAvailable(request, nullptr)) {
            finish(false);
        }
    }

    void readAvailable(DWORD available) {
        const auto count = static_cast<DWORD>(std::min<std::size_t>(available, piece.size()));
        if (!::WinHttpReadData(request, piece.data(), count, nullptr)) {
            finish(false);
        }
    }

    void pieceArrived(DWORD length) {
        if (length == 0) {
            finish(true);
            return;
        }
        body.insert(body.end(), piece.begin(), piece.begin() + length);
        received += length;
        askForMore();
    }

    void headersArrived() {
        DWORD status = 0;
        DWORD size = sizeof(status);
        DWORD bytes = 0;
        if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                   WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                                   WINHTTP_NO_HEADER_INDEX)) {
            finish(false);
            return;
        }
        ::WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                              WINHTTP_NO_OUTPUT_BUFFER, &bytes, WINHTTP_NO_HEADER_INDEX);
        std::wstring raw(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(raw.size() * sizeof(wchar_t));
        if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF,
                                   WINHTTP_HEADER_NAME_BY_INDEX, raw.data(), &bytes,
                                   WINHTTP_NO_HEADER_INDEX)) {
            finish(false);
            return;
        }
        raw.resize(bytes / sizeof(wchar_t));
        const std::string block = narrow(raw);
        TransferResponse arrived;
        arrived.status = static_cast<int>(status);
        // The status line comes first; the header lines follow it.
        for (std::size_t start = block.find("\r\n"); start != std::string::npos;) {
            const std::size_t next = block.find("\r\n", start + 2);
            addHeaderLine(arrived, std::string_view(block).substr(
                                       start + 2, next == std::string::npos ? std::string::npos
                                                                            : next - start - 2));
            start = next;
        }
        received += block.size();
        const bool redirect = isRedirectStatus(arrived.status) && arrived.header("location");
        response = std::move(arrived);
        // A redirect's body is of no use: the caller follows it with a new request.
        if (redirect) {
            finish(true);
        } else {
            askForMore();
        }
    }
};

void CALLBACK WinHttpTransfer::onStatus(HINTERNET handle, DWORD_PTR context, DWORD status,
                                        LPVOID info, DWORD length) {
    auto* exchange = reinterpret_cast<Exchange*>(context);
    if (exchange == nullptr) {
        return;
    }
    if (status == WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING) {
        std::shared_ptr<Exchange> last;
        {
            const std::lock_guard lock(exchange->mutex);
            if (handle == exchange->request) {
                last = std::move(exchange->self);
            }
        }
        return;  // the exchange may go with `last` here
    }
    const std::lock_guard lock(exchange->mutex);
    if (exchange->closing || exchange->ended) {
        return;
    }
    switch (status) {
        case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
            if (!::WinHttpReceiveResponse(exchange->request, nullptr)) {
                exchange->finish(false);
            }
            break;
        case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
            exchange->headersArrived();
            break;
        case WINHTTP_CALLBACK_STATUS_DATA_AVAILABLE: {
            const DWORD available = *static_cast<const DWORD*>(info);
            if (available == 0) {
                exchange->finish(true);
            } else {
                exchange->readAvailable(available);
            }
            break;
        }
        case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
            exchange->pieceArrived(length);
            break;
        case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
            exchange->finish(false);
            break;
        default:
            return;
    }
    ++exchange->events;
    exchange->changed.notify_all();
}

WinHttpTransfer::WinHttpTransfer() {
    // The program introduces itself by its name.
    const std::wstring agent = widen(executableBaseName());
    // The proxy the user set for the system; Windows before 8.1 knows only WinHTTP's own.
    for (const DWORD access : {static_cast<DWORD>(WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY),
                               static_cast<DWORD>(WINHTTP_ACCESS_TYPE_DEFAULT_PROXY)}) {
        session_ = ::WinHttpOpen(agent.c_str(), access, WINHTTP_NO_PROXY_NAME,
                                 WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC);
        if (session_ != nullptr) {
            break;
        }
    }
    if (session_ == nullptr || ::WinHttpSetStatusCallback(session_, &WinHttpTransfer::onStatus,
                                                          WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS |
                                                              WINHTTP_CALLBACK_FLAG_HANDLES,
                                                          0) == WINHTTP_INVALID_STATUS_CALLBACK) {
        if (session_ != nullptr) {
            ::WinHttpCloseHandle(session_);
        }
        throw std::runtime_error("WinHTTP cannot start");
    }
}

WinHttpTransfer::~WinHttpTransfer() {
    cancel();
    ::WinHttpCloseHandle(session_);
}

bool WinHttpTransfer::start(const TransferRequest& request) {
    cancel();
    const auto target = crack(request.url);
    if (!target) {
        return false;
    }
    request_ = request;
    url_ = request.url;
    host_ = narrow(target->host);
    if (!send(url_)) {
        host_.clear();
        return false;
    }
    return true;
}

bool WinHttpTransfer::send(const std::string& url) {
    const auto target = crack(url);
    if (!target) {
        return false;
    }
    std::string headers = "Range: bytes=" + std::to_string(request_.rangeStart) + "-\r\n";
    if (!request_.ifRange.empty()) {
        headers += "If-Range: " + request_.ifRange + "\r\n";
    }
    // Credentials go to the server first asked, never to one a redirect leads to.
    if (!request_.userName.empty() && originOf(url) == originOf(request_.url)) {
        headers +=
            "Authorization: " + basicAuthorization(request_.userName, request_.password) + "\r\n";
    }

    auto exchange = std::make_shared<Exchange>();
    exchange->connection = ::WinHttpConnect(session_, target->host.c_str(), target->port, 0);
    if (exchange->connection == nullptr) {
        return false;
    }
    exchange->request = ::WinHttpOpenRequest(
        exchange->connection, L"GET", target->object.c_str(), nullptr, WINHTTP_NO_REFERER,
        WINHTTP_DEFAULT_ACCEPT_TYPES, target->secure ? WINHTTP_FLAG_SECURE : 0);
    exchange_ = exchange;
    if (exchange->request == nullptr) {
        closeExchange();
        return false;
    }
    // WinHTTP hands the context to every callback of the request, its last one included.
    auto context = reinterpret_cast<DWORD_PTR>(exchange.get());
    exchange->self = exchange;
    if (!::WinHttpSetOption(exchange->request, WINHTTP_OPTION_CONTEXT_VALUE, &context,
                            sizeof(context))) {
        exchange->self.reset();
        closeExchange();
        return false;
    }
    DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
    if (!::WinHttpSetOption(exchange->request, WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects,
                            sizeof(noRedirects))) {
        closeExchange();
        return false;
    }
    const std::wstring wideHeaders = widen(headers);
    if (!::WinHttpSendRequest(exchange->request, wideHeaders.c_str(),
                              static_cast<DWORD>(wideHeaders.size()), WINHTTP_NO_REQUEST_DATA, 0, 0,
                              context)) {
        closeExchange();
        return false;
    }
    return true;
}

void WinHttpTransfer::wait(std::chrono::milliseconds timeout) {
    if (!exchange_) {
        return;
    }
    if (waiting_.size() == 0) {
        Exchange& exchange = *exchange_;
        std::unique_lock lock(exchange.mutex);
        exchange.changed.wait_for(lock, timeout,
                                  [&] { return exchange.events != seenEvents_ || exchange.ended; });
        seenEvents_ = exchange.events;
    }
    take();
}

// Hands what the exchange collected to this thread; follows a redirect with a new exchange.
void WinHttpTransfer::take() {
    while (exchange_) {
        Exchange& exchange = *exchange_;
        std::optional<TransferResponse> arrived;
        bool ended = false;
        bool clean = false;
        {
            const std::lock_guard lock(exchange.mutex);
            if (exchange.response && !responseSeen_) {
                arrived = exchange.response;
                responseSeen_ = true;
            }
            waiting_.append(exchange.body);
            exchange.body.clear();
            received_ = receivedBefore_ + exchange.received;
            if (exchange.waitingForCaller && !exchange.closing && !exchange.ended) {
                exchange.waitingForCaller = false;
                exchange.askForMore();
            }
            ended = exchange.ended;
            clean = exchange.clean;
        }
        if (arrived && isRedirectStatus(arrived->status) && arrived->header("location")) {
            if (follow(*arrived)) {
                continue;
            }
            closeExchange();
            ended_ = true;
            clean_ = false;
            return;
        }
        if (arrived) {
            response_ = std::move(arrived);
        }
        ended_ = ended;
        clean_ = clean;
        return;
    }
}

bool WinHttpTransfer::follow(const TransferResponse& redirect) {
    const auto target = redirectTarget(url_, *redirect.header("location"));
    if (!target || redirects_ >= kMaxRedirects) {
        return false;
    }
    closeExchange();
    ++redirects_;
    receivedBefore_ = received_;
    responseSeen_ = false;
    seenEvents_ = 0;
    url_ = *target;
    return send(url_);
}

const TransferResponse* WinHttpTransfer::response() const {
    return response_ ? &*response_ : nullptr;
}

std::size_t WinHttpTransfer::read(std::span<std::byte> buffer) {
    if (waiting_.size() == 0) {
        take();
    }
    return waiting_.take(buffer);
}

// No step is asked of WinHTTP once the exchange is closing; the handles go after that.
void WinHttpTransfer::closeExchange() {
    if (!exchange_) {
        return;
    }
    HINTERNET request = nullptr;
    HINTERNET connection = nullptr;
    {
        const std::lock_guard lock(exchange_->mutex);
        exchange_->closing = true;
        request = exchange_->request;
        connection = exchange_->connection;
    }
    exchange_.reset();
    if (request != nullptr) {
        ::WinHttpCloseHandle(request);
    }
    if (connection != nullptr) {
        ::WinHttpCloseHandle(connection);
    }
}

void WinHttpTransfer::cancel() {
    closeExchange();
    request_ = {};
    url_.clear();
    redirects_ = 0;
    host_.clear();
    response_.reset();
    waiting_.clear();
    received_ = 0;
    receivedBefore_ = 0;
    seenEvents_ = 0;
    responseSeen_ = false;
    ended_ = false;
    clean_ = false;
}

std::unique_ptr<Transfer> makeSystemTransfer() {
    return std::make_unique<WinHttpTransfer>();
}

}  // namespace platform
