#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "tests/download/FaultServer.h"

extern char** environ;

namespace download::testing {

struct FaultServer::Process {
    int pid = -1;
    int input = -1;
};

FaultServer::FaultServer() : process_(std::make_unique<Process>()) {
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
    const int spawned =
        posix_spawn(&process_->pid, python.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(toServer[0]);
    ::close(fromServer[1]);
    process_->input = toServer[1];
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
    ::close(process_->input);
    int status = 0;
    for (int tries = 0; tries < 50; ++tries) {
        if (::waitpid(process_->pid, &status, WNOHANG) == process_->pid) {
            return;
        }
        ::usleep(20'000);
    }
    ::kill(process_->pid, SIGKILL);
    ::waitpid(process_->pid, &status, 0);
}

}  // namespace download::testing
