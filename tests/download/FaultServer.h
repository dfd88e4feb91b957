#pragma once

#include <memory>
#include <string>

namespace download::testing {

// The loopback server of fault_server.py: started for the test and stopped with it where the
// test can start a Python process; otherwise (a Windows test under Wine) the one its runner
// started, whose port is in SUMORA_FAULT_SERVER_PORT.
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
    struct Process;  // the server's process, when this object started it

    std::unique_ptr<Process> process_;
    int port_ = 0;
};

// Byte i of version v of a file the server serves.
std::string servedFile(std::size_t size, int version = 1);

}  // namespace download::testing
