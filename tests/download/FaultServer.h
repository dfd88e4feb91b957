#pragma once

#include <string>

namespace download::testing {

// The loopback server of fault_server.py, started for the test and stopped with it.
class FaultServer {
public:
    FaultServer();
    ~FaultServer();
    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;

    // "http://127.0.0.1:<port>" followed by the path.
    std::string url(const std::string& path) const;
    int port() const { return port_; }

private:
    int pid_ = -1;
    int input_ = -1;
    int port_ = 0;
};

// Byte i of version v of a file the server serves.
std::string servedFile(std::size_t size, int version = 1);

}  // namespace download::testing
