#include "tests/download/FaultServer.h"

namespace download::testing {

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
