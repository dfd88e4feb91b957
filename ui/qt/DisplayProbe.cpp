#include "ui/qt/DisplayProbe.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace ui::qt {
namespace {

constexpr int kTimeoutMilliseconds = 1500;
constexpr int kFirstXPort = 6000;

// Closes the socket it holds.
class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Connects without blocking longer than the timeout.
bool connects(int family, int type, int protocol, const sockaddr* address, socklen_t length) {
    const Socket socket(::socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol));
    if (socket.fd() < 0) {
        return false;
    }
    if (::connect(socket.fd(), address, length) == 0) {
        return true;
    }
    if (errno != EINPROGRESS && errno != EAGAIN) {
        return false;
    }
    pollfd waiting{socket.fd(), POLLOUT, 0};
    if (::poll(&waiting, 1, kTimeoutMilliseconds) != 1) {
        return false;
    }
    int error = 0;
    socklen_t size = sizeof error;
    return ::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

// A local socket; a leading "@" names one in Linux's abstract namespace.
bool localSocketAnswers(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    const bool abstract = path.front() == '@';
    if (abstract) {
        address.sun_path[0] = '\0';
    }
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + (abstract ? 0 : 1));
    return connects(AF_UNIX, SOCK_STREAM, 0, reinterpret_cast<const sockaddr*>(&address), length);
}

bool tcpAnswers(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return false;
    }
    bool answered = false;
    for (const addrinfo* at = found; at != nullptr && !answered; at = at->ai_next) {
        answered =
            connects(at->ai_family, at->ai_socktype, at->ai_protocol, at->ai_addr, at->ai_addrlen);
    }
    ::freeaddrinfo(found);
    return answered;
}

std::optional<int> displayNumber(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoi(text);
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

bool xDisplayAnswers(const std::string& display) {
    const auto colon = display.rfind(':');
    if (colon == std::string::npos) {
        return false;
    }
    std::string host = display.substr(0, colon);
    const std::string rest = display.substr(colon + 1);
    const auto number = displayNumber(rest.substr(0, rest.find('.')));
    if (!number) {
        return false;
    }
    if (host.starts_with("unix")) {
        host.clear();
    }
    if (!host.empty()) {
        return tcpAnswers(host, kFirstXPort + *number);
    }
    // The X server listens on both the abstract and the file system socket; either will do.
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(*number);
    return localSocketAnswers("@" + socket) || localSocketAnswers(socket);
}

bool waylandDisplayAnswers(const std::string& display, const std::string& runtimeFolder) {
    if (display.empty()) {
        return false;
    }
    if (display.front() == '/') {
        return localSocketAnswers(display);
    }
    return !runtimeFolder.empty() && localSocketAnswers(runtimeFolder + "/" + display);
}

std::string reachablePlatform() {
    const std::string named = environment("QT_QPA_PLATFORM");
    const bool wantsX = named.empty() || named.starts_with("xcb");
    const bool wantsWayland = named.empty() || named.starts_with("wayland");
    if (!named.empty() && !wantsX && !wantsWayland) {
        return named;
    }
    const std::string x = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    // X first: its plugin comes with Qt itself, and a Wayland session offers X as well.
    if (wantsX && !x.empty() && xDisplayAnswers(x)) {
        return "xcb";
    }
    if (wantsWayland && !wayland.empty() &&
        waylandDisplayAnswers(wayland, environment("XDG_RUNTIME_DIR"))) {
        return "wayland";
    }
    return {};
}

}  // namespace ui::qt
