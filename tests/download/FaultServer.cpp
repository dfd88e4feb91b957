#include "tests/download/FaultServer.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

extern char** environ;

namespace download::testing {

FaultServer::FaultServer() {
    int toServer[2];
    int fromServer[2];
    if (::pipe(toServer) != 0 || ::pipe(fromServer) != 0) {
        throw std::runtime_error("no pipe for the test server");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toServer[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromServer[1], 1);
    posix_spawn_file_actions_addclose(&actions, toServer[1]);
    posix_spawn_file_actions_addclose(&actions, fromServer[0]);
    std::string python = SUMORA_PYTHON;
    std::string script = SUMORA_FAULT_SERVER;
    char* argv[] = {python.data(), script.data(), nullptr};
    const int spawned = posix_spawn(&pid_, python.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(toServer[0]);
    ::close(fromServer[1]);
    input_ = toServer[1];
    if (spawned != 0) {
        ::close(fromServer[0]);
        throw std::runtime_error("cannot start the test server");
    }
    FILE* output = ::fdopen(fromServer[0], "r");
    if (output == nullptr || std::fscanf(output, "%d", &port_) != 1) {
        throw std::runtime_error("the test server told no port");
    }
    std::fclose(output);
}

FaultServer::~FaultServer() {
    ::close(input_);
    int status = 0;
    for (int tries = 0; tries < 50; ++tries) {
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            return;
        }
        ::usleep(20'000);
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status, 0);
}

std::string FaultServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string servedFile(std::size_t size, int version) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((31 * (i % 251) + static_cast<std::size_t>(version)) % 251);
    }
    return bytes;
}

}  // namespace download::testing
