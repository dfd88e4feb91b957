#include <cstdlib>
#include <stdexcept>

#include "tests/download/FaultServer.h"

namespace download::testing {

struct FaultServer::Process {};

FaultServer::FaultServer() {
    const char* port = std::getenv("SUMORA_FAULT_SERVER_PORT");
    port_ = port != nullptr ? std::atoi(port) : 0;
    if (port_ <= 0) {
        throw std::runtime_error("no test server: run this through with_fault_server.py");
    }
}

FaultServer::~FaultServer() = default;

}  // namespace download::testing
