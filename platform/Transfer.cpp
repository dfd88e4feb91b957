#include "platform/Transfer.h"

#include "platform/Text.h"

namespace platform {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string> TransferResponse::header(std::string_view lowerName) const {
    std::optional<std::string> value;
    for (const auto& [name, text] : headers) {
        if (name == lowerName) {
            value = text;
        }
    }
    return value;
}

void addHeaderLine(TransferResponse& response, std::string_view line) {
    const auto colon = line.find(':');
    if (colon != std::string_view::npos) {
        response.headers.emplace_back(toLower(trimmed(line.substr(0, colon))),
                                      std::string(trimmed(line.substr(colon + 1))));
    }
}

}  // namespace platform
