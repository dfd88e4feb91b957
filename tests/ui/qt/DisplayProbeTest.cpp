#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"
#include "ui/qt/DisplayProbe.h"
#include "ui/qt/QtBackend.h"

namespace ui::qt {
namespace {

// A listening socket, closed at the end of the test.
class Listener {
public:
    explicit Listener(int family) : fd_(::socket(family, SOCK_STREAM, 0)) {}
    ~Listener() { ::close(fd_); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // A local socket; a leading "@" names one in the abstract namespace.
    bool listenAt(const std::string& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.data(), path.size());
        const bool abstract = path.front() == '@';
        if (abstract) {
            address.sun_path[0] = '\0';
        }
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() +
                                                   (abstract ? 0 : 1));
        return ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
               ::listen(fd_, 1) == 0;
    }

    bool listenOnLoopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
               ::listen(fd_, 1) == 0;
    }

private:
    int fd_;
};

TEST(DisplayProbe, OnlyADisplayWhoseServerListensAnswers) {
    const int number = 900 + static_cast<int>(::getpid() % 80);
    Listener local(AF_UNIX);
    ASSERT_TRUE(local.listenAt("@/tmp/.X11-unix/X" + std::to_string(number)));
    EXPECT_TRUE(xDisplayAnswers(":" + std::to_string(number)));
    EXPECT_TRUE(xDisplayAnswers("unix:" + std::to_string(number) + ".0"));
    EXPECT_FALSE(xDisplayAnswers(":" + std::to_string(number + 1))) << "nobody listens there";

    Listener tcp(AF_INET);
    int port = 6000 + 80;
    while (port < 6100 && !tcp.listenOnLoopback(port)) {
        ++port;
    }
    ASSERT_LT(port, 6100) << "no free port for a TCP display";
    EXPECT_TRUE(xDisplayAnswers("127.0.0.1:" + std::to_string(port - 6000)));

    for (const char* malformed : {"", "0", ":", ":x", "host:", ":1234567"}) {
        EXPECT_FALSE(xDisplayAnswers(malformed)) << "'" << malformed << "'";
    }

    testing_support::TempFolder runtime;
    const std::string folder = runtime.native().string();
    EXPECT_FALSE(waylandDisplayAnswers("wayland-9", folder));
    Listener wayland(AF_UNIX);
    ASSERT_TRUE(wayland.listenAt(folder + "/wayland-9"));
    EXPECT_TRUE(waylandDisplayAnswers("wayland-9", folder));
    EXPECT_TRUE(waylandDisplayAnswers(folder + "/wayland-9", ""));
    EXPECT_FALSE(waylandDisplayAnswers("wayland-9", "")) << "no runtime folder to look in";
}

// Whether the Qt backend stays away from a display nobody answers on.
[[noreturn]] void startWithStaleDisplay() {
    ::unsetenv("QT_QPA_PLATFORM");
    ::unsetenv("WAYLAND_DISPLAY");
    ::setenv("DISPLAY", ":987", 1);
    char program[] = "sumora";
    char* argv[] = {program, nullptr};
    int argc = 1;
    std::exit(makeQtBackend(argc, argv) == nullptr ? 0 : 1);
}

// A stale DISPLAY (a closed remote session) used to abort the program inside Qt; now there is
// no Qt backend and the program goes on with the console. Run in a process of its own, so an
// abort shows as a death by signal.
TEST(DisplayProbeDeathTest, AnUnreachableDisplayGivesNoBackendInsteadOfAnAbort) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(startWithStaleDisplay(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace ui::qt
