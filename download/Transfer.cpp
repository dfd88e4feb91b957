#include "download/Transfer.h"

namespace download {

std::optional<std::string> TransferResponse::header(std::string_view lowerName) const {
    std::optional<std::string> value;
    for (const auto& [name, text] : headers) {
        if (name == lowerName) {
            value = text;
        }
    }
    return value;
}

}  // namespace download
